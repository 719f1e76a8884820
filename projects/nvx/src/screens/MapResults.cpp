#include "nvx/src/state/MainCanvas.h"

namespace nvx {

bool DialogResults::mapDialogResult() { return false; }

}  // namespace nvx
