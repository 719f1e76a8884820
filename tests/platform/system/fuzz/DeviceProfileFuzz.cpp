// Reads any byte string as a device profile file: it gives a profile or an
// error naming the line, never both, never neither.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/system/DeviceProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const wce::DeviceProfileResult result =
      wce::parseDeviceProfile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (result.profile.has_value() == !result.error.empty()) std::abort();
  return 0;
}
