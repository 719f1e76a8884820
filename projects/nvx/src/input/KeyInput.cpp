#include "nvx/src/input/KeyInput.h"

#include "lang/DExceptionBase.h"
#include "microedition/displayable/DCanvas.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"

namespace nvx {

namespace {

int32_t gameActionOf(int32_t code) {
  try {
    return qel::lcdui::DCanvas::getGameAction(code);
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::Exception);
    return 0;
  }
}

int32_t digitAction(int32_t code) {
  switch (code) {
    case 10004: return 0;
    case 10003: return 1;
    case '0': return 11;
    case '1': return 6;
    case '2': return KeyInput::actionUp;
    case '3': return 7;
    case '4': return KeyInput::actionLeft;
    case '5': return KeyInput::actionSelect;
    case '6': return KeyInput::actionRight;
    case '7': return 8;
    case '8': return KeyInput::actionDown;
    case '9': return 9;
    default: return KeyInput::noAction;
  }
}

}  // namespace

int32_t KeyInput::keyAction(int32_t code) {
  if (code == softKeyLeft || code == softKeyRight) return code;
  const int32_t gameAction = gameActionOf(code);
  if (int32_t action = digitAction(code); action != noAction) return action;
  using qel::lcdui::DCanvas;
  if (gameAction == DCanvas::UP || code == -2) return actionUp;
  if (gameAction == DCanvas::LEFT) return actionLeft;
  if (gameAction == DCanvas::FIRE) return actionSelect;
  if (gameAction == DCanvas::RIGHT) return actionRight;
  if (gameAction == DCanvas::DOWN || code == -3) return actionDown;
  return noAction;
}

int32_t KeyInput::keyActionOfHeld(int32_t code) {
  GameState::heldKey = noAction;
  return keyAction(code);
}

void KeyInput::setHotZone(int32_t index, int32_t x, int32_t y, int32_t w, int32_t h) {
  qel::lang::DintArray& zone = *GameTables::hotZones->at(index);
  zone.at(0) = x;
  zone.at(1) = x + w;
  zone.at(2) = y;
  zone.at(3) = y + h;
}

void KeyInput::clearHotZones() {
  const int32_t n = GameTables::keyCodeList->length();
  for (int32_t i = 0; i < n; ++i) {
    qel::lang::DintArray& zone = *GameTables::hotZones->at(i);
    for (int32_t k = 0; k < 4; ++k) zone.at(k) = 0;
  }
}

int32_t KeyInput::hotZoneAt(int32_t x, int32_t y) {
  for (int32_t i = 0; i < keyZoneCount; ++i) {
    const qel::lang::DintArray& zone = *GameTables::hotZones->at(i);
    if (zone.at(0) < x && x < zone.at(1) && zone.at(2) < y && y < zone.at(3)) return i;
  }
  return -1;
}

int8_t KeyInput::itemIndex(int32_t letter) { return static_cast<int8_t>(letter - 'h'); }

}  // namespace nvx
