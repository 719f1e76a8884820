#pragma once

#include "io/DDataInputStream.ptr.h"
#include "lang/DString.ptr.h"

namespace gamelib {

// Reads the lines of a text resource: 8-bit lines (Latin-1, ending at LF,
// CR or CR LF) or one readUTF record per line. Only the end of the data
// ends the reading quietly; other read errors pass to the caller.
class TextLineReader {
public:
  TextLineReader(qel::io::DDataInputStreamPtr in, int encoding);

  // The next line; null at the end of the data. A last line without an end
  // is still a line.
  qel::lang::DStringPtr next();

private:
  qel::lang::DStringPtr nextByteLine();
  // A byte 0..255, or -1 at the end.
  int readByte();

  qel::io::DDataInputStreamPtr in_;
  int encoding_;
  int pending_ = -2;  // a byte read past a lone CR; -2 when none
};

}  // namespace gamelib
