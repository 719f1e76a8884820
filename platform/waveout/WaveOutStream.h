#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/waveout/WaveOutTypes.h"

namespace wce {

// The queue of one open wave-out device: written buffers in order, the played
// position and the paused state. Drivers take bytes from it with pull.
class WaveOutStream {
public:
  WaveOutStream(HWAVEOUT handle, const WAVEFORMATEX& format, WaveOutProc callback, uintptr_t instance);
  WaveOutStream(const WaveOutStream&) = delete;
  WaveOutStream& operator=(const WaveOutStream&) = delete;

  const WAVEFORMATEX& format() const { return format_; }
  uint8_t silenceByte() const { return format_.bitsPerSample == 8 ? 0x80 : 0x00; }

  void prepare(WAVEHDR* header);
  // False while the buffer is queued.
  bool unprepare(WAVEHDR* header);
  // False when the buffer was not prepared.
  bool write(WAVEHDR* header);
  // Copies up to byteCount queued bytes into out (none while paused), fills the rest
  // with silence, and reports every buffer used up. Returns the bytes taken from buffers.
  size_t pull(uint8_t* out, size_t byteCount);
  // Takes the head buffer whole into out (appended); false when paused or empty.
  bool pullBuffer(std::vector<uint8_t>& out);
  void setPaused(bool paused);
  bool paused() const;
  // Marks every queued buffer done, reports each, and zeroes the position.
  void reset();
  size_t queuedCount() const;
  uint64_t bytesPlayed() const;

private:
  void report(const std::vector<WAVEHDR*>& finished);

  HWAVEOUT handle_;
  WAVEFORMATEX format_;
  WaveOutProc callback_;
  uintptr_t instance_;
  mutable std::mutex mutex_;
  std::deque<WAVEHDR*> queue_;
  size_t headOffset_ = 0;
  uint64_t bytesPlayed_ = 0;
  bool paused_ = false;
};

}  // namespace wce
