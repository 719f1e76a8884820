#include "microedition/lcdui/JpegDecoder.h"

// jpeglib.h needs size_t and FILE declared first.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DecodeBudget.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::lcdui {

namespace {

constexpr JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

// Everything the libjpeg calls touch: plain data only, so that a longjmp
// out of libjpeg skips no destructor.
struct JpegRun {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  jmp_buf escape{};
  jpeg_source_mgr source{};
  const uint8_t* data = nullptr;
  size_t length = 0;
  uint8_t* row = nullptr;
  qel::raster::RasterSurface* surface = nullptr;
};

JpegRun& runOf(j_common_ptr cinfo) { return *reinterpret_cast<JpegRun*>(cinfo); }

void escape(j_common_ptr cinfo) { std::longjmp(runOf(cinfo).escape, 1); }

void ignoreMessage(j_common_ptr, int) {}

void outputNothing(j_common_ptr) {}

void resetErrors(j_common_ptr cinfo) {
  cinfo->err->num_warnings = 0;
  cinfo->err->msg_code = 0;
}

void sourceNothing(j_decompress_ptr) {}

// Past the end of the data the decoder is given an end-of-image marker.
boolean fillInput(j_decompress_ptr cinfo) {
  cinfo->src->next_input_byte = kEndOfImage;
  cinfo->src->bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = cinfo->src;
  while (static_cast<size_t>(count) > source->bytes_in_buffer) {
    count -= static_cast<long>(source->bytes_in_buffer);
    fillInput(cinfo);
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<size_t>(count);
}

void setUp(JpegRun& run) {
  run.cinfo.err = jpeg_std_error(&run.errors);
  run.errors.error_exit = &escape;
  run.errors.emit_message = &ignoreMessage;
  run.errors.output_message = &outputNothing;
  run.errors.reset_error_mgr = &resetErrors;
  run.source.next_input_byte = run.data;
  run.source.bytes_in_buffer = run.length;
  run.source.init_source = &sourceNothing;
  run.source.fill_input_buffer = &fillInput;
  run.source.skip_input_data = &skipInput;
  run.source.resync_to_restart = &jpeg_resync_to_restart;
  run.source.term_source = &sourceNothing;
}

bool readHeader(JpegRun& run) {
  if (setjmp(run.escape)) return false;
  jpeg_create_decompress(&run.cinfo);
  run.cinfo.src = &run.source;
  jpeg_read_header(&run.cinfo, TRUE);
  run.cinfo.mem->max_memory_to_use = kMaxJpegWorkingBytes;
  // libjpeg gives CMYK (and YCCK) pictures only as CMYK: converted per row.
  const bool cmyk = run.cinfo.jpeg_color_space == JCS_CMYK || run.cinfo.jpeg_color_space == JCS_YCCK;
  run.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  run.cinfo.scale_num = 1;
  run.cinfo.scale_denom = 1;
  run.cinfo.output_gamma = 1.0;
  return true;
}

uint16_t rgbTo565(uint32_t r, uint32_t g, uint32_t b) {
  return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// CMYK JPEGs store their inks inverted (as Adobe writes them): each colour
// is its stored ink times the stored black, rounded.
uint16_t cmykTo565(const uint8_t* pixel) {
  const uint32_t black = pixel[3];
  auto channel = [black](uint32_t ink) { return (ink * black + 127) / 255; };
  return rgbTo565(channel(pixel[0]), channel(pixel[1]), channel(pixel[2]));
}

enum class Rows { Read, Failed, NoBuffer };

Rows readRows(JpegRun& run) {
  if (setjmp(run.escape)) return Rows::Failed;
  jpeg_start_decompress(&run.cinfo);
  const JDIMENSION width = run.cinfo.output_width;
  const int components = run.cinfo.output_components;
  if (components != (run.cinfo.out_color_space == JCS_CMYK ? 4 : 3) ||
      width != static_cast<JDIMENSION>(run.surface->width()) ||
      run.cinfo.output_height != static_cast<JDIMENSION>(run.surface->height()))
    return Rows::Failed;
  run.row = static_cast<uint8_t*>(std::malloc(size_t(components) * width + 1));
  if (!run.row) return Rows::NoBuffer;
  while (run.cinfo.output_scanline < run.cinfo.output_height) {
    const JDIMENSION y = run.cinfo.output_scanline;
    JSAMPROW rows[1] = {run.row};
    if (jpeg_read_scanlines(&run.cinfo, rows, 1) != 1) return Rows::Failed;
    auto* target = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(run.surface->pixels()) +
                                               static_cast<size_t>(y) * run.surface->stride());
    const uint8_t* pixel = run.row;
    if (components == 4) {
      for (JDIMENSION x = 0; x < width; ++x, pixel += 4) target[x] = cmykTo565(pixel);
    } else {
      for (JDIMENSION x = 0; x < width; ++x, pixel += 3) target[x] = rgbTo565(pixel[0], pixel[1], pixel[2]);
    }
  }
  jpeg_finish_decompress(&run.cinfo);
  return Rows::Read;
}

// Destroys the decompressor and the row buffer on every path.
class JpegRunGuard {
public:
  explicit JpegRunGuard(JpegRun& run) : run_(run) {}
  ~JpegRunGuard() {
    std::free(run_.row);
    jpeg_destroy(reinterpret_cast<j_common_ptr>(&run_.cinfo));
  }
  JpegRunGuard(const JpegRunGuard&) = delete;
  JpegRunGuard& operator=(const JpegRunGuard&) = delete;

private:
  JpegRun& run_;
};

}  // namespace

DImagePtr decodeJpeg(const uint8_t* data, size_t length) {
  using qel::lang::ExceptionCode::IO;
  using qel::lang::ExceptionCode::NullPointer;
  JpegRun run;
  run.data = data;
  run.length = length;
  setUp(run);
  JpegRunGuard guard(run);
  if (!readHeader(run) || !fitsDecodeBudget(run.cinfo.image_width, run.cinfo.image_height))
    qel::lang::throwException(NullPointer);
  DImagePtr image =
      DImage::createImage(static_cast<int32_t>(run.cinfo.image_width), static_cast<int32_t>(run.cinfo.image_height));
  run.surface = &image->surface();
  switch (readRows(run)) {
    case Rows::Read: return image;
    case Rows::NoBuffer: qel::lang::throwException(IO);
    case Rows::Failed: break;
  }
  qel::lang::throwException(NullPointer);
}

}  // namespace qel::lcdui
