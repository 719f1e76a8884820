#include "microedition/displayable/DCanvas.h"

#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DintArray.h"
#include "lang/Host.h"
#include "microedition/displayable/DDisplay.h"
#include "microedition/displayable/KeyRemap.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/midlet/DMIDlet.h"
#include "microedition/midlet/PlatformLibraries.h"
#include "microedition/raster/RasterSurface.h"
#include "platform/system/SystemInfo.h"
#include "util/DHashtable.h"

namespace qel::lcdui {

using qel::lang::DInteger;
using qel::lang::DObjectPtr;

namespace {

struct DefaultKey {
  int32_t code;
  int32_t action;
};

// Action indices: 0 up, 1 down, 2 left, 3 right, 4 fire, 5..8 the keys '1',
// '3', '7', '9', 9 and 10 the soft keys, 11 and 12 the application keys
// 10004 and 10003, 13..15 the codes -4, -2, -3.
constexpr DefaultKey defaultKeyMap[] = {
    {'1', 5}, {'2', 0},    {'3', 6},    {'4', 2},   {'5', 4},    {'6', 3},   {'8', 1}, {'7', 7},
    {'9', 8}, {10003, 12}, {10004, 11}, {10000, 9}, {10001, 10}, {10002, 4}, {37, 2},  {39, 3},
    {38, 0},  {40, 1},     {-4, 13},    {13, 4},    {10, 4},     {-2, 14},   {-3, 15},
};

constexpr wce::DWORD ImeModeNumbers = 7;
constexpr wce::DWORD ImeModeSpell = 1;

void putKey(qel::util::DHashtable& map, int32_t code, int32_t action) {
  map.put(DObjectPtr(new DInteger(code)), DObjectPtr(new DInteger(action)));
}

}  // namespace

DCanvas::DCanvas() {
  qel::midlet::DMIDlet* application = qel::midlet::DMIDlet::current();
  if (!application || !application->getDisplay()) qel::lang::throwNullPointer();
  DDisplay* display = application->getDisplay();
  int32_t width = display->getWidth();
  int32_t height = display->getHeight();
  qel::lang::Host* host = qel::lang::Host::current();
  if (host && host->isScale2x()) {
    width >>= 1;
    height >>= 1;
  }
  setKeyMap(0);
  setBufferSize(width, height);
}

DCanvas::~DCanvas() = default;

void DCanvas::sizeChanged(int32_t, int32_t) {}
void DCanvas::showNotify() {}
void DCanvas::pointerPressed(int32_t, int32_t) {}
void DCanvas::pointerReleased(int32_t, int32_t) {}
void DCanvas::hideNotify() {}
void DCanvas::keyPressed(int32_t) {}
void DCanvas::keyReleased(int32_t) {}
void DCanvas::keyRepeated(int32_t) {}
void DCanvas::paint(DGraphicsPtr) {}
void DCanvas::pointerDragged(int32_t, int32_t) {}
void DCanvas::pointerMoved(int32_t, int32_t) {}

void DCanvas::dispatchKeyPressed(int32_t code) { keyPressed(KeyRemap::remap(inputMode_, code)); }
void DCanvas::dispatchKeyReleased(int32_t code) { keyReleased(KeyRemap::remap(inputMode_, code)); }
void DCanvas::dispatchKeyRepeated(int32_t code) { keyRepeated(KeyRemap::remap(inputMode_, code)); }

int32_t DCanvas::getGameAction(int32_t code) {
  switch (code) {
    case 38:
    case '2': return UP;
    case 37:
    case '4': return LEFT;
    case 39:
    case '6': return RIGHT;
    case 40:
    case '8': return DOWN;
    case '5':
    case 10002: return FIRE;
    case '1': return GAME_A;
    case '3': return GAME_B;
    case '7': return GAME_C;
    case '9': return GAME_D;
    default: return -1;
  }
}

void DCanvas::setKeyMap(int32_t mapId) {
  keyMap_ = new qel::util::DHashtable(11, 75);
  qel::lang::DObjectArray* overrides = nullptr;
  if (keyMapSet_) overrides = dynamic_cast<qel::lang::DObjectArray*>(keyMapSet_->get(mapId));
  for (const DefaultKey& key : defaultKeyMap) {
    if (!overrides || key.action >= overrides->length() || !overrides->at(key.action)) {
      putKey(*keyMap_, key.code, key.action);
    }
  }
  if (overrides) {
    for (int32_t action = 0; action < overrides->length(); ++action) {
      auto* keys = dynamic_cast<qel::lang::DintArray*>(overrides->at(action).get());
      if (!keys) continue;
      for (int32_t i = 0; i < keys->length(); ++i) putKey(*keyMap_, keys->at(i), action);
    }
  }
  mapId_ = mapId;
}

int32_t DCanvas::getMappedKey(int32_t code) const {
  if (!keyMap_) return -1;
  auto* action = dynamic_cast<DInteger*>(keyMap_->get(code));
  return action ? action->intValue() : -1;
}

void DCanvas::setKeyMapSet(qel::util::DHashtablePtr keyMapSet) { keyMapSet_ = std::move(keyMapSet); }

void DCanvas::setInputMode(int32_t mode) {
  inputMode_ = mode;
  if (shown_) applyInputMethod();
}

void DCanvas::notifyShown() {
  applyInputMethod();
  showNotify();
}

void DCanvas::applyInputMethod() {
  wce::OsVersionInfo version;
  if (!wce::GetVersionExW(&version) || version.major < 6) return;
  wce::SHSetImeModeFunction setImeMode = qel::midlet::PlatformLibraries::shSetImeMode();
  if (!setImeMode) return;
  qel::lang::Host* host = qel::lang::Host::current();
  wce::HWND window = host ? host->getWindow() : nullptr;
  if (inputMode_ == InputDefault || inputMode_ == InputNumeric) {
    setImeMode(window, ImeModeNumbers);
  } else if (inputMode_ == InputText) {
    setImeMode(window, ImeModeSpell);
  }
}

void DCanvas::setBufferSize(int32_t width, int32_t height) {
  if (backBuffer_ && width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  backBuffer_ = std::make_unique<qel::raster::RasterSurface>(qel::raster::PF_RGB565, width, height);
}

}  // namespace qel::lcdui
