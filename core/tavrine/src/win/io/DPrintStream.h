#pragma once

#include <cstdint>

#include "io/DOutputStream.h"
#include "io/DPrintStream.ptr.h"

namespace qel::io {

// Forwards every operation to a fixed target, unchanged; with a null target
// everything does nothing. The target's errors pass through. Destruction
// releases the target without closing it.
class DPrintStream final : public DOutputStream {
public:
  explicit DPrintStream(DOutputStreamPtr target);

  void write(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  void write(const qel::lang::DbyteArrayPtr& b) override;
  void write(int32_t v) override;
  void flush() override;
  void close() override;
  void dispose() override { close(); }

private:
  DOutputStreamPtr target_;
};

}  // namespace qel::io
