#include "tools/demodata/lib/Level.h"

#include <algorithm>
#include <stdexcept>

#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/LevelReach.h"
#include "tools/demodata/lib/LevelRules.h"
#include "tools/demodata/lib/ObjectFrames.h"
#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

namespace {

const char* const kKindNames[kObjectKinds] = {
    "safe", "door",     "steeldoor", "cabinet",     "cardlocker", "crate",   "alarmbox", "desk",  "locker", "bomb",
    "box",  "wardrobe", "wallsafe",  "wallcabinet", "case",       "counter", "table",    "plant", "sofa",   "shelf",
    "rug",  "pillar",   "chair",     "stool",       "lamp",       "mat",     "drawer",   "till",  "statue"};
const char* const kFacings[] = {"west", "north", "east", "south"};
const char* const kLootNames[] = {"none", "cash", "jewels", "bonds", "watches", "gold"};

int indexOf(const char* const* names, int count, const std::string& word) {
  for (int i = 0; i < count; ++i)
    if (word == names[i]) return i;
  return -1;
}

std::pair<int, int> parseCell(const std::string& word) {
  const auto comma = word.find(',');
  if (comma == std::string::npos) throw std::invalid_argument("expected x,y: " + word);
  return {parseInt(word.substr(0, comma)), parseInt(word.substr(comma + 1))};
}

bool isContainer(int kind) { return (kObjectKindTable[kind].flags & kContainerFlag) != 0; }

}  // namespace

const RoomObjectRecord* Level::objectAt(int x, int y) const {
  for (const auto& o : objects)
    if (o.x == x && o.y == y) return &o;
  return nullptr;
}

bool Level::guarded(int x, int y) const {
  for (const auto& group : alarms)
    if (std::find(group.cells.begin(), group.cells.end(), std::pair{x, y}) != group.cells.end()) return true;
  return false;
}

void Level::fail(int number, int line, const std::string& message) const {
  const std::string where = source.string() + (line > 0 ? ":" + std::to_string(line) : std::string());
  throw std::runtime_error(where + ": level " + std::to_string(number) + ": " + message);
}

std::map<char, int> loadLegend(const std::filesystem::path& file) {
  const SourceFile source(file);
  std::map<char, int> legend;
  for (const auto& line : source.lines()) {
    if (line.text.size() < 5 || line.text[0] != '\'' || line.text[2] != '\'' || line.text[3] != ' ')
      source.fail(line, "expected '<character>' <cell value> <note>");
    const auto words = splitWords(line.text.substr(4));
    int value = -1;
    try {
      value = parseInt(words.at(0));
    } catch (const std::exception&) {
      source.fail(line, "expected a cell value");
    }
    if (value < 0 || value > kHighestFloor) source.fail(line, "cell values are 0-12 (walls) and 13-19 (floors)");
    if (!legend.emplace(line.text[1], value).second) source.fail(line, "character listed twice");
  }
  return legend;
}

Level loadLevel(const std::filesystem::path& file, const std::map<char, int>& legend) {
  const SourceFile source(file);
  Level level;
  level.source = file;
  bool haveExit = false;
  const auto& lines = source.lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto& line = lines[i];
    const auto w = splitWords(line.text);
    if (w.empty()) continue;
    try {
      if (w[0] == "size" && w.size() == 3) {
        level.width = parseInt(w[1]);
        level.height = parseInt(w[2]);
        if (level.width < 1 || level.width > 127 || level.height < 1 || level.height > 127)
          source.fail(line, "width and height are 1-127");
      } else if (w[0] == "map" && w.size() == 1) {
        if (level.width == 0) source.fail(line, "\"size\" must come before the map");
        for (int y = 0; y < level.height; ++y) {
          if (++i >= lines.size()) source.fail(line, "the map has fewer rows than its size");
          const std::string& row = lines[i].text;
          if (static_cast<int>(row.size()) != level.width) source.fail(lines[i], "row width differs from the size");
          std::vector<int> values;
          for (char c : row) {
            const auto it = legend.find(c);
            if (it == legend.end()) source.fail(lines[i], std::string("character not in the legend: ") + c);
            values.push_back(it->second);
          }
          level.cells.push_back(values);
        }
      } else if (w[0] == "exit" && w.size() == 3) {
        level.exitX = parseInt(w[1]);
        level.exitY = parseInt(w[2]);
        level.exitLine = line.number;
        haveExit = true;
      } else if (w[0] == "object" && w.size() >= 5) {
        RoomObjectRecord o{indexOf(kKindNames, kObjectKinds, w[1]),
                           parseInt(w[2]),
                           parseInt(w[3]),
                           indexOf(kFacings, 4, w[4]),
                           0,
                           0,
                           false,
                           line.number};
        if (o.kind < 0) source.fail(line, "unknown object kind " + w[1]);
        if (o.facing < 0) source.fail(line, "facing is west, north, east or south");
        std::size_t k = 5;
        if (k < w.size() && w[k] == "loot" && k + 2 < w.size()) {
          o.content = indexOf(kLootNames, 6, w[k + 1]);
          if (o.content < 1) source.fail(line, "unknown loot " + w[k + 1]);
          o.amount = parseInt(w[k + 2]);
          k += 3;
          if (k < w.size() && w[k] == "shared") {
            o.shared = true;
            ++k;
          }
        } else if (k < w.size() && w[k] == "colour" && k + 1 < w.size()) {
          o.amount = parseInt(w[k + 1]);
          k += 2;
        }
        if (k != w.size()) source.fail(line, "expected [loot <kind> <amount> [shared]] or [colour N]");
        level.objects.push_back(o);
      } else if (w[0] == "alarm" && w.size() >= 5 && w[3] == "guards") {
        AlarmGroup group{parseInt(w[1]), parseInt(w[2]), {}, line.number};
        for (std::size_t k = 4; k < w.size(); ++k) group.cells.push_back(parseCell(w[k]));
        level.alarms.push_back(group);
      } else {
        source.fail(line, "expected size, map, exit, object or alarm");
      }
    } catch (const std::invalid_argument& e) {
      source.fail(line, e.what());
    } catch (const std::out_of_range&) {
      source.fail(line, "number out of range");
    }
  }
  if (level.cells.empty()) source.fail("no map");
  if (!haveExit) source.fail("no exit");
  return level;
}

void checkLevel(const Level& level, int number) {
  const auto fail = [&](int line, const std::string& message) { level.fail(number, line, message); };
  const auto at = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
  const auto floor = [&](int x, int y) { return level.inside(x, y) && level.cell(x, y) >= kFirstFloor; };
  std::vector<std::pair<int, int>> used;
  bool loot = false;
  for (const auto& o : level.objects) {
    if (o.kind == kBombKind) fail(o.line, "bombs are planted by the crew, never placed");
    if (!level.inside(o.x, o.y)) fail(o.line, "object outside the map");
    if (std::find(used.begin(), used.end(), std::pair{o.x, o.y}) != used.end())
      fail(o.line, "two objects in cell " + at(o.x, o.y));
    used.emplace_back(o.x, o.y);
    if (o.amount < 0 || o.amount > 127) fail(o.line, "amounts are 0-127");
    if (o.content != 0 && !isContainer(o.kind)) fail(o.line, "loot in an object that is no container");
    if ((o.kind == 1 || o.kind == 2) && !floor(o.x, o.y)) fail(o.line, "doors stand on floor cells");
    if (o.kind >= 0 && o.facing >= 0 && !usableFacing(o.kind, o.facing))
      fail(o.line,
           std::string("a ") + kKindNames[o.kind] + " facing " + kFacings[o.facing] +
               " looks like an open one of another facing: turn it");
    if (isContainer(o.kind) && o.content >= 1 && o.amount >= 1) loot = true;
  }
  if (!loot) fail(0, "no loot: at least one container needs loot");
  for (const auto& o : level.objects) {
    if (o.content == 0 || o.amount < 1) continue;
    int partners = 0;
    for (const auto& other : level.objects)
      if (&other != &o && other.content == o.content && other.amount == o.amount) ++partners;
    if (partners > 0 && !o.shared)
      fail(o.line,
           "another container holds the same loot and amount, so the game splits one group at random "
           "between them; mark each \"shared\" or make the amounts differ");
    if (partners == 0 && o.shared) fail(o.line, "\"shared\" needs another container with the same loot and amount");
  }
  if (level.inside(level.exitX, level.exitY)) {
    const LevelReach reach(
        level, [](int) { return true; }, false);
    for (const auto& o : level.objects)
      if ((o.content != 0 || o.kind == kAlarmBoxKind || o.kind == 1 || o.kind == 2) && !reach.canWork(o))
        fail(o.line, "the object at " + at(o.x, o.y) + " cannot be reached from the exit on an open side");
  }
  if (level.alarms.size() > 127) fail(0, "more than 127 alarm groups");
  std::vector<std::pair<int, int>> guarded;
  for (const auto& group : level.alarms) {
    const RoomObjectRecord* box = level.objectAt(group.boxX, group.boxY);
    if (box == nullptr || box->kind != kAlarmBoxKind) fail(group.line, "an alarm group must name an alarm box");
    if (group.cells.size() > 63) fail(group.line, "an alarm group guards at most 63 cells");
    for (const auto& cell : group.cells) {
      if (!level.inside(cell.first, cell.second)) fail(group.line, "guarded cell outside the map");
      if (std::find(guarded.begin(), guarded.end(), cell) != guarded.end())
        fail(group.line, "cell " + at(cell.first, cell.second) + " is guarded twice");
      guarded.push_back(cell);
    }
  }
  const int ex = level.exitX, ey = level.exitY;
  if (ex < 1 || ex > level.width - 2 || !floor(ex, ey))
    fail(level.exitLine, "the exit must be floor with a cell on each side");
  const std::pair<int, int> vehicle[] = {{ex - 1, ey}, {ex + 1, ey}};
  const std::pair<int, int> seats[] = {
      {ex, ey - 1}, {ex, ey + 1}, {ex + 1, ey - 1}, {ex + 1, ey + 1}, {ex - 1, ey + 1}};
  for (const auto& [x, y] : vehicle)
    if (!floor(x, y) || level.objectAt(x, y))
      fail(level.exitLine, "the van's cells beside the exit must be free floor");
  for (const auto& [x, y] : seats) {
    if (!floor(x, y) || level.objectAt(x, y)) fail(level.exitLine, "the seats around the exit must be free floor");
    if (level.guarded(x, y))
      fail(level.exitLine, "the seat " + at(x, y) + " is guarded: every departure would raise the alarm");
  }
  if (level.guarded(ex, ey)) fail(level.exitLine, "the exit cell is guarded");
  for (const TrainingGoal& goal : kTrainingGoals) {
    if (goal.level != number) continue;
    const RoomObjectRecord* o = level.objectAt(goal.x, goal.y);
    if (o == nullptr || (goal.container && !isContainer(o->kind)))
      fail(0, "the training goal cell " + at(goal.x, goal.y) + " needs its object");
  }
  if (number == 5)
    for (const auto& [x, y] : kLevel5BombCells)
      if (!floor(x, y) || level.objectAt(x, y)) fail(0, "the bomb cells must be free floor");
  if (level.encode().size() > 0x7FFF) fail(0, "record longer than 32767 bytes");
  checkPlay(level, number);
}

Bytes Level::encode() const {
  BigEndianWriter out;
  out.u8(width);
  out.u8(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.u8(cells[y][x]);
  out.s16(static_cast<int>(objects.size()));
  for (const auto& o : objects)
    for (int v : {o.kind, o.x, o.y, o.facing, 0, o.content, o.amount}) out.u8(v);
  out.u8(static_cast<int>(alarms.size()));
  for (const auto& group : alarms) {
    out.u8(group.boxX);
    out.u8(group.boxY);
    out.u8(static_cast<int>(group.cells.size() * 2));
    for (const auto& [x, y] : group.cells) {
      out.u8(x);
      out.u8(y);
    }
  }
  out.u8(1);
  out.s16(exitX);
  out.s16(exitY);
  out.s16(0);
  out.s16(0);
  return out.take();
}

Bytes encodeLevelFile(const std::vector<Level>& levels) {
  BigEndianWriter out;
  for (const Level& level : levels) {
    const Bytes body = level.encode();
    out.s16(static_cast<int>(body.size()));
    out.raw(body);
  }
  return out.take();
}

}  // namespace nv::demodata
