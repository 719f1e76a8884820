// Reads any byte string as a key-and-pointer script: it parses or is
// refused with a ScriptError naming the line.
#include <cstdint>
#include <string_view>

#include "nvx/app/script/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    nvx::parseScript(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const nvx::ScriptError&) {}
  return 0;
}
