#include <cstdlib>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "lang/DString.h"
#include "microedition/midlet/PlatformRequest.h"
#include "platform/shell/Shell.h"
#include "platform/system/ActiveDevice.h"
#include "tests/platform/shell/probe/ShellProbe.h"

namespace qel::midlet {
namespace {

struct RequestCase {
  const char16_t* url;
  bool result;
  const char16_t* shellFile;  // null: the shell is not asked
  wce::DWORD mask;
};

TEST(PlatformRequestTest, AddressesBySchemeWithoutAPhone) {
  ::unsetenv("NIGHTVAULT_OPEN_URLS");
  const RequestCase cases[] = {
      {u"http://example.org/", true, u"http://example.org/", 0},
      {u"https://example.org/a?b", true, u"https://example.org/a?b", 0},
      {u"mailto:someone@example.org", true, u"mailto:someone@example.org", 0},
      {u"gmm://maps/here", false, u"maps/here", wce::SEE_MASK_FLAG_NO_UI},
      {u"gmm://http://example.org", true, u"http://example.org", wce::SEE_MASK_FLAG_NO_UI},
      {u"ftp://example.org", false, nullptr, 0},
      {u"HTTP://example.org", false, nullptr, 0},
      {u"", false, nullptr, 0},
  };
  for (const RequestCase& c : cases) {
    wce::clearRecordedShellRequests();
    EXPECT_EQ(PlatformRequest::open(qel::lang::DStringPtr(c.url)), c.result);
    std::vector<wce::ShellRequest> seen = wce::recordedShellRequests();
    if (!c.shellFile) {
      EXPECT_TRUE(seen.empty());
      continue;
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], (wce::ShellRequest{c.shellFile, c.mask, 1}));
  }
  EXPECT_FALSE(PlatformRequest::open(nullptr));
}

TEST(PlatformRequestTest, CallsGoThroughThePhoneLibraryLookedUpOnce) {
  wce::clearRecordedShellRequests();
  {
    wce::DeviceProfile withPhone;
    withPhone.modules.push_back("phone.dll");
    wce::ScopedDeviceProfile scoped(withPhone);
    EXPECT_TRUE(PlatformRequest::open(qel::lang::DStringPtr(u"tel:5551234")));
  }
  EXPECT_TRUE(PlatformRequest::open(qel::lang::DStringPtr(u"tel:+49 30")));
  EXPECT_EQ(wce::recordedPhoneCalls(), (std::vector<std::u16string>{u"5551234", u"+49 30"}));
  EXPECT_TRUE(wce::recordedShellRequests().empty());
}

// A fresh process, so that the lookup happens without the library.
TEST(PlatformRequestDeathTest, CallsFailWithoutThePhoneLibrary) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(PlatformRequest::open(qel::lang::DStringPtr(u"tel:5551234")) ? 1 : 0),
              ::testing::ExitedWithCode(0),
              "");
}

}  // namespace
}  // namespace qel::midlet
