#include <array>
#include <vector>

#include "io/DByteArrayOutputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DExceptionBase.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/store/SaveFailures.h"
#include "nvx/src/store/StoreRecords.h"
#include "nvx/src/world/Path.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DEnumeration.h"

namespace nvx {

using qel::io::DDataInputStreamPtr;
using qel::io::DDataOutputStreamPtr;
using qel::lang::DExceptionBase;
namespace Code = qel::lang::ExceptionCode;

namespace {

constexpr int32_t longestRun = 126;
// Item slots name the three pockets; the packed byte has room for a fourth.
constexpr int32_t lastItemSlot = 2;
// No plan can hold more steps than the plan's step counter counts.
constexpr int32_t longestPlan = 32767;

struct PlanRun {
  uint8_t packed;
  int32_t length;
};

struct CrewEntry {
  int32_t id;
  std::array<int8_t, 3> pockets;
  std::array<int16_t, 6> loot;
};

struct Stamps {
  int16_t open;
  int16_t take;
  int8_t amount;
};

struct Bomb {
  int8_t x, y;
  Stamps stamps;
  int8_t content;
};

// The whole record, read and checked before any of it is used.
struct LevelState {
  int32_t money = 0;
  int8_t outcome = 0;
  std::vector<int32_t> kindCounts;
  int32_t alarmBoxesOff = 0;
  std::vector<CrewEntry> crew;
  std::array<int8_t, 3> leaderPockets{};
  std::vector<int32_t> jailedIds;
  std::vector<std::vector<PlanRun>> plans;
  std::vector<Stamps> objectStamps;
  std::vector<Bomb> bombs;
};

// Why a record cannot be used.
struct Damaged {
  const char* why;
};

Person* personAt(int32_t id) {
  auto* person = dynamic_cast<Person*>(GameTables::persons->at(id).get());
  if (!person) qel::lang::throwException(Code::NullPointer);
  return person;
}

int32_t personId(qel::lang::DObject* element) {
  auto* person = dynamic_cast<Person*>(element);
  if (!person) qel::lang::throwException(Code::NullPointer);
  return person->id;
}

bool onMap(int32_t x, int32_t y) { return x >= 0 && y >= 0 && x < WorldState::mapWidth && y < WorldState::mapHeight; }

bool holdsObject(int32_t x, int32_t y) { return GameTables::roomObjects->containsKey(WorldRules::cellKey(x, y)); }

// Runs of equal packed steps, each at most 126 long; the run that ends
// with the last step (the placeholder) is left out.
std::vector<PlanRun> planRuns(const Person& person) {
  std::vector<PlanRun> runs;
  const qel::util::DVector& steps = *person.steps;
  if (steps.size() < 2) return runs;
  PlanRun current{static_cast<const Path*>(steps.elementAt(0))->packed(), 1};
  for (int32_t i = 1; i < steps.size(); ++i) {
    const uint8_t packed = static_cast<const Path*>(steps.elementAt(i))->packed();
    if (packed != current.packed || current.length == longestRun) {
      runs.push_back(current);
      current = {packed, 1};
    } else {
      ++current.length;
    }
  }
  return runs;
}

void writePockets(const DDataOutputStreamPtr& out, const Person& person) {
  for (int32_t i = 0; i < 3; ++i) out->writeByte(person.pockets[i]);
}

void writeStamps(const DDataOutputStreamPtr& out, const RoomObject& object) {
  out->writeShort(object.openStamp);
  out->writeShort(object.takeStamp);
}

qel::lang::DbyteArrayPtr levelStateRecord() {
  qel::io::DByteArrayOutputStreamPtr bytes = new qel::io::DByteArrayOutputStream();
  DDataOutputStreamPtr out = new qel::io::DDataOutputStream(bytes);
  out->writeByte(GameState::levelNumber);
  out->writeInt(GameState::money);
  out->writeByte(GameState::levelEndFlag);
  for (int32_t i = 0; i < GameTables::levelTotals->length(); ++i) out->writeInt(GameTables::levelTotals[i]);
  out->writeInt(WorldState::alarmBoxesOff);
  out->writeByte(GameTables::activePersons->size());
  for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) {
    const Person& person = *personAt(personId(GameTables::activePersons->elementAt(i)));
    out->writeByte(person.id);
    writePockets(out, person);
    for (int32_t k = 0; k < 6; ++k) out->writeShort(person.loot[k]);
  }
  writePockets(out, *personAt(0));
  out->writeByte(GameTables::savedIds->size());
  for (int32_t i = 0; i < GameTables::savedIds->size(); ++i)
    out->writeByte(personId(GameTables::savedIds->elementAt(i)));
  for (int32_t id = 1; id < GameTables::persons->length(); ++id) {
    const std::vector<PlanRun> runs = planRuns(*personAt(id));
    out->writeShort(static_cast<int32_t>(runs.size()));
    for (const PlanRun& run : runs) {
      out->writeByte(run.packed);
      out->writeByte(run.length);
    }
  }
  for (int32_t x = 0; x < WorldState::mapWidth; ++x)
    for (int32_t y = 0; y < WorldState::mapHeight; ++y) {
      auto* object = static_cast<RoomObject*>(GameTables::roomObjects->get(WorldRules::cellKey(x, y)));
      if (!object) continue;
      writeStamps(out, *object);
      out->writeByte(object->amount);
    }
  out->writeByte(GameTables::bombs->size());
  for (qel::util::DEnumerationPtr e = GameTables::bombs->elements(); e->hasMoreElements();) {
    const RoomObject& bomb = *static_cast<RoomObject*>(e->nextElement());
    out->writeByte(bomb.x);
    out->writeByte(bomb.y);
    writeStamps(out, bomb);
    out->writeByte(bomb.content & 0xFF);
  }
  return bytes->toByteArray();
}

int32_t readPersonId(const DDataInputStreamPtr& in) {
  const int32_t id = in->readUnsignedByte();
  if (id >= GameTables::persons->length() || !GameTables::persons->at(id)) throw Damaged{"unknown person"};
  return id;
}

std::array<int8_t, 3> readPockets(const DDataInputStreamPtr& in) {
  std::array<int8_t, 3> pockets{};
  for (int8_t& code : pockets) {
    code = static_cast<int8_t>(in->readByte());
    if (code < 'h' || code > Person::emptyPocket) throw Damaged{"unknown item"};
  }
  return pockets;
}

Stamps readStamps(const DDataInputStreamPtr& in) {
  Stamps stamps{};
  stamps.open = static_cast<int16_t>(in->readShort());
  stamps.take = static_cast<int16_t>(in->readShort());
  return stamps;
}

// A plan's runs, checked to walk only over the map.
std::vector<PlanRun> readPlan(const DDataInputStreamPtr& in) {
  const int32_t count = in->readShort();
  if (count < 0) throw Damaged{"negative run count"};
  std::vector<PlanRun> runs;
  int32_t x = WorldState::exitX, y = WorldState::exitY, steps = 0;
  for (int32_t r = 0; r < count; ++r) {
    const PlanRun run{static_cast<uint8_t>(in->readUnsignedByte()), in->readUnsignedByte()};
    if (run.length < 1 || run.length > longestRun || run.packed > 0x7F || (run.packed & 7) > Path::Plant ||
        run.packed >> 5 > lastItemSlot)
      throw Damaged{"bad plan run"};
    steps += run.length;
    if (steps > longestPlan) throw Damaged{"plan too long"};
    if ((run.packed & 7) == Path::Walk) {
      const int32_t direction = (run.packed >> 3) & 3;
      x += run.length * GameTables::directionSteps[0][direction];
      y += run.length * GameTables::directionSteps[1][direction];
      if (!onMap(x, y)) throw Damaged{"plan leaves the map"};
    }
    runs.push_back(run);
  }
  return runs;
}

bool ofAnotherLevel(const qel::lang::DbyteArrayPtr& record) {
  return record->length() > 0 && record[0] != GameState::levelNumber;
}

LevelState readLevelState(const qel::lang::DbyteArrayPtr& record) {
  DDataInputStreamPtr in = StoreRecords::reader(record);
  in->readByte();  // the level, compared by ofAnotherLevel
  LevelState state;
  state.money = in->readInt();
  state.outcome = static_cast<int8_t>(in->readByte());
  for (int32_t i = 0; i < GameTables::levelTotals->length(); ++i) state.kindCounts.push_back(in->readInt());
  state.alarmBoxesOff = in->readInt();
  const int32_t crewSize = in->readUnsignedByte();
  for (int32_t i = 0; i < crewSize; ++i) {
    CrewEntry entry{readPersonId(in), readPockets(in), {}};
    for (int16_t& loot : entry.loot) loot = static_cast<int16_t>(in->readShort());
    state.crew.push_back(entry);
  }
  state.leaderPockets = readPockets(in);
  const int32_t jailed = in->readUnsignedByte();
  for (int32_t i = 0; i < jailed; ++i) state.jailedIds.push_back(readPersonId(in));
  for (int32_t id = 1; id < GameTables::persons->length(); ++id) state.plans.push_back(readPlan(in));
  for (int32_t x = 0; x < WorldState::mapWidth; ++x)
    for (int32_t y = 0; y < WorldState::mapHeight; ++y) {
      if (!holdsObject(x, y)) continue;
      Stamps stamps = readStamps(in);
      stamps.amount = static_cast<int8_t>(in->readByte());
      state.objectStamps.push_back(stamps);
    }
  const int32_t bombs = in->readUnsignedByte();
  for (int32_t i = 0; i < bombs; ++i) {
    Bomb bomb{};
    bomb.x = static_cast<int8_t>(in->readByte());
    bomb.y = static_cast<int8_t>(in->readByte());
    bomb.stamps = readStamps(in);
    bomb.content = static_cast<int8_t>(in->readByte());
    if (!onMap(bomb.x, bomb.y)) throw Damaged{"bomb outside the map"};
    state.bombs.push_back(bomb);
  }
  if (in->available() != 0) throw Damaged{"bytes after the level in progress"};
  return state;
}

void restorePlan(Person& person, const std::vector<PlanRun>& runs) {
  person.resetPlan();
  int32_t x = WorldState::exitX, y = WorldState::exitY, action = 0, direction = 0;
  for (const PlanRun& run : runs) {
    for (int32_t k = 0; k < run.length; ++k) {
      Path& last = *static_cast<Path*>(person.steps->elementAt(person.steps->size() - 1));
      last.x = static_cast<int8_t>(x);
      last.y = static_cast<int8_t>(y);
      last.setAction(run.packed & 7);
      last.setDirection((run.packed >> 3) & 3);
      last.setItemSlot((run.packed >> 5) & 3);
      if (k == 0) {
        action = run.packed & 7;
        direction = (run.packed >> 3) & 3;
      }
      if (action == Path::Walk) {
        x += GameTables::directionSteps[0][direction];
        y += GameTables::directionSteps[1][direction];
      }
      person.steps->addElement(new Path(x, y, 0, direction, 0));
    }
  }
  person.x = static_cast<int8_t>(x);
  person.y = static_cast<int8_t>(y);
  person.direction = direction;
  person.action = static_cast<int8_t>(action);
}

void restore(const LevelState& state) {
  GameState::money = state.money;
  GameState::levelEndFlag = state.outcome;
  for (size_t i = 0; i < state.kindCounts.size(); ++i)
    GameTables::levelTotals[static_cast<int32_t>(i)] = state.kindCounts[i];
  WorldState::alarmBoxesOff = state.alarmBoxesOff;
  GameTables::activePersons->removeAllElements();
  for (const CrewEntry& entry : state.crew) {
    Person& person = *personAt(entry.id);
    GameTables::activePersons->addElement(GameTables::persons[entry.id]);
    for (int32_t i = 0; i < 3; ++i) person.pockets[i] = entry.pockets[static_cast<size_t>(i)];
    for (int32_t k = 0; k < 6; ++k) person.loot[k] = entry.loot[static_cast<size_t>(k)];
    person.updateLoad();
  }
  Person& leader = *personAt(0);
  for (int32_t i = 0; i < 3; ++i) leader.pockets[i] = state.leaderPockets[static_cast<size_t>(i)];
  leader.updateLoad();
  GameTables::savedIds->removeAllElements();
  for (int32_t id : state.jailedIds) GameTables::savedIds->addElement(GameTables::persons[id]);
  for (size_t i = 0; i < state.plans.size(); ++i) restorePlan(*personAt(static_cast<int32_t>(i) + 1), state.plans[i]);
  size_t next = 0;
  for (int32_t x = 0; x < WorldState::mapWidth; ++x)
    for (int32_t y = 0; y < WorldState::mapHeight; ++y) {
      auto* object = static_cast<RoomObject*>(GameTables::roomObjects->get(WorldRules::cellKey(x, y)));
      if (!object) continue;
      const Stamps& stamps = state.objectStamps[next++];
      object->openStamp = stamps.open;
      object->takeStamp = stamps.take;
      object->amount = stamps.amount;
    }
  GameTables::bombs->clear();
  for (const Bomb& stored : state.bombs) {
    RoomObjectPtr bomb = new RoomObject(RoomObject::bombKind, stored.x, stored.y, 3, false, 0, 0);
    bomb->openStamp = stored.stamps.open;
    bomb->takeStamp = stored.stamps.take;
    bomb->content = stored.content;
    GameTables::bombs->put(WorldRules::cellKey(stored.x, stored.y), bomb);
  }
}

// The saved game in place of the level in progress, every person reset.
void fallBackToSavedGame(const char* why) {
  StoreRecords::logRefused(GameTables::storePath, why);
  GameState::levelNumber = -1;
  GameStore::loadGame();
  for (int32_t id = 0; id < GameTables::persons->length(); ++id) {
    auto* person = dynamic_cast<Person*>(GameTables::persons->at(id).get());
    if (!person) continue;
    person->resetPlan();
    person->emptyPockets(false);
    person->clearLoot();
    person->load = 0;
  }
}

}  // namespace

void GameStore::saveLevelState() {
  try {
    StoreRecords::putFirst(GameTables::storePath, levelStateRecord());
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    SaveFailures::report(GameTables::storePath, e);
  }
}

void GameStore::loadLevelState() {
  const qel::lang::DbyteArrayPtr record = StoreRecords::read(GameTables::storePath, 1);
  if (!record) {
    fallBackToSavedGame("no level in progress");
    return;
  }
  if (ofAnotherLevel(record)) return;
  try {
    restore(readLevelState(record));
  } catch (const Damaged& damage) {
    fallBackToSavedGame(damage.why);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    fallBackToSavedGame("damaged level in progress");
  }
}

}  // namespace nvx
