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
#include "nvx/src/state/MainCanvas.h"
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

DshortArrayPtr keys(int32_t count) { return MainCanvas::softKeysFor(count); }

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

DbyteArrayPtr portrait(int32_t id) { return picture(MainCanvas::spritePictureBox, id); }

// The notice that the money does not reach a price, fee or bail.
void refuse(int32_t amount) {
  MainCanvas::openDialog(
      0, nullptr, 181, values({new DInteger(amount), new DInteger(MainCanvas::money)}), keys(1), 136);
}

bool accepted(const DStringPtr& text) { return text && text->equals(DStringPtr(u"126").get()); }

int32_t level() { return MainCanvas::levelNumber - 1; }

bool levelKnown() { return level() >= 0 && level() < MainCanvas::levelTable->length(); }

// The tips shop; false when it offers nothing and so opened nothing.
bool offersLeft() {
  for (int32_t k = MainCanvas::firstOffer; k <= MainCanvas::lastOffer; ++k)
    if (MainCanvas::levelTotals->at(k) > 0) return true;
  return false;
}

bool showTips() {
  if (!offersLeft()) return false;
  MainCanvas::showLevelTotals();
  return true;
}

bool personResult(Person& person, int32_t item) {
  switch (item) {
    case 122:
      MainCanvas::openDialog(0,
                             portrait(person.id),
                             person.id == 0 ? 147 : 148,
                             values({new DInteger(MainCanvas::difficultyTable->at(person.id)->at(0)),
                                     new DInteger(MainCanvas::difficultyTable->at(person.id)->at(1)),
                                     new DShort(static_cast<int16_t>(personTextFirst + person.id))}),
                             keys(1),
                             static_cast<int16_t>(Person::nameTextFirst + person.id));
      return true;
    case 123:
      person.undoAll();
      person.emptyPockets(true);
      MainCanvas::activePersons->removeElement(qel::lang::DObjectPtr(&person));
      return false;
    case 124:
      MainCanvas::activePersons->addElement(qel::lang::DObjectPtr(&person));
      person.resetPlan();
      // Where the grid starts until the shop panel lays itself out.
      MainCanvas::shopGridX = MainCanvas::cellSize / 2 + 12;
      MainCanvas::shopGridY = MainCanvas::cellSize / 2 + 32;
      MainCanvas::openShop();
      return MainCanvas::showHint(5, MainCanvas::spritePictureBox, person.id, false);
    case 125: MainCanvas::openShop(); return false;
    default: return false;
  }
}

bool jobMenuResult(int32_t item) {
  switch (item) {
    case 217: MainCanvas::showLevelBriefing(); return true;
    case 218:
      if (MainCanvas::alarmBoxesOff <= 0) return false;
      MainCanvas::openDialog(28, nullptr, 177, values({new DInteger(MainCanvas::alarmBoxesOff)}), keys(2), 189);
      return true;
    case 219: {
      const bool forSale = offersLeft();
      int32_t kinds = 0;
      for (int32_t k = 1; k < MainCanvas::levelCounters->length(); ++k) kinds += MainCanvas::levelCounters->at(k) > 0;
      DObjectArrayPtr params = new DObjectArray(2 + kinds);
      params->at(0) = new DInteger(MainCanvas::levelCounters->at(0));
      params->at(1) = new DShort(forSale ? 175 : 176);
      int32_t i = 2;
      for (int32_t k = 1; k < MainCanvas::levelCounters->length(); ++k)
        if (MainCanvas::levelCounters->at(k) > 0) params->at(i++) = new DShort(static_cast<int16_t>(lootNameFirst + k));
      MainCanvas::openDialog(25, nullptr, 174, params, keys(2), 137);
      return true;
    }
    case 220: MainCanvas::showTeam(); return true;
    default: return false;
  }
}

bool buyOffer() {
  const int32_t offer = MainCanvas::chosenOffer;
  if (offer < MainCanvas::firstOffer || offer > MainCanvas::lastOffer) return false;
  const int32_t price = MainCanvas::levelTotals->at(offer);
  if (MainCanvas::money < price) {
    refuse(price);
    return true;
  }
  MainCanvas::money -= price;
  MainCanvas::levelTotals->at(offer) = 0;
  const bool extraTip =
      offer == MainCanvas::lastOffer && levelKnown() && MainCanvas::levelTable->at(level())->length() > tipsColumn;
  if (!extraTip) return showTips();
  MainCanvas::openDialog(34,
                         picture(MainCanvas::spriteMapPicture, 0),
                         MainCanvas::levelTable->at(level())->at(tipsColumn),
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
  if (index < 0 || index >= MainCanvas::savedIds->size()) return false;
  MainCanvas::chosenPerson = MainCanvas::savedIds->elementAt(index);
  const auto* person = static_cast<Person*>(MainCanvas::chosenPerson.get());
  MainCanvas::openDialog(30,
                         portrait(person->id),
                         178,
                         values({new DInteger(person->loot->at(0) * 1000)}),
                         keys(2),
                         static_cast<int16_t>(Person::nameTextFirst + person->id));
  return true;
}

bool payBail() {
  auto* person = static_cast<Person*>(MainCanvas::chosenPerson.get());
  if (!person || !MainCanvas::savedIds->contains(MainCanvas::chosenPerson)) return false;
  const int32_t bail = person->loot->at(0) * 1000;
  if (MainCanvas::money < bail) {
    refuse(bail);
    return true;
  }
  MainCanvas::savedIds->removeElement(MainCanvas::chosenPerson);
  person->clearLoot();
  person->emptyPockets(false);
  person->load = 0;
  MainCanvas::money -= bail;
  return false;
}

void playMenuMusic() {
  if (!MainCanvas::sounds) return;
  MainCanvas::sounds->stop(-1, false);
  MainCanvas::sounds->play(MainCanvas::mapMusic, true, 0);
}

bool toMainMenu() {
  MainCanvas::returnToMainMenu();
  return true;
}

}  // namespace

DStringPtr MapResults::jailedNames() {
  std::u16string names;
  const int32_t n = MainCanvas::savedIds->size();
  for (int32_t i = 0; i < n; ++i) {
    if (i > 0) names += MainCanvas::getTextString(i == n - 1 ? 161 : 160)->view();
    const auto* person = static_cast<Person*>(MainCanvas::savedIds->elementAt(i));
    names += MainCanvas::getTextString(Person::nameTextFirst + person->id)->view();
  }
  return new DString(std::u16string_view(names));
}

void MapResults::reportArrests() {
  if (MainCanvas::savedIds->size() <= MainCanvas::levelList->size()) {
    MainCanvas::showGameMenu();
    return;
  }
  if (MainCanvas::sounds) MainCanvas::sounds->play(failSound, false, 0);
  MainCanvas::openDialog(13, picture(MainCanvas::jailParamByte, 0), 159, values({jailedNames()}), keys(1), 136);
}

bool DialogResults::mapDialogResult() {
  MainCanvas::pendingKey = MainCanvas::noKey;
  MainCanvas::mapFullRepaint = 1;
  if (MainCanvas::shopMode) MainCanvas::shopRepaint = 1;
  const qel::lang::DObjectPtr result = MainCanvas::result;
  if (!result) return false;
  const auto* id = dynamic_cast<DShort*>(result.get());
  const DStringPtr text = dynamic_cast<DString*>(result.get());
  const int32_t item = id ? id->shortValue() : -1;
  switch (MainCanvas::dialogId) {
    case 2:
      if (auto* person = static_cast<Person*>(MainCanvas::chosenPerson.get())) return personResult(*person, item);
      return false;
    case 3:
      if (item == 190) {
        MainCanvas::showSoundOptions();
        return true;
      }
      if (item == 199) {
        MainCanvas::saveLevelState();
        return toMainMenu();
      }
      if (item == 209) {
        MainCanvas::openDialog(0, nullptr, 8, nullptr, keys(1), 135);
        return true;
      }
      return false;
    case 4: MainCanvas::saveOptions(); return false;
    case 6: return jobMenuResult(item);
    case 11:
    case 31: MainCanvas::reportArrests(); return true;
    case 13:
    case 38: MainCanvas::showGameMenu(); return true;
    case 14:
      if (item == 192) {
        MainCanvas::nextLevel();
        return false;
      }
      if (item != 191) return false;
      if (MainCanvas::difficulty > 0) {
        MainCanvas::openDialog(35, nullptr, 158, values({new DInteger(MainCanvas::retriesLeft)}), keys(1), 191);
        --MainCanvas::retriesLeft;
        return true;
      }
      MainCanvas::retryLevel();
      return false;
    case 15:
      MainCanvas::deleteSave();
      MainCanvas::showBestResults(0);
      return true;
    case 20:
      if (item <= MainCanvas::offerItemFirst) return false;
      MainCanvas::chosenOffer = item - MainCanvas::offerItemFirst;
      if (MainCanvas::chosenOffer > MainCanvas::lastOffer) return false;
      MainCanvas::openDialog(26,
                             picture(MainCanvas::spriteMapPicture, 0),
                             MainCanvas::chosenOffer == MainCanvas::lastOffer ? 180 : 179,
                             values({new DShort(static_cast<int16_t>(offerNameFirst + MainCanvas::chosenOffer)),
                                     new DInteger(MainCanvas::levelTotals->at(MainCanvas::chosenOffer))}),
                             keys(2),
                             189);
      return true;
    case 26: return accepted(text) && buyOffer();
    case 25:
    case 34: return accepted(text) && showTips();
    case 28:
      if (!accepted(text)) return false;
      if (MainCanvas::money < MainCanvas::alarmBoxesOff) {
        refuse(MainCanvas::alarmBoxesOff);
        return true;
      }
      MainCanvas::money -= MainCanvas::alarmBoxesOff;
      return false;
    case 29: return text && askBail(text);
    case 30: return accepted(text) && payBail();
    case 32: MainCanvas::showBestResults(0); return true;
    case 33: MainCanvas::pendingTransition = 2; return false;
    case 35: MainCanvas::retryLevel(); return false;
    case 40: MainCanvas::deleteSave(); return toMainMenu();
    case 41: playMenuMusic(); return false;
    case 42:
      if ((MainCanvas::sounds && MainCanvas::sounds->isPlaying(MainCanvas::mapMusic)) ||
          MainCanvas::mapMessage == MainCanvas::briefingMessage)
        return false;
      playMenuMusic();
      return false;
    default: return false;
  }
}

}  // namespace nvx
