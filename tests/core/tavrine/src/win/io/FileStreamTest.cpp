#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "ProgramFolders.h"
#include "io/DDataInputStream.h"
#include "io/DFileInputStream.h"
#include "io/DFileOutputStream.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/TextCodec.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::lang;
using namespace qel::io;
namespace Code = qel::lang::ExceptionCode;

namespace {

std::string readAll(DFileInputStream& in) {
  std::string text;
  DbyteArrayPtr buffer = new DbyteArray(4);
  for (int32_t n; (n = in.read(buffer)) > 0;) text.append(reinterpret_cast<const char*>(buffer->data()), n);
  return text;
}

class FileStreamTest : public ::testing::Test {
protected:
  ProgramFolders folders;
};

TEST_F(FileStreamTest, OpenFailures) {
  folders.writeProgramFile("a/b.dat", "x");
  EXPECT_THROWS_CODE(Code::NullPointer, new DFileInputStream(nullptr));
  EXPECT_THROWS_CODE(Code::NullPointer, new DFileOutputStream(nullptr));
  for (const char16_t* path : {u"missing.dat", u"a", u"/a/", u"../program/a/b.dat", u"a/../a/b.dat", u""})
    EXPECT_THROWS_CODE(Code::IO, new DFileInputStream(path)) << toMultiByte(path);
  EXPECT_THROWS_CODE(Code::IO, new DFileOutputStream(u"../escape.dat"));
  std::filesystem::create_directories(folders.user() / "dir");
  EXPECT_THROWS_CODE(Code::IO, new DFileOutputStream(u"dir"));
  EXPECT_FALSE(std::filesystem::exists(folders.user().parent_path() / "escape.dat"));
}

TEST_F(FileStreamTest, PathRule) {
  folders.writeProgramFile("a/b.dat", "ab");
  folders.writeProgramFile("langid", "L");
  struct Row {
    const char16_t* path;
    const char16_t* name;
    const char* content;
  };
  const Row rows[] = {
      {u"a/b.dat", u"a\\b.dat", "ab"},
      {u"/a/b.dat", u"\\a\\b.dat", "ab"},
      {u"\\a\\b.dat", u"\\a\\b.dat", "ab"},
      {u"/langid", u"\\langid", "L"},
      {u"\\langid", u"\\langid", "L"},
      {u"langid", u"langid", "L"},
  };
  for (const Row& row : rows) {
    DFileInputStreamPtr in = new DFileInputStream(row.path);
    EXPECT_EQ(in->getName()->view(), row.name);
    EXPECT_EQ(readAll(*in), row.content) << toMultiByte(row.path);
  }
}

TEST_F(FileStreamTest, PositionsOnATenByteFile) {
  folders.writeProgramFile("ten.dat", "0123456789");
  DFileInputStreamPtr in = new DFileInputStream(u"ten.dat");
  EXPECT_EQ(in->available(), 10);
  EXPECT_EQ(in->skip(4), 4);
  EXPECT_EQ(in->getPosition(), 4);
  EXPECT_EQ(in->available(), 6);
  EXPECT_EQ(in->read(), '4');
  in->reset();
  EXPECT_EQ(in->getPosition(), 0);
  EXPECT_EQ(in->skip(20), 20);
  EXPECT_EQ(in->available(), -10);
  EXPECT_THROWS_CODE(Code::EndOfFile, in->read());
  EXPECT_THROWS_CODE(Code::IO, in->skip(-30));
  EXPECT_EQ(in->getPosition(), 20);
  EXPECT_EQ(in->skip(int64_t{1} << 32), 0);
  EXPECT_EQ(in->skip(-15), -15);
  EXPECT_EQ(in->read(), '5');
}

// A sparse file past 4 GiB: skips reach the bytes written there, and a
// count of bytes an int cannot hold is refused rather than cut short.
TEST_F(FileStreamTest, FileLargerThanFourGiB) {
  constexpr int64_t far = (int64_t{1} << 32) + 10;
  {
    std::ofstream out(folders.program() / "big.dat", std::ios::binary);
    out << "head";
    out.seekp(far);
    out << "tail";
  }
  DFileInputStreamPtr in = new DFileInputStream(u"big.dat");
  EXPECT_THROWS_CODE(Code::IO, in->available());
  EXPECT_EQ(in->skip(INT32_MAX), INT32_MAX);
  EXPECT_EQ(in->skip(INT32_MAX), INT32_MAX);
  EXPECT_EQ(in->skip(12), 12);
  EXPECT_EQ(in->getPosition(), far);
  EXPECT_EQ(in->available(), 4);
  EXPECT_EQ(readAll(*in), "tail");
  in->reset();
  EXPECT_EQ(in->read(), 'h');
}

TEST_F(FileStreamTest, EmptyFile) {
  folders.writeProgramFile("empty.dat", "");
  DFileInputStreamPtr in = new DFileInputStream(u"empty.dat");
  DbyteArrayPtr b = new DbyteArray(4);
  uint8_t raw[4];
  EXPECT_EQ(in->available(), 0);
  EXPECT_THROWS_CODE(Code::EndOfFile, in->read());
  EXPECT_EQ(in->read(b, 0, 4), -1);
  EXPECT_EQ(in->readRaw(raw, 4), 0);
  EXPECT_THROWS_CODE(Code::IO, in->read(b, 0, 0));
  EXPECT_THROWS_CODE(Code::IO, in->getData());  // asks for 0 bytes
}

TEST_F(FileStreamTest, ReadArguments) {
  folders.writeProgramFile("ten.dat", "0123456789");
  DFileInputStreamPtr in = new DFileInputStream(u"ten.dat");
  DbyteArrayPtr b = new DbyteArray(4);
  EXPECT_THROWS_CODE(Code::NullPointer, in->read(nullptr, 0, 1));
  EXPECT_THROWS_CODE(Code::NullPointer, in->read(DbyteArrayPtr()));
  EXPECT_THROWS_CODE(Code::IO, in->read(DbyteArrayPtr(new DbyteArray(0))));
  EXPECT_THROWS_CODE(Code::IO, in->read(b, 5, 1));
  EXPECT_THROWS_CODE(Code::IndexOutOfBounds, in->read(b, 2, 3));
  EXPECT_THROWS_CODE(Code::IndexOutOfBounds, in->read(b, -1, 2));
  EXPECT_THROWS_CODE(Code::IndexOutOfBounds, in->read(b, 0, -1));
  EXPECT_THROWS_CODE(Code::NullPointer, in->readRaw(nullptr, 1));
  uint8_t raw[4];
  EXPECT_THROWS_CODE(Code::IndexOutOfBounds, in->readRaw(raw, -1));
  EXPECT_EQ(in->getPosition(), 0);
  EXPECT_EQ(in->read(b, 2, 2), 2);
  EXPECT_EQ(b->at(2), '0');
  EXPECT_EQ(in->readRaw(raw, 4), 4);
  EXPECT_EQ(raw[0], '2');
}

TEST_F(FileStreamTest, ClosedStreamsFail) {
  folders.writeProgramFile("ten.dat", "0123456789");
  DFileInputStreamPtr in = new DFileInputStream(u"ten.dat");
  in->dispose();
  in->close();
  in->reset();
  EXPECT_THROWS_CODE(Code::IO, in->read());
  EXPECT_THROWS_CODE(Code::IO, in->available());
  EXPECT_THROWS_CODE(Code::IO, in->getPosition());
  DFileOutputStreamPtr out = new DFileOutputStream(u"out.dat");
  out->dispose();
  EXPECT_THROWS_CODE(Code::IO, out->write(1));
  EXPECT_THROWS_CODE(Code::IO, out->flush());
}

TEST_F(FileStreamTest, ReadUtfEndingInsideTheString) {
  folders.writeProgramFile("utf.dat",
                           std::string("\x00\x05"
                                       "abc",
                                       5));
  DDataInputStreamPtr in = new DDataInputStream(new DFileInputStream(u"utf.dat"));
  EXPECT_THROWS_CODE(Code::EndOfFile, in->readUTF());
}

TEST_F(FileStreamTest, OutputCreatesOrEmpties) {
  {
    DFileOutputStreamPtr out = new DFileOutputStream(u"/sub/out.dat");
    DbyteArrayPtr b = new DbyteArray(3, 0, 'a', 'b', 'c');
    out->write(b, 0, 0);
    out->write(0x1234);
    out->write(b, 1, 2);
    out->write(b);
    EXPECT_THROWS_CODE(Code::NullPointer, out->write(nullptr, 0, 1));
    EXPECT_THROWS_CODE(Code::NullPointer, out->write(DbyteArrayPtr()));
    EXPECT_THROWS_CODE(Code::IO, out->write(b, 4, 0));
    EXPECT_THROWS_CODE(Code::IO, out->write(b, 0, -1));
    EXPECT_THROWS_CODE(Code::IndexOutOfBounds, out->write(b, 2, 2));
    EXPECT_THROWS_CODE(Code::IndexOutOfBounds, out->write(b, -1, 2));
    out->flush();
  }
  EXPECT_EQ(ProgramFolders::contentOf(folders.user() / "sub/out.dat"), "4bcabc");
  DFileInputStreamPtr in = new DFileInputStream(u"sub\\out.dat");
  EXPECT_EQ(readAll(*in), "4bcabc");
  in->close();

  DFileOutputStreamPtr again = new DFileOutputStream(u"sub/out.dat");
  EXPECT_EQ(ProgramFolders::contentOf(folders.user() / "sub/out.dat"), "");
}

TEST_F(FileStreamTest, DestructionClosesTheFile) {
  folders.writeProgramFile("ten.dat", "0123456789");
  auto openDescriptors = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
  };
  const auto before = openDescriptors();
  {
    DFileInputStreamPtr in = new DFileInputStream(u"ten.dat");
    DFileOutputStreamPtr out = new DFileOutputStream(u"out.dat");
    EXPECT_EQ(openDescriptors(), before + 2);
  }
  EXPECT_EQ(openDescriptors(), before);
}

}  // namespace
