#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "ProgramFolders.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DFileOutputStream.h"
#include "io/DPrintStream.h"
#include "io/DebugLogs.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::lang;
using namespace qel::io;
namespace Code = qel::lang::ExceptionCode;

namespace {

TEST(DPrintStreamTest, NullTargetDropsEverything) {
  DPrintStreamPtr stream = new DPrintStream(nullptr);
  stream->write(new DbyteArray(3), 0, 3);
  stream->write(DbyteArrayPtr(new DbyteArray(2)));
  stream->write(nullptr, 0, 5);
  stream->write(0x41);
  stream->flush();
  stream->close();
  stream->dispose();
}

TEST(DPrintStreamTest, ForwardsBytesUnchanged) {
  DByteArrayOutputStreamPtr target = new DByteArrayOutputStream();
  DPrintStreamPtr stream = new DPrintStream(target);
  stream->write(0x141);
  stream->write(new DbyteArray(3, 0, 'b', '\n', 'c'), 1, 2);
  stream->write(DbyteArrayPtr(new DbyteArray(1, 0, 'd')));
  stream->flush();
  DbyteArrayPtr bytes = target->toByteArray();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data()), bytes->length()), "A\ncd");
  EXPECT_THROWS_CODE(Code::NullPointer, stream->write(nullptr, 0, 1));
  EXPECT_THROWS_CODE(Code::IndexOutOfBounds, stream->write(new DbyteArray(1), 0, 2));
}

TEST(DPrintStreamTest, DisposeClosesTheTargetButDestructionDoesNot) {
  DByteArrayOutputStreamPtr kept = new DByteArrayOutputStream();
  { DPrintStreamPtr stream = new DPrintStream(kept); }
  EXPECT_EQ(kept->capacity(), 64);
  DPrintStreamPtr stream = new DPrintStream(kept);
  stream->dispose();
  EXPECT_EQ(kept->capacity(), 0);
}

TEST(DPrintStreamTest, TargetErrorsPassThrough) {
  ProgramFolders folders;
  DFileOutputStreamPtr file = new DFileOutputStream(u"log.txt");
  DPrintStreamPtr stream = new DPrintStream(file);
  stream->close();
  EXPECT_THROWS_CODE(Code::IO, stream->write(1));
  EXPECT_THROWS_CODE(Code::IO, stream->flush());
}

TEST(DebugLogsTest, OffWithoutTheSwitchFile) {
  ProgramFolders folders;
  DebugLogs logs = openDebugLogs();
  ASSERT_TRUE(logs.output && logs.error);
  logs.output->write(1);
  EXPECT_FALSE(std::filesystem::exists(folders.user() / "doutput.txt"));
  EXPECT_FALSE(std::filesystem::exists(folders.program() / "doutput.txt"));
}

TEST(DebugLogsTest, OnWithTheSwitchFile) {
  ProgramFolders folders;
  folders.writeProgramFile("uselog.txt", "");
  std::ofstream(folders.user() / "derror.txt") << "old run";
  {
    DebugLogs logs = openDebugLogs();
    ASSERT_TRUE(logs.output && logs.error);
  }
  for (const char* name : {"doutput.txt", "derror.txt"})
    EXPECT_EQ(ProgramFolders::contentOf(folders.user() / name), "\xEF\xBB\xBF") << name;
}

}  // namespace
