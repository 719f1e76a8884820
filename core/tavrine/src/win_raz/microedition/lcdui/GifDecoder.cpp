#include "microedition/lcdui/GifDecoder.h"

#include <gif_lib.h>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DGifLoader.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/MemoryReader.h"

namespace qel::lcdui {

namespace {

int readFromMemory(GifFileType* gif, GifByteType* target, int count) {
  if (count <= 0) return 0;
  return static_cast<int>(static_cast<MemoryReader*>(gif->UserData)->read(target, static_cast<size_t>(count)));
}

}  // namespace

DImagePtr decodeGif(const uint8_t* data, size_t length, bool paletted) {
  MemoryReader reader{data, length, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, &readFromMemory, &error);
  if (!gif) qel::lang::throwException(qel::lang::ExceptionCode::IO);
  const DGifLoaderPtr loader(new DGifLoader(gif, paletted));
  DImagePtr frame = loader->nextFrame();
  if (!frame) qel::lang::throwException(qel::lang::ExceptionCode::IO);
  return frame;
}

}  // namespace qel::lcdui
