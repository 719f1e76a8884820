#include "platform/waveout/WaveOut.h"

#include <memory>
#include <mutex>

#include "platform/waveout/WaveOutDriver.h"
#include "platform/waveout/WaveOutStream.h"

namespace wce {

class WaveOutHandle {
public:
  WaveOutHandle(std::shared_ptr<WaveOutDriver> driver, const WAVEFORMATEX& format, WaveOutProc callback,
                uintptr_t instance)
      : driver_(std::move(driver)), stream_(this, format, callback, instance) {}

  bool attach(uint32_t deviceId) {
    port_ = driver_->open(deviceId, stream_);
    return port_ != nullptr;
  }
  WaveOutStream& stream() { return stream_; }
  WaveOutPort& port() { return *port_; }
  // The port goes first, so that nothing pulls from the stream any more.
  ~WaveOutHandle() { port_.reset(); }

private:
  std::shared_ptr<WaveOutDriver> driver_;
  WaveOutStream stream_;
  std::unique_ptr<WaveOutPort> port_;
};

namespace {

std::mutex& driverMutex() {
  static std::mutex mutex;
  return mutex;
}

std::shared_ptr<WaveOutDriver>& driverSlot() {
  static std::shared_ptr<WaveOutDriver> driver;
  return driver;
}

bool validFormat(const WAVEFORMATEX& format) {
  bool bitsOk = format.bitsPerSample == 8 || format.bitsPerSample == 16;
  bool channelsOk = format.channels == 1 || format.channels == 2;
  return format.formatTag == WAVE_FORMAT_PCM && bitsOk && channelsOk && format.samplesPerSec > 0 &&
         format.blockAlign == format.bitsPerSample / 8 * format.channels &&
         format.avgBytesPerSec == format.samplesPerSec * format.blockAlign;
}

bool validHeader(const WAVEHDR* header, uint32_t size) {
  return header != nullptr && size >= sizeof(WAVEHDR) && header->data != nullptr && header->bufferLength > 0;
}

}  // namespace

void installWaveOutDriver(std::shared_ptr<WaveOutDriver> driver) {
  std::lock_guard<std::mutex> guard(driverMutex());
  driverSlot() = std::move(driver);
}

std::shared_ptr<WaveOutDriver> installedWaveOutDriver() {
  std::lock_guard<std::mutex> guard(driverMutex());
  return driverSlot();
}

uint32_t waveOutGetNumDevs() {
  auto driver = installedWaveOutDriver();
  return driver ? driver->deviceCount() : 0;
}

MMRESULT waveOutOpen(HWAVEOUT* handle, uint32_t deviceId, const WAVEFORMATEX* format, WaveOutProc callback,
                     uintptr_t instance, uint32_t flags) {
  if (handle == nullptr || format == nullptr) {
    return MMSYSERR_INVALPARAM;
  }
  if (flags != CALLBACK_NULL && flags != CALLBACK_FUNCTION) {
    return MMSYSERR_INVALFLAG;
  }
  auto driver = installedWaveOutDriver();
  if (!driver) {
    return MMSYSERR_NODRIVER;
  }
  if (deviceId >= driver->deviceCount()) {
    return MMSYSERR_BADDEVICEID;
  }
  if (!validFormat(*format)) {
    return WAVERR_BADFORMAT;
  }
  auto opened =
      std::make_unique<WaveOutHandle>(driver, *format, flags == CALLBACK_FUNCTION ? callback : nullptr, instance);
  if (!opened->attach(deviceId)) {
    return WAVERR_BADFORMAT;
  }
  *handle = opened.release();
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT handle, WAVEHDR* header, uint32_t headerSize) {
  if (handle == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  if (!validHeader(header, headerSize)) {
    return MMSYSERR_INVALPARAM;
  }
  handle->stream().prepare(header);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT handle, WAVEHDR* header, uint32_t headerSize) {
  if (handle == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  if (header == nullptr || headerSize < sizeof(WAVEHDR)) {
    return MMSYSERR_INVALPARAM;
  }
  return handle->stream().unprepare(header) ? MMSYSERR_NOERROR : WAVERR_STILLPLAYING;
}

MMRESULT waveOutWrite(HWAVEOUT handle, WAVEHDR* header, uint32_t headerSize) {
  if (handle == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  if (!validHeader(header, headerSize)) {
    return MMSYSERR_INVALPARAM;
  }
  if (!handle->stream().write(header)) {
    return WAVERR_UNPREPARED;
  }
  handle->port().written();
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPause(HWAVEOUT handle) {
  if (handle == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  handle->stream().setPaused(true);
  handle->port().paused(true);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT handle) {
  if (handle == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  handle->stream().setPaused(false);
  handle->port().paused(false);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT handle) {
  if (handle == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  handle->stream().reset();
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetPosition(HWAVEOUT handle, MMTIME* time, uint32_t timeSize) {
  if (handle == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  if (time == nullptr || timeSize < sizeof(MMTIME)) {
    return MMSYSERR_INVALPARAM;
  }
  const WAVEFORMATEX& format = handle->stream().format();
  uint64_t bytes = handle->stream().bytesPlayed();
  switch (time->type) {
    case TIME_BYTES: time->value = static_cast<uint32_t>(bytes); break;
    case TIME_SAMPLES: time->value = static_cast<uint32_t>(bytes / format.blockAlign); break;
    default:
      time->type = TIME_MS;
      time->value = static_cast<uint32_t>(bytes * 1000 / format.avgBytesPerSec);
      break;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT handle) {
  if (handle == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  if (handle->stream().queuedCount() != 0) {
    return WAVERR_STILLPLAYING;
  }
  delete handle;
  return MMSYSERR_NOERROR;
}

}  // namespace wce
