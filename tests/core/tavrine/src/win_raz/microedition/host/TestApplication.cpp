#include "TestApplication.h"

#include "lang/DString.h"
#include "microedition/displayable/DDisplay.h"
#include "microedition/host/ApplicationFactory.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::host {
namespace testing {

namespace {

int made = 0;

}  // namespace

std::vector<std::string>& hostEvents() {
  static std::vector<std::string> events;
  return events;
}

TestScript& testScript() {
  static TestScript script;
  return script;
}

int applicationsMade() { return made; }

qel::midlet::DMIDletPtr makeTestApplication() { return qel::midlet::DMIDletPtr(new TestApplication()); }

uint16_t framePixel(int frame, int x, int y) {
  return static_cast<uint16_t>((x * 37 + y * 1031 + frame * 4099) & 0xFFFF);
}

void TestApplication::startApp() {
  ++made;
  hostEvents().push_back("startApp");
  if (testScript().startFailure) testScript().startFailure();
  canvas_ = new TestCanvas();
  getDisplay()->setCurrent(qel::lcdui::DCanvasPtr(canvas_.get()));
  if (testScript().frameAtStart) drawFrame(0);
}

void TestApplication::step() {
  ++steps_;
  hostEvents().push_back("step");
  if (testScript().onStep) testScript().onStep(steps_);
  drawFrame(steps_);
  if (steps_ >= testScript().stepsToRun) notifyDestroyed();
}

void TestApplication::drawFrame(int frame) {
  qel::raster::RasterSurface* buffer = canvas_->getBackBuffer();
  for (int y = 0; y < buffer->height(); ++y) {
    auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(buffer->pixels()) + y * buffer->stride());
    for (int x = 0; x < buffer->width(); ++x) row[x] = framePixel(frame, x, y);
  }
  canvas_->flushGraphics();
}

void TestApplication::destroyApp(bool unconditional) {
  hostEvents().push_back(unconditional ? "destroyApp true" : "destroyApp false");
  canvas_.release();
}

qel::lang::DStringPtr TestApplication::getAppProperty(qel::lang::DStringPtr key) {
  if (key->view() == u"screen.scale2x" && testScript().scale2xProperty) return testScript().scale2xProperty;
  if (key->view() == u"app.name") return u"Test";
  return nullptr;
}

}  // namespace testing
}  // namespace qel::host
