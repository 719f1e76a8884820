#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/TextCodec.h"

using namespace qel::lang;

namespace {

std::u16string widen(const char* text) { return widenLatin1(text); }

TEST(DExceptionBaseTest, FormatsDirectives) {
  EXPECT_EQ(DExceptionBase(1, u"id %d of %s", 7, u"x").message(), u"id 7 of x");
  EXPECT_EQ(DExceptionBase(1, u"%x", -1).message(), u"ffffffff");
  EXPECT_EQ(DExceptionBase(1, u"50%% done").message(), u"50% done");
  EXPECT_EQ(DExceptionBase(1, u"a%qb%d", 5).message(), u"ab5");
  EXPECT_EQ(DExceptionBase(1, u"end %").message(), u"end ");
  EXPECT_EQ(DExceptionBase(1, u"[%c]", 0x10041).message(), u"[A]");
  EXPECT_EQ(DExceptionBase(1, u"%s and %d").message(), u" and ");
  EXPECT_EQ(DExceptionBase(1, u"no directives").message(), u"no directives");
  EXPECT_EQ(DExceptionBase(7).message(), u"");
  DStringPtr name = u"game.dat";
  EXPECT_EQ(DExceptionBase(1, u"open %s: %s", name, DStringPtr()).message(), u"open game.dat: ");
  EXPECT_EQ(DExceptionBase(7).code(), 7u);
}

TEST(DExceptionBaseTest, NumbersMatchPrintf) {
  for (int value : {0, 1, -1, 42, -42, 255, 65535, 2147483647, -2147483647 - 1, 0x1a2b}) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%d/%x", value, static_cast<unsigned>(value));
    EXPECT_EQ(DExceptionBase(1, u"%d/%x", value, value).message(), widen(expected)) << value;
  }
}

TEST(DExceptionBaseTest, MessageStopsAt123Units) {
  std::u16string longText(300, u'a');
  DExceptionBase e(1, u"%s%s", longText.c_str(), u"tail");
  EXPECT_EQ(e.message().size(), 123u);
  EXPECT_EQ(e.message(), longText.substr(0, 123));
}

TEST(DExceptionBaseTest, ClassBitTest) {
  const std::vector<uint32_t> all = {ExceptionCode::Exception,
                                     ExceptionCode::Media,
                                     ExceptionCode::RecordStore,
                                     ExceptionCode::InvalidRecordID,
                                     ExceptionCode::RecordStoreNotFound,
                                     ExceptionCode::RecordStoreNotOpen,
                                     ExceptionCode::Runtime,
                                     ExceptionCode::NullPointer,
                                     ExceptionCode::IllegalState,
                                     ExceptionCode::IllegalArgument,
                                     ExceptionCode::NumberFormat,
                                     ExceptionCode::IndexOutOfBounds,
                                     ExceptionCode::ArrayIndexOutOfBounds,
                                     ExceptionCode::StringIndexOutOfBounds,
                                     ExceptionCode::IO,
                                     ExceptionCode::EndOfFile,
                                     ExceptionCode::UTFDataFormat};
  EXPECT_EQ(all.size(), 17u);
  for (uint32_t code : all) EXPECT_TRUE(DExceptionBase(code).is(0x04000000)) << std::hex << code;

  struct Case {
    uint32_t handler;
    uint32_t code;
    bool caught;
  };
  const Case cases[] = {
      {0x05800000, 0x05800001, true},
      {0x05800000, 0x05800002, true},
      {0x05800000, 0x05000080, false},
      {0x05000000, 0x05000080, true},
      {0x06000000, 0x06000002, true},
      {0x06000000, 0x06000010, true},
      {0x06000000, 0x05000080, false},
      {0x04200000, 0x04200008, true},
      {0x05800001, 0x05800002, false},
      {0x05400000, 0x05400002, true},
      {0x05000080, 0x05000000, false},
  };
  for (const Case& c : cases) EXPECT_EQ(DExceptionBase(c.code).is(c.handler), c.caught) << std::hex << c.code;
}

uint32_t handledBy(uint32_t handler, uint32_t thrown) {
  try {
    try {
      throw DExceptionBase(thrown);
    } catch (DExceptionBase& e) {
      e.rethrowUnless(handler);
      return handler;
    }
  } catch (DExceptionBase& outer) {
    return outer.code();
  }
}

TEST(DExceptionBaseTest, RethrowUnlessPassesOtherClassesOn) {
  EXPECT_EQ(handledBy(ExceptionCode::IO, ExceptionCode::EndOfFile), ExceptionCode::IO);
  EXPECT_EQ(handledBy(ExceptionCode::IO, ExceptionCode::NullPointer), ExceptionCode::NullPointer);
}

}  // namespace
