#pragma once

#include <cstdint>

namespace nv::sound {

// Output format of a device: flags bit 0 8-bit, bit 1 16-bit, bit 4 signed, bit 5 unsigned.
struct OutputFormat {
  static constexpr uint32_t k8Bit = 0x01;
  static constexpr uint32_t k16Bit = 0x02;
  static constexpr uint32_t kSigned = 0x10;
  static constexpr uint32_t kUnsigned = 0x20;

  uint32_t rate = 0;
  uint32_t flags = 0;
  uint32_t channels = 0;
};

// Fills a whole buffer with samples in the opened format.
using FillCallback = void (*)(void* user, uint8_t* buffer, uint32_t byteCount);

// A sound output that asks its fill callback for one buffer at a time. The owner
// closes it before deleting it.
class AudioOutputDevice {
public:
  virtual ~AudioOutputDevice() = default;
  virtual int open(const OutputFormat* format, uint32_t bufferFrames, FillCallback fill, void* user) = 0;
  virtual int close() = 0;
  virtual void lock() = 0;
  virtual void unlock() = 0;
  virtual void pause() = 0;
  virtual void resume() = 0;
};

}  // namespace nv::sound
