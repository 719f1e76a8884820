#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tools/demodata/lib/Bytes.h"

namespace nv::demodata {

struct RoomObjectRecord {
  int kind, x, y, facing, content, amount;
  bool shared = false;  // shares its loot group with other containers on purpose
  int line = 0;         // source line
};

struct AlarmGroup {
  int boxX, boxY;
  std::vector<std::pair<int, int>> cells;
  int line = 0;  // source line
};

// One level of the level file "m".
struct Level {
  int width = 0, height = 0;
  std::vector<std::vector<int>> cells;  // [y][x]
  std::vector<RoomObjectRecord> objects;
  std::vector<AlarmGroup> alarms;
  int exitX = 0, exitY = 0;
  std::filesystem::path source;
  int exitLine = 0;

  int cell(int x, int y) const { return cells[y][x]; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  const RoomObjectRecord* objectAt(int x, int y) const;
  bool guarded(int x, int y) const;
  // Throws "<source>:<line>: level <number>: <message>" (no line when `line` is 0).
  [[noreturn]] void fail(int number, int line, const std::string& message) const;
  Bytes encode() const;  // the record body, without its length
};

// Cell characters of the level maps: character -> cell value.
std::map<char, int> loadLegend(const std::filesystem::path& file);

// Reads a level source: "size W H", "map" + H rows, "exit X Y",
// "object <kind> X Y <facing> [loot <kind> <amount> [shared]] [colour N]", "alarm X Y guards x,y ...".
// Containers with the same loot and amount form one group whose loot the game splits at
// random; "shared" marks each member of such a group as meant.
Level loadLevel(const std::filesystem::path& file, const std::map<char, int>& legend);

// Throws naming the first rule of the level file that `level` breaks, then the first rule of
// play (checkPlay) it breaks; `number` is 1-based.
void checkLevel(const Level& level, int number);

// The whole file: per level a s16 length and the record.
Bytes encodeLevelFile(const std::vector<Level>& levels);

}  // namespace nv::demodata
