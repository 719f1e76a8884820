#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "microedition/backend/DisplayBackend.h"
#include "microedition/displayable/DDisplay.h"
#include "microedition/displayable/DGameCanvas.h"
#include "microedition/midlet/DMIDlet.h"
#include "microedition/raster/RasterSurface.h"
#include "tests/core/tavrine/src/common/lang/TestHost.h"

namespace qel::lcdui::testing {

class TestMidlet final : public qel::midlet::DMIDlet {
public:
  void destroyApp(bool) override {}
  void pauseApp() override {}
  void startApp() override {}
  void step() override {}
};

class FakeHost final : public qel::lang::TestHost {
public:
  bool isInactive() override { return inactive; }
  bool isScale2x() const override { return scale2x; }

  bool inactive = false;
  bool scale2x = false;
};

// An RGB565 screen of its own; records the calls it gets.
class RecordingBackend final : public DisplayBackend {
public:
  RecordingBackend(int width, int height) : screen(qel::raster::PF_RGB565, width, height) {}

  const char16_t* getName() const override { return u"recording"; }
  int32_t width() const override { return screen.width(); }
  int32_t height() const override { return screen.height(); }
  bool open(wce::HWND, const BackendParams&) override { return true; }
  void close() override {}
  bool setUpdateRect(const BackendRect&) override { return true; }
  bool begin() override {
    calls.push_back("begin");
    return beginSucceeds;
  }
  qel::raster::RasterSurface* getSurface() override { return giveSurface ? &screen : nullptr; }
  void present() override { calls.push_back("present"); }

  uint16_t pixel(int x, int y) const {
    return reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(screen.pixels()) + y * screen.stride())[x];
  }

  qel::raster::RasterSurface screen;
  std::vector<std::string> calls;
  bool beginSucceeds = true;
  bool giveSurface = true;
};

// Records what the display tells it.
class RecordingCanvas final : public DGameCanvas {
public:
  void showNotify() override { events.push_back("show"); }
  void hideNotify() override { events.push_back("hide"); }
  void keyPressed(int32_t code) override { events.push_back("press " + std::to_string(code)); }
  void keyReleased(int32_t code) override { events.push_back("release " + std::to_string(code)); }
  void keyRepeated(int32_t code) override { events.push_back("repeat " + std::to_string(code)); }

  std::vector<std::string> events;
};

// An application object with a display over a recording back-end.
class DisplayTest : public ::testing::Test {
protected:
  explicit DisplayTest(int width = 240, int height = 320) : backend(width, height) {}

  void SetUp() override {
    midlet = new TestMidlet();
    display = new DDisplay(&backend);
  }

  void TearDown() override {
    display.release();
    qel::midlet::DMIDlet::releaseCurrent();
    midlet.release();
  }

  FakeHost host;
  RecordingBackend backend;
  qel::midlet::DMIDletPtr midlet;
  DDisplayPtr display;
};

}  // namespace qel::lcdui::testing
