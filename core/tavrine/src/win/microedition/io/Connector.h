#pragma once

#include <cstdint>

#include "lang/DString.ptr.h"
#include "microedition/io/DConnection.ptr.h"

namespace qel::io {

// Opens a connection from an address: "sms://", "socket://" or "http://"
// (case-sensitive). Failures of the chosen connection pass through as thrown.
class Connector {
public:
  static constexpr int32_t Read = 1;
  static constexpr int32_t Write = 2;
  static constexpr int32_t ReadWrite = 3;

  Connector() = delete;

  // Null for any other scheme. Mode and time-outs are kept by the connection.
  static DConnectionPtr open(qel::lang::DStringPtr url, int32_t mode, bool timeouts);
  static DConnectionPtr open(qel::lang::DStringPtr url);
};

}  // namespace qel::io
