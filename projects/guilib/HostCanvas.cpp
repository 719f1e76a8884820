#include "guilib/HostCanvas.h"

#include "gamelib/ScreenCanvas.h"
#include "microedition/host/GameEngine.h"
#include "microedition/lcdui/DGraphics.h"

using gamelib::ScreenCanvas;

namespace guilib {

int32_t HostCanvas::screenWidth() { return ScreenCanvas::canvasWidth; }
int32_t HostCanvas::screenHeight() { return ScreenCanvas::canvasHeight; }
qel::lcdui::DGraphicsPtr HostCanvas::screenGraphics() { return ScreenCanvas::backGraphics; }

bool HostCanvas::pointerHeld() { return ScreenCanvas::pointerDown != 0; }
bool HostCanvas::pointerDragged() { return ScreenCanvas::pointerIsDragged != 0; }
int32_t HostCanvas::pointerX() { return ScreenCanvas::pointerX; }
int32_t HostCanvas::pointerY() { return ScreenCanvas::pointerY; }
int32_t HostCanvas::pointerPrevX() { return ScreenCanvas::pointerPrevX; }
int32_t HostCanvas::pointerPrevY() { return ScreenCanvas::pointerPrevY; }

bool HostCanvas::keyHeld(Key key) {
  static constexpr int32_t actions[] = {ScreenCanvas::Up,   ScreenCanvas::Down,     ScreenCanvas::Left,
                                        ScreenCanvas::Right, ScreenCanvas::Fire,    ScreenCanvas::SoftLeft,
                                        ScreenCanvas::SoftRight};
  return ScreenCanvas::keyHeld(actions[key]);
}

bool HostCanvas::keyPressedFlag() { return ScreenCanvas::keyAny != 0; }
void HostCanvas::clearKeyPressedFlag() { ScreenCanvas::keyAny = 0; }
int32_t HostCanvas::lastKeyCode() { return ScreenCanvas::lastKeyCode; }
void HostCanvas::resetKeys() { ScreenCanvas::resetKeys(); }

void HostCanvas::requestFrame() { qel::host::GameEngine::requestFrame(); }

}  // namespace guilib
