#pragma once

#include <array>

#include "nvx/src/state/TableData.h"

namespace nv::demodata {

// The game's level, item, work and crew tables, read from the game's own
// sources, in the shapes the level checks use.

// Per level (1-26): 0 step limit, 1-5 tip prices / 100 for loot kinds 1-5, 6 alarm fee / 100,
// 7-10 persons 1-4 offered, 11 the sixth tip's price / 100, 12 training money, 13-24 items
// 'h'..'s' sold, 25 briefing text, 26 the sixth tip's text (0 where the level has none).
using LevelRow = std::array<int, 27>;
inline constexpr int kFirstTipColumn = 1;
inline constexpr int kAlarmFeeColumn = 6;
inline constexpr int kFirstPersonColumn = 7;
inline constexpr int kTrainingMoneyColumn = 12;
inline constexpr int kFirstItemColumn = 13;
inline constexpr int kTrainingLevels = 6;
inline constexpr int kFirstJobMoney = 4000;

inline constexpr std::array<LevelRow, nvx::tables::levelCount> kLevelTable = [] {
  std::array<LevelRow, nvx::tables::levelCount> rows{};
  for (int level = 0; level < nvx::tables::levelCount; ++level) {
    int column = 0;
    for (int value : nvx::tables::levelTable[level]) rows[level][column++] = value;
  }
  return rows;
}();

inline constexpr int kItems = nvx::tables::itemClasses;  // 'h'..'s'; 'q' and 'r' are bombs
struct Item {
  int price, weight;
};
inline constexpr std::array<Item, kItems> kItemTable = [] {
  std::array<Item, kItems> items{};
  for (int item = 0; item < kItems; ++item)
    items[item] = {nvx::tables::itemValueTable[item][0], nvx::tables::itemValueTable[item][1]};
  return items;
}();

// Work steps per room-object kind and item; 0: the item does nothing to the object.
inline constexpr std::array<std::array<int, kItems>, nvx::tables::objectKinds> kWorkTable = [] {
  std::array<std::array<int, kItems>, nvx::tables::objectKinds> work{};
  for (int kind = 0; kind < nvx::tables::objectKinds; ++kind)
    for (int item = 0; item < kItems; ++item) work[kind][item] = nvx::tables::objectChances[kind][item];
  return work;
}();

// Carrying capacity of the leader (0) and persons 1-4; weight of one unit of loot kinds 0-5.
inline constexpr std::array<int, nvx::tables::personCount> kCarryCapacity = [] {
  std::array<int, nvx::tables::personCount> capacity{};
  for (int person = 0; person < nvx::tables::personCount; ++person)
    capacity[person] = nvx::tables::difficultyTable[person][0];
  return capacity;
}();
inline constexpr std::array<int, nvx::tables::lootKinds> kLootWeight = [] {
  std::array<int, nvx::tables::lootKinds> weight{};
  for (int kind = 0; kind < nvx::tables::lootKinds; ++kind) weight[kind] = nvx::tables::alarmTable[kind][1];
  return weight;
}();
inline constexpr int kLootUnitValue = nvx::tables::alarmTable[1][0];

}  // namespace nv::demodata
