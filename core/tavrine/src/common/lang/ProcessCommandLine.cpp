#include "lang/ProcessCommandLine.h"

namespace qel::lang {

namespace {

std::u16string& stored() {
  static std::u16string line;
  return line;
}

}  // namespace

void ProcessCommandLine::set(std::u16string_view text) { stored() = std::u16string(text.substr(0, Capacity)); }

const std::u16string& ProcessCommandLine::text() { return stored(); }

}  // namespace qel::lang
