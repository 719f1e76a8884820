// Reads any byte string as an image set description and as an image font's
// glyph table, then paints what was read. Every outcome but a framework
// exception or a finished paint is a fault (the sanitizers report crashes).
#include <cstdint>
#include <string>

#include "../TestPng.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/ImageFont.h"
#include "gamelib/ImageManager.h"
#include "gamelib/ScreenCanvas.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "tests/core/tavrine/src/common/io/double/MemoryArchive.h"

using namespace qel::lang;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  qel::lang::DPtr<qel::io::MemoryArchive> archive = new qel::io::MemoryArchive();
  archive->entries[u"f.png"] = solidPng(16, 8, 0x336699);
  archive->entries[u"f.bin"] = input;
  archive->entries[u"f_0.png"] = solidPng(16, 8, 0x996633);
  archive->entries[u"f_0"] = input;
  qel::io::DArchive::setCurrent(archive);
  gamelib::ScreenCanvas::screenHeight = 32;
  qel::lcdui::DImagePtr canvas = qel::lcdui::DImage::createImage(32, 32);

  try {
    gamelib::ImageManager set;
    set.load(u"f");
    for (int32_t a = 0; a < set.animationCount(); ++a) {
      gamelib::AnimationPtr animation = set.getAnimation(a);
      for (int32_t f = 0; animation && f < animation->frameCount() && f < 64; ++f) {
        try {
          set.paintAnimation(canvas->getGraphics(), animation.get(), 8, 8, f, 255, (f & 1) != 0);
        } catch (DExceptionBase&) {}
      }
    }
    for (int32_t i = 0; i < set.frameCount() && i < 64; ++i)
      for (int32_t t : {0, 2, 3, 5, 6}) set.drawFrame(canvas->getGraphics(), set.getFrame(i).get(), 4, 4, 3, t, false);
  } catch (DExceptionBase&) {}
  try {
    gamelib::ImageFont font;
    font.load(u"f", false);
    font.drawString(canvas->getGraphics(), u"Ab 9?", 0, 0, 1 | 2);
    font.stringWidth(u"xyz");
  } catch (DExceptionBase&) {}
  qel::io::DArchive::setCurrent(nullptr);
  return 0;
}
