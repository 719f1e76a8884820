#include "nvx/src/state/MainCanvas.h"
