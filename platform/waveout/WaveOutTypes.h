#pragma once

#include <cstdint>

namespace wce {

using MMRESULT = uint32_t;

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_NODRIVER = 6;
inline constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT WAVERR_BADFORMAT = 32;
inline constexpr MMRESULT WAVERR_STILLPLAYING = 33;
inline constexpr MMRESULT WAVERR_UNPREPARED = 34;

inline constexpr uint32_t WOM_OPEN = 0x3BB;
inline constexpr uint32_t WOM_CLOSE = 0x3BC;
inline constexpr uint32_t WOM_DONE = 0x3BD;

inline constexpr uint32_t CALLBACK_NULL = 0x00000;
inline constexpr uint32_t CALLBACK_FUNCTION = 0x30000;

inline constexpr uint16_t WAVE_FORMAT_PCM = 1;

inline constexpr uint32_t WHDR_DONE = 0x01;
inline constexpr uint32_t WHDR_PREPARED = 0x02;
inline constexpr uint32_t WHDR_INQUEUE = 0x10;

inline constexpr uint32_t TIME_MS = 0x01;
inline constexpr uint32_t TIME_SAMPLES = 0x02;
inline constexpr uint32_t TIME_BYTES = 0x04;

struct WAVEFORMATEX {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  uint16_t extraSize = 0;
};

struct WAVEHDR {
  uint8_t* data = nullptr;
  uint32_t bufferLength = 0;
  uint32_t flags = 0;
  uintptr_t user = 0;
};

struct MMTIME {
  uint32_t type = TIME_MS;
  uint32_t value = 0;  // milliseconds, sample frames or bytes, as type says
};

class WaveOutHandle;
using HWAVEOUT = WaveOutHandle*;

using WaveOutProc = void (*)(HWAVEOUT handle, uint32_t message, uintptr_t instance, uintptr_t param1, uintptr_t param2);

}  // namespace wce
