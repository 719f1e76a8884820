#include "microedition/host/GameEngine.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "io/DPrintStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "microedition/backend/BackendTable.h"
#include "microedition/backend/DisplayBackend.h"
#include "microedition/displayable/DCanvas.h"
#include "microedition/displayable/DDisplay.h"
#include "microedition/displayable/KeyRemap.h"
#include "microedition/host/ApplicationFactory.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/media/DManager.h"
#include "microedition/midlet/DMIDlet.h"
#include "microedition/midlet/PlatformLibraries.h"
#include "microedition/raster/RasterAllocator.h"
#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/DisplaySettings.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/system/SystemInfo.h"
#include "platform/threads/Wait.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Resources.h"
#include "platform/window/Windows.h"
#include "sound/SoundSystem.h"
#include "util/DStringManager.h"
#include "wireless/messaging/DMessageConnection.h"
#include "wireless/messaging/DMessageListener.h"

namespace qel::host {

using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

GameEngine* engineInstance = nullptr;
int32_t passCounter = 0;

constexpr wce::DWORD FullScreenHide = wce::SHFS_HIDETASKBAR | wce::SHFS_HIDESIPBUTTON | wce::SHFS_HIDESTARTICON;
constexpr wce::DWORD FullScreenShow = wce::SHFS_SHOWTASKBAR | wce::SHFS_SHOWSIPBUTTON | wce::SHFS_SHOWSTARTICON;
constexpr int PlatformTypeBytes = 255;
constexpr int OemInfoBytes = 256;

std::u16string systemText(wce::UINT action, int bytes) {
  std::u16string text(static_cast<size_t>(bytes) / 2, u'\0');
  if (!wce::SystemParametersInfoW(action, static_cast<wce::UINT>(bytes), text.data(), 0)) return {};
  text.resize(std::u16string_view(text.c_str()).size());
  return text;
}

int screenDpi() {
  wce::HDC dc = wce::GetDC(nullptr);
  int dpi = wce::GetDeviceCaps(dc, wce::LOGPIXELSY);
  wce::ReleaseDC(nullptr, dc);
  return dpi;
}

}  // namespace

GameEngine::GameEngine(qel::util::DStringManagerPtr configuration) : config_(std::move(configuration)) {
  if (engineInstance) {
    wce::MessageBoxW(nullptr, u"GameEngine already exists!", u"Error!", wce::MB_ICONERROR);
    std::_Exit(0);
  }
  setInstance(this);
  qel::lang::Host::install(this);
  std::srand(wce::GetTickCount());
}

GameEngine::~GameEngine() {
  if (qel::media::DManager::isOpened()) qel::media::DManager::releaseSoundSystem();
  qel::messaging::DMessageConnection::releaseSmsAccess();
  qel::lang::Host::uninstall(this);
  if (splashBitmap_) wce::DeleteObject(splashBitmap_);
  if (engineInstance == this) engineInstance = nullptr;
  config_.release();
  display_.release();
  midlet_.release();
}

void GameEngine::setInstance(GameEngine* engine) { engineInstance = engine; }

GameEngine* GameEngine::instance() { return engineInstance; }

void GameEngine::requestFrame() {
  if (engineInstance) engineInstance->frameRequested_ = true;
}

DStringPtr GameEngine::getAppProperty(DStringPtr key) {
  if (!engineInstance) qel::lang::throwNullPointer();
  return engineInstance->midlet_->getAppProperty(std::move(key));
}

bool GameEngine::setTimer(int32_t id, uint32_t intervalMs) {
  return window_ && wce::SetTimer(window_, static_cast<wce::UINT_PTR>(id), intervalMs, nullptr) != 0;
}

void GameEngine::killTimer(int32_t id) {
  if (window_) wce::KillTimer(window_, static_cast<wce::UINT_PTR>(id));
}

DStringPtr GameEngine::appProperty(const DStringPtr& key) { return getAppProperty(key); }

void GameEngine::pause() {
  if (nv::sound::SoundSystem* sound = qel::media::DManager::soundSystem()) sound->pause();
  if (midlet_) midlet_->pauseApp();
}

void GameEngine::resume() {
  if (nv::sound::SoundSystem* sound = qel::media::DManager::soundSystem()) sound->resume();
  if (qel::lcdui::DCanvasPtr canvas = currentCanvas()) canvas->showNotify();
}

bool GameEngine::isInactive() {
  if (wce::GetForegroundWindow() != window_ || !midlet_ || midlet_->getState() != qel::midlet::DMIDlet::StateRunning)
    return true;
  return paused_;
}

int32_t GameEngine::displayRotation() {
  wce::DeviceMode mode;
  mode.fields = wce::DM_DISPLAYORIENTATION;
  int32_t rotation = 0;
  if (wce::ChangeDisplaySettingsEx(nullptr, &mode, nullptr, wce::CDS_TEST, nullptr) == wce::DISP_CHANGE_SUCCESSFUL) {
    switch (mode.displayOrientation) {
      case wce::DMDO_90: rotation = 90; break;
      case wce::DMDO_180: rotation = 180; break;
      case wce::DMDO_270: rotation = 270; break;
      default: break;
    }
  }
  if (systemText(wce::SPI_GETOEMINFO, OemInfoBytes) == u"Handheld Reference Board") rotation = 90;
  return rotation;
}

void GameEngine::readDeviceRules() {
  keyRules_.smartphone = systemText(wce::SPI_GETPLATFORMTYPE, PlatformTypeBytes) == u"SmartPhone";
  wce::OsVersionInfo version;
  wce::GetVersionExW(&version);
  std::u16string oem = systemText(wce::SPI_GETOEMINFO, OemInfoBytes);
  if (version.major == 5) {
    qel::lcdui::KeyRemap::setTable(qel::lcdui::DCanvas::InputNumeric, qel::lcdui::KeyRemap::tableForOemText(oem));
  }
  keyRules_.specialKeys = oem.find(u"KOVS100") != std::u16string::npos;
}

void GameEngine::run(wce::HINSTANCE instance, int32_t width, int32_t height) {
  instance_ = instance;
  if (!createWindow(instance)) return;
  startTick_ = wce::GetTickCount();
  splashShowing_ = splashBitmap_ != nullptr;
  const int32_t rotation = displayRotation();

  qel::lcdui::BackendTable::createBackends();
  if (!qel::lcdui::BackendTable::exists()) return;
  DStringPtr driver = config_ ? config_->getString(DStringPtr(u"driver")) : nullptr;
  backend_ = qel::lcdui::BackendTable::choose(driver ? driver->chars() : nullptr);
  qel::raster::RasterAllocator::createHolder();
  if (!backend_ || !backend_->open(window_, {width, height, rotation})) {
    backend_ = nullptr;
    return;
  }
  highRes_ = backend_->width() >= 480 || backend_->height() >= 480;
  readDeviceRules();

  if (!initApp(window_)) {
    shutdown();
    return;
  }
  mainLoop();
  shutdown();
}

void GameEngine::paintSplash(wce::HWND window, wce::HDC dc) const {
  wce::RECT client;
  wce::BITMAP bitmap;
  if (!wce::GetClientRect(window, &client) || !wce::GetObjectW(splashBitmap_, sizeof bitmap, &bitmap)) return;
  const int32_t left = (client.right - bitmap.bmWidth - client.left) >> 1;
  const int32_t top = (client.bottom - bitmap.bmHeight - client.top) >> 1;
  wce::HDC memory = wce::CreateCompatibleDC(dc);
  if (!memory) return;
  wce::HGDIOBJ previous = wce::SelectObject(memory, splashBitmap_);
  wce::BitBlt(dc, left, top, bitmap.bmWidth, bitmap.bmHeight, memory, 0, 0, wce::SRCCOPY);
  wce::SelectObject(memory, previous);
  wce::DeleteDC(memory);
}

bool GameEngine::createWindow(wce::HINSTANCE instance) {
  wce::LoadStringW(instance, wce::IDS_TITLE, title_, TextCapacity);
  wce::LoadStringW(instance, wce::IDS_WINDOW_CLASS, className_, TextCapacity);
  splashBitmap_ = wce::LoadBitmapW(instance, wce::IDB_SPLASH);
  if (wce::HWND existing = wce::FindWindowW(className_, title_)) {
    wce::SetForegroundWindow(reinterpret_cast<wce::HWND>(reinterpret_cast<uintptr_t>(existing) | 1));
    return false;
  }
  wce::WindowClassInfo info;
  info.style = wce::CS_HREDRAW | wce::CS_VREDRAW;
  info.procedure = &GameEngine::windowProc;
  info.instance = instance;
  info.icon = wce::LoadIconW(instance, wce::IDI_APPLICATION_ICON);
  info.cursor = wce::LoadCursorW(instance, wce::IDC_APPLICATION_CURSOR);
  info.background = wce::GetStockObject(wce::WHITE_BRUSH);
  info.className = className_;
  wce::RegisterClassW(&info);
  window_ = wce::CreateWindowExW(0,
                                 className_,
                                 title_,
                                 wce::WS_VISIBLE,
                                 0,
                                 0,
                                 wce::GetSystemMetrics(wce::SM_CXSCREEN),
                                 wce::GetSystemMetrics(wce::SM_CYSCREEN),
                                 nullptr,
                                 nullptr,
                                 instance,
                                 nullptr);
  if (!window_) return false;
  if (wce::SHFullScreenFunction fullScreen = qel::midlet::PlatformLibraries::shFullScreen()) {
    fullScreen(window_, FullScreenHide);
  }
  return true;
}

bool GameEngine::initApp(wce::HWND window) {
  qel::media::DManager::initSoundSystem();
  qel::messaging::DMessageConnection::initSmsAccess(window);
  try {
    logs_ = qel::io::openDebugLogs();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::IO);
    return false;
  }
  midlet_ = createApplication();
  if (!midlet_) return false;
  if (highRes_ && midlet_->getAppProperty(DStringPtr(u"screen.scale2x"))) scale2x_ = true;
  qel::lcdui::DFont::setDpiSource(&screenDpi);
  qel::lcdui::DFont::setPixelDoubling(scale2x_);
  wce::ShowWindow(window, wce::SW_SHOW);
  wce::UpdateWindow(window);
  display_ = new qel::lcdui::DDisplay(backend_);
  try {
    midlet_->startApp();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    return false;
  }
  return midlet_->getState() != qel::midlet::DMIDlet::StateDestroyed;
}

void GameEngine::mainLoop() {
  wce::MSG message;
  while (running_ != 0) {
    if (!paused_) {
      if (wce::PeekMessageW(&message, nullptr, 0, 0, wce::PM_REMOVE)) {
        wce::TranslateMessage(&message);
        wce::DispatchMessageW(&message);
      }
    } else {
      int result = wce::GetMessageW(&message, nullptr, 0, 0);
      if (result == 0) {
        running_ = 0;
      } else if (result != -1) {
        wce::TranslateMessage(&message);
        wce::DispatchMessageW(&message);
      }
    }
    if (++passCounter > 99 && !frameRequested_) {
      wce::Sleep(1);
      passCounter = 0;
    }
    if (!paused_) {
      frameRequested_ = false;
      if (!tick()) break;
      waitForStep();
    }
  }
}

void GameEngine::waitForStep() {
  if (frameRequested_ || splashShowing_ || !midlet_) return;
  const int64_t idle = midlet_->millisUntilStep();
  if (idle <= 0) return;
  const auto limit = static_cast<wce::DWORD>(std::min<int64_t>(idle, wce::INFINITE - 1));
  wce::MsgWaitForMultipleObjects(0, nullptr, false, limit, wce::QS_ALLINPUT);
}

bool GameEngine::tick() {
  if (splashShowing_) {
    if (wce::GetTickCount() > startTick_) splashShowing_ = false;
    return true;
  }
  qel::messaging::DMessageConnection::pollListeners();
  if (!midlet_) return false;
  midlet_->step();
  return midlet_->getState() != qel::midlet::DMIDlet::StateDestroyed;
}

void GameEngine::shutdown() {
  logs_ = {};
  if (midlet_) midlet_->destroyApp(true);
  qel::midlet::DMIDlet::releaseCurrent();
  qel::lcdui::DFont::releaseFonts();
  midlet_.release();
  display_.release();
  qel::raster::RasterAllocator::destroyDefault();
  qel::lang::DSystem::timerDestroyAll();
  if (backend_) backend_->close();
  backend_ = nullptr;
  if (qel::lcdui::BackendTable::exists()) qel::lcdui::BackendTable::destroyBackends();
  wce::DestroyWindow(window_);
  window_ = nullptr;
  wce::UnregisterClassW(className_, instance_);
}

qel::lcdui::DCanvasPtr GameEngine::currentCanvas() const {
  return display_ ? display_->getCurrent() : qel::lcdui::DCanvasPtr();
}

template <typename Dispatch>
void GameEngine::deliverKey(wce::WPARAM virtualKey, Dispatch dispatch) {
  qel::lcdui::DCanvasPtr canvas = currentCanvas();
  if (!canvas) return;
  if (std::optional<int32_t> code = translateVirtualKey(virtualKey, keyRules_)) dispatch(*canvas, *code);
}

void GameEngine::keyPressed(wce::WPARAM virtualKey) {
  deliverKey(virtualKey, [](qel::lcdui::DCanvas& canvas, int32_t code) { canvas.dispatchKeyPressed(code); });
}

void GameEngine::keyRepeated(wce::WPARAM virtualKey) {
  deliverKey(virtualKey, [](qel::lcdui::DCanvas& canvas, int32_t code) { canvas.dispatchKeyRepeated(code); });
}

void GameEngine::keyReleased(wce::WPARAM virtualKey) {
  deliverKey(virtualKey, [](qel::lcdui::DCanvas& canvas, int32_t code) { canvas.dispatchKeyReleased(code); });
}

template <typename Dispatch>
void GameEngine::deliverPointer(int32_t x, int32_t y, Dispatch dispatch) {
  if (!display_) return;
  if (scale2x_) {
    x >>= 1;
    y >>= 1;
  }
  if (qel::lcdui::DCanvasPtr canvas = currentCanvas()) dispatch(*canvas, x, y);
}

void GameEngine::pointerPressed(int32_t x, int32_t y) {
  deliverPointer(x, y, [](qel::lcdui::DCanvas& canvas, int32_t px, int32_t py) { canvas.pointerPressed(px, py); });
}

void GameEngine::pointerReleased(int32_t x, int32_t y) {
  deliverPointer(x, y, [](qel::lcdui::DCanvas& canvas, int32_t px, int32_t py) { canvas.pointerReleased(px, py); });
}

void GameEngine::pointerDragged(int32_t x, int32_t y) {
  deliverPointer(x, y, [](qel::lcdui::DCanvas& canvas, int32_t px, int32_t py) { canvas.pointerDragged(px, py); });
}

void GameEngine::pointerMoved(int32_t x, int32_t y) {
  deliverPointer(x, y, [](qel::lcdui::DCanvas& canvas, int32_t px, int32_t py) { canvas.pointerMoved(px, py); });
}

wce::LRESULT GameEngine::windowProc(wce::HWND window, wce::UINT message, wce::WPARAM wParam, wce::LPARAM lParam) {
  GameEngine* engine = engineInstance;
  if (!engine) return wce::DefWindowProcW(window, message, wParam, lParam);
  const auto x = static_cast<int32_t>(wce::LOWORD(static_cast<uintptr_t>(lParam)));
  const auto y = static_cast<int32_t>(wce::HIWORD(static_cast<uintptr_t>(lParam)));
  switch (message) {
    case wce::WM_CREATE:
    case wce::WM_SETTINGCHANGE: return 0;
    case wce::WM_PAINT: {
      wce::PAINTSTRUCT paint;
      wce::HDC dc = wce::BeginPaint(window, &paint);
      if (engine->splashShowing_ && engine->splashBitmap_ && dc) engine->paintSplash(window, dc);
      wce::EndPaint(window, &paint);
      return 0;
    }
    case wce::WM_DESTROY:
      if (wce::SHFullScreenFunction fullScreen = qel::midlet::PlatformLibraries::shFullScreen()) {
        fullScreen(engine->window_, FullScreenShow);
      }
      return 0;
    case wce::WM_ACTIVATE:
      if (wce::LOWORD(wParam) != 0) {
        engine->paused_ = false;
        engine->resume();
      } else {
        engine->paused_ = true;
        engine->pause();
      }
      return 0;
    case wce::WM_CLOSE: engine->running_ = 0; return 0;
    case wce::WM_KEYDOWN:
      if (lParam & wce::KF_REPEAT_BIT) {
        engine->keyRepeated(wParam);
      } else {
        engine->keyPressed(wParam);
      }
      return 0;
    case wce::WM_KEYUP: engine->keyReleased(wParam); return 0;
    case wce::WM_LBUTTONDOWN: engine->pointerPressed(x, y); return 0;
    case wce::WM_LBUTTONUP: engine->pointerReleased(x, y); return 0;
    case wce::WM_MOUSEMOVE:
      if (wParam & wce::MK_LBUTTON) {
        engine->pointerDragged(x, y);
      } else {
        engine->pointerMoved(x, y);
      }
      return 0;
    case wce::WM_COMMAND:
      if (wce::LOWORD(wParam) != wce::IDOK) return wce::DefWindowProcW(window, message, wParam, lParam);
      wce::SendMessageW(window, wce::WM_CLOSE, 0, 0);
      return 0;
    case wce::WM_TIMER: qel::lang::DSystem::timerDispatch(static_cast<int32_t>(wParam)); return 0;
    default: return wce::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace qel::host
