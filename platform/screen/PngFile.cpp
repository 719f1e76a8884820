#include "platform/screen/PngFile.h"

#include <cstdio>
#include <memory>
#include <png.h>
#include <vector>

namespace wce {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by longjmp; the writer keeps nothing on the stack
// that needs destroying between setjmp and the calls that may jump.
bool writeRows(std::FILE* file, png_bytep* rows, int width, int height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png,
               info,
               static_cast<png_uint_32>(width),
               static_cast<png_uint_32>(height),
               8,
               PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

Rgb888 widenRgb565(std::uint16_t pixel) {
  const unsigned red = (pixel >> 11) & 0x1F;
  const unsigned green = (pixel >> 5) & 0x3F;
  const unsigned blue = pixel & 0x1F;
  return {static_cast<std::uint8_t>((red << 3) | (red >> 2)),
          static_cast<std::uint8_t>((green << 2) | (green >> 4)),
          static_cast<std::uint8_t>((blue << 3) | (blue >> 2))};
}

std::string writeRgb565Png(const std::string& path, const std::uint16_t* pixels, int width, int height) {
  if (!pixels || width < 1 || height < 1) return "no pixels to write";
  const auto w = static_cast<std::size_t>(width);
  std::vector<png_byte> bytes(w * static_cast<std::size_t>(height) * 3);
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < rows.size(); ++y) {
    rows[y] = bytes.data() + y * w * 3;
    for (std::size_t x = 0; x < w; ++x) {
      const Rgb888 colour = widenRgb565(pixels[y * w + x]);
      rows[y][x * 3] = colour.red;
      rows[y][x * 3 + 1] = colour.green;
      rows[y][x * 3 + 2] = colour.blue;
    }
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return path + ": cannot be written";
  if (!writeRows(file.get(), rows.data(), width, height)) return path + ": PNG encoding failed";
  if (std::fflush(file.get()) != 0 || std::ferror(file.get())) return path + ": cannot be written";
  return {};
}

std::string writeScreenPng(const DeviceScreen& screen, const std::string& path) {
  const std::vector<std::uint16_t> view = screen.readView();
  return writeRgb565Png(path, view.data(), screen.width(), screen.height());
}

}  // namespace wce
