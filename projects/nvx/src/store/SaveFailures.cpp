#include "nvx/src/store/SaveFailures.h"

#include <cstdio>
#include <string>

#include "lang/TextCodec.h"

namespace nvx {

void SaveFailures::report(const qel::lang::DStringPtr& store, const qel::lang::DExceptionBase& failure) {
  const std::string name = store ? qel::lang::toMultiByte(store->view()) : std::string("?");
  std::string reason = qel::lang::toMultiByte(failure.message());
  if (reason.empty()) {
    char code[32];
    std::snprintf(code, sizeof code, "error 0x%08x", static_cast<unsigned>(failure.code()));
    reason = code;
  }
  std::fprintf(stderr, "record store \"%s\": not saved: %s\n", name.c_str(), reason.c_str());
  noticeOwed_ = true;
}

}  // namespace nvx
