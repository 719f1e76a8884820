#include "nvx/src/screens/MapResults.h"

#include <initializer_list>
#include <string>

#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogResults.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "nvx/src/world/Person.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DInteger;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DShort;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;

namespace {

constexpr int32_t personTextFirst = 99;
constexpr int32_t offerNameFirst = 221;
constexpr int32_t lootNameFirst = 235;
constexpr int32_t failSound = 2;
constexpr int32_t tipsColumn = 26;

DshortArrayPtr keys(int32_t count) { return DialogWindow::softKeysFor(count); }

DObjectArrayPtr values(std::initializer_list<qel::lang::DObjectPtr> objects) {
  DObjectArrayPtr array = new DObjectArray(static_cast<int32_t>(objects.size()));
  int32_t i = 0;
  for (const auto& o : objects) array->at(i++) = o;
  return array;
}

DbyteArrayPtr picture(int32_t row, int32_t frame) {
  DbyteArrayPtr p = new DbyteArray(2);
  p->at(0) = static_cast<int8_t>(row);
  p->at(1) = static_cast<int8_t>(frame);
  return p;
}

DbyteArrayPtr portrait(int32_t id) { return picture(SpriteRows::spritePictureBox, id); }

// The notice that the money does not reach a price, fee or bail.
void refuse(int32_t amount) {
  DialogWindow::openDialog(
      0, nullptr, 181, values({new DInteger(amount), new DInteger(GameState::money)}), keys(1), 136);
}

bool accepted(const DStringPtr& text) { return text && text->equals(DStringPtr(u"126").get()); }

int32_t level() { return GameState::levelNumber - 1; }

bool levelKnown() { return level() >= 0 && level() < GameTables::levelTable->length(); }

// The tips shop; false when it offers nothing and so opened nothing.
bool offersLeft() {
  for (int32_t k = MapResults::firstOffer; k <= MapResults::lastOffer; ++k)
    if (GameTables::levelTotals->at(k) > 0) return true;
  return false;
}

bool showTips() {
  if (!offersLeft()) return false;
  GameDialogs::showLevelTotals();
  return true;
}

bool personResult(Person& person, int32_t item) {
  switch (item) {
    case 122:
      DialogWindow::openDialog(0,
                               portrait(person.id),
                               person.id == 0 ? 147 : 148,
                               values({new DInteger(GameTables::difficultyTable->at(person.id)->at(0)),
                                       new DInteger(GameTables::difficultyTable->at(person.id)->at(1)),
                                       new DShort(static_cast<int16_t>(personTextFirst + person.id))}),
                               keys(1),
                               static_cast<int16_t>(Person::nameTextFirst + person.id));
      return true;
    case 123:
      person.undoAll();
      person.emptyPockets(true);
      GameTables::activePersons->removeElement(qel::lang::DObjectPtr(&person));
      return false;
    case 124:
      GameTables::activePersons->addElement(qel::lang::DObjectPtr(&person));
      person.resetPlan();
      // Where the grid starts until the shop panel lays itself out.
      MapScreen::shopGridX = GameState::cellSize / 2 + 12;
      MapScreen::shopGridY = GameState::cellSize / 2 + 32;
      MapScreen::openShop();
      return GameDialogs::showHint(5, SpriteRows::spritePictureBox, person.id, false);
    case 125: MapScreen::openShop(); return false;
    default: return false;
  }
}

bool jobMenuResult(int32_t item) {
  switch (item) {
    case 217: GameDialogs::showLevelBriefing(); return true;
    case 218:
      if (WorldState::alarmBoxesOff <= 0) return false;
      DialogWindow::openDialog(28, nullptr, 177, values({new DInteger(WorldState::alarmBoxesOff)}), keys(2), 189);
      return true;
    case 219: {
      const bool forSale = offersLeft();
      int32_t kinds = 0;
      for (int32_t k = 1; k < GameTables::levelCounters->length(); ++k) kinds += GameTables::levelCounters->at(k) > 0;
      DObjectArrayPtr params = new DObjectArray(2 + kinds);
      params->at(0) = new DInteger(GameTables::levelCounters->at(0));
      params->at(1) = new DShort(forSale ? 175 : 176);
      int32_t i = 2;
      for (int32_t k = 1; k < GameTables::levelCounters->length(); ++k)
        if (GameTables::levelCounters->at(k) > 0) params->at(i++) = new DShort(static_cast<int16_t>(lootNameFirst + k));
      DialogWindow::openDialog(25, nullptr, 174, params, keys(2), 137);
      return true;
    }
    case 220: GameDialogs::showTeam(); return true;
    default: return false;
  }
}

bool buyOffer() {
  const int32_t offer = MapResults::chosenOffer;
  if (offer < MapResults::firstOffer || offer > MapResults::lastOffer) return false;
  const int32_t price = GameTables::levelTotals->at(offer);
  if (GameState::money < price) {
    refuse(price);
    return true;
  }
  GameState::money -= price;
  GameTables::levelTotals->at(offer) = 0;
  const bool extraTip =
      offer == MapResults::lastOffer && levelKnown() && GameTables::levelTable->at(level())->length() > tipsColumn;
  if (!extraTip) return showTips();
  DialogWindow::openDialog(34,
                           picture(SpriteRows::spriteMapPicture, 0),
                           GameTables::levelTable->at(level())->at(tipsColumn),
                           nullptr,
                           keys(2),
                           189);
  return true;
}

bool askBail(const DStringPtr& text) {
  int32_t index = -1;
  try {
    index = DInteger::parseInt(text, 10);
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::IllegalArgument);
    return false;
  }
  if (index < 0 || index >= GameTables::savedIds->size()) return false;
  WorldState::chosenPerson = GameTables::savedIds->elementAt(index);
  const auto* person = static_cast<Person*>(WorldState::chosenPerson.get());
  DialogWindow::openDialog(30,
                           portrait(person->id),
                           178,
                           values({new DInteger(person->loot->at(0) * 1000)}),
                           keys(2),
                           static_cast<int16_t>(Person::nameTextFirst + person->id));
  return true;
}

bool payBail() {
  auto* person = static_cast<Person*>(WorldState::chosenPerson.get());
  if (!person || !GameTables::savedIds->contains(WorldState::chosenPerson)) return false;
  const int32_t bail = person->loot->at(0) * 1000;
  if (GameState::money < bail) {
    refuse(bail);
    return true;
  }
  GameTables::savedIds->removeElement(WorldState::chosenPerson);
  person->clearLoot();
  person->emptyPockets(false);
  person->load = 0;
  GameState::money -= bail;
  return false;
}

void playMenuMusic() {
  if (!GameState::sounds) return;
  GameState::sounds->stop(-1, false);
  GameState::sounds->play(MapScreen::mapMusic, true, 0);
}

bool toMainMenu() {
  GameDialogs::returnToMainMenu();
  return true;
}

}  // namespace

DStringPtr MapResults::jailedNames() {
  std::u16string names;
  const int32_t n = GameTables::savedIds->size();
  for (int32_t i = 0; i < n; ++i) {
    if (i > 0) names += LanguageTexts::getTextString(i == n - 1 ? 161 : 160)->view();
    const auto* person = static_cast<Person*>(GameTables::savedIds->elementAt(i));
    names += LanguageTexts::getTextString(Person::nameTextFirst + person->id)->view();
  }
  return new DString(std::u16string_view(names));
}

void MapResults::reportArrests() {
  if (GameTables::savedIds->size() <= GameTables::levelList->size()) {
    GameDialogs::showGameMenu();
    return;
  }
  if (GameState::sounds) GameState::sounds->play(failSound, false, 0);
  DialogWindow::openDialog(13, picture(WorldState::jailParamByte, 0), 159, values({jailedNames()}), keys(1), 136);
}

bool DialogResults::mapDialogResult() {
  GameState::pendingKey = GameState::noKey;
  GameState::mapFullRepaint_ = 1;
  if (GameState::shopMode) MapScreen::shopRepaint_ = 1;
  const qel::lang::DObjectPtr result = DialogWindow::result;
  if (!result) return false;
  const auto* id = dynamic_cast<DShort*>(result.get());
  const DStringPtr text = dynamic_cast<DString*>(result.get());
  const int32_t item = id ? id->shortValue() : -1;
  switch (DialogWindow::dialogId) {
    case 2:
      if (auto* person = static_cast<Person*>(WorldState::chosenPerson.get())) return personResult(*person, item);
      return false;
    case 3:
      if (item == 190) {
        GameDialogs::showSoundOptions();
        return true;
      }
      if (item == 199) {
        GameStore::saveLevelState();
        return toMainMenu();
      }
      if (item == 209) {
        DialogWindow::openDialog(0, nullptr, 8, nullptr, keys(1), 135);
        return true;
      }
      return false;
    case 4: GameStore::saveOptions(); return false;
    case 6: return jobMenuResult(item);
    case 11:
    case 31: MapResults::reportArrests(); return true;
    case 13:
    case 38: GameDialogs::showGameMenu(); return true;
    case 14:
      if (item == 192) {
        LevelStart::nextLevel();
        return false;
      }
      if (item != 191) return false;
      if (GameState::difficulty > 0) {
        DialogWindow::openDialog(35, nullptr, 158, values({new DInteger(GameState::retriesLeft)}), keys(1), 191);
        --GameState::retriesLeft;
        return true;
      }
      LevelStart::retryLevel();
      return false;
    case 15:
      GameStore::deleteSave();
      BestResults::showBestResults(0);
      return true;
    case 20:
      if (item <= MapResults::offerItemFirst) return false;
      MapResults::chosenOffer_ = item - MapResults::offerItemFirst;
      if (MapResults::chosenOffer > MapResults::lastOffer) return false;
      DialogWindow::openDialog(26,
                               picture(SpriteRows::spriteMapPicture, 0),
                               MapResults::chosenOffer == MapResults::lastOffer ? 180 : 179,
                               values({new DShort(static_cast<int16_t>(offerNameFirst + MapResults::chosenOffer)),
                                       new DInteger(GameTables::levelTotals->at(MapResults::chosenOffer))}),
                               keys(2),
                               189);
      return true;
    case 26: return accepted(text) && buyOffer();
    case 25:
    case 34: return accepted(text) && showTips();
    case 28:
      if (!accepted(text)) return false;
      if (GameState::money < WorldState::alarmBoxesOff) {
        refuse(WorldState::alarmBoxesOff);
        return true;
      }
      GameState::money -= WorldState::alarmBoxesOff;
      return false;
    case 29: return text && askBail(text);
    case 30: return accepted(text) && payBail();
    case 32: BestResults::showBestResults(0); return true;
    case 33: GameState::pendingTransition = 2; return false;
    case 35: LevelStart::retryLevel(); return false;
    case 40: GameStore::deleteSave(); return toMainMenu();
    case 41: playMenuMusic(); return false;
    case 42:
      if ((GameState::sounds && GameState::sounds->isPlaying(MapScreen::mapMusic)) ||
          GameState::mapMessage == MapScreen::briefingMessage)
        return false;
      playMenuMusic();
      return false;
    default: return false;
  }
}

}  // namespace nvx
