#include "platform/sdl/video/Video.h"
