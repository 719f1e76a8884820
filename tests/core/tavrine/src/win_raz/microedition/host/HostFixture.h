#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>

#include "TestApplication.h"
#include "io/DResourceLocator.h"
#include "lang/DString.h"
#include "microedition/backend/BackendTable.h"
#include "microedition/displayable/KeyRemap.h"
#include "microedition/host/ApplicationFactory.h"
#include "microedition/host/WinMain.h"
#include "microedition/midlet/DMIDlet.h"
#include "microedition/raster/RasterAllocator.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/Aygshell.h"
#include "platform/system/Clock.h"
#include "platform/testing/FolderOverrides.h"
#include "platform/testing/ManualClock.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"
#include "tests/display/api/probe/DisplayProbe.h"
#include "tests/platform/system/probe/AygshellProbe.h"
#include "tests/platform/window/probe/MessageBoxProbe.h"
#include "tests/support/TempFolder.h"
#include "util/DHashtable.h"
#include "util/DStringManager.h"

namespace qel::host::testing {

// Fresh program and user folders, a manual clock, a black screen, a display
// library that knows nothing of an earlier device and a clean desktop around
// each test; whatever a failed start leaves behind is cleared.
class HostTest : public ::testing::Test {
protected:
  HostTest() : clock_(1000), scopedClock_(clock_) {
    std::filesystem::create_directories(programFolder());
    std::filesystem::create_directories(userFolder());
    wce::setProgramFolder(programFolder());
    wce::setUserFolder(userFolder());
    hostEvents().clear();
    testScript() = TestScript{};
    wce::clearRecordedMessageBoxes();
    wce::clearRecordedShellCalls();
    wce::DeviceScreen::instance().fill(0);
    installApplicationFactory(&makeTestApplication);
    // Tests switch emulated devices: each display starts as in a new process.
    tdlx::forgetProcessState();
  }

  ~HostTest() override {
    installApplicationFactory(nullptr);
    for (wce::HWND window = wce::newestTopLevelWindow(); window; window = wce::newestTopLevelWindow())
      wce::DestroyWindow(window);
    wce::MSG message;
    while (wce::PeekMessageW(&message, nullptr, 0, 0, wce::PM_REMOVE)) {}
    wce::UnregisterClassW(u"GameEngine", nullptr);
    qel::lcdui::BackendTable::destroyBackends();
    qel::midlet::DMIDlet::releaseCurrent();
    qel::raster::RasterAllocator::destroyDefault();
    qel::lcdui::KeyRemap::setTable(1, nullptr);
    wce::setProgramFolder({});
    wce::setUserFolder({});
  }

  std::filesystem::path programFolder() const { return root_ / "program"; }
  std::filesystem::path userFolder() const { return root_ / "user"; }

  static void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }

  static qel::util::DStringManagerPtr configuration(
      std::initializer_list<std::pair<const char16_t*, const char16_t*>> entries) {
    qel::util::DStringManagerPtr table = new qel::util::DStringManager(0);
    for (auto [key, value] : entries) table->put(qel::lang::DStringPtr(key), qel::lang::DStringPtr(value));
    return table;
  }

  static void run(std::initializer_list<std::pair<const char16_t*, const char16_t*>> entries) {
    runEngine(nullptr, configuration(entries));
  }

  wce::ManualClock clock_;
  wce::ScopedClockSource scopedClock_;
  const nvtest::TempFolder root_{"nv-host"};
};

}  // namespace qel::host::testing
