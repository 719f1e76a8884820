#include <gtest/gtest.h>
#include <vector>

#include "lang/DString.h"
#include "util/DCallBack.h"

using qel::lang::DObjectPtr;
using qel::lang::DString;
using qel::util::DCallBack;
using qel::util::DCallBackPtr;

namespace {

std::vector<intptr_t> calls;

void record(intptr_t argument) { calls.push_back(argument); }
void other(intptr_t) {}

TEST(DCallBackTest, NotifyCallsTheFunctionWithItsArgument) {
  calls.clear();
  DCallBackPtr callback = new DCallBack(&record, 42);
  callback->notify();
  callback->notify();
  EXPECT_EQ(calls, (std::vector<intptr_t>{42, 42}));
  DCallBackPtr empty = new DCallBack(nullptr, 7);
  empty->notify();
  EXPECT_EQ(calls.size(), 2u);
}

TEST(DCallBackTest, HashAndEqualityUseBothWords) {
  DCallBackPtr a = new DCallBack(&record, 3);
  DCallBackPtr b = new DCallBack(&record, 3);
  DCallBackPtr c = new DCallBack(&record, 4);
  DCallBackPtr d = new DCallBack(&other, 3);
  EXPECT_TRUE(a->equals(b.get()));
  EXPECT_EQ(a->hashCode(), b->hashCode());
  EXPECT_EQ(a->getClassName(), "DObject");
  EXPECT_FALSE(a->equals(c.get()));
  EXPECT_FALSE(a->equals(d.get()));
  EXPECT_FALSE(a->equals(nullptr));
  DObjectPtr text = new DString(u"x");
  EXPECT_FALSE(a->equals(text.get()));
  uintptr_t word = reinterpret_cast<uintptr_t>(&record) ^ 3u;
  EXPECT_EQ(a->hashCode(), static_cast<int32_t>(static_cast<uint32_t>(word)));
  DCallBackPtr zero = new DCallBack(nullptr, 0x1234);
  EXPECT_EQ(zero->hashCode(), 0x1234);
}

}  // namespace
