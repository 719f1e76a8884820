#pragma once
// A small application object for the host's tests: it records what the host
// does to it, runs a script on each step and draws a numbered frame.

#include <functional>
#include <string>
#include <vector>

#include "lang/DString.ptr.h"
#include "microedition/displayable/DGameCanvas.h"
#include "microedition/midlet/DMIDlet.h"

namespace qel::host::testing {

// Everything the host did, in order, across the application and its canvas.
std::vector<std::string>& hostEvents();

class TestCanvas final : public qel::lcdui::DGameCanvas {
public:
  void showNotify() override { hostEvents().push_back("showNotify"); }
  void hideNotify() override { hostEvents().push_back("hideNotify"); }
  void keyPressed(int32_t code) override { hostEvents().push_back("press " + std::to_string(code)); }
  void keyReleased(int32_t code) override { hostEvents().push_back("release " + std::to_string(code)); }
  void keyRepeated(int32_t code) override { hostEvents().push_back("repeat " + std::to_string(code)); }
  void pointerPressed(int32_t x, int32_t y) override { pointer("pen down", x, y); }
  void pointerReleased(int32_t x, int32_t y) override { pointer("pen up", x, y); }
  void pointerDragged(int32_t x, int32_t y) override { pointer("pen drag", x, y); }
  void pointerMoved(int32_t x, int32_t y) override { pointer("pen move", x, y); }

private:
  static void pointer(const char* what, int32_t x, int32_t y) {
    hostEvents().push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
  }
};

// The colour of frame n's pixel (x, y), RGB565.
uint16_t framePixel(int frame, int x, int y);

struct TestScript {
  // Run on step n (1, 2, ...) before the frame is drawn.
  std::function<void(int step)> onStep;
  // Steps after which the application ends itself (state 0).
  int stepsToRun = 3;
  // Thrown by startApp when set.
  std::function<void()> startFailure;
  const char16_t* scale2xProperty = nullptr;
  // What millisUntilStep answers.
  int64_t idleMs = 0;
  // startApp draws frame 0 before it returns (as the logos are drawn).
  bool frameAtStart = false;
};

TestScript& testScript();
int applicationsMade();
// The factory the host tests install for the engine.
qel::midlet::DMIDletPtr makeTestApplication();

class TestApplication final : public qel::midlet::DMIDlet {
public:
  void destroyApp(bool unconditional) override;
  void pauseApp() override { hostEvents().push_back("pauseApp"); }
  void startApp() override;
  void step() override;
  int64_t millisUntilStep() override { return testScript().idleMs; }
  qel::lang::DStringPtr getAppProperty(qel::lang::DStringPtr key) override;

  TestCanvas* canvas() const { return canvas_.get(); }

private:
  void drawFrame(int frame);

  qel::lang::DPtr<TestCanvas> canvas_;
  int steps_ = 0;
};

}  // namespace qel::host::testing
