#pragma once

#include "platform/waveout/WaveOutTypes.h"

namespace wce {

// The wave-out calls, played through the installed driver (see WaveOutDriver.h).
// Buffers play in the order written; each finished buffer gets one WOM_DONE
// callback, made on the driver's thread (or on the caller's, for waveOutReset).
uint32_t waveOutGetNumDevs();
MMRESULT waveOutOpen(HWAVEOUT* handle, uint32_t deviceId, const WAVEFORMATEX* format, WaveOutProc callback,
                     uintptr_t instance, uint32_t flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT handle, WAVEHDR* header, uint32_t headerSize);
MMRESULT waveOutUnprepareHeader(HWAVEOUT handle, WAVEHDR* header, uint32_t headerSize);
MMRESULT waveOutWrite(HWAVEOUT handle, WAVEHDR* header, uint32_t headerSize);
MMRESULT waveOutPause(HWAVEOUT handle);
MMRESULT waveOutRestart(HWAVEOUT handle);
MMRESULT waveOutReset(HWAVEOUT handle);
MMRESULT waveOutGetPosition(HWAVEOUT handle, MMTIME* time, uint32_t timeSize);
MMRESULT waveOutClose(HWAVEOUT handle);

}  // namespace wce
