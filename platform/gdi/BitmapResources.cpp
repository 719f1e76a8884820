#include "platform/gdi/BitmapResources.h"

#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"

namespace wce {
namespace {

struct ResourceTable {
  std::mutex lock;
  std::map<UINT, std::vector<std::uint8_t>> files;
};

ResourceTable& table() {
  static ResourceTable instance;
  return instance;
}

std::optional<std::vector<std::uint8_t>> fileOf(UINT id) {
  std::lock_guard guard(table().lock);
  auto found = table().files.find(id);
  if (found == table().files.end()) return std::nullopt;
  return found->second;
}

std::uint32_t u32(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (std::uint32_t{at[3]} << 24);
}
std::uint16_t u16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | (at[1] << 8)); }

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::int64_t kLargestSide = 8192;

// The pixels of a BMP file as a top-down XRGB8888 DIB section; null when
// the file is anything else or its pixels do not fit in it.
HBITMAP decode(const std::vector<std::uint8_t>& file) {
  if (file.size() < kFileHeaderBytes + kInfoHeaderBytes || file[0] != 'B' || file[1] != 'M') return nullptr;
  const std::uint8_t* info = file.data() + kFileHeaderBytes;
  const std::uint32_t pixelOffset = u32(file.data() + 10);
  const std::uint32_t headerSize = u32(info);
  const auto width = static_cast<std::int32_t>(u32(info + 4));
  const auto rawHeight = static_cast<std::int32_t>(u32(info + 8));
  const std::uint16_t bitCount = u16(info + 14);
  const std::uint32_t compression = u32(info + 16);
  const std::int64_t height = rawHeight < 0 ? -std::int64_t{rawHeight} : rawHeight;
  if (headerSize < kInfoHeaderBytes || u16(info + 12) != 1 || compression != BI_RGB) return nullptr;
  if ((bitCount != 24 && bitCount != 32) || width < 1 || width > kLargestSide || height < 1 || height > kLargestSide)
    return nullptr;
  const std::size_t sourceStride = (static_cast<std::size_t>(width) * (bitCount / 8) + 3) & ~std::size_t{3};
  if (pixelOffset > file.size() || (file.size() - pixelOffset) / sourceStride < static_cast<std::size_t>(height))
    return nullptr;

  BitmapInfo dib;
  dib.header.width = width;
  dib.header.height = -static_cast<std::int32_t>(height);
  dib.header.bitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &dib, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t sourceRow = rawHeight < 0 ? y : height - 1 - y;
    const std::uint8_t* source = file.data() + pixelOffset + sourceRow * sourceStride;
    std::uint8_t* target = bitmap->pixelAt(0, static_cast<int>(y));
    for (std::int32_t x = 0; x < width; ++x, source += bitCount / 8, target += 4) {
      std::memcpy(target, source, 3);
      target[3] = 0;
    }
  }
  return bitmap;
}

}  // namespace

void registerBitmapResource(UINT id, std::span<const std::uint8_t> bmpFile) {
  std::lock_guard guard(table().lock);
  table().files[id].assign(bmpFile.begin(), bmpFile.end());
}

void unregisterBitmapResource(UINT id) {
  std::lock_guard guard(table().lock);
  table().files.erase(id);
}

HBITMAP LoadBitmapW(HINSTANCE, UINT id) {
  std::optional<std::vector<std::uint8_t>> file = fileOf(id);
  return file ? decode(*file) : nullptr;
}

int GetObjectW(HGDIOBJ object, int size, void* record) {
  if (!record || size < static_cast<int>(sizeof(BITMAP)) || !GdiObjects::instance().isLive(object) ||
      object->kind != GdiObject::Kind::Bitmap) {
    return 0;
  }
  BITMAP bitmap;
  bitmap.bmWidth = object->width;
  bitmap.bmHeight = object->height;
  bitmap.bmWidthBytes = object->stride;
  bitmap.bmBitsPixel = static_cast<std::uint16_t>(bytesPerPixel(object->format) * 8);
  bitmap.bmBits = object->bits.empty() ? nullptr : object->bits.data();
  std::memcpy(record, &bitmap, sizeof bitmap);
  return static_cast<int>(sizeof bitmap);
}

}  // namespace wce
