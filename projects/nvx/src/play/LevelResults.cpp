#include "lang/DExceptionBase.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "nvx/src/state/MainCanvas.h"

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
  MainCanvas::sceneDirty = 1;
  const qel::lang::DObjectPtr result = MainCanvas::result;
  if (!result) return false;
  const int32_t answered = MainCanvas::dialogId;
  switch (answered) {
    case 2:
      if (const auto* id = dynamic_cast<const qel::lang::DShort*>(result.get()))
        MainCanvas::runPersonCommand(id->shortValue());
      break;
    case 8:
      if (const int32_t n = chosenIndex(result); n >= 0) MainCanvas::useChosenEntry(n);
      break;
    case 17:
      if (isFirstButton(result)) MainCanvas::leaveWithCrew();
      break;
    case 32: MainCanvas::endGame(); break;
    case 35: MainCanvas::retryFailedLevel(); break;
    case 36:
    case 39: MainCanvas::failLevel(); break;
    default: return false;
  }
  // True when the handling opened a further window.
  return MainCanvas::gameState == MainCanvas::stateDialog && MainCanvas::dialogId != answered;
}

}  // namespace nvx
