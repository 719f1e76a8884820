#include "nvx/src/state/MainCanvas.h"

namespace nvx {

bool DialogResults::levelDialogResult() { return false; }

}  // namespace nvx
