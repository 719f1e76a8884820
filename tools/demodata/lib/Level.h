#pragma once

#include "tools/demodata/lib/Bytes.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace nv::demodata {

struct RoomObjectRecord {
    int kind, x, y, facing, content, amount;
};

struct AlarmGroup {
    int boxX, boxY;
    std::vector<std::pair<int, int>> cells;
};

// One level of the level file "m".
struct Level {
    int width = 0, height = 0;
    std::vector<std::vector<int>> cells;  // [y][x]
    std::vector<RoomObjectRecord> objects;
    std::vector<AlarmGroup> alarms;
    int exitX = 0, exitY = 0;

    int cell(int x, int y) const { return cells[y][x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    const RoomObjectRecord* objectAt(int x, int y) const;
    Bytes encode() const;  // the record body, without its length
};

// Cell characters of the level maps: character -> cell value.
std::map<char, int> loadLegend(const std::filesystem::path& file);

// Reads a level source: "size W H", "map" + H rows, "exit X Y",
// "object <kind> X Y <facing> [loot <kind> <amount>] [colour N]", "alarm X Y guards x,y ...".
Level loadLevel(const std::filesystem::path& file, const std::map<char, int>& legend);

// Throws naming the first rule of the level file that `level` breaks; `number` is 1-based.
void checkLevel(const Level& level, int number);

// The whole file: per level a s16 length and the record.
Bytes encodeLevelFile(const std::vector<Level>& levels);

}  // namespace nv::demodata
