#include <cstdio>
#include <gtest/gtest.h>

#include "ExpectCode.h"
#include "lang/DObject.h"
#include "lang/DString.h"

using namespace qel::lang;

namespace {

// Records its own destruction.
class Probe : public DObject {
public:
  explicit Probe(bool* deleted) : deleted_(deleted) {}
  ~Probe() override { *deleted_ = true; }

private:
  bool* deleted_;
};

TEST(DObjectTest, CountLifecycle) {
  bool deleted = false;
  Probe* probe = new Probe(&deleted);
  EXPECT_EQ(probe->refCount(), 0);
  {
    DPtr<Probe> holder(probe);
    EXPECT_EQ(probe->refCount(), 1);
    DPtr<Probe> copy = holder;
    EXPECT_EQ(probe->refCount(), 2);
    copy.release();
    EXPECT_TRUE(copy.isNull());
    EXPECT_EQ(probe->refCount(), 1);
    DPtr<Probe>& sameHolder = holder;
    holder = sameHolder;
    EXPECT_FALSE(deleted);
    EXPECT_EQ(probe->refCount(), 1);
  }
  EXPECT_TRUE(deleted);
}

TEST(DObjectTest, ReleaseAtZeroLeavesObjectAlive) {
  bool deleted = false;
  Probe* probe = new Probe(&deleted);
  probe->releaseRef();
  EXPECT_FALSE(deleted);
  EXPECT_EQ(probe->refCount(), 0);
  DPtr<Probe> empty;
  empty.release();
  delete probe;
}

TEST(DObjectTest, AssignRawCountsNewBeforeReleasingOld) {
  bool firstDeleted = false;
  bool secondDeleted = false;
  DObjectPtr holder = new Probe(&firstDeleted);
  DObject* same = holder.get();
  holder.assignRaw(same);
  EXPECT_FALSE(firstDeleted);
  holder.assignRaw(new Probe(&secondDeleted));
  EXPECT_TRUE(firstDeleted);
  holder = nullptr;
  EXPECT_TRUE(secondDeleted);
}

TEST(DObjectTest, NullDereferenceThrowsNullPointerWithEmptyMessage) {
  DStringPtr empty;
  try {
    (void)empty->length();
    FAIL() << "no exception";
  } catch (const DExceptionBase& e) {
    EXPECT_EQ(e.code(), 0x05000080u);
    EXPECT_TRUE(e.message().empty());
  }
  EXPECT_THROWS_CODE(0x05000080u, *empty);
}

TEST(DObjectTest, ToStringIsHashInHexAndHashNeverNegative) {
  DObjectPtr object = new DObject();
  int32_t hash = object->hashCode();
  EXPECT_GE(hash, 0);
  EXPECT_EQ(static_cast<uintptr_t>(hash), reinterpret_cast<uintptr_t>(object.get()) & 0x7fffffff);
  char expected[32];
  std::snprintf(expected, sizeof expected, "DObject@%x", static_cast<unsigned>(hash));
  EXPECT_EQ(object->toString()->view(), DString(expected).view());
  EXPECT_EQ(object->getClassName(), "DObject");
  EXPECT_TRUE(object->equals(object.get()));
  DObjectPtr other = new DObject();
  EXPECT_FALSE(object->equals(other.get()));
}

TEST(DObjectTest, StringHoldersFromLiterals) {
  DStringPtr text = u"abc";
  EXPECT_EQ(text->refCount(), 1);
  DStringPtr same = text;
  text = u"def";
  EXPECT_EQ(text->view(), u"def");
  EXPECT_EQ(same->view(), u"abc");
  EXPECT_EQ(same->refCount(), 1);
  DObjectPtr base = text;
  EXPECT_EQ(text->refCount(), 2);
  EXPECT_EQ(dynamicPtrCast<DString>(base), text);
  EXPECT_TRUE(dynamicPtrCast<DString>(DObjectPtr(new DObject())).isNull());
}

TEST(DObjectTest, IsClassNamed) {
  DObjectPtr text = new DString(u"x");
  EXPECT_TRUE(DObject::isClassNamed(text.get(), u"DString"));
  EXPECT_FALSE(DObject::isClassNamed(text.get(), u"DStrin"));
  EXPECT_FALSE(DObject::isClassNamed(nullptr, u"DString"));
  EXPECT_FALSE(DObject::isClassNamed(text.get(), nullptr));
}

}  // namespace
