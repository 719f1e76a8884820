#include "lang/DSystem.h"

#include <algorithm>
#include <forward_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "lang/DString.h"
#include "lang/DboolArray.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "lang/Host.h"
#include "lang/ProcessCommandLine.h"
#include "lang/TextCodec.h"
#include "platform/files/Folders.h"
#include "platform/system/Clock.h"
#include "platform/system/SystemInfo.h"
#include "wireless/messaging/SmsLibrary.h"

namespace qel::lang {

namespace {

using qel::messaging::SmsAddress;
using qel::messaging::SmsLibrary;

bool keyIs(const DStringPtr& key, std::u16string_view name) { return key->view() == name; }

// The platform type text; empty when the query fails.
std::u16string platformType() {
  char16_t buffer[256] = {};
  if (!wce::SystemParametersInfoW(wce::SPI_GETPLATFORMTYPE, sizeof(buffer), buffer, 0)) return {};
  buffer[255] = u'\0';
  return buffer;
}

bool platformIs(std::u16string_view name) {
  DStringPtr text = new DString(platformType());
  return text->compareTo(DStringPtr(new DString(name))) == 0;
}

// The touch test for platforms other than "PocketPC": whether the device has
// a pointing device.
int32_t touchDriverPresent() { return wce::HasPointingDevice() ? 1 : 0; }

DStringPtr languageAbbreviation() {
  char16_t buffer[32] = {};
  if (wce::GetLocaleInfoW(wce::LOCALE_USER_DEFAULT, wce::LOCALE_SABBREVLANGNAME, buffer, 32) <= 0) return nullptr;
  buffer[2] = u'\0';
  return new DString(buffer);
}

DStringPtr smsServiceCentre() {
  SmsLibrary::SmscQuery query = SmsLibrary::smscQuery();
  if (!query) return nullptr;
  SmsAddress address;
  if (query(&address) < 0) return nullptr;
  const char16_t* text = address.address;
  return new DString(std::u16string_view(text, std::find(text, text + 256, u'\0') - text));
}

bool hostSetTimer(int32_t id, uint32_t intervalMs) {
  Host* host = Host::current();
  return host && host->setTimer(id, intervalMs);
}

void hostKillTimer(int32_t id) {
  if (Host* host = Host::current()) host->killTimer(id);
}

DStringPtr boolText(bool value) { return value ? u"true" : u"false"; }

// One window timer; the list holds the newest first.
struct DSystemTimer {
  int32_t id;
  DSystem::TimerCallback callback;
  intptr_t argument;
  uint32_t interval;
  bool active;
};

std::forward_list<DSystemTimer>& timers() {
  static std::forward_list<DSystemTimer> list;
  return list;
}

DSystemTimer* findTimer(int32_t id) {
  for (DSystemTimer& timer : timers())
    if (timer.id == id) return &timer;
  return nullptr;
}

template <class Array>
void copyElements(const DPtr<Array>& src, int32_t srcPos, const DPtr<Array>& dst, int32_t dstPos, int32_t length) {
  if (!src || !dst) throwException(ExceptionCode::NullPointer);
  if (srcPos < 0 || dstPos < 0 || length < 0 || srcPos > src->length() || dstPos > dst->length())
    throwException(ExceptionCode::IndexOutOfBounds);
  int32_t count = std::min(length, dst->length() - dstPos);
  if (src == dst) {
    std::vector<typename Array::Element> temporary;
    temporary.reserve(count);
    for (int32_t i = 0; i < count; ++i) temporary.push_back(src->at(srcPos + i));
    if (count > 0) std::copy(temporary.begin(), temporary.end(), dst->data() + dstPos);
    return;
  }
  int32_t available = std::min(count, src->length() - srcPos);
  if (available > 0) std::copy_n(src->data() + srcPos, available, dst->data() + dstPos);
}

}  // namespace

void DSystem::arraycopy(const DboolArrayPtr& src, int32_t srcPos, const DboolArrayPtr& dst, int32_t dstPos,
                        int32_t length) {
  copyElements(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DbyteArrayPtr& src, int32_t srcPos, const DbyteArrayPtr& dst, int32_t dstPos,
                        int32_t length) {
  copyElements(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DshortArrayPtr& src, int32_t srcPos, const DshortArrayPtr& dst, int32_t dstPos,
                        int32_t length) {
  copyElements(src, srcPos, dst, dstPos, length);
}

DStringPtr DSystem::getProperty(const DStringPtr& key) {
  if (!key) return nullptr;
  if (keyIs(key, u"app.commandline")) return new DString(ProcessCommandLine::text());
  if (keyIs(key, u"file.separator")) return u"\\";
  if (keyIs(key, u"app.fullpath")) return getApplicationDirectory();
  if (keyIs(key, u"archive.name")) return u"game.dat";
  if (keyIs(key, u"archive.password")) return u"";
  if (keyIs(key, u"platform.string")) return new DString(platformType());
  if (keyIs(key, u"system.eventbasedloop")) return u"false";
  if (keyIs(key, u"wireless.messaging.sms.smsc")) return smsServiceCentre();
  if (keyIs(key, u"wireless.messaging.sms.smssupport")) return boolText(SmsLibrary::loaded());
  if (keyIs(key, u"sensor.accelerometer")) return u"false";
  if (keyIs(key, u"system.language")) return languageAbbreviation();
  return nullptr;
}

int32_t DSystem::getIntProperty(const DStringPtr& key) {
  if (!key) return -1;
  struct Fixed {
    std::u16string_view key;
    int32_t value;
  };
  static constexpr Fixed fixedValues[] = {
      {u"platform.type", 2},
      {u"input.qwerty", -1},
      {u"input.mouse", 0},
      {u"sound.stereo", 1},
      {u"sound.bps", 16},
      {u"sound.frequency", 44100},
      {u"sound.sfx_channels", 32},
      {u"sound.music_channels", 16},
      {u"sound.buffer_size", 300},
      {u"platform.browser", 1},
      {u"system.eventbasedloop", 0},
      {u"sensor.accelerometer", 0},
  };
  if (keyIs(key, u"input.touchscreen")) return platformIs(u"PocketPC") ? 1 : touchDriverPresent();
  if (keyIs(key, u"input.softkeys")) return platformIs(u"SmartPhone") ? 1 : 0;
  if (keyIs(key, u"wireless.messaging.sms.smssupport")) return SmsLibrary::loaded() ? 1 : 0;
  for (const Fixed& fixed : fixedValues)
    if (keyIs(key, fixed.key)) return fixed.value;
  return -1;
}

int64_t DSystem::currentTimeMillis(int mode) {
  if (mode == 0) return static_cast<int64_t>(wce::MonotonicMillis());
  return wce::WallClockMillis();
}

void DSystem::sleep(uint32_t ms) { wce::Sleep(ms); }

DStringPtr DSystem::getApplicationDirectory() {
  std::string folder = wce::programFolder().string();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return new DString(fromMultiByte(folder));
}

int32_t DSystem::timerCreate(TimerCallback callback, intptr_t argument, uint32_t intervalMs, bool start) {
  if (!callback) return 0;
  int32_t largest = 0;
  for (const DSystemTimer& timer : timers()) largest = std::max(largest, timer.id);
  if (largest == std::numeric_limits<int32_t>::max()) return 0;
  int32_t id = largest + 1;
  if (start && !hostSetTimer(id, intervalMs)) return 0;
  timers().push_front(DSystemTimer{id, callback, argument, intervalMs, start});
  return id;
}

void DSystem::timerDestroy(int32_t id) {
  timers().remove_if([id](const DSystemTimer& timer) {
    if (timer.id != id) return false;
    if (timer.active) hostKillTimer(id);
    return true;
  });
}

bool DSystem::timerStart(int32_t id) {
  DSystemTimer* timer = findTimer(id);
  if (!timer) return false;
  if (!timer->active) timer->active = hostSetTimer(id, timer->interval);
  return timer->active;
}

void DSystem::timerStop(int32_t id) {
  DSystemTimer* timer = findTimer(id);
  if (!timer || !timer->active) return;
  hostKillTimer(id);
  timer->active = false;
}

void DSystem::timerDispatch(int32_t id) {
  DSystemTimer* timer = findTimer(id);
  if (!timer) return;
  if (!timer->active) {
    hostKillTimer(id);
    return;
  }
  // The callback may create or destroy timers, this one included.
  TimerCallback callback = timer->callback;
  intptr_t argument = timer->argument;
  callback(id, argument);
}

void DSystem::timerDestroyAll() {
  for (const DSystemTimer& timer : timers())
    if (timer.active) hostKillTimer(timer.id);
  timers().clear();
}

}  // namespace qel::lang
