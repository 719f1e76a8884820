#include "DisplayFixture.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DGraphics.h"

namespace qel::lcdui::testing {
namespace {

using CanvasPtr = qel::lang::DPtr<RecordingCanvas>;

uint16_t patternPixel(int x, int y) { return static_cast<uint16_t>(x * 31 + y * 2048 + 7); }

void fillPattern(const DCanvas& canvas) {
  qel::raster::RasterSurface* buffer = canvas.getBackBuffer();
  for (int y = 0; y < buffer->height(); ++y) {
    auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(buffer->pixels()) + y * buffer->stride());
    for (int x = 0; x < buffer->width(); ++x) row[x] = patternPixel(x, y);
  }
}

TEST_F(DisplayTest, DisplayTakesTheBackendSizeAndAttachesToTheApplication) {
  EXPECT_EQ(display->getWidth(), 240);
  EXPECT_EQ(display->getHeight(), 320);
  EXPECT_EQ(midlet->getDisplay(), display.get());
  EXPECT_EQ(DDisplay::getDisplay(midlet).get(), display.get());
  EXPECT_EQ(DDisplay::instance(), display.get());
  EXPECT_EQ(display->getClassName(), "DObject");
  EXPECT_EQ(CanvasPtr(new RecordingCanvas())->getClassName(), "DObject");
}

TEST_F(DisplayTest, SetCurrentHidesTheOldAndShowsTheNew) {
  CanvasPtr first = new RecordingCanvas();
  CanvasPtr second = new RecordingCanvas();
  display->setCurrent(first);
  EXPECT_TRUE(first->isShown());
  display->setCurrent(second);
  EXPECT_FALSE(first->isShown());
  EXPECT_TRUE(second->isShown());
  display->setCurrent(second);
  EXPECT_EQ(first->events, (std::vector<std::string>{"show", "hide"}));
  EXPECT_EQ(second->events, (std::vector<std::string>{"show", "hide", "show"}));
  EXPECT_TRUE(second->isShown());
}

TEST_F(DisplayTest, WithoutACurrentCanvasFlushDoesNotBegin) {
  CanvasPtr canvas = new RecordingCanvas();
  display->setCurrent(canvas);
  display->setCurrent(nullptr);
  EXPECT_FALSE(canvas->isShown());
  EXPECT_EQ(display->getCurrent(), nullptr);
  DDisplay::flush();
  EXPECT_TRUE(backend.calls.empty());
}

TEST_F(DisplayTest, FlushCopiesTheBackBuffer) {
  CanvasPtr canvas = new RecordingCanvas();
  EXPECT_EQ(canvas->getWidth(), 240);
  EXPECT_EQ(canvas->getHeight(), 320);
  fillPattern(*canvas);
  display->setCurrent(canvas);
  canvas->flushGraphics();
  EXPECT_EQ(backend.calls, (std::vector<std::string>{"begin", "present"}));
  for (int y = 0; y < 320; y += 5)
    for (int x = 0; x < 240; x += 3) ASSERT_EQ(backend.pixel(x, y), patternPixel(x, y));
}

TEST_F(DisplayTest, NothingIsDrawnWhileTheHostIsInactiveOrTheCanvasHidden) {
  CanvasPtr canvas = new RecordingCanvas();
  canvas->flushGraphics();
  display->setCurrent(canvas);
  host.inactive = true;
  canvas->flushGraphics();
  EXPECT_TRUE(backend.calls.empty());
}

TEST_F(DisplayTest, AFrameWithoutSurfaceIsSkipped) {
  CanvasPtr canvas = new RecordingCanvas();
  display->setCurrent(canvas);
  host.scale2x = true;
  backend.beginSucceeds = false;
  DDisplay::flush();
  EXPECT_EQ(backend.calls, (std::vector<std::string>{"begin"}));
  backend.beginSucceeds = true;
  backend.giveSurface = false;
  DDisplay::flush();
  EXPECT_EQ(backend.calls.back(), "present");
}

TEST_F(DisplayTest, SetBufferSizeKeepsTheBufferOfTheSameSize) {
  CanvasPtr canvas = new RecordingCanvas();
  fillPattern(*canvas);
  qel::raster::RasterSurface* before = canvas->getBackBuffer();
  canvas->setBufferSize(240, 320);
  EXPECT_EQ(canvas->getBackBuffer(), before);
  canvas->setBufferSize(100, 50);
  EXPECT_EQ(canvas->getBackBuffer()->width(), 100);
  EXPECT_EQ(canvas->getBackBuffer()->height(), 50);
}

TEST_F(DisplayTest, GraphicsDrawIntoTheBackBufferAndKeepTheCanvas) {
  CanvasPtr canvas = new RecordingCanvas();
  DGraphicsPtr graphics = canvas->getGraphics();
  qel::raster::RasterSurface* buffer = canvas->getBackBuffer();
  canvas.release();
  graphics->setColor(0xFF0000u);
  graphics->fillRect(1, 1, 2, 2);
  EXPECT_EQ(reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(buffer->pixels()) + buffer->stride())[1], 0xF800);
}

TEST(DisplayWithoutApplicationTest, DisplayAndCanvasNeedACurrentApplication) {
  RecordingBackend backend(10, 10);
  try {
    DDisplay display(&backend);
    FAIL();
  } catch (qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code(), 0x05000080u);
  }
  EXPECT_THROW(RecordingCanvas(), qel::lang::DExceptionBase);
}

class DoublingTest : public DisplayTest {
protected:
  DoublingTest() : DisplayTest(480, 640) {}
};

TEST_F(DoublingTest, HalfSizeCanvasFillsTheWholeScreenDoubled) {
  host.scale2x = true;
  CanvasPtr canvas = new RecordingCanvas();
  EXPECT_EQ(canvas->getWidth(), 240);
  EXPECT_EQ(canvas->getHeight(), 320);
  fillPattern(*canvas);
  display->setCurrent(canvas);
  canvas->flushGraphics();
  for (int y = 0; y < 640; ++y)
    for (int x = 0; x < 480; ++x) ASSERT_EQ(backend.pixel(x, y), patternPixel(x / 2, y / 2)) << x << "," << y;
}

TEST_F(DoublingTest, DoublingStaysInsideTheScreenAndDoublesAnOddLastColumn) {
  host.scale2x = true;
  CanvasPtr canvas = new RecordingCanvas();
  display->setCurrent(canvas);
  canvas->setBufferSize(7, 5);
  fillPattern(*canvas);
  DDisplay::flush();
  EXPECT_EQ(backend.pixel(12, 9), patternPixel(6, 4));
  EXPECT_EQ(backend.pixel(13, 9), patternPixel(6, 4));
  EXPECT_EQ(backend.pixel(14, 9), 0);
  EXPECT_EQ(backend.pixel(13, 10), 0);
  canvas->setBufferSize(600, 700);
  fillPattern(*canvas);
  DDisplay::flush();
  EXPECT_EQ(backend.pixel(479, 639), patternPixel(239, 319));
}

}  // namespace
}  // namespace qel::lcdui::testing
