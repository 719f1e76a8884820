#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/driver/DeviceDriver.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"
#include "platform/window/Window.h"
#include "platform/window/Windows.h"

namespace wce {
namespace {

constexpr int kLargestSide = 8192;

GdiObjects& objects() { return GdiObjects::instance(); }

bool isDib(HGDIOBJ object) {
  return object && object->kind == GdiObject::Kind::Bitmap && !object->stock && !object->bits.empty();
}

std::optional<PixelFormat> formatOf(const BitmapInfo& info) {
  const BitmapInfoHeader& header = info.header;
  if (header.bitCount == 32 && header.compression == BI_RGB) return PixelFormat::Xrgb8888;
  if (header.bitCount != 16) return std::nullopt;
  if (header.compression == BI_RGB) return PixelFormat::Rgb555;
  if (header.compression != BI_BITFIELDS) return std::nullopt;
  const auto* m = info.masks;
  if (m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F) return PixelFormat::Rgb565;
  if (m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F) return PixelFormat::Rgb555;
  return std::nullopt;
}

// The target's pixels: a DIB or the screen view, with an offset and a clip.
struct Target {
  GdiObject* dib = nullptr;
  int originX = 0;
  int originY = 0;
  RECT clip;
};

std::optional<Target> targetOf(HDC dc) {
  switch (dc->kind) {
    case DeviceContext::Kind::Memory:
      if (!isDib(dc->bitmap)) return std::nullopt;
      return Target{dc->bitmap, 0, 0, RECT{0, 0, dc->bitmap->width, dc->bitmap->height}};
    case DeviceContext::Kind::Window: {
      if (!IsWindow(dc->window) || !dc->window->visible) return std::nullopt;
      const RECT& rect = dc->window->rect;
      return Target{nullptr, rect.left, rect.top, RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top}};
    }
    default: {
      const DeviceScreen& screen = DeviceScreen::instance();
      return Target{nullptr, 0, 0, RECT{0, 0, screen.width(), screen.height()}};
    }
  }
}

}  // namespace

HDC GetDC(HWND window) {
  if (window && !IsWindow(window)) return nullptr;
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = window ? DeviceContext::Kind::Window : DeviceContext::Kind::Screen;
  dc->window = window;
  dc->brush = objects().stockBrush(WHITE_BRUSH);
  return objects().addContext(std::move(dc));
}

int ReleaseDC(HWND, HDC dc) {
  if (!objects().isLive(dc) || dc->kind == DeviceContext::Kind::Memory) return 0;
  return objects().removeContext(dc) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !objects().isLive(dc)) return nullptr;
  auto memory = std::make_unique<DeviceContext>();
  memory->kind = DeviceContext::Kind::Memory;
  memory->bitmap = objects().defaultBitmap();
  memory->brush = objects().stockBrush(WHITE_BRUSH);
  return objects().addContext(std::move(memory));
}

bool DeleteDC(HDC dc) {
  if (!objects().isLive(dc)) return false;
  if (dc->bitmap && dc->bitmap->selectedInto == dc) dc->bitmap->selectedInto = nullptr;
  return objects().removeContext(dc);
}

HBITMAP CreateDIBSection(HDC dc, const BitmapInfo* info, UINT usage, void** bits, void*, DWORD) {
  if (bits) *bits = nullptr;
  if (!info || (dc && !objects().isLive(dc)) || usage != DIB_RGB_COLORS) return nullptr;
  const BitmapInfoHeader& header = info->header;
  const auto format = formatOf(*info);
  const int height = header.height < 0 ? -header.height : header.height;
  if (!format || header.planes != 1 || header.width < 1 || header.width > kLargestSide || height < 1 ||
      height > kLargestSide) {
    return nullptr;
  }
  auto bitmap = std::make_unique<GdiObject>();
  bitmap->kind = GdiObject::Kind::Bitmap;
  bitmap->width = header.width;
  bitmap->height = height;
  bitmap->topDown = header.height < 0;
  bitmap->format = *format;
  bitmap->stride = (header.width * bytesPerPixel(*format) + 3) & ~3;
  bitmap->bits.assign(static_cast<std::size_t>(bitmap->stride) * static_cast<std::size_t>(height), 0);
  HBITMAP handle = objects().add(std::move(bitmap));
  if (bits) *bits = handle->bits.data();
  return handle;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!objects().isLive(dc) || !objects().isLive(object)) return nullptr;
  if (object->kind == GdiObject::Kind::Brush) return std::exchange(dc->brush, object);
  if (dc->kind != DeviceContext::Kind::Memory) return nullptr;
  if (object->selectedInto && object->selectedInto != dc && !object->stock) return nullptr;
  HGDIOBJ previous = dc->bitmap;
  if (previous && previous->selectedInto == dc) previous->selectedInto = nullptr;
  if (!object->stock) object->selectedInto = dc;
  dc->bitmap = object;
  return previous;
}

bool DeleteObject(HGDIOBJ object) {
  if (!objects().isLive(object)) return false;
  if (object->stock) return true;
  if (object->selectedInto) return false;
  return objects().remove(object);
}

HGDIOBJ GetStockObject(int index) { return objects().stockBrush(index); }

bool BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD operation) {
  if (operation != SRCCOPY || !objects().isLive(target) || !objects().isLive(source)) return false;
  if (source->kind != DeviceContext::Kind::Memory || !isDib(source->bitmap)) return false;
  GdiObject& from = *source->bitmap;
  const auto to = targetOf(target);
  if (!to) return target->kind == DeviceContext::Kind::Window && IsWindow(target->window);
  // Clip the rectangle to the source bitmap and the target's area.
  const int left = std::max({x, to->clip.left, x - sourceX});
  const int top = std::max({y, to->clip.top, y - sourceY});
  const int right = std::min({x + width, to->clip.right, x - sourceX + from.width});
  const int bottom = std::min({y + height, to->clip.bottom, y - sourceY + from.height});
  DeviceScreen& screen = DeviceScreen::instance();
  for (int row = top; row < bottom; ++row) {
    for (int column = left; column < right; ++column) {
      const Colour colour = readPixel(from.format, from.pixelAt(column - x + sourceX, row - y + sourceY));
      if (to->dib) {
        writePixel(to->dib->format, to->dib->pixelAt(column, row), colour);
      } else {
        screen.setViewPixel(column + to->originX, row + to->originY, toRgb565(colour));
      }
    }
  }
  return true;
}

int GetDeviceCaps(HDC dc, int index) {
  if (!objects().isLive(dc)) return 0;
  const DeviceScreen& screen = DeviceScreen::instance();
  switch (index) {
    case HORZRES: return screen.width();
    case VERTRES: return screen.height();
    case BITSPIXEL: return 16;
    case PLANES: return 1;
    case LOGPIXELSX:
    case LOGPIXELSY: return deviceProfile().logPixelsY();
    default: return 0;
  }
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  if (!paint || !IsWindow(window)) return nullptr;
  *paint = PAINTSTRUCT{};
  GetUpdateRect(window, &paint->paint, false);
  paint->erase = true;
  ValidateRect(window, nullptr);
  paint->hdc = GetDC(window);
  return paint->hdc;
}

bool EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (!paint || ReleaseDC(window, paint->hdc) != 1) return false;
  presentFrame();
  return true;
}

}  // namespace wce
