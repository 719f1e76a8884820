#pragma once

// Locale-independent simple case mapping of single UTF-16 units: ASCII
// always, beyond it the simple Unicode mapping; surrogates stay unchanged.
namespace qel::lang {

char16_t toLowerUnit(char16_t unit);
char16_t toUpperUnit(char16_t unit);

}  // namespace qel::lang
