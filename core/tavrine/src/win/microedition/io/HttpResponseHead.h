#pragma once

#include <cstdint>
#include <string>

#include "lang/DString.h"
#include "util/DCyclicBuf.ptr.h"
#include "util/DHashtable.h"

namespace qel::io {

// The head of one HTTP response, read line by line out of the receive
// buffer: the status line, then header lines up to the empty line; the
// bytes after it stay in the buffer as the start of the body. Each stored
// byte is searched for the line feed once, however the bytes arrive.
class HttpResponseHead {
public:
  enum Progress : int32_t { AwaitingStatus = 1, ReadingHeaders = 2, Complete = 3, Failed = 4 };

  // Heads larger than limit bytes fail.
  HttpResponseHead(qel::util::DHashtablePtr headers, int32_t limit);

  // Expects a new status line: headers cleared, code -1, message "".
  void restart();
  // Takes every complete line out of buffer while the head lasts. A status
  // line with no blank fails and throws 0x06000000; a code that is no
  // number fails and passes parseInt's exception on.
  Progress takeLines(qel::util::DCyclicBuf& buffer);
  void fail() { progress_ = Failed; }

  Progress progress() const { return progress_; }
  int32_t code() const { return code_; }
  const qel::lang::DStringPtr& message() const { return message_; }

private:
  bool takeLine(qel::util::DCyclicBuf& buffer, std::u16string& line);
  void parseStatusLine(std::u16string_view line);
  void parseHeaderLine(std::u16string_view line);

  qel::util::DHashtablePtr headers_;
  int32_t limit_;
  Progress progress_ = AwaitingStatus;
  int32_t code_ = -1;
  qel::lang::DStringPtr message_;
  int32_t headBytes_ = 0;
  // Stored bytes already known to hold no line feed.
  int32_t scanned_ = 0;
};

}  // namespace qel::io
