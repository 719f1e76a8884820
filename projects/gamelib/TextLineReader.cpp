#include "gamelib/TextLineReader.h"

#include <string>

#include "gamelib/StringManager.h"
#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace gamelib {

using qel::lang::DExceptionBase;
using qel::lang::DString;
using qel::lang::DStringPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

TextLineReader::TextLineReader(qel::io::DDataInputStreamPtr in, int encoding)
    : in_(std::move(in)), encoding_(encoding) {}

DStringPtr TextLineReader::next() {
  if (encoding_ != StringManager::RecordLines) return nextByteLine();
  try {
    return in_->readUTF();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::EndOfFile);
    return nullptr;
  }
}

int TextLineReader::readByte() {
  if (pending_ != -2) {
    int b = pending_;
    pending_ = -2;
    return b;
  }
  try {
    return in_->read();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::EndOfFile);
    return -1;
  }
}

DStringPtr TextLineReader::nextByteLine() {
  std::u16string line;
  bool any = false;
  for (;;) {
    int b = readByte();
    if (b < 0) return any ? new DString(std::move(line)) : nullptr;
    any = true;
    if (b == '\n') break;
    if (b == '\r') {
      int following = readByte();
      if (following != '\n') pending_ = following < 0 ? -2 : following;
      break;
    }
    line.push_back(static_cast<char16_t>(b));
  }
  return new DString(std::move(line));
}

}  // namespace gamelib
