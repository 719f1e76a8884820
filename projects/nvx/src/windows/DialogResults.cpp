#include "nvx/src/windows/DialogResults.h"

#include "nvx/src/state/MainCanvas.h"

namespace nvx {

void DialogResults::dispatchDialogResult() {
}

}  // namespace nvx
