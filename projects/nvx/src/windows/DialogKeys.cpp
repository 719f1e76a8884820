#include <algorithm>
#include <array>
#include <string>

#include "gamelib/ScreenCanvas.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogResults.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lang::DObjectArray;
using qel::lang::DShort;
using qel::lang::DString;

namespace {

constexpr int32_t actionAccept = 0;
constexpr int32_t actionBack = 1;
constexpr int32_t actionPageUp = 7;
constexpr int32_t actionPageDown = 9;
constexpr int32_t menuMusic = 14;
constexpr int32_t effectsItem = 1;
constexpr int32_t musicItem = 2;
// Levels the hidden code reaches: jobs 1 to 20, levels 7 to 26.
constexpr int32_t firstJobLevel = 6;
constexpr int32_t lastCodeJob = 20;

// The hidden code's actions; at its end a tens digit '0' to '2', then a
// units digit, picks the job.
constexpr std::array<int32_t, 8> hiddenCode = {KeyInput::actionUp,
                                               KeyInput::actionUp,
                                               KeyInput::actionDown,
                                               KeyInput::actionDown,
                                               KeyInput::actionLeft,
                                               KeyInput::actionRight,
                                               KeyInput::actionLeft,
                                               KeyInput::actionRight};
constexpr int32_t codeEnd = static_cast<int32_t>(hiddenCode.size());

bool isBack(int32_t action) { return action == actionBack || action == KeyInput::softKeyRight; }
bool isAccept(int32_t action) {
  return action == actionAccept || action == KeyInput::actionSelect || action == KeyInput::softKeyLeft;
}
int32_t softKeyCount() { return DialogWindow::softKeys ? DialogWindow::softKeys->length() : 0; }

void endWindow(const qel::lang::DObjectPtr& result) {
  DialogWindow::result = result;
  DialogResults::dispatchDialogResult();
}

qel::lang::DObjectPtr decimal(int32_t n) { return DString::valueOf(n); }

enum class CodeOutcome { keys, scrollOnly, consumed };

CodeOutcome hiddenCodeKey(int32_t action) {
  int32_t& position = DialogWindow::codePosition;
  const int32_t key = GameState::pendingKey;
  if (position < codeEnd) {
    position = action == hiddenCode[position] ? position + 1 : 0;
    return CodeOutcome::keys;
  }
  if (position == codeEnd) {
    if (key >= '0' && key <= '2') {
      DialogWindow::codeTens = key - '0';
      position = codeEnd + 1;
      return CodeOutcome::keys;
    }
    position = 0;
    switch (action) {
      case KeyInput::actionDown: GameState::money = 1000000; return CodeOutcome::scrollOnly;
      case actionPageDown:
        DialogWindow::bodyText = LanguageTexts::stringToGlyphs(new DString(u";)"));
        return CodeOutcome::scrollOnly;
      case KeyInput::actionLeft: GameState::difficulty = 0; return CodeOutcome::scrollOnly;
      case KeyInput::actionRight: GameState::difficulty = 1; return CodeOutcome::keys;
      default: return CodeOutcome::keys;
    }
  }
  position = 0;
  const int32_t job = 10 * DialogWindow::codeTens + (key - '0');
  if (job >= 1 && job <= lastCodeJob) LevelStart::startLevel(job + firstJobLevel);
  return CodeOutcome::consumed;
}

void scrollText(int32_t action) {
  if (!DialogWindow::scrolls) return;
  int32_t& first = DialogWindow::selection;
  switch (action) {
    case KeyInput::actionUp: --first; break;
    case KeyInput::actionDown: ++first; break;
    case actionPageUp: first -= DialogWindow::visibleLines; break;
    case actionPageDown: first += DialogWindow::visibleLines; break;
    default: return;
  }
  first = std::clamp(first, 0, std::max(0, DialogWindow::lineCount - DialogWindow::visibleLines));
}

qel::lang::DObjectPtr& valueSlot(int32_t item) {
  auto params = qel::lang::dynamicPtrCast<DObjectArray>(DialogWindow::itemParams->at(item));
  if (!params) qel::lang::throwException(qel::lang::ExceptionCode::NullPointer);
  return params->at(0);
}

void toggleSelected() {
  const int32_t item = DialogWindow::selection;
  const uint8_t on = DialogWindow::itemToggles->at(item) ? 0 : 1;
  DialogWindow::itemToggles->at(item) = static_cast<int8_t>(on);
  if (DialogWindow::itemIds->at(item) != DialogWindow::soundSwitchItem) return;
  if (GameState::sounds) {
    GameState::sounds->setEnabled(on != 0);
    if (on)
      GameState::sounds->play(menuMusic, true, 0);
    else
      GameState::sounds->stop(-1, false);
  }
  gamelib::ScreenCanvas::resetKeys();
}

qel::lang::DObjectPtr toggleText() {
  std::u16string text;
  for (int32_t i = 0; i < DialogWindow::itemToggles->length(); ++i)
    text += DialogWindow::itemToggles->at(i) ? u"true;" : u"false;";
  return new DString(std::move(text));
}

void moveSelection(int32_t action) {
  int32_t& selection = DialogWindow::selection;
  const int32_t last = DialogWindow::itemIds->length() - 1;
  const bool plain = DialogWindow::plainList != 0;
  switch (action) {
    case KeyInput::actionDown:
      selection = plain && DialogWindow::scrolls && selection < DialogWindow::pageItems ? DialogWindow::pageItems
                                                                                        : selection + 1;
      if (selection > last) selection = plain ? last : 0;
      break;
    case KeyInput::actionUp:
      if (--selection < 0) selection = plain ? 0 : last;
      break;
    case actionPageUp:
      selection -= DialogWindow::pageItems;
      if (selection < 0) selection = last;
      break;
    case actionPageDown:
      selection += DialogWindow::pageItems;
      if (selection > last) selection = 0;
      break;
    default: break;
  }
}

}  // namespace

bool DialogWindow::soundSwitchOn() { return itemToggles && itemToggles->length() > 0 && itemToggles->at(0) != 0; }

int32_t DialogWindow::itemValue(int32_t item) {
  auto value = qel::lang::dynamicPtrCast<DShort>(valueSlot(item));
  return value ? value->shortValue() : 0;
}

void DialogWindow::setItemValue(int32_t item, int32_t value) {
  value = std::clamp(value, 0, valueSteps);
  valueSlot(item) = new DShort(static_cast<int16_t>(value));
  const int32_t volume = value * valueSteps;
  if (!GameState::sounds) return;
  if (item == effectsItem) GameState::sounds->setSfxVolume(volume);
  if (item == musicItem) GameState::sounds->setMusicVolume(volume);
}

void DialogWindow::dialogStep() {
  if (GameState::pendingKey == GameState::noKey) return;
  const int32_t action = KeyInput::keyAction(GameState::pendingKey);
  dialogDirty_ = 1;
  if (dialogKind == kindText)
    textDialogKey(action);
  else
    listDialogKey(action);
  GameState::pendingKey = GameState::noKey;
}

void DialogWindow::textDialogKey(int32_t action) {
  const CodeOutcome outcome = hiddenCodeKey(action);
  if (outcome == CodeOutcome::consumed) return;
  if (outcome == CodeOutcome::keys) {
    if (isBack(action) && softKeyCount() >= 2) {
      endWindow(decimal(softKeys->at(1)));
      return;
    }
    if (isAccept(action)) {
      endWindow(decimal(softKeys->at(0)));
      return;
    }
  }
  scrollText(action);
}

void DialogWindow::listDialogKey(int32_t action) {
  if (dialogKind == kindOptions) {
    if (action == KeyInput::actionSelect && hasToggles) {
      toggleSelected();
      return;
    }
    if (isAccept(action) && !hasToggles) {
      endWindow(decimal(selection));
      return;
    }
    if (isAccept(action)) {
      endWindow(toggleText());
      return;
    }
    if (isBack(action) && softKeyCount() >= 2) {
      endWindow(nullptr);
      return;
    }
  }
  if (isBack(action)) {
    if (softKeyCount() > 1) endWindow(nullptr);
    return;
  }
  if (isAccept(action)) {
    endWindow(new DShort(itemIds->at(selection)));
    return;
  }
  if ((action == KeyInput::actionLeft || action == KeyInput::actionRight) && itemIds->at(selection) < 0) {
    if (soundSwitchOn()) setItemValue(selection, itemValue(selection) + (action == KeyInput::actionLeft ? -1 : 1));
    return;
  }
  moveSelection(action);
}

}  // namespace nvx
