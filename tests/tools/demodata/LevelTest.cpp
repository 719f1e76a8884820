#include <fstream>
#include <gtest/gtest.h>
#include <map>

#include "TestSupport.h"
#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/Level.h"

namespace nv::demodata::test {
namespace {

struct Object {
  int kind, x, y, facing, planned, content, amount;
};
struct Record {
  int width, height;
  std::vector<int> cells;  // row by row
  std::vector<Object> objects;
  std::vector<std::pair<std::pair<int, int>, std::vector<std::pair<int, int>>>> alarms;
  int exits, exitX, exitY;
  int cell(int x, int y) const { return cells[y * width + x]; }
  const Object* objectAt(int x, int y) const {
    const Object* found = nullptr;
    for (const auto& o : objects)
      if (o.x == x && o.y == y) found = &o;  // a later record replaces an earlier one
    return found;
  }
};

// Reads "m" the way the level loader does.
std::vector<Record> parseLevels(const Bytes& bytes) {
  Reader r(bytes);
  std::vector<Record> levels;
  while (!r.atEnd()) {
    const int length = r.s16();
    const std::size_t start = r.position();
    Record rec{};
    rec.width = r.s8();
    rec.height = r.s8();
    for (int i = 0; i < rec.width * rec.height; ++i) rec.cells.push_back(r.u8());
    const int n = r.s16();
    for (int i = 0; i < n; ++i) rec.objects.push_back({r.u8(), r.u8(), r.u8(), r.u8(), r.u8(), r.u8(), r.s8()});
    const int groups = r.s8();
    for (int g = 0; g < groups; ++g) {
      const int ax = r.u8(), ay = r.u8(), k = r.s8();
      EXPECT_EQ(k % 2, 0) << "alarm cells come in pairs";
      std::vector<std::pair<int, int>> cells;
      for (int i = 0; i < k / 2; ++i) {
        const int x = r.u8();
        cells.emplace_back(x, r.u8());
      }
      rec.alarms.push_back({{ax, ay}, cells});
    }
    rec.exits = r.s8();
    if (rec.exits > 0) {
      rec.exitX = r.s16();
      rec.exitY = r.s16();
      r.s16();
      r.s16();
    }
    EXPECT_EQ(r.position() - start, static_cast<std::size_t>(length)) << "level " << levels.size() + 1;
    levels.push_back(rec);
  }
  return levels;
}

const std::vector<Record>& levels() {
  static const std::vector<Record> all = parseLevels(DemoData::get().entry("m"));
  return all;
}

bool floorAt(const Record& r, int x, int y) {
  return x >= 0 && y >= 0 && x < r.width && y < r.height && r.cell(x, y) >= kFirstFloor;
}

TEST(LevelFile, HoldsTwentySixLevels) { EXPECT_EQ(levels().size(), 26u); }

TEST(LevelFile, CellsObjectsAndAlarmsKeepTheLoadersInvariants) {
  for (std::size_t i = 0; i < levels().size(); ++i) {
    const Record& r = levels()[i];
    SCOPED_TRACE("level " + std::to_string(i + 1));
    ASSERT_TRUE(r.width >= 1 && r.height >= 1);
    for (int v : r.cells) EXPECT_LE(v, kHighestFloor);
    bool loot = false;
    for (const Object& o : r.objects) {
      EXPECT_TRUE(o.kind >= 0 && o.kind < kObjectKinds && o.kind != kBombKind);
      EXPECT_TRUE(o.x < r.width && o.y < r.height);
      EXPECT_LE(o.facing, 3);
      EXPECT_LE(o.content, 5);
      EXPECT_GE(o.amount, 0);
      EXPECT_EQ(r.objectAt(o.x, o.y), &o) << "one object per cell";
      if ((kObjectKindTable[o.kind].flags & kContainerFlag) && o.content >= 1 && o.amount >= 1) loot = true;
    }
    EXPECT_TRUE(loot) << "at least one container with loot";
    for (const auto& [box, cells] : r.alarms) {
      const Object* o = r.objectAt(box.first, box.second);
      ASSERT_NE(o, nullptr);
      EXPECT_EQ(o->kind, kAlarmBoxKind);
      for (const auto& [x, y] : cells) EXPECT_TRUE(x < r.width && y < r.height);
    }
  }
}

TEST(LevelFile, ExitHasFreeCellsForTheVanAndItsSeats) {
  for (std::size_t i = 0; i < levels().size(); ++i) {
    const Record& r = levels()[i];
    SCOPED_TRACE("level " + std::to_string(i + 1));
    ASSERT_EQ(r.exits, 1);
    const int ex = r.exitX, ey = r.exitY;
    EXPECT_TRUE(ex >= 1 && ex <= r.width - 2);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{ex, ey},
                                                               {ex - 1, ey},
                                                               {ex + 1, ey},
                                                               {ex, ey - 1},
                                                               {ex, ey + 1},
                                                               {ex + 1, ey - 1},
                                                               {ex + 1, ey + 1},
                                                               {ex - 1, ey + 1}}) {
      EXPECT_TRUE(floorAt(r, x, y)) << x << "," << y;
      if (x != ex || y != ey) {
        EXPECT_EQ(r.objectAt(x, y), nullptr) << x << "," << y;
      }
    }
  }
}

TEST(LevelFile, TrainingLevelsHoldTheirTestedObjects) {
  const auto& all = levels();
  ASSERT_GE(all.size(), 6u);
  const auto container = [](const Object* o) { return o && (kObjectKindTable[o->kind].flags & kContainerFlag); };
  ASSERT_NE(all[0].objectAt(4, 4), nullptr);
  EXPECT_EQ((kObjectKindTable[all[0].objectAt(4, 4)->kind].flags & kInertFlag), 0) << "can be opened";
  EXPECT_TRUE(container(all[1].objectAt(3, 5)));
  EXPECT_TRUE(container(all[2].objectAt(3, 11)));
  EXPECT_TRUE(container(all[3].objectAt(5, 6)));
  EXPECT_TRUE(container(all[4].objectAt(9, 5)));
  EXPECT_TRUE(floorAt(all[4], 4, 5) && !all[4].objectAt(4, 5)) << "bomb cell";
  EXPECT_TRUE(floorAt(all[4], 8, 5) && !all[4].objectAt(8, 5)) << "bomb cell";
  EXPECT_TRUE(container(all[5].objectAt(3, 6)));
}

// Level 17 has no tips and no alarm fee, offers every person and sells every item: only the
// rule a case breaks can refuse it.
constexpr int kPlainJob = 17;

class LevelSource : public ::testing::Test {
protected:
  std::filesystem::path dataDir = std::filesystem::path(NV_SOURCE_DIR) / "data/levels";
  nvtest::TempFolder folder{"nv-demodata"};
  std::filesystem::path file = folder / "level.txt";
  std::map<char, int> legend = loadLegend(dataDir / "legend.txt");

  Level load(const std::string& extra, const std::string& exit = "exit 2 1") {
    std::ofstream(file) << "size 6 5\nmap\n______\n______\n,,,,,,\n#....#\n######\n" << exit << "\n" << extra;
    return loadLevel(file, legend);
  }
  // A shop floor of two rows, x 1-6 and y 3-4, under a pavement row.
  Level loadRoom(const std::string& extra) {
    std::ofstream(file) << "size 8 6\nmap\n________\n________\n,,,,,,,,\n#......#\n#......#\n########\nexit 2 1\n"
                        << extra;
    return loadLevel(file, legend);
  }
  // The message checkLevel throws, empty when the level passes.
  static std::string refusal(const Level& level, int number) {
    try {
      checkLevel(level, number);
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return {};
  }
};

TEST_F(LevelSource, AcceptsAMinimalLevel) {
  EXPECT_EQ(refusal(load("object crate 2 3 north loot cash 1\n"), kPlainJob), "");
}

TEST_F(LevelSource, RefusesLevelsTheGameCannotPlay) {
  struct Case {
    std::string extra, exit, reason;
  };
  const Case cases[] = {
      {"object crate 2 3 north\n", "exit 2 1", "no loot"},
      {"object crate 2 3 north loot cash 1\n", "exit 0 1", "the exit must be floor"},
      {"object crate 2 3 north loot cash 1\nobject table 3 1 north\n", "exit 2 1", "van's cells"},
      {"object crate 2 3 north loot cash 1\nobject table 3 2 north\n", "exit 2 1", "seats around the exit"},
      {"object crate 2 3 north loot cash 1\n", "exit 2 0", "seats around the exit"},
      {"object crate 2 3 north loot cash 1\nobject bomb 3 3 north\n", "exit 2 1", "bombs are planted"},
      {"object crate 2 3 north loot cash 1\nobject crate 9 3 north\n", "exit 2 1", "outside the map"},
      {"object crate 2 3 north loot cash 1\nalarm 3 3 guards 2,2\n", "exit 2 1", "must name an alarm box"},
      {"object crate 2 3 north loot cash 1\nobject table 2 3 north\n", "exit 2 1", "two objects in cell"},
      {"object table 2 3 north loot cash 1\n", "exit 2 1", "no container"},
      {"object desk 1 3 west loot cash 1\n", "exit 2 1", "cannot be reached"},
      {"object desk 2 3 north loot cash 1\n", "exit 2 1", "looks like an open one of another facing"},
  };
  for (const auto& c : cases)
    EXPECT_NE(refusal(load(c.extra, c.exit), kPlainJob).find(c.reason), std::string::npos) << c.extra;
}

TEST_F(LevelSource, ARefusalNamesTheFileLineAndLevel) {
  EXPECT_EQ(refusal(load("object crate 2 3 north loot cash 1\nobject table 3 2 north\n"), kPlainJob),
            file.string() + ":8: level 17: the seats around the exit must be free floor");
}

TEST_F(LevelSource, RefusesMalformedSources) {
  EXPECT_THROW(load("object sofa 2 3 up\n"), std::runtime_error);
  EXPECT_THROW(load("object crate 2 3 north loot diamonds 1\n"), std::runtime_error);
  EXPECT_THROW(load("teleport 1 1\n"), std::runtime_error);
  std::ofstream(file) << "size 6 2\nmap\n______\n__Q___\nexit 2 1\n";
  EXPECT_THROW(loadLevel(file, legend), std::runtime_error) << "character not in the legend";
}

TEST_F(LevelSource, TrainingGoalCellsAreChecked) {
  EXPECT_NE(refusal(load("object crate 2 3 north loot cash 1\n"), 1).find("training goal"), std::string::npos);
}

TEST_F(LevelSource, RefusalsNameTheSourceLine) {
  const std::string message =
      refusal(loadRoom("object crate 2 3 north loot cash 2\nobject crate 5 4 north loot cash 2\n"), kPlainJob);
  EXPECT_EQ(message.rfind(file.string() + ":10: level 17: ", 0), 0u) << message;
}

TEST_F(LevelSource, SharedLootGroupsMustBeMeant) {
  const std::string twoCrates = "object crate 2 3 north loot cash 2{0}\nobject crate 5 4 north loot cash 2{1}\n";
  const auto level = [&](const char* first, const char* second) {
    std::string text = twoCrates;
    text.replace(text.find("{0}"), 3, first);
    text.replace(text.find("{1}"), 3, second);
    return loadRoom(text);
  };
  EXPECT_NE(refusal(level("", ""), kPlainJob).find("splits one group at random"), std::string::npos);
  EXPECT_EQ(refusal(level(" shared", " shared"), kPlainJob), "");
  EXPECT_NE(refusal(loadRoom("object crate 2 3 north loot cash 2 shared\n"), kPlainJob).find("needs another"),
            std::string::npos);
}

TEST_F(LevelSource, RefusesACellGuardedTwice) {
  const std::string box = "object crate 5 4 north loot cash 3\nobject alarmbox 6 3 west colour 0\n";
  EXPECT_EQ(refusal(loadRoom(box + "alarm 6 3 guards 4,3 4,4\n"), kPlainJob), "");
  EXPECT_NE(refusal(loadRoom(box + "alarm 6 3 guards 4,3 4,3\n"), kPlainJob).find("4,3 is guarded twice"),
            std::string::npos);
  EXPECT_NE(
      refusal(loadRoom(box + "alarm 6 3 guards 4,3\nalarm 6 3 guards 4,4 4,3\n"), kPlainJob).find("guarded twice"),
      std::string::npos);
  EXPECT_NE(refusal(loadRoom(box + "alarm 6 3 guards 2,2\n"), kPlainJob).find("seat 2,2 is guarded"),
            std::string::npos);
}

TEST_F(LevelSource, JobsMustFitTheirRowOfTheLevelTable) {
  struct Case {
    int level;
    std::string extra, reason;
  };
  // Level 11 sells a cash tip of 10000 with an alarm fee of 5000; level 16 has a fee of 5000
  // and no crew; level 20 sells no key card.
  const std::string hiddenBox = "object alarmbox 6 3 west colour 0\nalarm 6 3 guards 4,3\n";
  const Case cases[] = {
      {11, "object crate 2 3 north loot jewels 20\n" + hiddenBox, "tip for cash but holds none"},
      {11,
       "object crate 2 3 north loot cash 10\nobject box 4 4 north loot gold 9\n" + hiddenBox,
       "worth no more than its tip"},
      {11, "object crate 2 3 north loot cash 14\n" + hiddenBox, "cost as much as the loot"},
      {16, "object crate 2 3 north loot cash 9\n", "an alarm fee but no alarm box"},
      {16,
       "object crate 3 4 north loot cash 9\nobject alarmbox 6 3 west colour 0\nalarm 6 3 guards 2,4 4,4 3,3\n",
       "only be worked through guarded cells"},
      {20, "object cardlocker 3 4 west loot gold 30\n" + hiddenBox, "no item sold here"},
  };
  for (const auto& c : cases)
    EXPECT_NE(refusal(loadRoom(c.extra), c.level).find(c.reason), std::string::npos) << c.extra;
  EXPECT_EQ(refusal(loadRoom("object crate 2 3 north loot cash 16\n" + hiddenBox), 11), "")
      << "the tip and fee pay off";
}

// Training 6: the alarm box's cells guard the short way in; a guarded cell fails training at once.
TEST_F(LevelSource, TrainingGoalsMustBeReachableWithoutAGuardedCell) {
  const Level shipped = loadLevel(dataDir / "training-6.txt", legend);
  EXPECT_EQ(refusal(shipped, 6), "");
  std::ifstream in(dataDir / "training-6.txt");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(file) << text << "alarm 1 6 guards 6,7\n";
  EXPECT_NE(refusal(loadLevel(file, legend), 6).find("cannot be reached without a guarded cell"), std::string::npos);
}

}  // namespace
}  // namespace nv::demodata::test
