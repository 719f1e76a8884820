#include "TestSupport.h"

#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/Level.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

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
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{
                 {ex, ey}, {ex - 1, ey}, {ex + 1, ey}, {ex, ey - 1}, {ex, ey + 1}, {ex + 1, ey - 1}, {ex + 1, ey + 1}, {ex - 1, ey + 1}}) {
            EXPECT_TRUE(floorAt(r, x, y)) << x << "," << y;
            if (x != ex || y != ey) { EXPECT_EQ(r.objectAt(x, y), nullptr) << x << "," << y; }
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

class LevelSource : public ::testing::Test {
protected:
    std::filesystem::path dataDir = std::filesystem::path(NV_SOURCE_DIR) / "data/levels";
    std::filesystem::path file = uniqueTemporaryFile();
    std::map<char, int> legend = loadLegend(dataDir / "legend.txt");

    void TearDown() override { std::filesystem::remove(file); }
    Level load(const std::string& extra, const std::string& exit = "exit 2 1") {
        std::ofstream(file) << "size 6 5\nmap\n______\n______\n,,,,,,\n#....#\n######\n" << exit << "\n" << extra;
        return loadLevel(file, legend);
    }
};

TEST_F(LevelSource, AcceptsAMinimalLevel) {
    EXPECT_NO_THROW(checkLevel(load("object crate 2 3 north loot cash 1\n"), 7));
}

TEST_F(LevelSource, RefusesLevelsTheGameCannotPlay) {
    const std::pair<std::string, std::string> cases[] = {
        {"object crate 2 3 north\n", "exit 2 1"},                                        // no loot
        {"object crate 2 3 north loot cash 1\n", "exit 0 1"},                           // exit at the edge
        {"object crate 2 3 north loot cash 1\nobject table 3 1 north\n", "exit 2 1"},  // object on the van
        {"object crate 2 3 north loot cash 1\nobject bomb 3 3 north\n", "exit 2 1"},   // bomb placed
        {"object crate 2 3 north loot cash 1\nobject crate 9 3 north\n", "exit 2 1"},  // outside
        {"object crate 2 3 north loot cash 1\nalarm 3 3 guards 2,2\n", "exit 2 1"},     // alarm without box
        {"object crate 2 3 north loot cash 1\nobject table 2 3 north\n", "exit 2 1"},  // two in a cell
        {"object table 2 3 north loot cash 1\n", "exit 2 1"},                           // loot in no container
        {"object desk 2 3 south loot cash 1\n", "exit 2 1"},                            // faces the wall
    };
    for (const auto& [extra, exit] : cases) EXPECT_THROW(checkLevel(load(extra, exit), 7), std::runtime_error) << extra;
}

TEST_F(LevelSource, RefusesMalformedSources) {
    EXPECT_THROW(load("object sofa 2 3 up\n"), std::runtime_error);
    EXPECT_THROW(load("object crate 2 3 north loot diamonds 1\n"), std::runtime_error);
    EXPECT_THROW(load("teleport 1 1\n"), std::runtime_error);
    std::ofstream(file) << "size 6 2\nmap\n______\n__Q___\nexit 2 1\n";
    EXPECT_THROW(loadLevel(file, legend), std::runtime_error) << "character not in the legend";
}

TEST_F(LevelSource, TrainingGoalCellsAreChecked) {
    EXPECT_THROW(checkLevel(load("object crate 2 3 north loot cash 1\n"), 1), std::runtime_error);
}

}  // namespace
}  // namespace nv::demodata::test
