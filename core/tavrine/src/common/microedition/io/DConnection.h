#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "io/DInputStream.h"
#include "io/DOutputStream.h"
#include "lang/DObject.h"
#include "microedition/io/DConnection.ptr.h"

namespace qel::io {

// What every connection made by Connector offers. A connection without
// streams (a message connection) keeps the stream operations' null answers.
class DConnection : public qel::lang::DObject {
public:
  static constexpr int32_t Closed = 0;
  static constexpr int32_t Opened = 1;
  static constexpr int32_t Connected = 2;

  // Closed (or failed), Opened (connecting) or Connected.
  virtual int32_t getState() = 0;
  virtual void close() = 0;
  virtual qel::io::DDataInputStreamPtr openDataInputStream() { return nullptr; }
  virtual qel::io::DInputStreamPtr openInputStream() { return nullptr; }
  virtual qel::io::DDataOutputStreamPtr openDataOutputStream() { return nullptr; }
  virtual qel::io::DOutputStreamPtr openOutputStream() { return nullptr; }
};

}  // namespace qel::io
