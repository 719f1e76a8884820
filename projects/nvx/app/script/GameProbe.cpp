#include "nvx/app/script/GameProbe.h"

#include "nvx/src/state/GameState.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

std::optional<int32_t> gameValue(const std::string& name) {
  if (name == "state") return GameState::gameState;
  if (name == "splash") return GameState::splashStep;
  if (name == "dialog") return GameState::gameState == StateMachine::stateDialog ? DialogWindow::dialogId : -1;
  if (name == "level") return GameState::levelNumber;
  if (name == "language") return GameState::languageIndex;
  if (name == "transition") return GameState::pendingTransition;
  if (name == "money") return GameState::money;
  if (name == "step") return WorldState::stepIndex;
  if (name == "alarm") return WorldState::alarmRaised;
  return std::nullopt;
}

}  // namespace nvx
