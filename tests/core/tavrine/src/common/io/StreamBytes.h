#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"
#include "lang/DbyteArray.h"

// Byte helpers for the stream tests.
inline qel::lang::DbyteArrayPtr arrayOf(const std::vector<uint8_t>& bytes) {
  qel::lang::DbyteArrayPtr array = new qel::lang::DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) array->data()[i] = static_cast<int8_t>(bytes[i]);
  return array;
}

inline std::vector<uint8_t> bytesOf(const qel::lang::DbyteArrayPtr& array) {
  std::vector<uint8_t> bytes;
  for (int32_t i = 0; i < array->length(); ++i) bytes.push_back(static_cast<uint8_t>(array->data()[i]));
  return bytes;
}

inline qel::io::DDataInputStreamPtr dataStreamOf(const std::vector<uint8_t>& bytes) {
  return new qel::io::DDataInputStream(new qel::io::DByteArrayInputStream(arrayOf(bytes)));
}
