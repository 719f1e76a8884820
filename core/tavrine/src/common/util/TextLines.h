#pragma once

#include <optional>
#include <string_view>

#include "io/DDataInputStream.ptr.h"
#include "lang/DString.ptr.h"

namespace qel::util {

// The two ways key/value text is stored: 8-bit lines (Latin-1, ending at LF,
// CR or CR LF) or one readUTF record per line.
enum class LineFormat { Bytes, Records };

// Reads the lines of one stream of key/value text.
class TextLineReader {
public:
  // What a read error does.
  enum class Errors {
    // In byte lines any error ends the text like its end; records pass
    // every error out, the end (0x06000002) included.
    EndByteText,
    // The end of the data ends the text quietly in both formats; other
    // errors pass out.
    PassOut,
  };

  TextLineReader(qel::io::DDataInputStreamPtr in, LineFormat format, Errors errors);

  // The next line without its break; null at the end of the text. A last
  // line without a break is still a line.
  qel::lang::DStringPtr next();

private:
  qel::lang::DStringPtr nextByteLine();
  // A byte 0 .. 255, or -1 at the end.
  int nextByte();

  qel::io::DDataInputStreamPtr in_;
  LineFormat format_;
  Errors errors_;
  int pending_ = -1;  // a byte read past a lone CR; -1 when none
};

// An include directive at the start of a line or value: "#INCLUDE",
// "#INCLUDE_TXT" or "#INCLUDE_JAVAUTF" (ASCII case ignored), then one
// separating unit and a file name.
struct IncludeDirective {
  std::u16string_view keyword;
  // The format the included file is read in; none: that of the text holding it.
  std::optional<LineFormat> format;

  // Where the file name starts in the text.
  int32_t nameStart() const { return static_cast<int32_t>(keyword.size()) + 1; }
};

// The directive text starts with, or null.
const IncludeDirective* includeDirectiveAt(const qel::lang::DStringPtr& text);

}  // namespace qel::util
