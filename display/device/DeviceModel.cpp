#include "display/device/DeviceModel.h"

#include <array>
#include <optional>
#include <string>

#include "display/device/DeviceCaches.h"
#include "display/device/Log.h"
#include "platform/system/AsciiCase.h"
#include "platform/system/SystemInfo.h"

namespace tdlx {
namespace {

struct ModelRow {
  int id;
  std::string_view name;
};

constexpr std::array kModels{
    ModelRow{kModelIpaqH3800, "Compaq iPAQ H3800"},
    ModelRow{kModelCompaleP6C, "Compale P6C"},
    ModelRow{kModelTyphoon, "Typhoon"},
    ModelRow{kModelToshibaE310, "Toshiba e310"},
    ModelRow{kModelToshibaE330, "Toshiba e330"},
    ModelRow{kModelToshibaE740, "Toshiba e740"},
    ModelRow{kModelToshibaE750, "Toshiba e750"},
    ModelRow{kModelMotoQ, "MotoQ"},
    ModelRow{kModelMotoQ9c, "MotoQ9c"},
    ModelRow{kModelSamsungI760, "SAMSUNG SCH-i760"},
    ModelRow{kModelHtcVoyager, "HTC VOYAGER"},
};

constexpr std::size_t kMotoQNameLimit = 5;
constexpr std::size_t kOemUnits = 260;

std::string narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace

std::optional<int>& cachedDeviceModel() {
  static std::optional<int> model;
  return model;
}

int deviceModelFromOem(std::u16string_view oem) {
  for (const ModelRow& row : kModels) {
    if (row.id == kModelMotoQ && oem.size() > kMotoQNameLimit) continue;
    if (wce::startsWithIgnoringAsciiCase(oem, row.name)) return row.id;
  }
  return kModelUnknown;
}

int getDeviceModel() {
  std::optional<int>& model = cachedDeviceModel();
  if (model) return *model;
  char16_t buffer[kOemUnits] = {};
  std::u16string_view oem;
  if (wce::SystemParametersInfoW(wce::SPI_GETOEMINFO, sizeof buffer, buffer, 0)) {
    oem = std::u16string_view(buffer);
  }
  logLine("OEM String: \"%s\"", narrow(oem).c_str());
  model = deviceModelFromOem(oem);
  return *model;
}

}  // namespace tdlx
