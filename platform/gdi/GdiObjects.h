#pragma once
// The objects behind GDI handles: brushes, bitmaps (the DC's default bitmap
// and DIB sections) and device contexts, and the table of live ones.

#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelFormat.h"

namespace wce {

struct GdiObject {
  enum class Kind { Brush, Bitmap };
  Kind kind = Kind::Brush;
  bool stock = false;
  // Bitmaps: the DIB section's pixels (none for the default bitmap).
  int width = 0;
  int height = 0;
  bool topDown = true;
  int stride = 0;
  PixelFormat format = PixelFormat::Rgb565;
  std::vector<std::uint8_t> bits;
  HDC selectedInto = nullptr;

  // Address of pixel (x, y), counted from the top row.
  std::uint8_t* pixelAt(int x, int y);
};

struct DeviceContext {
  enum class Kind { Screen, Window, Memory };
  Kind kind = Kind::Screen;
  HWND window = nullptr;
  HGDIOBJ bitmap = nullptr;
  HGDIOBJ brush = nullptr;
};

class GdiObjects {
public:
  static GdiObjects& instance();

  HGDIOBJ stockBrush(int index);
  HGDIOBJ defaultBitmap();
  HGDIOBJ add(std::unique_ptr<GdiObject> object);
  bool remove(HGDIOBJ object);
  bool isLive(HGDIOBJ object) const;

  HDC addContext(std::unique_ptr<DeviceContext> context);
  bool removeContext(HDC context);
  bool isLive(HDC context) const;

private:
  GdiObjects();

  mutable std::mutex guard_;
  std::vector<std::unique_ptr<GdiObject>> stock_;
  std::set<std::unique_ptr<GdiObject>, std::less<>> objects_;
  std::set<std::unique_ptr<DeviceContext>, std::less<>> contexts_;
};

}  // namespace wce
