#pragma once

#include "lang/DObject.h"

namespace qel::lcdui {

// Base of everything a display can show.
class DDisplayable : public qel::lang::DObject {};

}  // namespace qel::lcdui
