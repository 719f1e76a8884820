#include "io/FileStream.h"
#include "io/Archive.h"
