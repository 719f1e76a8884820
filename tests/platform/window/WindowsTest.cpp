#include <sys/wait.h>
#include <unistd.h>

#include "WindowFixture.h"
#include "platform/driver/MemoryDriver.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Resources.h"
#include "platform/window/SingleInstanceLock.h"
#include "tests/platform/window/probe/MessageBoxProbe.h"
#include "tests/support/TempFolder.h"

namespace wce::testing {
namespace {

using WindowsTest = WindowTest;

// A subclass procedure that notes its passage and passes the message on.
WNDPROC previousOfOuter = nullptr;
WNDPROC previousOfInner = nullptr;
std::vector<const char*> passages;

LRESULT innerHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  passages.push_back("inner");
  return CallWindowProcW(previousOfInner, window, message, wParam + 1, lParam);
}

LRESULT outerHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  passages.push_back("outer");
  return CallWindowProcW(previousOfOuter, window, message, wParam * 10, lParam);
}

TEST_F(WindowsTest, SubclassChainsRunNewestFirstAndUnwind) {
  HWND window = create(u"w", 0);
  previousOfInner =
      reinterpret_cast<WNDPROC>(SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&innerHook)));
  EXPECT_EQ(previousOfInner, &recordingProcedure);
  previousOfOuter =
      reinterpret_cast<WNDPROC>(SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&outerHook)));
  EXPECT_EQ(previousOfOuter, &innerHook);
  received().clear();
  passages.clear();
  PostMessageW(window, WM_USER, 4, 0);
  drain();
  EXPECT_EQ(passages, (std::vector<const char*>{"outer", "inner"}));
  EXPECT_EQ(received(), (std::vector<Received>{{window, WM_USER, 41, 0}}));
  SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previousOfOuter));
  SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previousOfInner));
  EXPECT_EQ(GetWindowLongW(window, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&recordingProcedure));
}

TEST_F(WindowsTest, WindowLongsAnswerThePreviousValueAndFailOnDeadWindows) {
  HWND window = create(u"w", WS_VISIBLE);
  EXPECT_EQ(SetWindowLongW(window, GWL_EXSTYLE, WS_EX_TOPMOST), 0);
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE), WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE), static_cast<LONG_PTR>(WS_VISIBLE));
  EXPECT_EQ(SetWindowLongW(window, GWL_USERDATA, 77), 0);
  EXPECT_EQ(SetWindowLongW(window, GWL_USERDATA, 78), 77);
  EXPECT_EQ(SetWindowLongW(window, GWL_WNDPROC, 0), 0);
  EXPECT_EQ(GetWindowLongW(window, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&recordingProcedure));
  DestroyWindow(window);
  EXPECT_EQ(SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&innerHook)), 0);
  EXPECT_EQ(GetWindowLongW(window, GWL_USERDATA), 0);
}

TEST_F(WindowsTest, ClassesAreUniqueWithoutCaseAndStayWhileInUse) {
  WindowClassInfo info;
  info.procedure = &recordingProcedure;
  info.className = u"RECORDER";
  EXPECT_EQ(RegisterClassW(&info), 0);
  info.procedure = nullptr;
  info.className = u"Other";
  EXPECT_EQ(RegisterClassW(&info), 0);
  EXPECT_EQ(CreateWindowExW(0, u"Missing", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  HWND window = CreateWindowExW(0, u"recorder", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(UnregisterClassW(u"Recorder", nullptr));
  DestroyWindow(window);
}

LRESULT refusingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  received().push_back({window, message, wParam, lParam});
  return message == WM_CREATE ? -1 : 0;
}

TEST_F(WindowsTest, CreationFailsWhenCreateAnswersMinusOne) {
  WindowClassInfo info;
  info.procedure = &refusingProcedure;
  info.className = u"Refuser";
  ASSERT_NE(RegisterClassW(&info), 0);
  received().clear();
  EXPECT_EQ(CreateWindowExW(0, u"Refuser", u"", WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  ASSERT_EQ(received().size(), 2u);
  EXPECT_EQ(received()[0].message, WM_CREATE);
  EXPECT_EQ(received()[1].message, WM_DESTROY);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_TRUE(UnregisterClassW(u"Refuser", nullptr));
}

LRESULT destroyAgainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  received().push_back({window, message, wParam, lParam});
  if (message == WM_DESTROY) {
    EXPECT_FALSE(DestroyWindow(window));
  }
  return 0;
}

LRESULT destroyOnCreateProcedure(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CREATE) DestroyWindow(window);
  return 0;
}

TEST_F(WindowsTest, AWindowDiesOnceEvenWhenItsProcedureDestroysItAgain) {
  WindowClassInfo info;
  info.procedure = &destroyAgainProcedure;
  info.className = u"Again";
  ASSERT_NE(RegisterClassW(&info), 0);
  info.procedure = &destroyOnCreateProcedure;
  info.className = u"Brief";
  ASSERT_NE(RegisterClassW(&info), 0);
  HWND window = CreateWindowExW(0, u"Again", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  received().clear();
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(received().size(), 1u);
  EXPECT_EQ(CreateWindowExW(0, u"Brief", u"", WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_TRUE(UnregisterClassW(u"Again", nullptr));
  EXPECT_TRUE(UnregisterClassW(u"Brief", nullptr));
}

TEST_F(WindowsTest, TheNewestTopLevelWindowComesToTheFront) {
  HWND first = create(u"first");
  EXPECT_EQ(GetForegroundWindow(), first);
  EXPECT_EQ(received(), (std::vector<Received>{{first, WM_CREATE, 0, 0}, {first, WM_ACTIVATE, WA_ACTIVE, 0}}));
  received().clear();
  HWND second = create(u"second");
  EXPECT_EQ(GetForegroundWindow(), second);
  EXPECT_EQ(received(),
            (std::vector<Received>{{second, WM_CREATE, 0, 0},
                                   {first, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(second)},
                                   {second, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(first)}}));
  HWND child = create(u"child", WS_VISIBLE, second);
  EXPECT_EQ(GetForegroundWindow(), second);
  EXPECT_EQ(newestTopLevelWindow(), second);
  DestroyWindow(second);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_EQ(newestTopLevelWindow(), first);
}

TEST_F(WindowsTest, SetForegroundIgnoresTheTagBitAndActivates) {
  HWND first = create(u"first");
  HWND second = create(u"second");
  received().clear();
  auto tagged = reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(first) | 1);
  EXPECT_TRUE(SetForegroundWindow(tagged));
  EXPECT_EQ(GetForegroundWindow(), first);
  ASSERT_EQ(received().size(), 2u);
  EXPECT_EQ(received()[0], (Received{second, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(first)}));
  EXPECT_EQ(received()[1].window, first);
  received().clear();
  EXPECT_TRUE(SetForegroundWindow(first));
  EXPECT_TRUE(received().empty());
}

TEST_F(WindowsTest, DeviceFocusChangesPostActivation) {
  HWND window = create();
  drain();
  deliverActivation(window, false);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  received().clear();
  drain();
  EXPECT_EQ(received(), (std::vector<Received>{{window, WM_ACTIVATE, WA_INACTIVE, 0}}));
  deliverActivation(window, true);
  EXPECT_EQ(GetForegroundWindow(), window);
}

TEST_F(WindowsTest, FindWindowMatchesClassAndTitle) {
  HWND window = create(u"Nightvault");
  EXPECT_EQ(FindWindowW(u"recorder", u"Nightvault"), window);
  EXPECT_EQ(FindWindowW(u"Recorder", nullptr), window);
  EXPECT_EQ(FindWindowW(nullptr, u"Nightvault"), window);
  EXPECT_EQ(FindWindowW(u"Recorder", u"nightvault"), nullptr);
  EXPECT_EQ(FindWindowW(u"HHTaskBar", nullptr), nullptr);
}

TEST_F(WindowsTest, PlacementAndClientArea) {
  HWND window = create(u"w", 0);
  ASSERT_TRUE(MoveWindow(window, 10, 20, 100, 50, false));
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect, (RECT{10, 20, 110, 70}));
  GetClientRect(window, &rect);
  EXPECT_EQ(rect, (RECT{0, 0, 100, 50}));
  EXPECT_FALSE(GetUpdateRect(window, nullptr, false));
  SetWindowPos(window, nullptr, 0, 0, 30, 40, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect, (RECT{10, 20, 40, 60}));
  EXPECT_FALSE(ShowWindow(window, SW_SHOW));
  EXPECT_TRUE(ShowWindow(window, SW_HIDE));
}

class SingleInstanceTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    SingleInstanceLock::instance().configure(folder_.string(), "/opt/game");
  }
  void TearDown() override {
    SingleInstanceLock::instance().disable();
    WindowTest::TearDown();
  }
  const nvtest::TempFolder folder_{"nv-lock"};
};

TEST_F(SingleInstanceTest, ASecondProcessFindsTheFirstCopysWindow) {
  int ready[2];
  int finish[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(finish), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool mine = FindWindowW(u"Recorder", u"Game") == nullptr && create(u"Game") != nullptr;
    char byte = mine ? 'y' : 'n';
    (void)!write(ready[1], &byte, 1);
    (void)!read(finish[0], &byte, 1);
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  EXPECT_EQ(byte, 'y');
  HWND other = FindWindowW(u"Recorder", u"Game");
  EXPECT_NE(other, nullptr);
  EXPECT_FALSE(IsWindow(other));
  EXPECT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(other) | 1)));
  EXPECT_EQ(FindWindowW(u"Recorder", u"Other title"), nullptr);
  (void)!write(finish[1], &byte, 1);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(FindWindowW(u"Recorder", u"Game"), nullptr);  // the lock went with the process
}

TEST_F(SingleInstanceTest, LockFilesDependOnProgramFolderClassAndTitle) {
  auto& lock = SingleInstanceLock::instance();
  const std::string base = lock.lockFilePath(u"GameEngine", u"Nightvault");
  EXPECT_EQ(base.rfind(folder_.string() + "/nightvault-", 0), 0u);
  EXPECT_NE(base, lock.lockFilePath(u"GameEngine", u"Other"));
  EXPECT_NE(base, lock.lockFilePath(u"GameEngin", u"eNightvault"));
  lock.configure(folder_.string(), "/opt/other");
  EXPECT_NE(base, lock.lockFilePath(u"GameEngine", u"Nightvault"));
}

TEST(MessageBoxTest, RecordsAndPresents) {
  clearRecordedMessageBoxes();
  struct ShowingDriver final : MemoryDriver {
    std::vector<MessageBoxRecord> shown;
    void showMessageBox(const MessageBoxRecord& record) override { shown.push_back(record); }
  } driver;
  DeviceDriverScope scope(driver);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxW(nullptr, u"GameEngine already exists!", u"Error!", MB_ICONERROR), static_cast<int>(IDOK));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error!: GameEngine already exists!\n");
  const MessageBoxRecord expected{u"GameEngine already exists!", u"Error!", MB_ICONERROR};
  EXPECT_EQ(recordedMessageBoxes(), std::vector<MessageBoxRecord>{expected});
  EXPECT_EQ(driver.shown, std::vector<MessageBoxRecord>{expected});
  clearRecordedMessageBoxes();
}

TEST(ResourcesTest, StringsIconAndCursor) {
  char16_t buffer[256];
  EXPECT_EQ(LoadStringW(nullptr, IDS_TITLE, buffer, 256), 10);
  EXPECT_EQ(std::u16string(buffer), u"Nightvault");
  EXPECT_EQ(LoadStringW(nullptr, IDS_WINDOW_CLASS, buffer, 256), 10);
  EXPECT_EQ(std::u16string(buffer), u"GameEngine");
  EXPECT_EQ(LoadStringW(nullptr, IDS_TITLE, buffer, 5), 4);
  EXPECT_EQ(std::u16string(buffer), u"Nigh");
  EXPECT_EQ(LoadStringW(nullptr, 999, buffer, 256), 0);
  EXPECT_NE(LoadIconW(nullptr, IDI_APPLICATION_ICON), nullptr);
  EXPECT_NE(LoadCursorW(nullptr, IDC_APPLICATION_CURSOR), nullptr);
}

}  // namespace
}  // namespace wce::testing
