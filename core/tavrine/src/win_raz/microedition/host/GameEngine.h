#pragma once

#include <cstdint>

#include "io/DebugLogs.h"
#include "lang/DString.ptr.h"
#include "lang/Host.h"
#include "microedition/displayable/DCanvas.ptr.h"
#include "microedition/host/HostKeys.h"
#include "microedition/midlet/DMIDlet.ptr.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/window/WindowTypes.h"
#include "util/DStringManager.ptr.h"

namespace qel::lcdui {
class DisplayBackend;
}

namespace qel::host {

// The single host object of the process: the window, the chosen display
// back-end, the application object and its display, and the main loop,
// which sleeps between frames until a message comes. Only one exists at a
// time; making a second ends the process. It is the framework's host while
// it exists.
class GameEngine : public qel::lang::Host {
public:
  static constexpr int TextCapacity = 256;

  explicit GameEngine(qel::util::DStringManagerPtr configuration);
  ~GameEngine() override;

  virtual void pause();
  virtual void resume();
  // True unless the engine's window is in front and the application object
  // runs; then whether the engine is paused.
  bool isInactive() override;

  // The window, the back-end, the application object, the main loop and
  // the shutdown; returns early when one of them cannot be had.
  void run(wce::HINSTANCE instance, int32_t width, int32_t height);
  bool createWindow(wce::HINSTANCE instance);
  // The splash bitmap centred in the window's client area.
  void paintSplash(wce::HWND window, wce::HDC dc) const;
  static wce::LRESULT windowProc(wce::HWND window, wce::UINT message, wce::WPARAM wParam, wce::LPARAM lParam);
  // True when the application object still runs after its start.
  bool initApp(wce::HWND window);
  // False ends the main loop.
  bool tick();
  void shutdown();

  void keyPressed(wce::WPARAM virtualKey);
  void keyRepeated(wce::WPARAM virtualKey);
  void keyReleased(wce::WPARAM virtualKey);
  void pointerPressed(int32_t x, int32_t y);
  void pointerReleased(int32_t x, int32_t y);
  void pointerDragged(int32_t x, int32_t y);
  void pointerMoved(int32_t x, int32_t y);

  // Timers run on the window while it exists.
  bool setTimer(int32_t id, uint32_t intervalMs) override;
  void killTimer(int32_t id) override;
  qel::lang::DStringPtr appProperty(const qel::lang::DStringPtr& key) override;
  bool isScale2x() const override { return scale2x_; }
  wce::HWND getWindow() const override { return window_; }
  bool isPaused() const { return paused_; }
  bool isSmartphone() const { return keyRules_.smartphone; }
  bool isHighRes() const { return highRes_; }
  qel::lcdui::DisplayBackend* getBackend() const { return backend_; }
  const qel::midlet::DMIDletPtr& getMidlet() const { return midlet_; }

  // The running engine's application property; 0x05000080 without an
  // engine or application object.
  static qel::lang::DStringPtr getAppProperty(qel::lang::DStringPtr key);
  // Keeps the main loop from sleeping on its next pass.
  static void requestFrame();
  static GameEngine* instance();

private:
  static void setInstance(GameEngine* engine);
  static int32_t displayRotation();
  void readDeviceRules();
  void mainLoop();
  // Between passes: sleeps until a message arrives or the application's
  // next step is due, unless a frame was requested.
  void waitForStep();
  // The current canvas, or null without a display or canvas.
  qel::lcdui::DCanvasPtr currentCanvas() const;
  template <typename Dispatch>
  void deliverKey(wce::WPARAM virtualKey, Dispatch dispatch);
  template <typename Dispatch>
  void deliverPointer(int32_t x, int32_t y, Dispatch dispatch);

  qel::midlet::DMIDletPtr midlet_;
  qel::lcdui::DDisplayPtr display_;
  char16_t title_[TextCapacity] = {};
  int32_t running_ = 1;
  bool paused_ = false;
  bool splashShowing_ = false;
  uint32_t startTick_ = 0;
  KeyRules keyRules_;
  bool highRes_ = false;
  bool scale2x_ = false;
  wce::HINSTANCE instance_ = nullptr;
  wce::HWND window_ = nullptr;
  wce::GdiObject* splashBitmap_ = nullptr;
  char16_t className_[TextCapacity] = {};
  qel::lcdui::DisplayBackend* backend_ = nullptr;
  qel::util::DStringManagerPtr config_;
  bool frameRequested_ = false;
  qel::io::DebugLogs logs_;
};

}  // namespace qel::host
