#include "lang/DShort.h"

#include "lang/DInteger.h"
#include "lang/DString.h"

namespace qel::lang {

DStringPtr DShort::toString() const { return DInteger::toString(value_); }

bool DShort::equals(const DObject* other) const {
  auto* boxed = dynamic_cast<const DShort*>(other);
  return boxed && boxed->value_ == value_;
}

int16_t DShort::parseShort(const DStringPtr& text) { return static_cast<int16_t>(DInteger::parseInt(text, 10)); }

int8_t DShort::parseByte(const DStringPtr& text) { return static_cast<int8_t>(DInteger::parseInt(text, 10)); }

}  // namespace qel::lang
