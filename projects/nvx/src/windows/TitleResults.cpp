#include "nvx/src/state/MainCanvas.h"

namespace nvx {

bool DialogResults::titleDialogResult() { return false; }

}  // namespace nvx
