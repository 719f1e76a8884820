#include "lang/DExceptionBase.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "nvx/src/play/Commands.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogResults.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

namespace {

// The index an options window answers with; -1 when the text is no number.
int32_t chosenIndex(const qel::lang::DObjectPtr& result) {
  const auto* text = dynamic_cast<const qel::lang::DString*>(result.get());
  if (!text) return -1;
  try {
    return qel::lang::DShort::parseByte(const_cast<qel::lang::DString*>(text));
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::NumberFormat);
    return -1;
  }
}

bool isFirstButton(const qel::lang::DObjectPtr& result) {
  const auto* text = dynamic_cast<const qel::lang::DString*>(result.get());
  return text && text->equals(u"126");
}

}  // namespace

bool DialogResults::levelDialogResult() {
  WorldState::sceneDirty = 1;
  const qel::lang::DObjectPtr result = DialogWindow::result;
  if (!result) return false;
  const int32_t answered = DialogWindow::dialogId;
  switch (answered) {
    case 2:
      if (const auto* id = dynamic_cast<const qel::lang::DShort*>(result.get()))
        LevelCommands::runPersonCommand(id->shortValue());
      break;
    case 8:
      if (const int32_t n = chosenIndex(result); n >= 0) LevelCommands::useChosenEntry(n);
      break;
    case 17:
      if (isFirstButton(result)) LevelCommands::leaveWithCrew();
      break;
    case 32: LevelCommands::endGame(); break;
    case 35: LevelCommands::retryFailedLevel(); break;
    case 36:
    case 39: LevelCommands::failLevel(); break;
    default: return false;
  }
  // True when the handling opened a further window.
  return GameState::gameState == StateMachine::stateDialog && DialogWindow::dialogId != answered;
}

}  // namespace nvx
