#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "display/api/DisplayBase.h"
#include "display/drivers/RotationDriver.h"

namespace tdlx::testing {
namespace {

// A driver over a buffer of its own that counts what it is asked.
class CountingDriver final : public VideoDriver {
public:
  struct Counts {
    int locks = 0;
    int unlocks = 0;
    int waits = 0;
    std::vector<Rect> dirty;
  };

  CountingDriver(Counts& counts, std::int32_t width, std::int32_t height, std::uint32_t kind,
                 std::uint32_t orientation = 0)
      : counts_(counts), pixels_(static_cast<std::size_t>(width) * height) {
    mode_ = ModeRecord{static_cast<std::uint32_t>(width),
                       static_cast<std::uint32_t>(height),
                       16,
                       static_cast<std::uint32_t>(width * 2),
                       orientation,
                       kind,
                       reinterpret_cast<std::uintptr_t>(pixels_.data())};
    takeFrameBufferFromMode();
  }

  bool Initialize(wce::HWND, const DisplayParams&, const ModeRecord&) override { return true; }
  FrameBufferInfo* Lock() override {
    ++counts_.locks;
    return &frame_;
  }
  void Unlock(std::uint32_t) override { ++counts_.unlocks; }
  void SetDirtyRect(const Rect& rect) override { counts_.dirty.push_back(rect); }
  void WaitBeforeCopy() override { ++counts_.waits; }

  std::vector<std::uint16_t>& pixels() { return pixels_; }

private:
  Counts& counts_;
  std::vector<std::uint16_t> pixels_;
};

class TestDisplay final : public DisplayBase {
public:
  explicit TestDisplay(std::unique_ptr<VideoDriver> driver) : DisplayBase(nullptr), next_(std::move(driver)) {}

protected:
  std::unique_ptr<VideoDriver> CreateVideoDriver(const DisplayParams&) override { return std::move(next_); }

private:
  std::unique_ptr<VideoDriver> next_;
};

TEST(DisplayBaseTest, ShadowBufferWhenTheDriversBufferCannotServe) {
  struct Case {
    std::uint32_t kind;
    std::int32_t swapEffect;
    bool shadow;
  };
  for (const Case& c : {Case{0, 1, true},
                        Case{0, 2, true},
                        Case{1, 1, false},
                        Case{1, 2, true},
                        Case{2, 1, false},
                        Case{2, 2, false}}) {
    CountingDriver::Counts counts;
    TestDisplay display(std::make_unique<CountingDriver>(counts, 240, 320, c.kind));
    DisplayParams params{0, 0, kAnyOrientation, c.swapEffect};
    ASSERT_TRUE(display.Initialize(params));
    EXPECT_EQ(display.hasShadowBuffer(), c.shadow) << c.kind << " " << c.swapEffect;
    EXPECT_EQ(display.parameters().bufferKind, c.shadow ? 2 : static_cast<std::int32_t>(c.kind));
    ASSERT_TRUE(display.BeginScene());
    const FrameBufferInfo* back = display.GetBackBuffer();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->pixels == display.driver()->frameBuffer().pixels, !c.shadow);
    if (c.shadow) {
      EXPECT_EQ(back->pitch, 480);
    }
  }
}

TEST(DisplayBaseTest, DirtyRectangleIsTheScreenForGood) {
  CountingDriver::Counts counts;
  TestDisplay display(std::make_unique<CountingDriver>(counts, 240, 320, 0));
  DisplayParams params{0, 0, kAnyOrientation, 1};
  ASSERT_TRUE(display.Initialize(params));
  ASSERT_EQ(counts.dirty, (std::vector<Rect>{{0, 0, 240, 320}}));
  const Rect small{3, 5, 7, 9};
  const Rect thin{10, 10, 10, 20};
  display.SetDirtyRect(&small);
  display.SetDirtyRect(&thin);
  display.SetDirtyRect(nullptr);
  EXPECT_EQ(display.dirtyRect(), (Rect{0, 0, 240, 320}));
  EXPECT_EQ(counts.dirty.size(), 1u);
}

// Rounding out to even pixels stays on an odd-sized screen.
TEST(DisplayBaseTest, DirtyRectangleOfAnOddScreenStaysOnIt) {
  CountingDriver::Counts counts;
  auto driver = std::make_unique<CountingDriver>(counts, 175, 219, 0);
  CountingDriver& inner = *driver;
  TestDisplay display(std::move(driver));
  DisplayParams params{0, 0, kAnyOrientation, 1};
  ASSERT_TRUE(display.Initialize(params));
  EXPECT_EQ(display.dirtyRect(), (Rect{0, 0, 175, 219}));
  ASSERT_TRUE(display.BeginScene());
  FrameBufferInfo* back = display.GetBackBuffer();
  for (int y = 0; y < 219; ++y) {
    for (int x = 0; x < 175; ++x) rowOf(*back, y)[x] = static_cast<std::uint16_t>(x + y * 175 + 1);
  }
  ASSERT_TRUE(display.EndScene(0));
  for (std::size_t i = 0; i < inner.pixels().size(); ++i) {
    ASSERT_EQ(inner.pixels()[i], static_cast<std::uint16_t>(i + 1)) << i;
  }
}

TEST(DisplayBaseTest, ScenesLockOnceAndWaitOnlyWhenAsked) {
  CountingDriver::Counts counts;
  TestDisplay display(std::make_unique<CountingDriver>(counts, 240, 320, 0));
  DisplayParams params{0, 0, kAnyOrientation, 1};
  ASSERT_TRUE(display.Initialize(params));
  EXPECT_EQ(display.GetBackBuffer(), nullptr);
  EXPECT_FALSE(display.EndScene(0));
  EXPECT_TRUE(display.BeginScene());
  EXPECT_TRUE(display.BeginScene());
  EXPECT_EQ(counts.locks, 1);
  EXPECT_TRUE(display.EndScene(0));
  EXPECT_EQ(counts.waits, 0);
  EXPECT_TRUE(display.BeginScene());
  EXPECT_TRUE(display.EndScene(1));
  EXPECT_EQ(counts.waits, 1);
  EXPECT_EQ(counts.unlocks, 2);
  EXPECT_FALSE(display.Initialize(params));
}

TEST(DisplayBaseTest, RequestedOrientationAddsTheRotationDriver) {
  CountingDriver::Counts counts;
  TestDisplay display(std::make_unique<CountingDriver>(counts, 240, 320, 0));
  DisplayParams params{0, 0, 3, 1};
  ASSERT_TRUE(display.Initialize(params));
  auto* rotation = dynamic_cast<RotationDriver*>(display.driver());
  ASSERT_NE(rotation, nullptr);
  EXPECT_EQ(rotation->rotation(), 1);
  EXPECT_EQ(display.parameters().width, 320);
  EXPECT_EQ(display.parameters().height, 240);
  EXPECT_EQ(display.parameters().orientation, 3);
  EXPECT_EQ(display.parameters().bufferKind, 2);
  EXPECT_FALSE(display.hasShadowBuffer());
  EXPECT_EQ(counts.dirty, (std::vector<Rect>{{0, 0, 240, 320}}));
}

// The rotation driver's copy covers whole 16-pixel tiles, held to the inner buffer.
TEST(RotationDriverTest, CopyRectangleIsWholeTilesOnTheInnerBuffer) {
  struct Case {
    std::int32_t width, height;
    std::uint32_t innerOrientation;
    std::int32_t requested;
    Rect dirty;
    Rect turned;
    Rect copied;
  };
  for (const Case& c : {
           Case{240, 320, 0, 3, {3, 5, 7, 9}, {231, 3, 235, 7}, {224, 0, 240, 16}},
           Case{240, 320, 0, 2, {3, 5, 7, 9}, {233, 311, 237, 315}, {224, 304, 240, 320}},
           Case{240, 320, 0, 1, {3, 5, 7, 9}, {5, 313, 9, 317}, {0, 304, 16, 320}},
           Case{480, 854, 1, 0, {0, 0, 854, 480}, {0, 0, 480, 854}, {0, 0, 480, 854}},
           Case{175, 219, 2, 0, {0, 0, 175, 219}, {0, 0, 175, 219}, {0, 0, 175, 219}},
       }) {
    CountingDriver::Counts counts;
    auto inner = std::make_unique<CountingDriver>(counts, c.width, c.height, 0, c.innerOrientation);
    const ModeRecord mode = inner->mode();
    RotationDriver rotation(std::move(inner));
    ASSERT_TRUE(rotation.Initialize(nullptr, DisplayParams{0, 0, c.requested, 1}, mode));
    rotation.SetDirtyRect(c.dirty);
    EXPECT_EQ(counts.dirty.back(), c.turned) << c.width << "x" << c.height << " r" << rotation.rotation();
    EXPECT_EQ(rotation.copyRect(), c.copied) << c.width << "x" << c.height << " r" << rotation.rotation();
    ASSERT_NE(rotation.Lock(), nullptr);
    rotation.Unlock(1);
  }
}

}  // namespace
}  // namespace tdlx::testing
