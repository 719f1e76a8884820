#include "PngDump.h"

#include <cstdio>
#include <memory>
#include <png.h>
#include <vector>

#include "SurfacePixels.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng's errors jump back here; nothing with a destructor lives in this frame.
bool writeImage(png_structp png, png_infop info, std::FILE* file, const qel::lcdui::DImage& image, png_bytep row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png,
               info,
               image.getWidth(),
               image.getHeight(),
               8,
               PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.getHeight(); ++y) {
    for (int x = 0; x < image.getWidth(); ++x) {
      const uint32_t p = pixelAt(image, x, y);
      row[x * 3] = static_cast<png_byte>((p >> 11 & 0x1F) << 3);
      row[x * 3 + 1] = static_cast<png_byte>((p >> 5 & 0x3F) << 2);
      row[x * 3 + 2] = static_cast<png_byte>((p & 0x1F) << 3);
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool dumpPng(const qel::lcdui::DImage& image, const std::string& path) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<size_t>(image.getWidth()) * 3);
  const bool written = info && writeImage(png, info, file.get(), image, row.data());
  png_destroy_write_struct(&png, &info);
  return written;
}
