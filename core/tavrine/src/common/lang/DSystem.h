#pragma once

#include <cstdint>

#include "lang/DString.ptr.h"
#include "lang/DboolArray.ptr.h"
#include "lang/DbyteArray.ptr.h"
#include "lang/DshortArray.ptr.h"

namespace qel::lang {

// The framework's static services: system properties, the clock, sleep,
// the program folder and the window timers.
class DSystem {
public:
  // Called on the window thread with the timer's id and its argument word.
  using TimerCallback = void (*)(int32_t id, intptr_t argument);

  DSystem() = delete;

  // Text properties, worked out anew on every request; null for an unknown
  // or null key and for a value that cannot be had.
  static DStringPtr getProperty(const DStringPtr& key);
  // Integer properties; -1 for an unknown or null key.
  static int32_t getIntProperty(const DStringPtr& key);

  // Mode 0: milliseconds of the monotonic clock (64 bits, never wraps);
  // any other mode: Unix milliseconds, UTC.
  static int64_t currentTimeMillis(int mode);
  static void sleep(uint32_t ms);
  // The program's folder, without a trailing separator ("app.fullpath").
  static DStringPtr getApplicationDirectory();

  // Window timers, run on the host window (lang/Host.h). Create answers
  // the new id (1 + the largest id in use), or 0 for a null callback, an
  // exhausted id range, or a start that failed (which leaves no timer).
  static int32_t timerCreate(TimerCallback callback, intptr_t argument, uint32_t intervalMs, bool start);
  // Unknown ids do nothing; an active timer is killed first.
  static void timerDestroy(int32_t id);
  // False for an unknown id or a failed start; true at once when active.
  static bool timerStart(int32_t id);
  static void timerStop(int32_t id);
  // The host's timer message: an active timer's callback runs, an inactive
  // one's platform timer is killed, an unknown id is ignored.
  static void timerDispatch(int32_t id);
  // Shutdown: stops and frees every timer.
  static void timerDestroyAll();

  // Copies min(length, dst length - dstPos) elements from src[srcPos] to
  // dst[dstPos]. Null arrays throw 0x05000080; negative positions or length,
  // or a position past its array's end, 0x05800000. Within one array the
  // elements go through a temporary and a source range past the end throws
  // 0x05800001 before anything is written; between two arrays the copy stops
  // silently at the end of the source.
  static void arraycopy(const DboolArrayPtr& src, int32_t srcPos, const DboolArrayPtr& dst, int32_t dstPos,
                        int32_t length);
  static void arraycopy(const DbyteArrayPtr& src, int32_t srcPos, const DbyteArrayPtr& dst, int32_t dstPos,
                        int32_t length);
  static void arraycopy(const DshortArrayPtr& src, int32_t srcPos, const DshortArrayPtr& dst, int32_t dstPos,
                        int32_t length);
};

}  // namespace qel::lang
