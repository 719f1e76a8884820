// Runs long random mixes of table operations against std::unordered_map and
// checks the pool and chains after every step.
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "DHashtableChecker.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

using namespace qel::lang;
using namespace qel::util;

namespace {

// Keys of three kinds that never meet: plain integers 0..39, DInteger keys
// from 1000 and DString keys of "Aa"/"BB" blocks (equal hashes per length).
struct Key {
  enum Kind { Plain, Integer, Text } kind;
  int number;
  std::u16string text;

  std::string id() const {
    switch (kind) {
      case Plain: return "p" + std::to_string(number);
      case Integer: return "i" + std::to_string(number);
      default: return "t" + std::string(text.begin(), text.end());
    }
  }
  DObjectPtr object() const {
    if (kind == Integer) return new DInteger(number);
    return new DString(text);
  }
};

class TableRun {
public:
  TableRun(int capacity, int loadFactor, unsigned seed) : table_(new DHashtable(capacity, loadFactor)), random_(seed) {}

  void step() {
    Key key = randomKey();
    int choice = pick(100);
    if (choice < 45) {
      put(key);
    } else if (choice < 70) {
      remove(key);
    } else if (choice < 99) {
      get(key);
    } else if (pick(10) == 0) {
      table_->clear();
      model_.clear();
    }
    ASSERT_EQ(DHashtableChecker::check(*table_), "");
    ASSERT_EQ(table_->size(), static_cast<int32_t>(model_.size()));
  }

  void compareEnumerations() {
    std::vector<int> values;
    std::vector<int> expected;
    for (DEnumerationPtr e = table_->elements(); e->hasMoreElements();)
      values.push_back(static_cast<DInteger*>(e->nextElement())->intValue());
    for (const auto& [id, value] : model_) expected.push_back(value);
    std::sort(values.begin(), values.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(values, expected);
    int plainKeys = 0;
    for (DEnumerationPtr e = table_->keys(); e->hasMoreElements();) plainKeys += e->nextElement() == nullptr;
    ASSERT_EQ(plainKeys, std::count_if(model_.begin(), model_.end(), [](const auto& p) { return p.first[0] == 'p'; }));
  }

private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  Key randomKey() {
    switch (pick(3)) {
      case 0: return Key{Key::Plain, pick(40), {}};
      case 1: return Key{Key::Integer, 1000 + pick(300) * (pick(2) ? 1 : 23), {}};
      default: {
        std::u16string text;
        for (int blocks = 1 + pick(4); blocks > 0; --blocks) text += pick(2) ? u"Aa" : u"BB";
        return Key{Key::Text, 0, text};
      }
    }
  }

  void put(const Key& key) {
    int value = ++counter_;
    DObjectPtr previous = key.kind == Key::Plain ? table_->put(key.number, new DInteger(value))
                                                 : table_->put(key.object(), new DInteger(value));
    auto found = model_.find(key.id());
    ASSERT_EQ(valueOf(previous.get()), found == model_.end() ? 0 : found->second);
    model_[key.id()] = value;
  }

  void remove(const Key& key) {
    if (key.kind == Key::Plain) return;
    DObjectPtr removed = table_->remove(key.object());
    auto found = model_.find(key.id());
    ASSERT_EQ(valueOf(removed.get()), found == model_.end() ? 0 : found->second);
    if (found != model_.end()) model_.erase(found);
  }

  void get(const Key& key) {
    DObject* value = key.kind == Key::Plain ? table_->get(key.number) : table_->get(key.object());
    auto found = model_.find(key.id());
    ASSERT_EQ(valueOf(value), found == model_.end() ? 0 : found->second);
    if (key.kind != Key::Plain) {
      ASSERT_EQ(table_->containsKey(key.object()), found != model_.end());
    }
  }

  static int valueOf(const DObject* value) { return value ? static_cast<const DInteger*>(value)->intValue() : 0; }

  DHashtablePtr table_;
  std::mt19937 random_;
  std::unordered_map<std::string, int> model_;
  int counter_ = 0;
};

}  // namespace

TEST(DHashtableDifferentialTest, MatchesAMapAndKeepsItsChainsSound) {
  struct Shape {
    int capacity;
    int loadFactor;
  };
  unsigned seed = 1;
  for (Shape shape : {Shape{11, 75}, Shape{0, 75}, Shape{1, 400}, Shape{3, 1}, Shape{64, 50}}) {
    SCOPED_TRACE(testing::Message() << "table (" << shape.capacity << ", " << shape.loadFactor << ")");
    TableRun run(shape.capacity, shape.loadFactor, seed++);
    for (int i = 0; i < 4000; ++i) {
      run.step();
      if (testing::Test::HasFatalFailure()) return;
      if (i % 97 == 0) run.compareEnumerations();
      if (testing::Test::HasFatalFailure()) return;
    }
  }
}
