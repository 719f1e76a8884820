#include "lang/DInteger.h"

#include <limits>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace qel::lang {

namespace {

constexpr char16_t kDigits[] = u"0123456789abcdefghijklmnopqrstuvwxyz";

}  // namespace

DStringPtr DInteger::toString() const { return toString(value_); }

bool DInteger::equals(const DObject* other) const {
  auto* integer = dynamic_cast<const DInteger*>(other);
  return integer && integer->value_ == value_;
}

DStringPtr DInteger::toString(int32_t n) {
  char16_t buffer[12];
  int pos = 12;
  uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  do {
    buffer[--pos] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (n < 0) buffer[--pos] = u'-';
  return new DString(buffer + pos, 12 - pos);
}

DStringPtr DInteger::toHexString(int32_t n) {
  char16_t buffer[8];
  int pos = 8;
  uint32_t value = static_cast<uint32_t>(n);
  do {
    buffer[--pos] = kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  return new DString(buffer + pos, 8 - pos);
}

int DInteger::digit(char16_t unit, int radix) {
  int value;
  if (unit >= u'0' && unit <= u'9') {
    value = unit - u'0';
  } else if (unit >= u'a' && unit <= u'z') {
    value = unit - u'a' + 10;
  } else if (unit >= u'A' && unit <= u'Z') {
    value = unit - u'A' + 10;
  } else {
    return -1;
  }
  return value < radix ? value : -1;
}

int32_t DInteger::parseInt(const DStringPtr& text, int radix) {
  if (!text || radix < 2 || radix > 36 || text->length() == 0) throwException(ExceptionCode::NumberFormat);
  std::u16string_view units = text->view();
  bool negative = units[0] == u'-';
  int32_t limit = negative ? std::numeric_limits<int32_t>::min() : -std::numeric_limits<int32_t>::max();
  size_t i = negative ? 1 : 0;
  if (i == units.size()) throwException(ExceptionCode::NumberFormat);
  int32_t result = 0;
  int32_t minimum = limit / radix;
  for (bool first = true; i < units.size(); ++i, first = false) {
    int d = digit(units[i], radix);
    if (d < 0) throwException(ExceptionCode::NumberFormat);
    if (first) {
      result = -d;
      continue;
    }
    if (result < minimum) throwException(ExceptionCode::NumberFormat);
    result *= radix;
    if (result < limit + d) throwException(ExceptionCode::NumberFormat);
    result -= d;
  }
  return negative ? result : -result;
}

int32_t DInteger::parseInt(const DStringPtr& text) {
  if (!text) throwException(ExceptionCode::NumberFormat);
  if (text->length() >= 3 && text->charAt(0) == u'0' && text->charAt(1) == u'x')
    return parseInt(text->substring(2), 16);
  return parseInt(text, 10);
}

DIntegerPtr DInteger::valueOf(const DStringPtr& text) { return new DInteger(text ? parseInt(text) : 0); }

}  // namespace qel::lang
