#pragma once

#include <cstdint>
#include <string_view>

#include "util/DStringManager.ptr.h"

namespace qel::host {

// The start-up options, words split at blanks: "/nofullscreen" puts
// ("nofullscreen", "true"); "/resoultion" puts the rest of the line from the
// next word; "/width" and "/height" take the number of the next word. Each
// option is recognised by prefix; an option's value is always the next word,
// which it consumes, and an option without one takes no value. With a width
// and a height of 1 or more, "resolution" becomes width "x" height.
void applyCommandLine(std::u16string_view commandLine, qel::util::DStringManager& configuration);

// The leading decimal number of text, optionally signed; 0 without digits.
int32_t leadingNumber(std::u16string_view text);

}  // namespace qel::host
