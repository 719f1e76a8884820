#pragma once

#include <locale.h>

namespace qel::io {

// Switches the calling thread's character type to UTF-8 for its lifetime,
// whatever locale the process runs in, so that libarchive converts names
// between UTF-16 and UTF-8 without loss. The process locale is untouched.
class Utf8ThreadLocale {
public:
  Utf8ThreadLocale();
  ~Utf8ThreadLocale();
  Utf8ThreadLocale(const Utf8ThreadLocale&) = delete;
  Utf8ThreadLocale& operator=(const Utf8ThreadLocale&) = delete;

private:
  locale_t previous_;
};

}  // namespace qel::io
