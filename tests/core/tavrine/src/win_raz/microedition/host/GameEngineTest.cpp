#include <stdexcept>

#include "HostFixture.h"
#include "lang/DExceptionBase.h"
#include "lang/DSystem.h"
#include "lang/Host.h"
#include "microedition/host/GameEngine.h"
#include "microedition/midlet/PlatformLibraries.h"
#include "nvx/app/splash/SplashBitmap.h"
#include "nvx/app/splash/SplashResource.h"
#include "platform/driver/MemoryDriver.h"
#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/PixelFormat.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/SystemInfo.h"
#include "platform/window/Resources.h"
#include "tests/platform/system/probe/AygshellProbe.h"
#include "tests/platform/window/probe/MessageBoxProbe.h"

namespace qel::host::testing {
namespace {

using Events = std::vector<std::string>;

GameEngine* engine() { return GameEngine::instance(); }

wce::HWND engineWindow() { return engine()->getWindow(); }

TEST_F(HostTest, StartStepsAndShutsDownInOrder) {
  qel::midlet::PlatformLibraries::loadAygshell();
  bool sawBackend = false;
  testScript().onStep = [&](int step) {
    if (step == 1) sawBackend = std::u16string(engine()->getBackend()->getName()) == u"gdi";
  };
  const int before = applicationsMade();
  run({{u"driver", u"gdi"}});
  qel::midlet::PlatformLibraries::unload();
  EXPECT_TRUE(sawBackend);
  EXPECT_EQ(applicationsMade(), before + 1);
  EXPECT_EQ(hostEvents(), (Events{"startApp", "showNotify", "step", "step", "step", "destroyApp true"}));
  EXPECT_EQ(GameEngine::instance(), nullptr);
  EXPECT_EQ(qel::midlet::DMIDlet::current(), nullptr);
  EXPECT_FALSE(qel::lcdui::BackendTable::exists());
  EXPECT_EQ(wce::FindWindowW(u"GameEngine", nullptr), nullptr);
  std::vector<wce::DWORD> fullScreen;
  for (const wce::ShellCall& call : wce::recordedFullScreenCalls()) fullScreen.push_back(call.argument);
  EXPECT_EQ(fullScreen, (std::vector<wce::DWORD>{0x2A, 0x15}));
  for (int y = 0; y < 320; y += 9)
    for (int x = 0; x < 240; x += 7) ASSERT_NE(wce::DeviceScreen::instance().viewPixel(x, y), 0) << x << "," << y;
}

// The executable's splash resource is painted centred by WM_PAINT while the
// host starts, and is on the panel when the first frame is about to be drawn.
TEST_F(HostTest, TheSplashBitmapIsPaintedCentredBeforeTheFirstFrame) {
  nvx::registerSplashResource();
  const std::span<const uint8_t> file = nvx::splashBitmapBytes;
  const int width = file[18] | file[19] << 8, height = file[22] | file[23] << 8;
  const int stride = (width * 3 + 3) & ~3;
  const int left = (240 - width) >> 1, top = (320 - height) >> 1;
  int mismatches = -1;
  uint16_t outside = 1;
  testScript().onStep = [&](int step) {
    if (step != 1) return;
    mismatches = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const uint8_t* bgr = file.data() + 54 + (height - 1 - y) * stride + x * 3;
        const uint16_t expected = wce::toRgb565({bgr[2], bgr[1], bgr[0]});
        if (wce::DeviceScreen::instance().viewPixel(left + x, top + y) != expected) ++mismatches;
      }
    outside = wce::DeviceScreen::instance().viewPixel(left - 1, top);
  };
  run({{u"driver", u"gdi"}});
  wce::unregisterBitmapResource(wce::IDB_SPLASH);
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(hostEvents(), (Events{"startApp", "showNotify", "step", "step", "step", "destroyApp true"}));
}

TEST_F(HostTest, DriverChoiceDefaultsToTdlx) {
  const std::pair<const char16_t*, std::u16string> cases[] = {
      {nullptr, u"tdlx"}, {u"xyz", u"tdlx"}, {u"EXTESC", u"extesc"}, {u"Gdi", u"gdi"}};
  for (const auto& [driver, chosen] : cases) {
    std::u16string seen;
    testScript().onStep = [&](int) { seen = engine()->getBackend()->getName(); };
    if (driver) {
      run({{u"driver", driver}});
    } else {
      run({});
    }
    EXPECT_EQ(seen, chosen);
  }
}

// The device as the host uses it: where it sleeps and when it shows the panel.
class WatchingDriver final : public wce::MemoryDriver {
public:
  std::vector<uint32_t> waits;
  void waitEvents(uint32_t timeoutMs) override { waits.push_back(timeoutMs); }
  void present() override { hostEvents().push_back("present"); }
};

// Each back-end's frame is shown as it ends, also one drawn while the
// application starts (the logos); between frames the host sleeps in the
// driver as long as the application has nothing to do, unless a frame was
// requested.
TEST_F(HostTest, EveryFrameIsShownAsItEndsAndTheHostSleepsUntilTheNextStep) {
  for (const char16_t* backend : {u"tdlx", u"gdi", u"extesc"}) {
    SCOPED_TRACE(std::string(backend, backend + std::char_traits<char16_t>::length(backend)));
    hostEvents().clear();
    testScript() = TestScript{};
    testScript().idleMs = 30;
    testScript().frameAtStart = true;
    testScript().onStep = [](int step) {
      if (step == 2) GameEngine::requestFrame();
    };
    WatchingDriver driver;
    {
      wce::DeviceDriverScope scope(driver);
      run({{u"driver", backend}});
    }
    Events afterFrames;
    const Events& events = hostEvents();
    for (std::size_t i = 0; i + 1 < events.size(); ++i)
      if (events[i] == "step" || events[i] == "showNotify") afterFrames.push_back(events[i + 1]);
    EXPECT_EQ(afterFrames, (Events{"present", "present", "present", "present"}));
    // Step 2 asked for the next frame at once; step 3 ended the application.
    EXPECT_EQ(driver.waits, (std::vector<uint32_t>{30}));
  }
}

TEST_F(HostTest, WindowCloseEndsTheLoop) {
  testScript().stepsToRun = 1000;
  testScript().onStep = [](int step) {
    if (step == 2) wce::PostMessageW(engineWindow(), wce::WM_COMMAND, wce::IDOK, 0);
  };
  run({{u"driver", u"extesc"}});
  // The pass that handles the close still ticks once.
  EXPECT_EQ(hostEvents(), (Events{"startApp", "showNotify", "step", "step", "step", "destroyApp true"}));
}

TEST_F(HostTest, DeactivationPausesWithoutStepsAndReactivationShowsAgain) {
  testScript().onStep = [](int step) {
    if (step != 1) return;
    wce::PostMessageW(engineWindow(), wce::WM_ACTIVATE, wce::WA_INACTIVE, 0);
    wce::PostMessageW(engineWindow(), wce::WM_KEYDOWN, '5', 0);
    wce::PostMessageW(engineWindow(), wce::WM_ACTIVATE, wce::WA_ACTIVE, 0);
  };
  run({{u"driver", u"gdi"}});
  EXPECT_EQ(
      hostEvents(),
      (Events{
          "startApp", "showNotify", "step", "pauseApp", "press 53", "showNotify", "step", "step", "destroyApp true"}));
}

TEST_F(HostTest, KeysAndThePenReachTheCanvas) {
  testScript().onStep = [](int step) {
    if (step != 1) return;
    wce::HWND window = engineWindow();
    wce::PostMessageW(window, wce::WM_KEYDOWN, 112, 0);
    wce::PostMessageW(window, wce::WM_KEYDOWN, 112, wce::KF_REPEAT_BIT);
    wce::PostMessageW(window, wce::WM_KEYUP, 112, 0);
    wce::PostMessageW(window, wce::WM_KEYDOWN, 124, 0);
    wce::PostMessageW(window, wce::WM_LBUTTONDOWN, wce::MK_LBUTTON, wce::MAKELPARAM(10, 20));
    wce::PostMessageW(window, wce::WM_MOUSEMOVE, wce::MK_LBUTTON, wce::MAKELPARAM(11, 21));
    wce::PostMessageW(window, wce::WM_MOUSEMOVE, 0, wce::MAKELPARAM(12, 22));
    wce::PostMessageW(window, wce::WM_LBUTTONUP, 0, wce::MAKELPARAM(13, 23));
  };
  testScript().stepsToRun = 9;
  run({{u"driver", u"gdi"}});
  EXPECT_EQ(hostEvents(),
            (Events{"startApp",
                    "showNotify",
                    "step",
                    "press 10000",
                    "step",
                    "repeat 10000",
                    "step",
                    "release 10000",
                    "step",
                    "step",
                    "pen down 10,20",
                    "step",
                    "pen drag 11,21",
                    "step",
                    "pen move 12,22",
                    "step",
                    "pen up 13,23",
                    "step",
                    "destroyApp true"}));
}

TEST_F(HostTest, PixelDoublingOnlyOnAHighResolutionDisplay) {
  struct Case {
    const char* preset;
    const char16_t* property;
    bool doubled;
  };
  const Case cases[] = {{"VGA", u"0", true}, {"VGA", nullptr, false}, {"PocketPC", u"1", false}};
  for (const Case& c : cases) {
    wce::ScopedDeviceProfile profile(*wce::devicePreset(c.preset));
    testScript() = TestScript{};
    testScript().scale2xProperty = c.property;
    bool doubled = !c.doubled;
    int canvasWidth = 0;
    testScript().onStep = [&](int) {
      doubled = engine()->isScale2x();
      canvasWidth = static_cast<TestApplication*>(engine()->getMidlet().get())->canvas()->getWidth();
    };
    run({{u"driver", u"extesc"}});
    EXPECT_EQ(doubled, c.doubled) << c.preset;
    EXPECT_EQ(canvasWidth, c.doubled ? 240 : wce::GetSystemMetrics(0)) << c.preset;
  }
}

TEST_F(HostTest, PenIsHalvedUnderPixelDoubling) {
  wce::ScopedDeviceProfile profile(*wce::devicePreset("VGA"));
  testScript().scale2xProperty = u"yes";
  testScript().onStep = [](int step) {
    if (step == 1) wce::PostMessageW(engineWindow(), wce::WM_LBUTTONDOWN, wce::MK_LBUTTON, wce::MAKELPARAM(479, 639));
  };
  run({{u"driver", u"gdi"}});
  ASSERT_GE(hostEvents().size(), 4u);
  EXPECT_EQ(hostEvents()[3], "pen down 239,319");
}

TEST_F(HostTest, HighResolutionFromEitherSide) {
  wce::DeviceProfile wide;
  wide.screenWidth = 480;
  wide.screenHeight = 272;
  wce::ScopedDeviceProfile profile(wide);
  bool highRes = false;
  testScript().onStep = [&](int) { highRes = engine()->isHighRes(); };
  run({{u"driver", u"gdi"}, {u"resolution", u"320x240"}});
  EXPECT_FALSE(highRes);
  run({{u"driver", u"gdi"}});
  EXPECT_TRUE(highRes);
}

TEST_F(HostTest, DeviceRulesFromThePlatformAndOemTexts) {
  wce::ScopedDeviceProfile profile(*wce::devicePreset("SmartPhone"));
  bool smartphone = false;
  testScript().onStep = [&](int step) {
    smartphone = engine()->isSmartphone();
    if (step == 1) wce::PostMessageW(engineWindow(), wce::WM_KEYDOWN, 119, 0);
  };
  run({{u"driver", u"extesc"}});
  EXPECT_TRUE(smartphone);
  EXPECT_EQ(hostEvents()[3], "press 10004");
}

TEST_F(HostTest, WindowTimersRunTheirCallbacks) {
  static std::vector<int32_t> fired;
  fired.clear();
  testScript().stepsToRun = 50;
  testScript().onStep = [this](int step) {
    if (step == 1) {
      qel::lang::DSystem::timerCreate([](int32_t id, intptr_t) { fired.push_back(id); }, 0, 10, true);
      int32_t stopped = qel::lang::DSystem::timerCreate([](int32_t, intptr_t) { fired.push_back(-1); }, 0, 10, true);
      qel::lang::DSystem::timerStop(stopped);
      wce::PostMessageW(engineWindow(), wce::WM_TIMER, 99, 0);
    }
    clock_.advanceMillis(3);
  };
  run({{u"driver", u"gdi"}});
  EXPECT_FALSE(fired.empty());
  for (int32_t id : fired) EXPECT_EQ(id, 1);
}

TEST_F(HostTest, AnExistingWindowOfTheGameEndsTheSecondStart) {
  wce::WindowClassInfo info;
  info.procedure = &wce::DefWindowProcW;
  info.className = u"GameEngine";
  ASSERT_NE(wce::RegisterClassW(&info), 0);
  char16_t title[64] = {};
  wce::LoadStringW(nullptr, wce::IDS_TITLE, title, 64);
  wce::HWND first =
      wce::CreateWindowExW(0, u"GameEngine", title, wce::WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(first, nullptr);
  const int before = applicationsMade();
  run({{u"driver", u"gdi"}});
  EXPECT_EQ(applicationsMade(), before);
  EXPECT_EQ(wce::GetForegroundWindow(), first);
  EXPECT_TRUE(wce::recordedMessageBoxes().empty());
}

TEST_F(HostTest, ABackEndThatDoesNotOpenEndsQuietly) {
  wce::DeviceProfile bare;
  bare.rawFrameBufferEscape = false;
  wce::ScopedDeviceProfile profile(bare);
  const int before = applicationsMade();
  run({{u"driver", u"extesc"}});
  EXPECT_EQ(applicationsMade(), before);
  EXPECT_TRUE(hostEvents().empty());
  EXPECT_TRUE(wce::recordedMessageBoxes().empty());
  EXPECT_EQ(GameEngine::instance(), nullptr);
}

TEST_F(HostTest, LogsThatCannotBeMadeEndTheStart) {
  writeFile(programFolder() / "uselog.txt", "");
  std::filesystem::create_directories(userFolder() / "doutput.txt");
  const int before = applicationsMade();
  run({{u"driver", u"gdi"}});
  EXPECT_EQ(applicationsMade(), before);
  EXPECT_TRUE(hostEvents().empty());
  EXPECT_EQ(wce::FindWindowW(u"GameEngine", nullptr), nullptr);
  EXPECT_TRUE(wce::recordedMessageBoxes().empty());
}

TEST_F(HostTest, LogsAreMadeWhenAskedFor) {
  writeFile(programFolder() / "uselog.txt", "");
  run({{u"driver", u"gdi"}});
  std::ifstream log(userFolder() / "doutput.txt", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(log)), {});
  EXPECT_EQ(bytes, "\xEF\xBB\xBF");
  EXPECT_TRUE(std::filesystem::exists(userFolder() / "derror.txt"));
}

TEST_F(HostTest, AFrameworkExceptionFromTheStartShutsDownQuietly) {
  testScript().startFailure = [] { qel::lang::throwException(qel::lang::ExceptionCode::IO); };
  run({{u"driver", u"gdi"}});
  EXPECT_EQ(hostEvents(), (Events{"startApp", "destroyApp true"}));
  EXPECT_TRUE(wce::recordedMessageBoxes().empty());
  EXPECT_EQ(wce::FindWindowW(u"GameEngine", nullptr), nullptr);
}

TEST_F(HostTest, AnyOtherExceptionIsReported) {
  testScript().startFailure = [] { throw std::runtime_error("boom"); };
  run({{u"driver", u"gdi"}});
  ASSERT_EQ(wce::recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(wce::recordedMessageBoxes()[0], (wce::MessageBoxRecord{u"Run - unknown exception!", u"Error!", 0x10}));
  EXPECT_EQ(GameEngine::instance(), nullptr);
}

// The framework reaches the engine as its host while the engine runs, and
// nothing once it has gone: timers then fail to start instead of reaching a
// dead window.
TEST_F(HostTest, TheEngineIsTheHostOnlyWhileItExists) {
  bool engineWasHost = false;
  int32_t timer = 0;
  testScript().onStep = [&](int step) {
    if (step != 1) return;
    engineWasHost = qel::lang::Host::current() == engine();
    timer = qel::lang::DSystem::timerCreate(
        +[](int32_t, intptr_t) {}, 0, 1000, true);
  };
  run({{u"driver", u"gdi"}});
  EXPECT_TRUE(engineWasHost);
  EXPECT_NE(timer, 0);
  EXPECT_EQ(qel::lang::Host::current(), nullptr);
  EXPECT_EQ(qel::lang::DSystem::timerCreate(
                +[](int32_t, intptr_t) {}, 0, 1000, true),
            0);
  qel::lang::DSystem::timerDestroyAll();
}

TEST_F(HostTest, AppPropertiesComeFromTheRunningApplication) {
  EXPECT_THROW(GameEngine::getAppProperty(u"app.name"), qel::lang::DExceptionBase);
  std::u16string name;
  testScript().onStep = [&](int) { name = GameEngine::getAppProperty(u"app.name")->view(); };
  run({{u"driver", u"gdi"}});
  EXPECT_EQ(name, u"Test");
  EXPECT_EQ(engineDisplaySize(nullptr).width, -1);
}

using HostDeathTest = HostTest;

TEST_F(HostDeathTest, ASecondEngineEndsTheProcess) {
  EXPECT_EXIT(
      {
        GameEngine first(configuration({}));
        GameEngine second(configuration({}));
      },
      ::testing::ExitedWithCode(0),
      "GameEngine already exists!");
}

}  // namespace
}  // namespace qel::host::testing
