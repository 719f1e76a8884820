#include "tools/demodata/lib/LevelReach.h"

#include "tools/demodata/lib/GameTables.h"

namespace nv::demodata {

namespace {

constexpr int kDx[] = {-1, 0, 1, 0};
constexpr int kDy[] = {0, -1, 0, 1};

}  // namespace

LevelReach::LevelReach(const Level& level, const std::function<bool(int kind)>& opens, bool avoidGuarded)
    : level_(level), seen_(level.height, std::vector<bool>(level.width, false)) {
  const auto walkable = [&](int x, int y) {
    if (!level.inside(x, y) || level.cell(x, y) < kFirstFloor) return false;
    if (y == level.exitY && (x == level.exitX - 1 || x == level.exitX + 1)) return false;
    if (avoidGuarded && level.guarded(x, y)) return false;
    const RoomObjectRecord* o = level.objectAt(x, y);
    return o == nullptr || ((o->kind == 1 || o->kind == 2) && opens(o->kind));
  };
  if (!level.inside(level.exitX, level.exitY)) return;
  std::vector<std::pair<int, int>> todo{{level.exitX, level.exitY}};
  seen_[level.exitY][level.exitX] = true;
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    for (int d = 0; d < 4; ++d) {
      const int nx = x + kDx[d], ny = y + kDy[d];
      if (walkable(nx, ny) && !seen_[ny][nx]) {
        seen_[ny][nx] = true;
        todo.emplace_back(nx, ny);
      }
    }
  }
}

bool LevelReach::canWork(const RoomObjectRecord& o) const {
  for (int d = 0; d < 4; ++d) {
    if ((kObjectKindTable[o.kind].flags & (1 << d)) == 0) continue;
    const int s = (o.facing + d) % 4;
    if (reaches(o.x + kDx[s], o.y + kDy[s])) return true;
  }
  return false;
}

}  // namespace nv::demodata
