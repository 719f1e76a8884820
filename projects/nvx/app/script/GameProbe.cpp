#include "nvx/app/script/GameProbe.h"

#include "nvx/src/state/MainCanvas.h"

namespace nvx {

std::optional<int32_t> gameValue(const std::string& name) {
  if (name == "state") return MainCanvas::gameState;
  if (name == "splash") return MainCanvas::splashStep;
  if (name == "dialog") return MainCanvas::gameState == MainCanvas::stateDialog ? MainCanvas::dialogId : -1;
  if (name == "level") return MainCanvas::levelNumber;
  if (name == "language") return MainCanvas::languageIndex;
  if (name == "transition") return MainCanvas::pendingTransition;
  if (name == "money") return MainCanvas::money;
  if (name == "step") return MainCanvas::stepIndex;
  if (name == "alarm") return MainCanvas::alarmRaised;
  return std::nullopt;
}

}  // namespace nvx
