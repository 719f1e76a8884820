#pragma once

#include <cstdint>

#include "lang/DString.ptr.h"
#include "platform/window/WindowTypes.h"

namespace qel::lang {

// What the framework reads of the application host: timers on the host
// window, the running application's properties, and for displays whether
// frames may be drawn, pixel doubling and the window. The engine installs
// itself for its lifetime; without a host every timer start fails, there are
// no application properties and nothing is drawn.
class Host {
public:
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  virtual ~Host() = default;

  // Starts or restarts the platform timer id on the host window; false on failure.
  virtual bool setTimer(int32_t id, uint32_t intervalMs) = 0;
  virtual void killTimer(int32_t id) = 0;
  // The running application's property, or null.
  virtual DStringPtr appProperty(const DStringPtr& key) = 0;
  virtual bool isInactive() = 0;
  virtual bool isScale2x() const = 0;
  virtual wce::HWND getWindow() const = 0;

  // The installed host, or null.
  static Host* current();
  static void install(Host* host);
  // Removes host if it is the one installed.
  static void uninstall(Host* host);

protected:
  Host() = default;
};

}  // namespace qel::lang
