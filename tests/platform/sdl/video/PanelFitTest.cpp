#include <gtest/gtest.h>

#include "platform/sdl/video/PanelFit.h"

namespace wce::sdl {
namespace {

TEST(PanelFitTest, TheLargestWholeFactorThatFitsCentredOnBlack) {
  struct Case {
    int outputWidth, outputHeight;
    int scale, left, top;
  };
  const Case cases[] = {
      {240, 320, 1, 0, 0},      // exactly the panel
      {480, 640, 2, 0, 0},      // exactly twice
      {1024, 768, 2, 272, 64},  // the height limits: 3 x 320 = 960 does not fit 768
      {1920, 1080, 3, 600, 60},
      {479, 2000, 1, 119, 840},  // one pixel short of twice across
      {100, 100, 1, -70, -110},  // smaller than the panel: scale 1, centred, cut
      {0, 0, 1, -120, -160},
  };
  for (const Case& c : cases) {
    const PanelFit fit(240, 320, c.outputWidth, c.outputHeight);
    EXPECT_EQ(fit.scale(), c.scale) << c.outputWidth << "x" << c.outputHeight;
    EXPECT_EQ(fit.left(), c.left) << c.outputWidth << "x" << c.outputHeight;
    EXPECT_EQ(fit.top(), c.top) << c.outputWidth << "x" << c.outputHeight;
    EXPECT_EQ(fit.width(), 240 * c.scale);
  }
  EXPECT_EQ(PanelFit::largestZoom(240, 320, 1024, 768 - 40), 2) << "a usable area below a panel";
  EXPECT_EQ(PanelFit::largestZoom(240, 320, 3840, 2160), 6);
  EXPECT_EQ(PanelFit::largestZoom(0, 320, 1024, 768), 1);
}

TEST(PanelFitTest, WindowPointsMapBackThroughTheScaleAndTheBorder) {
  const PanelFit fit(240, 320, 1024, 768);  // scale 2 at (272, 64)
  struct Case {
    int x, y;
    std::optional<PanelPoint> point;
  };
  const Case cases[] = {
      {272, 64, PanelPoint{0, 0}},
      {273, 65, PanelPoint{0, 0}},
      {274, 66, PanelPoint{1, 1}},
      {272 + 479, 64 + 639, PanelPoint{239, 319}},
      {271, 100, std::nullopt},        // left border
      {272 + 480, 100, std::nullopt},  // right border
      {300, 63, std::nullopt},         // top border
      {300, 64 + 640, std::nullopt},   // bottom border
      {0, 0, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(fit.panelPoint(c.x, c.y), c.point) << c.x << "," << c.y;
  EXPECT_EQ(fit.heldPanelPoint(0, 0), (PanelPoint{0, 0}));
  EXPECT_EQ(fit.heldPanelPoint(271, 100), (PanelPoint{0, 18}));
  EXPECT_EQ(fit.heldPanelPoint(5000, 5000), (PanelPoint{239, 319}));
}

}  // namespace
}  // namespace wce::sdl
