#pragma once

#include "lang/DPtr.h"

namespace qel::lcdui {

class DVideoStream;
using DVideoStreamPtr = qel::lang::DPtr<DVideoStream>;

}  // namespace qel::lcdui
