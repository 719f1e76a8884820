#include "platform/sdl/video/PanelFit.h"

#include <algorithm>

namespace wce::sdl {
namespace {

// Rounds towards minus infinity, so that points left of the panel stay outside.
int floorDivide(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

int PanelFit::largestZoom(int panelWidth, int panelHeight, int areaWidth, int areaHeight) {
  if (panelWidth < 1 || panelHeight < 1) return 1;
  return std::max(1, std::min(areaWidth / panelWidth, areaHeight / panelHeight));
}

PanelFit::PanelFit(int panelWidth, int panelHeight, int outputWidth, int outputHeight)
    : panelWidth_(std::max(1, panelWidth)),
      panelHeight_(std::max(1, panelHeight)),
      scale_(largestZoom(panelWidth_, panelHeight_, outputWidth, outputHeight)),
      left_((outputWidth - panelWidth_ * scale_) / 2),
      top_((outputHeight - panelHeight_ * scale_) / 2) {}

std::optional<PanelPoint> PanelFit::panelPoint(int x, int y) const {
  const int panelX = floorDivide(x - left_, scale_);
  const int panelY = floorDivide(y - top_, scale_);
  if (panelX < 0 || panelY < 0 || panelX >= panelWidth_ || panelY >= panelHeight_) return std::nullopt;
  return PanelPoint{panelX, panelY};
}

PanelPoint PanelFit::heldPanelPoint(int x, int y) const {
  return {std::clamp(floorDivide(x - left_, scale_), 0, panelWidth_ - 1),
          std::clamp(floorDivide(y - top_, scale_), 0, panelHeight_ - 1)};
}

}  // namespace wce::sdl
