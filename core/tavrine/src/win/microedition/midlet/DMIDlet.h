#pragma once

#include <cstdint>
#include <string>

#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DPtr.h"
#include "lang/DString.ptr.h"
#include "microedition/midlet/DMIDlet.ptr.h"

namespace qel::lcdui {
class DDisplay;
}

namespace qel::midlet {

// Base of the application object that the host drives: started once, stepped
// once per main-loop pass, paused on deactivation, destroyed at shutdown.
// The newest application object is the current one: a global holder keeps a
// count of it until the host's shutdown releases it.
class DMIDlet : public qel::lang::DObject {
public:
  static constexpr int32_t StateDestroyed = 0;
  static constexpr int32_t StateRunning = 1;

  DMIDlet();
  ~DMIDlet() override;

  virtual void destroyApp(bool unconditional) = 0;
  virtual void pauseApp() = 0;
  virtual void startApp() = 0;
  // One pass of the host's main loop.
  virtual void step() = 0;
  // How long the next step has nothing to do (no frame due), in ms; the
  // host may wait that long for a message. 0 in the base: every pass counts.
  virtual int64_t millisUntilStep() { return 0; }
  // Null in the base.
  virtual qel::lang::DStringPtr getAppProperty(qel::lang::DStringPtr key);

  // Opens a web or mail address, or places a call (see PlatformRequest.h).
  bool platformRequest(qel::lang::DStringPtr url);

  int32_t getState() const { return state_; }
  // State 0: the host's next tick ends the main loop.
  void notifyDestroyed() { state_ = StateDestroyed; }

  // Not counted; null until the display is made.
  qel::lcdui::DDisplay* getDisplay() const { return display_; }
  // Holds a count of display, releasing the previous one. A template so that
  // this layer needs only the display's declaration (Display is DDisplay).
  template <class Display>
  void setDisplay(Display* display) {
    displayCount_.assignRaw(display);
    display_ = display;
  }

  // The current application object, not counted; null when there is none.
  static DMIDlet* current();
  static void releaseCurrent();

private:
  int32_t state_ = StateRunning;
  qel::lcdui::DDisplay* display_ = nullptr;
  qel::lang::DObjectPtr displayCount_;
};

}  // namespace qel::midlet
