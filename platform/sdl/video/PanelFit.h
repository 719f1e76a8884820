#pragma once
// Where the panel lies in a window: scaled by the largest whole factor that
// fits (at least 1), centred, the rest black. Maps window points back to
// panel points.

#include <optional>

namespace wce::sdl {

struct PanelPoint {
  int x;
  int y;
  bool operator==(const PanelPoint&) const = default;
};

class PanelFit {
public:
  PanelFit(int panelWidth, int panelHeight, int outputWidth, int outputHeight);

  // The largest whole factor by which a panel fits an area, at least 1.
  static int largestZoom(int panelWidth, int panelHeight, int areaWidth, int areaHeight);

  int scale() const { return scale_; }
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return panelWidth_ * scale_; }
  int height() const { return panelHeight_ * scale_; }

  // The panel point under a window point; none on the border.
  std::optional<PanelPoint> panelPoint(int x, int y) const;
  // The panel point under a window point, held to the panel's edge.
  PanelPoint heldPanelPoint(int x, int y) const;

  bool operator==(const PanelFit&) const = default;

private:
  int panelWidth_;
  int panelHeight_;
  int scale_;
  int left_;
  int top_;
};

}  // namespace wce::sdl
