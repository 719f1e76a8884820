#include "io/DebugLogs.h"

#include "io/DFileOutputStream.h"
#include "io/DPrintStream.h"
#include "lang/DString.h"
#include "platform/files/ProgramPath.h"

namespace qel::io {

namespace {

DPrintStreamPtr openLog(const char16_t* path) {
  DOutputStreamPtr file = new DFileOutputStream(path);
  for (int byte : {0xEF, 0xBB, 0xBF}) file->write(byte);
  return new DPrintStream(file);
}

}  // namespace

DebugLogs openDebugLogs() {
  if (!wce::resolveForReading(u"\\uselog.txt")) return {new DPrintStream(nullptr), new DPrintStream(nullptr)};
  DebugLogs logs;
  logs.output = openLog(u"/doutput.txt");
  logs.error = openLog(u"/derror.txt");
  return logs;
}

}  // namespace qel::io
