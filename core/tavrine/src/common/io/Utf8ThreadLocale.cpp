#include "io/Utf8ThreadLocale.h"

namespace qel::io {

namespace {

// Made once and never changed; null where the C library has no UTF-8 locale.
locale_t utf8Locale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return locale;
}

}  // namespace

Utf8ThreadLocale::Utf8ThreadLocale() : previous_(utf8Locale() ? uselocale(utf8Locale()) : static_cast<locale_t>(0)) {}

Utf8ThreadLocale::~Utf8ThreadLocale() {
  if (previous_) uselocale(previous_);
}

}  // namespace qel::io
