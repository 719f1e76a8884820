#include "platform/gdi/GdiObjects.h"

namespace wce {
namespace {

constexpr int kStockBrushes = NULL_BRUSH + 1;

template <typename Set, typename Pointer>
auto findIn(Set& set, Pointer pointer) {
  for (auto it = set.begin(); it != set.end(); ++it) {
    if (it->get() == pointer) return it;
  }
  return set.end();
}

}  // namespace

std::uint8_t* GdiObject::pixelAt(int x, int y) {
  const int row = topDown ? y : height - 1 - y;
  return bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(stride) +
         static_cast<std::size_t>(x) * static_cast<std::size_t>(bytesPerPixel(format));
}

GdiObjects& GdiObjects::instance() {
  static GdiObjects objects;
  return objects;
}

GdiObjects::GdiObjects() {
  for (int i = 0; i < kStockBrushes; ++i) {
    auto brush = std::make_unique<GdiObject>();
    brush->stock = true;
    stock_.push_back(std::move(brush));
  }
  auto bitmap = std::make_unique<GdiObject>();
  bitmap->kind = GdiObject::Kind::Bitmap;
  bitmap->stock = true;
  bitmap->width = bitmap->height = 1;
  stock_.push_back(std::move(bitmap));
}

HGDIOBJ GdiObjects::stockBrush(int index) {
  return index >= 0 && index < kStockBrushes ? stock_[static_cast<std::size_t>(index)].get() : nullptr;
}

HGDIOBJ GdiObjects::defaultBitmap() { return stock_.back().get(); }

HGDIOBJ GdiObjects::add(std::unique_ptr<GdiObject> object) {
  std::lock_guard lock(guard_);
  return objects_.insert(std::move(object)).first->get();
}

bool GdiObjects::remove(HGDIOBJ object) {
  std::lock_guard lock(guard_);
  const auto found = findIn(objects_, object);
  if (found == objects_.end()) return false;
  objects_.erase(found);
  return true;
}

bool GdiObjects::isLive(HGDIOBJ object) const {
  if (!object) return false;
  std::lock_guard lock(guard_);
  for (const auto& stock : stock_) {
    if (stock.get() == object) return true;
  }
  return findIn(objects_, object) != objects_.end();
}

HDC GdiObjects::addContext(std::unique_ptr<DeviceContext> context) {
  std::lock_guard lock(guard_);
  return contexts_.insert(std::move(context)).first->get();
}

bool GdiObjects::removeContext(HDC context) {
  std::lock_guard lock(guard_);
  const auto found = findIn(contexts_, context);
  if (found == contexts_.end()) return false;
  contexts_.erase(found);
  return true;
}

bool GdiObjects::isLive(HDC context) const {
  if (!context) return false;
  std::lock_guard lock(guard_);
  return findIn(contexts_, context) != contexts_.end();
}

}  // namespace wce
