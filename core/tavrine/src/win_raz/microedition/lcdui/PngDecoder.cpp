#include "microedition/lcdui/PngDecoder.h"

#include <csetjmp>
#include <cstdlib>
#include <png.h>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DecodeBudget.h"
#include "microedition/lcdui/MemoryReader.h"
#include "microedition/raster/DefaultRasterAllocator.h"
#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::lcdui {

using qel::raster::RasterSurface;

namespace {

constexpr uint32_t kKey = DImage::kKeyColour;
constexpr int32_t kMaxSide = qel::raster::DefaultRasterAllocator::kMaxSide;
// Other ancillary chunks may claim no more memory than one row of the widest
// image at 16 bits a channel; IDAT is read as it streams.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{kMaxSide} * 8 + 1;
constexpr png_uint_32 kMaxStoredChunks = 128;
// Chunks the pictures do not use that libpng would buffer whole (zero-filled
// at the length they claim, before reading them): skipped unread.
constexpr png_byte kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf";
constexpr int kSkippedChunkCount = 6;

// Rgba: alpha kept; RgbKeyed: the colour key of a grey or RGB image turned
// into alpha, whose transparent pixels become the key colour.
enum class Layout { Indices, Rgb, Rgba, RgbKeyed };

// Everything the libpng calls touch: plain data only, so that a longjmp
// out of libpng skips no destructor.
struct PngRun {
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int interlace = 0;
  bool keyed = false;
  uint32_t palette[256] = {};
  int paletteCount = 0;
  Layout layout = Layout::Rgb;
  uint8_t* buffer = nullptr;
  RasterSurface* surface = nullptr;
};

void ignoreWarning(png_structp, png_const_charp) {}

void raiseError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void readFromMemory(png_structp png, png_bytep target, size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader->read(target, count) != count) png_error(png, "truncated");
}

uint16_t toRgb565(uint32_t r, uint32_t g, uint32_t b) {
  return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// The palette with the fully transparent entries replaced by the key.
void readPalette(PngRun& run) {
  png_colorp colours = nullptr;
  int count = 0;
  if (!png_get_PLTE(run.png, run.info, &colours, &count)) count = 0;
  run.paletteCount = count < 256 ? count : 256;
  for (int i = 0; i < run.paletteCount; ++i)
    run.palette[i] = uint32_t{colours[i].red} << 16 | uint32_t{colours[i].green} << 8 | colours[i].blue;
  png_bytep alpha = nullptr;
  int transparentCount = 0;
  if (png_get_tRNS(run.png, run.info, &alpha, &transparentCount, nullptr) && alpha) {
    for (int i = 0; i < transparentCount && i < run.paletteCount; ++i) {
      if (alpha[i] == 0) {
        run.palette[i] = kKey;
        run.keyed = true;
      }
    }
  }
}

bool readHeader(PngRun& run, MemoryReader& reader, bool paletted) {
  if (setjmp(png_jmpbuf(run.png))) return false;
  png_set_read_fn(run.png, &reader, &readFromMemory);
  png_set_user_limits(run.png, kMaxSide, kMaxSide);
  png_set_chunk_malloc_max(run.png, kMaxChunkBytes);
  png_set_chunk_cache_max(run.png, kMaxStoredChunks);
  png_set_keep_unknown_chunks(run.png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, kSkippedChunkCount);
  png_read_info(run.png, run.info);
  png_get_IHDR(
      run.png, run.info, &run.width, &run.height, &run.bitDepth, &run.colourType, &run.interlace, nullptr, nullptr);
  if (paletted && run.colourType != PNG_COLOR_TYPE_PALETTE) return false;
  png_set_scale_16(run.png);
  png_set_packing(run.png);
  if (run.colourType == PNG_COLOR_TYPE_PALETTE) {
    readPalette(run);
    run.layout = paletted ? Layout::Indices : Layout::Rgb;
  } else if (run.colourType == PNG_COLOR_TYPE_RGB_ALPHA) {
    run.layout = Layout::Rgba;
  } else {
    const bool colourKey =
        run.colourType != PNG_COLOR_TYPE_GRAY_ALPHA && png_get_valid(run.png, run.info, PNG_INFO_tRNS);
    if (colourKey) {
      png_set_tRNS_to_alpha(run.png);
      run.keyed = true;
    } else {
      png_set_strip_alpha(run.png);
    }
    if (run.colourType == PNG_COLOR_TYPE_GRAY || run.colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
      png_set_expand_gray_1_2_4_to_8(run.png);
      png_set_gray_to_rgb(run.png);
    }
    run.layout = colourKey ? Layout::RgbKeyed : Layout::Rgb;
  }
  png_set_interlace_handling(run.png);
  png_read_update_info(run.png, run.info);
  const int channels = png_get_channels(run.png, run.info);
  const int depth = png_get_bit_depth(run.png, run.info);
  const int expected = run.colourType == PNG_COLOR_TYPE_PALETTE                       ? 1
                       : run.layout == Layout::Rgba || run.layout == Layout::RgbKeyed ? 4
                                                                                      : 3;
  return depth == 8 && channels == expected;
}

void storeRow(PngRun& run, png_uint_32 y, const uint8_t* row) {
  auto* target = static_cast<uint8_t*>(run.surface->pixels()) + static_cast<size_t>(y) * run.surface->stride();
  const png_uint_32 width = run.width;
  switch (run.layout) {
    case Layout::Indices:
      for (png_uint_32 x = 0; x < width; ++x) target[x] = row[x];
      break;
    case Layout::Rgba: {
      auto* pixels = reinterpret_cast<uint32_t*>(target);
      for (png_uint_32 x = 0; x < width; ++x, row += 4)
        pixels[x] = uint32_t{row[3]} << 24 | uint32_t{row[0]} << 16 | uint32_t{row[1]} << 8 | row[2];
      break;
    }
    case Layout::RgbKeyed: {
      auto* pixels = reinterpret_cast<uint16_t*>(target);
      for (png_uint_32 x = 0; x < width; ++x, row += 4)
        pixels[x] =
            row[3] == 0 ? toRgb565(kKey >> 16, kKey >> 8 & 0xFF, kKey & 0xFF) : toRgb565(row[0], row[1], row[2]);
      break;
    }
    case Layout::Rgb: {
      auto* pixels = reinterpret_cast<uint16_t*>(target);
      if (run.colourType == PNG_COLOR_TYPE_PALETTE) {
        for (png_uint_32 x = 0; x < width; ++x) {
          const uint32_t c = run.palette[row[x]];
          pixels[x] = toRgb565(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF);
        }
      } else {
        for (png_uint_32 x = 0; x < width; ++x, row += 3) pixels[x] = toRgb565(row[0], row[1], row[2]);
      }
      break;
    }
  }
}

// Reads every pass; an interlaced image keeps all rows in the buffer so
// that later passes fill in earlier ones.
bool readRows(PngRun& run) {
  if (setjmp(png_jmpbuf(run.png))) return false;
  const int passes = png_set_interlace_handling(run.png);
  const size_t rowBytes = png_get_rowbytes(run.png, run.info);
  const size_t rows = passes > 1 ? run.height : 1;
  run.buffer = static_cast<uint8_t*>(std::calloc(rows, rowBytes));
  if (!run.buffer) return false;
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < run.height; ++y) {
      uint8_t* row = run.buffer + (passes > 1 ? y * rowBytes : 0);
      png_read_row(run.png, row, nullptr);
      if (pass == passes - 1) storeRow(run, y, row);
    }
  }
  return true;
}

// Destroys the libpng structures and the row buffer on every path.
class PngRunGuard {
public:
  explicit PngRunGuard(PngRun& run) : run_(run) {}
  ~PngRunGuard() {
    std::free(run_.buffer);
    png_destroy_read_struct(&run_.png, run_.info ? &run_.info : nullptr, nullptr);
  }
  PngRunGuard(const PngRunGuard&) = delete;
  PngRunGuard& operator=(const PngRunGuard&) = delete;

private:
  PngRun& run_;
};

[[noreturn]] void fail() { qel::lang::throwException(qel::lang::ExceptionCode::IO); }

}  // namespace

DImagePtr decodePng(const uint8_t* data, size_t length, bool paletted) {
  PngRun run;
  MemoryReader reader{data, length, 0};
  run.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &raiseError, &ignoreWarning);
  if (!run.png) fail();
  PngRunGuard guard(run);
  run.info = png_create_info_struct(run.png);
  if (!run.info || !readHeader(run, reader, paletted) || !fitsDecodeBudget(run.width, run.height)) fail();
  const auto format = run.layout == Layout::Indices ? qel::raster::PF_INDEX8
                      : run.layout == Layout::Rgba  ? qel::raster::PF_ARGB8888
                                                    : qel::raster::PF_RGB565;
  DImagePtr image;
  try {
    image = DImage::createImageOfFormat(static_cast<int32_t>(run.width), static_cast<int32_t>(run.height), format);
  } catch (const qel::lang::DExceptionBase&) {
    fail();
  }
  run.surface = &image->surface();
  if (!readRows(run)) fail();
  image->setKeyed(run.keyed);
  if (run.layout == Layout::Indices) {
    qel::raster::RasterPalette& palette = *image->surface().palette();
    for (int i = 0; i < run.paletteCount; ++i) palette.setEntry(i, run.palette[i]);
    palette.buildCache(qel::raster::PF_RGB565);
  }
  return image;
}

}  // namespace qel::lcdui
