#include <gtest/gtest.h>
#include <optional>

#include "microedition/host/HostKeys.h"

namespace qel::host {
namespace {

struct KeyCase {
  bool smartphone;
  bool specialKeys;
  wce::WPARAM virtualKey;
  std::optional<int32_t> code;
};

// One code for press, repeat and release alike: a pressed soft key releases
// with the code it pressed with.
TEST(HostKeysTest, VirtualKeysBecomeFrameworkCodes) {
  const KeyCase cases[] = {
      {false, false, 112, 10000}, {false, false, 193, 10000}, {false, false, 113, 10001}, {false, false, 27, 10001},
      {false, false, 196, 10001}, {false, false, 13, 10002},  {false, false, 195, 10003}, {false, false, 194, 10004},
      {false, false, 114, -5},    {false, false, 115, -6},    {false, false, 124, {}},    {false, false, 135, {}},
      {false, false, 91, {}},     {false, false, 92, 92},     {false, false, 136, 136},   {false, false, 123, 123},
      {false, false, 48, 48},     {false, false, 57, 57},     {false, false, 37, 37},     {false, false, 40, 40},
      {false, false, 120, 120},   {false, true, 194, 10000},  {false, true, 195, 10001},  {false, true, 91, {}},
      {false, true, 92, {}},      {false, true, 193, 10000},  {true, false, 112, 10000},  {true, false, 113, 10001},
      {true, false, 27, 10001},   {true, false, 13, 10002},   {true, false, 119, 10004},  {true, false, 120, 10003},
      {true, false, 114, -5},     {true, false, 115, -6},     {true, false, 124, 124},    {true, false, 91, 91},
      {true, false, 193, 193},    {true, false, 196, 196},    {true, true, 194, 10000},   {true, true, 92, {}},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(translateVirtualKey(c.virtualKey, {c.smartphone, c.specialKeys}), c.code)
        << "smartphone " << c.smartphone << " special " << c.specialKeys << " key " << c.virtualKey;
  }
}

}  // namespace
}  // namespace qel::host
