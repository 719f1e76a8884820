#pragma once

#include <string>

#include "lang/DObject.h"

namespace qel::lcdui {

// Base of everything a display can show.
class DDisplayable : public qel::lang::DObject {
public:
  std::string getClassName() const override { return "DDisplayable"; }
};

}  // namespace qel::lcdui
