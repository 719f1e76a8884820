#include <cstddef>
#include <cstdint>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/ImageDecoder.h"

// Inputs of this format must decode or be refused with a framework exception.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using qel::lcdui::isGif;
  using qel::lcdui::isPng;
  if (!(isGif(data, size))) return 0;
  for (bool paletted : {false, true}) {
    try {
      qel::lcdui::decodeImage(data, size, paletted);
    } catch (const qel::lang::DExceptionBase&) {}
  }
  return 0;
}
