#include "lang/DExceptionBase.h"

namespace qel::lang {

namespace {

constexpr char16_t kHexDigits[] = u"0123456789abcdef";

std::u16string_view decimalText(int32_t value, char16_t (&buffer)[12]) {
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  int pos = 12;
  do {
    buffer[--pos] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) buffer[--pos] = u'-';
  return std::u16string_view(buffer + pos, 12 - pos);
}

std::u16string_view hexText(uint32_t value, char16_t (&buffer)[12]) {
  int pos = 12;
  do {
    buffer[--pos] = kHexDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  return std::u16string_view(buffer + pos, 12 - pos);
}

}  // namespace

DExceptionBase::DExceptionBase(uint32_t code) : code_(code) {}

void throwException(uint32_t code) { throw DExceptionBase(code); }

void DExceptionBase::append(std::u16string_view text) {
  for (char16_t unit : text) append(unit);
}

void DExceptionBase::append(char16_t unit) {
  if (length_ >= MessageCapacity - 1) return;
  message_[length_++] = unit;
  message_[length_] = 0;
}

void DExceptionBase::formatMessage(const char16_t* format, std::initializer_list<DFormatArg> args) {
  if (!format) return;
  const DFormatArg* next = args.begin();
  const DFormatArg* end = args.end();
  auto take = [&]() -> const DFormatArg* { return next != end ? next++ : nullptr; };
  char16_t buffer[12];
  for (const char16_t* p = format; *p; ++p) {
    if (*p != u'%') {
      append(*p);
      continue;
    }
    char16_t directive = p[1];
    if (directive == 0) break;
    ++p;
    if (directive == u'%') {
      append(u'%');
      continue;
    }
    if (directive != u's' && directive != u'c' && directive != u'd' && directive != u'x') continue;
    const DFormatArg* arg = take();
    if (!arg) continue;
    switch (directive) {
      case u's': append(arg->text()); break;
      case u'c': append(static_cast<char16_t>(arg->number() & 0xFFFF)); break;
      case u'd': append(decimalText(static_cast<int32_t>(arg->number()), buffer)); break;
      case u'x': append(hexText(static_cast<uint32_t>(arg->number()), buffer)); break;
    }
  }
}

}  // namespace qel::lang
