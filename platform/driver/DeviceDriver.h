#pragma once
// The one seam between the emulated handheld and the machine it runs on: the
// machine's input, its window and its sound. The program makes one driver
// and hands it to the layer once (DeviceDriverScope); until then, and in
// tests that install none, the in-memory driver stands in.
//
// The window layer calls pollEvents before each look at the message queue
// and waitEvents when the window thread has nothing to do before a time-out;
// a post from any thread calls wake. A frame that ends on the panel calls
// presentFrame, which shows the panel through the driver.

#include <cstdint>
#include <memory>

namespace wce {

struct MessageBoxRecord;
class WaveOutDriver;

class DeviceDriver {
public:
  DeviceDriver() = default;
  DeviceDriver(const DeviceDriver&) = delete;
  DeviceDriver& operator=(const DeviceDriver&) = delete;
  virtual ~DeviceDriver() = default;

  // Turns the machine's waiting events into the layer's messages; never blocks.
  virtual void pollEvents() = 0;
  // Blocks until events arrived (they are turned into messages), wake was
  // called or timeoutMs (INFINITE: no limit) passed; it may return early.
  virtual void waitEvents(std::uint32_t timeoutMs) = 0;
  // Any thread: a message was posted; ends a wait that runs or comes next.
  virtual void wake() = 0;
  // Shows the panel as it is now.
  virtual void present() = 0;
  // Shows a message box to the person at the machine.
  virtual void showMessageBox(const MessageBoxRecord& record) = 0;
  // Where wave-out plays; null: the device has no sound.
  virtual std::shared_ptr<WaveOutDriver> waveOut() = 0;
};

// The installed driver, or the in-memory one.
DeviceDriver& deviceDriver();

// A frame ended on the panel: the driver shows it.
void presentFrame();

// Installs a driver (and its wave-out) for the object's lifetime, then
// restores the previous one. The driver must outlive the scope.
class DeviceDriverScope {
public:
  explicit DeviceDriverScope(DeviceDriver& driver);
  ~DeviceDriverScope();
  DeviceDriverScope(const DeviceDriverScope&) = delete;
  DeviceDriverScope& operator=(const DeviceDriverScope&) = delete;

private:
  DeviceDriver* previous_;
};

}  // namespace wce
