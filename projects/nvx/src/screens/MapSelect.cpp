#include <initializer_list>
#include <vector>

#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DShort.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DInteger;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

namespace {

constexpr int8_t spriteObjectIcon = 4;
constexpr int32_t bombInfoFirst = 9;
constexpr int32_t bombInfoLast = 10;
constexpr int32_t itemNameFirst = 104;
constexpr int32_t objectNameFirst = 51;

DbyteArrayPtr picture(int32_t row, int32_t frame) {
  DbyteArrayPtr p = new DbyteArray(2);
  p->at(0) = static_cast<int8_t>(row);
  p->at(1) = static_cast<int8_t>(frame);
  return p;
}

DshortArrayPtr textIds(std::initializer_list<int16_t> ids) {
  DshortArrayPtr array = new DshortArray(static_cast<int32_t>(ids.size()));
  int32_t i = 0;
  for (int16_t id : ids) array->at(i++) = id;
  return array;
}

DObjectArrayPtr values(std::initializer_list<qel::lang::DObjectPtr> objects) {
  DObjectArrayPtr array = new DObjectArray(static_cast<int32_t>(objects.size()));
  int32_t i = 0;
  for (const auto& o : objects) array->at(i++) = o;
  return array;
}

// A notice on the map screen with one soft key.
void notice(int32_t body, const DObjectArrayPtr& params, int32_t title) {
  MainCanvas::openDialog(0, nullptr, body, params, textIds({126}), static_cast<int16_t>(title));
}

void openJobMenu() {
  std::vector<int16_t> items;
  if (MainCanvas::savedIds->size() > 0) items.push_back(220);
  items.push_back(217);
  if (MainCanvas::alarmBoxesOff > 0) items.push_back(218);
  if (MainCanvas::levelNumber > 6 || MainCanvas::levelNumber == 5) items.push_back(219);
  DshortArrayPtr ids = new DshortArray(static_cast<int32_t>(items.size()));
  for (size_t i = 0; i < items.size(); ++i) ids->at(static_cast<int32_t>(i)) = items[i];
  MainCanvas::openListDialog(
      6, MainCanvas::kindList, picture(MainCanvas::spriteMapPicture, 0), ids, nullptr, nullptr, nullptr, 136, 2);
}

void openPersonMenu(const Person& person) {
  const bool hired = MainCanvas::activePersons->contains(qel::lang::DObjectPtr(const_cast<Person*>(&person)));
  const DshortArrayPtr items = person.id == 0 ? textIds({125, 122})
                               : hired        ? textIds({125, 122, 123})
                                              : textIds({124, 122});
  MainCanvas::openListDialog(2,
                             MainCanvas::kindList,
                             picture(MainCanvas::spritePictureBox, person.id),
                             items,
                             nullptr,
                             nullptr,
                             nullptr,
                             static_cast<int16_t>(Person::nameTextFirst + person.id),
                             2);
}

}  // namespace

void MapScreen::updateMapScreen() {
  const int32_t action = MainCanvas::keyAction(MainCanvas::pendingKey);
  switch (action) {
    case MainCanvas::actionUp: moveCursor(2); break;
    case MainCanvas::actionDown: moveCursor(3); break;
    case MainCanvas::actionLeft: moveCursor(0); break;
    case MainCanvas::actionRight: moveCursor(1); break;
    case MainCanvas::softKeyLeft:
      if (MainCanvas::shopMode)
        leaveShop();
      else
        MainCanvas::showMapMenu();
      break;
    case MainCanvas::softKeyRight:
      if (MainCanvas::shopMode) {
        showSpotDialog(
            MainCanvas::itemIndex(MainCanvas::shopGrid->at(MainCanvas::shopColumn)->at(MainCanvas::shopRow)));
      } else {
        MainCanvas::tickerRunning = MainCanvas::tickerRunning ? 0 : 1;
        if (MainCanvas::tickerRunning)
          MainCanvas::showPlaceHint();
        else
          MainCanvas::clearTicker();
      }
      break;
    case 0:
      if (MainCanvas::shopMode) leaveShop();
      break;
    case MainCanvas::actionSelect:
      if (MainCanvas::shopMode)
        buyOrGiveBack();
      else
        selectPlace();
      break;
    default: break;
  }
  MainCanvas::pendingKey = MainCanvas::noKey;
}

void MapScreen::selectPlace() {
  const qel::lang::DintArray& place = *MainCanvas::mapPlaces->at(MainCanvas::mapPlace);
  // Acts once the gliding cursor has reached the place.
  if (cursorX != place.at(MainCanvas::placeXColumn) || cursorY != place.at(MainCanvas::placeYColumn)) return;
  const int32_t spot = MainCanvas::mapPlace;
  if (spot >= placeLeader && spot <= placeLastPerson)
    MainCanvas::chosenPerson = MainCanvas::persons->at(spot - placeLeader);
  switch (spot) {
    case placeJobMenu: openJobMenu(); break;
    case placeBreakIn: MainCanvas::pendingTransition = 1; break;
    case placeLeader:
      if (MainCanvas::levelNumber < 6) {
        notice(183, nullptr, 137);
      } else if (const Person* leader = chosen()) {
        openPersonMenu(*leader);
      }
      break;
    case placePlanning:
      if (MainCanvas::activePersons->size() == 0 && MainCanvas::levelNumber == 1)
        MainCanvas::openDialog(33, nullptr, 149, nullptr, textIds({126}), 136);
      else
        MainCanvas::pendingTransition = 2;
      break;
    case placeMapMenu: MainCanvas::showMapMenu(); break;
    default:
      if (const Person* person = chosen()) openPersonMenu(*person);
      break;
  }
}

void MapScreen::buyOrGiveBack() {
  Person* person = chosen();
  const int32_t letter = MainCanvas::shopGrid->at(MainCanvas::shopColumn)->at(MainCanvas::shopRow);
  const int32_t k = MainCanvas::itemIndex(letter);
  if (!person || k < 0 || k >= MainCanvas::itemTable->length()) return;
  const int32_t price = MainCanvas::itemTable->at(k)->at(0);
  const int32_t weight = MainCanvas::itemTable->at(k)->at(1);
  qel::lang::DbyteArray& pockets = *person->pockets;
  for (int32_t s = 0; s < pockets.length(); ++s) {
    if (pockets.at(s) != letter) continue;
    pockets.at(s) = Person::emptyPocket;
    MainCanvas::money += price;
    person->load = static_cast<int8_t>(person->load - weight);
    shopRepaint = 1;
    personRepaint = 1;
    return;
  }
  if (price > MainCanvas::money) {
    notice(181, values({new DInteger(price), new DInteger(MainCanvas::money)}), 136);
    return;
  }
  const int32_t level = MainCanvas::levelNumber - 1;
  if (level < 0 || level >= MainCanvas::levelTable->length() || MainCanvas::levelTable->at(level)->at(13 + k) == 0) {
    notice(182, nullptr, 136);
    return;
  }
  const int32_t free = MainCanvas::difficultyTable->at(person->id)->at(0) - person->load;
  if (weight > free) {
    notice(free > 0 ? 187 : 188,
           values({new DInteger(weight),
                   new qel::lang::DShort(static_cast<int16_t>(Person::nameTextFirst + person->id)),
                   new DInteger(free)}),
           136);
    return;
  }
  for (int32_t s = 0; s < pockets.length(); ++s) {
    if (pockets.at(s) != Person::emptyPocket) continue;
    pockets.at(s) = static_cast<int8_t>(letter);
    MainCanvas::money -= price;
    person->load = static_cast<int8_t>(person->load + weight);
    break;
  }
  shopRepaint = 1;
  personRepaint = 1;
}

void MapScreen::showSpotDialog(int32_t k) {
  if (k < 0 || k >= MainCanvas::itemTable->length()) return;
  const int16_t title = static_cast<int16_t>(itemNameFirst + k);
  if (k == bombInfoFirst || k == bombInfoLast) {
    MainCanvas::openDialog(0,
                           picture(MainCanvas::spriteItemIcons, k),
                           k == bombInfoFirst ? 83 : 84,
                           values({new DInteger(MainCanvas::objectChances->at(0)->at(k))}),
                           textIds({126}),
                           title);
    return;
  }
  std::vector<int32_t> kinds;
  for (int32_t r = 0; r < MainCanvas::objectChances->length(); ++r)
    if (r != 11 && MainCanvas::objectChances->at(r)->at(k) > 0) kinds.push_back(r);
  const int32_t n = static_cast<int32_t>(kinds.size()) + 1;
  DshortArrayPtr items = new DshortArray(n);
  DObjectArrayPtr itemValues = new DObjectArray(n);
  DObjectArrayPtr itemPictures = new DObjectArray(n);
  items->at(0) = 81;
  for (int32_t i = 1; i < n; ++i) {
    const int32_t r = kinds[i - 1];
    items->at(i) = 82;
    itemValues->at(i) = values({new qel::lang::DShort(static_cast<int16_t>(objectNameFirst + r)),
                                new DInteger(MainCanvas::objectChances->at(r)->at(k))});
    itemPictures->at(i) = picture(spriteObjectIcon, MainCanvas::objectTypeTable->at(r)->at(4));
  }
  // A value list: plain rows whose pictures are outline shapes.
  MainCanvas::openValueMenu(
      0, picture(MainCanvas::spriteItemIcons, k), items, itemValues, itemPictures, nullptr, title, 1);
}

void MapScreen::showResultEvent() {
  const int32_t event = MainCanvas::mapMessage;
  const DshortArrayPtr keys = textIds({126});
  auto result = [&](int32_t sound, uint8_t dialog, int16_t title, bool withValues) {
    if (MainCanvas::sounds) MainCanvas::sounds->play(sound, false, 0);
    MainCanvas::openDialog(dialog, nullptr, event, withValues ? MainCanvas::resultValues : nullptr, keys, title);
  };
  switch (event) {
    case 153: result(11, 38, 141, false); break;
    case 164: result(11, 15, 131, false); break;
    case 165: result(11, 40, 132, false); break;
    case 152: result(2, 31, 140, true); break;
    case 150: result(11, 11, 140, true); break;
    case 151: result(2, 11, 140, true); break;
    case hintMessage: MainCanvas::showHint(3, -1, 0, false); break;
    case briefingMessage: MainCanvas::showLevelBriefing(); break;
    default: break;
  }
  MainCanvas::mapMessage = event == hintMessage ? briefingMessage : noMessage;
}

}  // namespace nvx
