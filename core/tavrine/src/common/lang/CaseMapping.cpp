#include "lang/CaseMapping.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace qel::lang {

namespace {

// The built-in C.UTF-8 locale carries the Unicode case table; it is used
// through its own locale object so that the process locale never matters.
locale_t unicodeLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return locale;
}

bool isSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

char16_t mapUnit(char16_t unit, wint_t (*mapper)(wint_t, locale_t)) {
  locale_t locale = unicodeLocale();
  if (unit < 0x80 || isSurrogate(unit) || !locale) return unit;
  wint_t mapped = mapper(static_cast<wint_t>(unit), locale);
  if (mapped > 0xFFFF || isSurrogate(static_cast<char16_t>(mapped))) return unit;
  return static_cast<char16_t>(mapped);
}

}  // namespace

char16_t toLowerUnit(char16_t unit) {
  if (unit >= u'A' && unit <= u'Z') return static_cast<char16_t>(unit + 32);
  return mapUnit(unit, towlower_l);
}

char16_t toUpperUnit(char16_t unit) {
  if (unit >= u'a' && unit <= u'z') return static_cast<char16_t>(unit - 32);
  return mapUnit(unit, towupper_l);
}

}  // namespace qel::lang
