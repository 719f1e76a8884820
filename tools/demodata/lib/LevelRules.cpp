#include "tools/demodata/lib/LevelRules.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/LevelReach.h"
#include "tools/demodata/lib/PlayTables.h"

namespace nv::demodata {

namespace {

const char* const kLootNames[] = {"none", "cash", "jewels", "bonds", "watches", "gold"};

bool isContainer(int kind) { return (kObjectKindTable[kind].flags & kContainerFlag) != 0; }
bool holdsLoot(const RoomObjectRecord& o) { return isContainer(o.kind) && o.content >= 1 && o.amount >= 1; }

std::string at(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

// What one row of the level table offers: the items sold that some offered person (or the
// leader) can carry and the level's money can pay.
class Offer {
public:
  Offer(const LevelRow& row, int money) : row_(row), money_(money) {
    for (int p = 1; p <= 4; ++p)
      if (row[kFirstPersonColumn + p - 1] != 0) capacity_ = std::max(capacity_, kCarryCapacity[p]);
  }

  bool usable(int item) const {
    return row_[kFirstItemColumn + item] != 0 && kItemTable[item].weight <= capacity_ &&
           kItemTable[item].price <= money_;
  }
  // The price of the cheapest usable item that works on `kind`, INT_MAX when none does.
  int cheapestOpener(int kind) const {
    int best = INT_MAX;
    for (int item = 0; item < kItems; ++item)
      if (usable(item) && kWorkTable[kind][item] > 0) best = std::min(best, kItemTable[item].price);
    return best;
  }
  bool opens(int kind) const { return cheapestOpener(kind) != INT_MAX; }
  int tipPrice(int lootKind) const { return lootKind >= 1 ? row_[kFirstTipColumn + lootKind - 1] * 100 : 0; }
  int alarmFee() const { return row_[kAlarmFeeColumn] * 100; }

private:
  const LevelRow& row_;
  int money_;
  int capacity_ = kCarryCapacity[0];
};

void checkTraining(const Level& level, int number, const LevelRow& row) {
  const int money = row[kTrainingMoneyColumn];
  const Offer offer(row, money);
  const auto opens = [&](int kind) { return offer.opens(kind); };
  const LevelReach safe(level, opens, true);
  const TrainingGoal& goal = kTrainingGoals[number - 1];
  const RoomObjectRecord* target = level.objectAt(goal.x, goal.y);
  if (target == nullptr) level.fail(number, 0, "the training goal cell " + at(goal.x, goal.y) + " needs its object");
  if (level.guarded(goal.x, goal.y))
    level.fail(number, target->line, "the training goal is guarded: working it fails the level");
  if (!safe.canWork(*target))
    level.fail(number,
               target->line,
               "the training goal cannot be reached without a guarded cell, and in training a guarded cell fails "
               "the level");
  if (number == 5) {
    constexpr int kSmallBomb = 'q' - 'h', kBigBomb = 'r' - 'h';
    if (!offer.usable(kSmallBomb) || !offer.usable(kBigBomb) ||
        kItemTable[kSmallBomb].price + kItemTable[kBigBomb].price + offer.tipPrice(target->content) > money)
      level.fail(number, 0, "the money does not buy both charges and the tip");
    for (const auto& [x, y] : kLevel5BombCells) {
      const bool besideReached = safe.reaches(x - 1, y) || safe.reaches(x + 1, y) || safe.reaches(x, y - 1) ||
                                 safe.reaches(x, y + 1) || safe.reaches(x, y);
      if (!besideReached) level.fail(number, 0, "the bomb cell " + at(x, y) + " cannot be reached");
    }
    return;
  }
  const int price = offer.cheapestOpener(target->kind);
  if (price == INT_MAX || price + offer.tipPrice(target->content) > money)
    level.fail(number,
               target->line,
               "no item this level sells, an offered person carries and its money buys opens the training goal");
}

void checkJob(const Level& level, int number, const LevelRow& row) {
  const int money = number == kTrainingLevels + 1 ? kFirstJobMoney : INT_MAX;
  const Offer offer(row, INT_MAX);
  const auto opens = [&](int kind) { return offer.opens(kind); };
  const LevelReach open(level, opens, false), safe(level, opens, true);

  std::array<int, 6> amounts{};
  for (const auto& o : level.objects)
    if (holdsLoot(o)) amounts[o.content] += o.amount;
  int value = 0, costs = offer.alarmFee();
  for (int kind = 1; kind <= kLootKinds; ++kind) {
    value += amounts[kind] * kLootUnitValue;
    const int tip = offer.tipPrice(kind);
    costs += tip;
    if (tip > 0 && amounts[kind] == 0)
      level.fail(number, 0, std::string("the level sells a tip for ") + kLootNames[kind] + " but holds none");
    if (tip > 0 && amounts[kind] * kLootUnitValue <= tip)
      level.fail(number, 0, std::string("the ") + kLootNames[kind] + " is worth no more than its tip");
  }
  if (offer.alarmFee() > 0 && level.alarms.empty()) level.fail(number, 0, "an alarm fee but no alarm box");
  if (costs >= value) level.fail(number, 0, "the tips and the alarm fee cost as much as the loot is worth");

  bool takenWithoutAlarm = false, affordable = false;
  for (const auto& o : level.objects) {
    if (!holdsLoot(o)) continue;
    if (!offer.opens(o.kind))
      level.fail(
          number, o.line, "no item sold here that an offered person can carry opens the container at " + at(o.x, o.y));
    if (!open.canWork(o))
      level.fail(number, o.line, "the container at " + at(o.x, o.y) + " lies behind doors no item sold here opens");
    if (!level.guarded(o.x, o.y) && safe.canWork(o)) takenWithoutAlarm = true;
    if (static_cast<long long>(offer.cheapestOpener(o.kind)) + offer.tipPrice(o.content) <= money) affordable = true;
  }
  if (offer.alarmFee() == 0)
    for (const auto& o : level.objects)
      if (o.kind == kAlarmBoxKind && offer.opens(o.kind) && !level.guarded(o.x, o.y) && safe.canWork(o))
        takenWithoutAlarm = true;
  if (!takenWithoutAlarm)
    level.fail(
        number, 0, "every container with loot can only be worked through guarded cells: leave a way without an alarm");
  if (!affordable) level.fail(number, 0, "the money of the first job buys no item that opens a container with loot");
}

}  // namespace

void checkPlay(const Level& level, int number) {
  if (number < 1 || number > kLevels) return;
  const LevelRow& row = kLevelTable[number - 1];
  if (number <= kTrainingLevels)
    checkTraining(level, number, row);
  else
    checkJob(level, number, row);
}

}  // namespace nv::demodata
