#include "PngProbe.h"

#include <csetjmp>
#include <cstring>
#include <png.h>

namespace nv::demodata::test {

namespace {

struct MemoryInput {
  const std::uint8_t* data;
  std::size_t size, at;
};

void readMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (in->at + length > in->size) png_error(png, "read past the end");
  std::memcpy(out, in->data + in->at, length);
  in->at += length;
}

struct Header {
  png_uint_32 width, height;
  int bitDepth, colourType, interlace, transparentCount;
  int alphas[256];
};

// Plain data only between setjmp and longjmp.
bool readHeader(const Bytes& file, Header* header) {
  MemoryInput in{file.data(), file.size(), 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &in, readMemory);
  png_read_info(png, info);
  png_get_IHDR(png,
               info,
               &header->width,
               &header->height,
               &header->bitDepth,
               &header->colourType,
               &header->interlace,
               nullptr,
               nullptr);
  png_bytep alphas = nullptr;
  int count = 0;
  header->transparentCount = 0;
  if (png_get_tRNS(png, info, &alphas, &count, nullptr) != 0 && alphas != nullptr) {
    header->transparentCount = count;
    for (int i = 0; i < count && i < 256; ++i) header->alphas[i] = alphas[i];
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

PngFacts probePng(const Bytes& file) {
  PngFacts facts;
  Header header{};
  if (!readHeader(file, &header)) return facts;
  facts.width = header.width;
  facts.height = header.height;
  facts.bitDepth = header.bitDepth;
  facts.colourType = header.colourType;
  facts.interlace = header.interlace;
  facts.transparencyAlphas.assign(header.alphas, header.alphas + header.transparentCount);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return facts;
  image.format = PNG_FORMAT_RGBA;
  facts.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, facts.rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return facts;
  }
  facts.ok = true;
  return facts;
}

}  // namespace nv::demodata::test
