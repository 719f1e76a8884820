#include "platform/testing/ManualClock.h"
