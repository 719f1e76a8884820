#pragma once
// The handheld models the library treats specially, recognised by the OEM text.
// Each is a device whose driver reports its display wrongly or whose services
// do not work as elsewhere; the reason stands where the model is checked.

#include <string_view>

namespace tdlx {

enum DeviceModel : int {
  kModelUnknown = 0,
  kModelIpaqH3800 = 1,
  kModelCompaleP6C = 2,
  kModelTyphoon = 3,
  kModelToshibaE310 = 4,
  kModelToshibaE330 = 5,
  kModelToshibaE740 = 6,
  kModelToshibaE750 = 7,
  kModelMotoQ = 8,
  kModelMotoQ9c = 9,
  kModelSamsungI760 = 10,
  kModelHtcVoyager = 11,
};

// The first row whose name begins the OEM text (ASCII case ignored); "MotoQ"
// only for texts of at most 5 characters.
int deviceModelFromOem(std::u16string_view oem);

// The device's model, read once (logged "OEM String: ...") and cached.
int getDeviceModel();

}  // namespace tdlx
