#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <stdlib.h>
#include <string>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/MainCanvas.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tools/demodata/lib/DataSet.h"
#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/PngWriter.h"

namespace nvx {

// The demo data set built by the builder from data/, which holds a second
// language, "de", so the flags, the alphabet pictures and the font are the
// builder's own.
inline const nv::demodata::DataSet& twoLanguageData() {
  static const nv::demodata::DataSet data = nv::demodata::DataSet::build(NV_SOURCE_DIR "/data");
  return data;
}

// A program folder holding that data set as "game.dat", the game library's
// search path and font, a 240 x 320 screen canvas, the game's statics.
class SplashFixture : public ::testing::Test {
protected:
  void SetUp() override { openData(""); }

  // Opens the data set without the entry named skip.
  void openData(const std::string& skip) {
    folder_.reset();
    folder_ = std::make_unique<GameFolder>();
    for (const auto& entry : twoLanguageData().entries())
      if (entry.name != skip) folder_->addEntry(entry.name, entry.data);
    folder_->openArchive();
    gamelib::GameLib::setSearchPath(gamelib::GameLib::pathPrefixes(u"240x320/"));
    gamelib::ScreenCanvas::loadFonts(u"");
    gamelib::ScreenCanvas::screenWidth = 240;
    gamelib::ScreenCanvas::screenHeight = 320;
    gamelib::LangInfo::releaseInstance();
    MainCanvas::initStatics();
    MainCanvas::touchInput = 0;
    MainCanvas::pulsePhase = 0;
    MainCanvas::languageIndex = 0;
  }

  void TearDown() override {
    gamelib::LangInfo::releaseInstance();
    gamelib::ScreenCanvas::releaseFonts();
    gamelib::GameLib::setSearchPath(nullptr);
    MainCanvas::sounds.release();
    folder_.reset();
  }

  static qel::lcdui::DImagePtr screen(int32_t w = 240, int32_t h = 320) {
    return qel::lcdui::DImage::createImageOfFormat(w, h, qel::raster::PF_ARGB8888);
  }

  static uint32_t pixel(const qel::lcdui::DImagePtr& image, int x, int y) {
    qel::lang::DintArrayPtr rgb = new qel::lang::DintArray(1);
    image->getRGB(rgb, 0, 1, x, y, 1, 1);
    return static_cast<uint32_t>(rgb[0]) & 0xffffff;
  }

  // The picture as PNG beside the test program, in the build tree.
  static void dump(const qel::lcdui::DImagePtr& image, const std::string& name) {
    nv::demodata::Image out(image->getWidth(), image->getHeight());
    for (int x = 0; x < out.width(); ++x)
      for (int y = 0; y < out.height(); ++y) out.set(x, y, nv::demodata::rgb(pixel(image, x, y)));
    const auto png = nv::demodata::encodePng(out);
    const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    std::ofstream(folder / (name + ".png"), std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }

  std::unique_ptr<GameFolder> folder_;
};

}  // namespace nvx
