#include "io/DPrintStream.h"

#include <utility>

namespace qel::io {

using qel::lang::DbyteArrayPtr;

DPrintStream::DPrintStream(DOutputStreamPtr target) : target_(std::move(target)) {}

void DPrintStream::write(const DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (target_) target_->write(b, off, len);
}

void DPrintStream::write(const DbyteArrayPtr& b) {
  if (target_) target_->write(b);
}

void DPrintStream::write(int32_t v) {
  if (target_) target_->write(v);
}

void DPrintStream::flush() {
  if (target_) target_->flush();
}

void DPrintStream::close() {
  if (target_) target_->close();
}

}  // namespace qel::io
