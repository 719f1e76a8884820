#include "io/DDataOutputStream.h"

#include <utility>

namespace qel::io {

DDataOutputStream::DDataOutputStream(DOutputStreamPtr out) : out_(std::move(out)) {}

void DDataOutputStream::write(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) { out_->write(b, off, len); }
void DDataOutputStream::write(int32_t v) { out_->write(v); }
void DDataOutputStream::flush() { out_->flush(); }
void DDataOutputStream::close() { out_->close(); }

void DDataOutputStream::writeByte(int32_t v) { out_->write(v); }

void DDataOutputStream::writeShort(int32_t v) {
  out_->write((v >> 8) & 0xFF);
  out_->write(v & 0xFF);
}

void DDataOutputStream::writeInt(int32_t v) {
  out_->write((v >> 24) & 0xFF);
  out_->write((v >> 16) & 0xFF);
  out_->write((v >> 8) & 0xFF);
  out_->write(v & 0xFF);
}

}  // namespace qel::io
