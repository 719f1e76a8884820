#include "guilib/HostCanvas.h"

#include "gamelib/ScreenCanvas.h"
#include "microedition/host/GameEngine.h"
#include "microedition/lcdui/DGraphics.h"

using gamelib::ScreenCanvas;

namespace guilib {

int32_t HostCanvas::screenWidth() { return ScreenCanvas::screenWidth; }
int32_t HostCanvas::screenHeight() { return ScreenCanvas::screenHeight; }
qel::lcdui::DGraphicsPtr HostCanvas::screenGraphics() { return ScreenCanvas::screenGraphics; }

bool HostCanvas::pointerHeld() { return ScreenCanvas::pointerHeld != 0; }
bool HostCanvas::pointerDragged() { return ScreenCanvas::pointerDragged != 0; }
int32_t HostCanvas::pointerX() { return ScreenCanvas::pointerX; }
int32_t HostCanvas::pointerY() { return ScreenCanvas::pointerY; }
int32_t HostCanvas::pointerPrevX() { return ScreenCanvas::pointerPrevX; }
int32_t HostCanvas::pointerPrevY() { return ScreenCanvas::pointerPrevY; }

bool HostCanvas::keyHeld(Key key) {
  switch (key) {
    case Up: return ScreenCanvas::keyUp != 0;
    case Down: return ScreenCanvas::keyDown != 0;
    case Left: return ScreenCanvas::keyLeft != 0;
    case Right: return ScreenCanvas::keyRight != 0;
    case Fire: return ScreenCanvas::keyFire != 0;
    case SoftKey1: return ScreenCanvas::keySoftLeft != 0;
    case SoftKey2: return ScreenCanvas::keySoftRight != 0;
  }
  return false;
}

bool HostCanvas::keyPressedFlag() { return ScreenCanvas::keyPressedFlag != 0; }
void HostCanvas::clearKeyPressedFlag() { ScreenCanvas::keyPressedFlag = 0; }
int32_t HostCanvas::lastKeyCode() { return ScreenCanvas::lastKeyCode; }
void HostCanvas::resetKeys() { ScreenCanvas::resetKeys(); }

void HostCanvas::requestFrame() { qel::host::GameEngine::requestFrame(); }

}  // namespace guilib
