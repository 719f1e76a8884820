#include <benchmark/benchmark.h>
#include <filesystem>

#include "display/api/Display.h"
#include "display/device/Log.h"
#include "platform/devices/DeviceModules.h"
#include "platform/system/ActiveDevice.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

// One scene per frame on an emulated device: 0 draws into the driver's own
// buffer through the shadow copy (raw frame buffer), 3 turns it by a quarter.
void BM_PresentFrame(benchmark::State& state) {
  wce::registerDeviceModules();
  setLogFolder(std::filesystem::temp_directory_path());
  wce::ScopedDeviceProfile profile(wce::DeviceProfile{});
  wce::WindowClassInfo info;
  info.procedure = &wce::DefWindowProcW;
  info.className = u"Bench";
  wce::RegisterClassW(&info);
  wce::HWND window =
      wce::CreateWindowExW(0, u"Bench", u"", wce::WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  {
    DisplayParams params{0, 0, static_cast<std::int32_t>(state.range(0)), 1};
    std::unique_ptr<Display> display = Display::Create(window, params);
    if (!display) {
      state.SkipWithError("no display");
      return;
    }
    for (auto _ : state) {
      display->BeginScene();
      benchmark::DoNotOptimize(display->GetBackBuffer()->pixels);
      display->EndScene(0);
    }
  }
  wce::DestroyWindow(window);
  wce::UnregisterClassW(u"Bench", nullptr);
}
BENCHMARK(BM_PresentFrame)->Arg(0)->Arg(3);

}  // namespace
}  // namespace tdlx
