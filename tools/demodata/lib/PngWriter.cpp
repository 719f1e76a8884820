#include "tools/demodata/lib/PngWriter.h"

#include <map>
#include <png.h>
#include <stdexcept>

namespace nv::demodata {

namespace {

struct PaletteKey {
  std::uint32_t value;
  bool operator<(const PaletteKey& o) const { return value < o.value; }
};

PaletteKey keyOf(Rgba c) {
  if (c.a == 0) return {0};
  return {0x01000000u | (static_cast<std::uint32_t>(c.r) << 16) | (static_cast<std::uint32_t>(c.g) << 8) | c.b};
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

[[noreturn]] void raise(png_structp, png_const_charp message) {
  throw std::runtime_error(std::string("png: ") + message);
}

class PngEncoder {
public:
  PngEncoder() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, raise, nullptr);
    if (png_ == nullptr) throw std::runtime_error("png_create_write_struct failed");
    info_ = png_create_info_struct(png_);
    if (info_ == nullptr) {
      png_destroy_write_struct(&png_, nullptr);
      throw std::runtime_error("png_create_info_struct failed");
    }
    png_set_write_fn(png_, &out_, appendBytes, flushNothing);
  }
  ~PngEncoder() { png_destroy_write_struct(&png_, &info_); }
  PngEncoder(const PngEncoder&) = delete;
  PngEncoder& operator=(const PngEncoder&) = delete;

  Bytes encode(const Image& image) {
    std::map<PaletteKey, int> palette;
    bool palettePossible = true;
    for (int y = 0; y < image.height() && palettePossible; ++y)
      for (int x = 0; x < image.width(); ++x) {
        const Rgba c = image.at(x, y);
        if (c.a != 0 && c.a != 255) {
          palettePossible = false;
          break;
        }
        palette.emplace(keyOf(c), 0);
        if (palette.size() > 256) {
          palettePossible = false;
          break;
        }
      }
    std::vector<std::vector<png_byte>> rows(image.height());
    if (palettePossible) {
      writePalette(image, palette, rows);
    } else {
      png_set_IHDR(png_,
                   info_,
                   image.width(),
                   image.height(),
                   8,
                   PNG_COLOR_TYPE_RGBA,
                   PNG_INTERLACE_NONE,
                   PNG_COMPRESSION_TYPE_DEFAULT,
                   PNG_FILTER_TYPE_DEFAULT);
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
          const Rgba c = image.at(x, y);
          rows[y].insert(rows[y].end(), {c.r, c.g, c.b, c.a});
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_set_compression_level(png_, 9);
    png_write_info(png_, info_);
    png_write_image(png_, pointers.data());
    png_write_end(png_, info_);
    return std::move(out_);
  }

private:
  void writePalette(const Image& image, std::map<PaletteKey, int>& palette, std::vector<std::vector<png_byte>>& rows) {
    std::vector<png_color> colours;
    std::vector<png_byte> alpha;
    int index = 0;
    for (auto& [key, slot] : palette) {  // the transparent key (0) sorts first
      slot = index++;
      colours.push_back({static_cast<png_byte>(key.value >> 16),
                         static_cast<png_byte>(key.value >> 8),
                         static_cast<png_byte>(key.value)});
      if (key.value == 0) alpha.push_back(0);
    }
    png_set_IHDR(png_,
                 info_,
                 image.width(),
                 image.height(),
                 8,
                 PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png_, info_, colours.data(), static_cast<int>(colours.size()));
    if (!alpha.empty()) png_set_tRNS(png_, info_, alpha.data(), static_cast<int>(alpha.size()), nullptr);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        rows[y].push_back(static_cast<png_byte>(palette.at(keyOf(image.at(x, y)))));
  }

  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  Bytes out_;
};

}  // namespace

Bytes encodePng(const Image& image) {
  PngEncoder encoder;
  return encoder.encode(image);
}

}  // namespace nv::demodata
