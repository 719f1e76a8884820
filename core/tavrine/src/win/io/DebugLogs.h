#pragma once

#include "io/DPrintStream.ptr.h"

namespace qel::io {

// The host's output and error logs.
struct DebugLogs {
  DPrintStreamPtr output;
  DPrintStreamPtr error;
};

// With "\uselog.txt" beside the program, creates "/doutput.txt" and
// "/derror.txt" (emptied), writes the UTF-8 signature EF BB BF into each and
// wraps them in print streams; otherwise both print streams have no target.
// A file that cannot be created or written throws 0x06000000.
DebugLogs openDebugLogs();

}  // namespace qel::io
