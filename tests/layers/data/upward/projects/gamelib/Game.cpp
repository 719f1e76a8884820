#include "guilib/Widget.h"
