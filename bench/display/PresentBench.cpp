#include <benchmark/benchmark.h>
#include <cstring>
#include <filesystem>
#include <vector>

#include "display/api/Display.h"
#include "display/device/Log.h"
#include "platform/devices/DeviceModules.h"
#include "platform/system/ActiveDevice.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

// One scene per frame on an emulated device, in each orientation: 0 draws into
// the driver's own buffer through the shadow copy (raw frame buffer), 1 and 3
// turn it by a quarter, 2 by a half.
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
BENCHMARK(BM_PresentFrame)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

// The anchor of a present: one memcpy of the 240 x 320 frame.
void BM_PresentMemcpy(benchmark::State& state) {
  std::vector<std::uint16_t> frame(240 * 320, 0x1234), panel(240 * 320);
  for (auto _ : state) {
    std::memcpy(panel.data(), frame.data(), frame.size() * sizeof frame[0]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PresentMemcpy);

}  // namespace
}  // namespace tdlx
