#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "io/DArchive.h"
#include "io/DByteArrayInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

// An archive whose entries are served from memory; a missing entry throws
// 0x03000000 like a missing file.
class MemoryArchive final : public DArchive {
public:
  std::map<std::u16string, std::string> entries;

  DInputStreamPtr openEntryStream(qel::lang::DStringPtr name) override {
    auto found = entries.find(std::u16string(name->view()));
    if (found == entries.end()) qel::lang::throwException(qel::lang::ExceptionCode::IO);
    qel::lang::DbyteArrayPtr bytes = new qel::lang::DbyteArray(static_cast<int32_t>(found->second.size()));
    if (!found->second.empty()) std::memcpy(bytes->data(), found->second.data(), found->second.size());
    return new DByteArrayInputStream(bytes);
  }
  bool containsEntry(qel::lang::DStringPtr name) override { return entries.count(std::u16string(name->view())) != 0; }
  int32_t lookupEntry(qel::lang::DStringPtr name) override {
    auto found = entries.find(std::u16string(name->view()));
    return found == entries.end() ? -1 : static_cast<int32_t>(found->second.size());
  }
  void open(DInputStreamPtr, qel::lang::DStringPtr) override {}
};

}  // namespace qel::io
