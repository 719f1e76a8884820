#include "microedition/io/HttpResponseHead.h"

#include "lang/CaseMapping.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "util/DCyclicBuf.h"
#include "util/DHashtable.h"

namespace qel::io {

using qel::lang::DString;
using qel::lang::DStringPtr;

namespace {

bool startsWithHttp(std::u16string_view line) {
  constexpr std::u16string_view http = u"http";
  if (line.size() < http.size()) return false;
  for (size_t i = 0; i < http.size(); ++i)
    if (qel::lang::toLowerUnit(line[i]) != http[i]) return false;
  return true;
}

}  // namespace

HttpResponseHead::HttpResponseHead(qel::util::DHashtablePtr headers, int32_t limit)
    : headers_(std::move(headers)), limit_(limit), message_(u"") {}

void HttpResponseHead::restart() {
  headers_->clear();
  progress_ = AwaitingStatus;
  code_ = -1;
  message_ = u"";
  headBytes_ = 0;
  scanned_ = 0;
}

HttpResponseHead::Progress HttpResponseHead::takeLines(qel::util::DCyclicBuf& buffer) {
  std::u16string line;
  while (progress_ != Complete && progress_ != Failed && takeLine(buffer, line)) {
    if (progress_ == AwaitingStatus)
      parseStatusLine(line);
    else
      parseHeaderLine(line);
  }
  return progress_;
}

bool HttpResponseHead::takeLine(qel::util::DCyclicBuf& buffer, std::u16string& line) {
  const int32_t end = buffer.indexOf(scanned_);
  if (end < 0) {
    scanned_ = buffer.stored();
    return false;
  }
  scanned_ = 0;
  headBytes_ += end + 1;
  if (headBytes_ > limit_) {
    fail();
    return false;
  }
  line.clear();
  for (int32_t i = 0; i < end; ++i) line.push_back(static_cast<char16_t>(buffer.read()));
  buffer.read();
  if (!line.empty() && line.back() == u'\r') line.pop_back();
  return true;
}

void HttpResponseHead::parseStatusLine(std::u16string_view line) {
  if (!startsWithHttp(line)) return fail();
  const size_t first = line.find(u' ');
  if (first == std::u16string_view::npos) {
    fail();
    qel::lang::throwException(qel::lang::ExceptionCode::IO);
  }
  const size_t second = line.find(u' ', first + 1);
  if (second == std::u16string_view::npos) return fail();
  try {
    code_ = qel::lang::DInteger::parseInt(new DString(line.substr(first + 1, second - first - 1)));
  } catch (const qel::lang::DExceptionBase&) {
    fail();
    throw;
  }
  message_ = new DString(line.substr(second + 1));
  progress_ = ReadingHeaders;
}

void HttpResponseHead::parseHeaderLine(std::u16string_view line) {
  if (line.empty()) {
    progress_ = Complete;
    return;
  }
  const size_t colon = line.find(u':');
  if (colon == std::u16string_view::npos || colon == 0) return fail();
  const DStringPtr name = DStringPtr(new DString(line.substr(0, colon)))->trim();
  size_t valueStart = colon + 1;
  while (valueStart < line.size() && (line[valueStart] == u' ' || line[valueStart] == u'\t')) ++valueStart;
  headers_->put(name, DStringPtr(new DString(line.substr(valueStart))));
}

}  // namespace qel::io
