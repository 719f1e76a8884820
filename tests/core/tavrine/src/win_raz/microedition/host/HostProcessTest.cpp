#include "HostFixture.h"
#include "display/device/Log.h"
#include "microedition/host/HostProcess.h"
#include "platform/devices/DeviceModules.h"
#include "platform/files/Folders.h"
#include "platform/gdi/PixelFormat.h"
#include "platform/mapi/Mapi.h"
#include "platform/sms/MessageFolders.h"
#include "platform/sms/Sms.h"

namespace qel::host::testing {
namespace {

uint16_t through555(uint16_t pixel) {
  uint8_t bytes[2];
  wce::writePixel(wce::PixelFormat::Rgb555,
                  bytes,
                  wce::readPixel(wce::PixelFormat::Rgb565, reinterpret_cast<const uint8_t*>(&pixel)));
  return wce::toRgb565(wce::readPixel(wce::PixelFormat::Rgb555, bytes));
}

// The device as the program composes it, without its SDL window and sound.
void composeDevice() {
  wce::registerDeviceModules();
  wce::registerSmsEntries();
  wce::registerMapiEntries();
  wce::setMessageUserFolder(wce::userFolder());
  tdlx::setLogFolder(wce::userFolder());
}

class HostProcessTest : public HostTest, public ::testing::WithParamInterface<const char*> {};

// The whole road from the process entry: three frames through the back-end,
// then the shutdown.
TEST_P(HostProcessTest, ThreeFramesThroughTheBackEnd) {
  composeDevice();
  const std::string driver = GetParam();
  writeFile(programFolder() / "engine.ini", "// the test's configuration\ndriver=" + driver + "\n");
  std::vector<int> framesSeen;
  testScript().onStep = [&](int step) { framesSeen.push_back(step); };
  char program[] = "nightvault";
  char* argv[] = {program, nullptr};
  EXPECT_EQ(runHostProcess(1, argv, &makeTestApplication), 0);

  EXPECT_EQ(framesSeen, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(hostEvents().back(), "destroyApp true");
  EXPECT_EQ(wce::FindWindowW(u"GameEngine", nullptr), nullptr);
  EXPECT_FALSE(qel::lcdui::BackendTable::exists());
  const wce::DeviceScreen& screen = wce::DeviceScreen::instance();
  for (int y = 0; y < screen.height(); y += 3) {
    for (int x = 0; x < screen.width(); x += 5) {
      uint16_t expected = framePixel(3, x, y);
      if (driver == "gdi") expected = through555(expected);
      ASSERT_EQ(screen.viewPixel(x, y), expected) << driver << " " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Drivers, HostProcessTest, ::testing::Values("tdlx", "gdi", "extesc"));

}  // namespace
}  // namespace qel::host::testing
