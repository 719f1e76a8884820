#include "util/TextLines.h"

#include <string>
#include <utility>

#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace qel::util {

using qel::lang::DExceptionBase;
using qel::lang::DString;
using qel::lang::DStringPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

// Longest first, so that "#INCLUDE" does not hide the other two.
constexpr IncludeDirective directives[] = {
    {u"#INCLUDE_JAVAUTF", LineFormat::Records},
    {u"#INCLUDE_TXT", LineFormat::Bytes},
    {u"#INCLUDE", std::nullopt},
};

}  // namespace

TextLineReader::TextLineReader(qel::io::DDataInputStreamPtr in, LineFormat format, Errors errors)
    : in_(std::move(in)), format_(format), errors_(errors) {}

DStringPtr TextLineReader::next() {
  if (format_ == LineFormat::Bytes) return nextByteLine();
  if (errors_ == Errors::EndByteText) return in_->readUTF();
  try {
    return in_->readUTF();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::EndOfFile);
    return nullptr;
  }
}

int TextLineReader::nextByte() {
  if (pending_ >= 0) return std::exchange(pending_, -1);
  try {
    return in_->read();
  } catch (DExceptionBase& e) {
    if (errors_ == Errors::PassOut) e.rethrowUnless(ExceptionCode::EndOfFile);
    return -1;
  }
}

DStringPtr TextLineReader::nextByteLine() {
  std::u16string line;
  for (;;) {
    int byte = nextByte();
    if (byte < 0) return line.empty() ? DStringPtr() : DStringPtr(new DString(std::move(line)));
    if (byte == '\n') break;
    if (byte == '\r') {
      int following = nextByte();
      if (following != '\n') pending_ = following;
      break;
    }
    line.push_back(static_cast<char16_t>(byte));
  }
  return new DString(std::move(line));
}

const IncludeDirective* includeDirectiveAt(const DStringPtr& text) {
  DStringPtr upper = text->toUpperCase();
  for (const IncludeDirective& directive : directives)
    if (upper->view().starts_with(directive.keyword)) return &directive;
  return nullptr;
}

}  // namespace qel::util
