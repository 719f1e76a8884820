#include "microedition/lcdui/ImageDecoder.h"

#include <cstring>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/GifDecoder.h"
#include "microedition/lcdui/JpegDecoder.h"
#include "microedition/lcdui/PngDecoder.h"

namespace qel::lcdui {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kShortestImage = 8;

}  // namespace

bool isPng(const uint8_t* data, size_t length) {
  return length >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0;
}

bool isGif(const uint8_t* data, size_t length) {
  return length >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0);
}

DImagePtr decodeImage(const uint8_t* data, size_t length, bool paletted) {
  if (isPng(data, length)) return decodePng(data, length, paletted);
  if (isGif(data, length)) return decodeGif(data, length, paletted);
  if (paletted || length < kShortestImage) qel::lang::throwException(qel::lang::ExceptionCode::IO);
  return decodeJpeg(data, length);
}

}  // namespace qel::lcdui
