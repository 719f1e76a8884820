#include <initializer_list>
#include <vector>

#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DShort.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
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
  DialogWindow::openDialog(0, nullptr, body, params, textIds({126}), static_cast<int16_t>(title));
}

void openJobMenu() {
  std::vector<int16_t> items;
  if (GameTables::savedIds->size() > 0) items.push_back(220);
  items.push_back(217);
  if (WorldState::alarmBoxesOff > 0) items.push_back(218);
  if (GameState::levelNumber > 6 || GameState::levelNumber == 5) items.push_back(219);
  DshortArrayPtr ids = new DshortArray(static_cast<int32_t>(items.size()));
  for (size_t i = 0; i < items.size(); ++i) ids->at(static_cast<int32_t>(i)) = items[i];
  DialogWindow::openListDialog(
      6, DialogWindow::kindList, picture(SpriteRows::spriteMapPicture, 0), ids, nullptr, nullptr, nullptr, 136, 2);
}

void openPersonMenu(const Person& person) {
  const bool hired = GameTables::activePersons->contains(qel::lang::DObjectPtr(const_cast<Person*>(&person)));
  const DshortArrayPtr items = person.id == 0 ? textIds({125, 122})
                               : hired        ? textIds({125, 122, 123})
                                              : textIds({124, 122});
  DialogWindow::openListDialog(2,
                               DialogWindow::kindList,
                               picture(SpriteRows::spritePictureBox, person.id),
                               items,
                               nullptr,
                               nullptr,
                               nullptr,
                               static_cast<int16_t>(Person::nameTextFirst + person.id),
                               2);
}

}  // namespace

void MapScreen::updateMapScreen() {
  const int32_t action = KeyInput::keyAction(GameState::pendingKey);
  switch (action) {
    case KeyInput::actionUp: moveCursor(2); break;
    case KeyInput::actionDown: moveCursor(3); break;
    case KeyInput::actionLeft: moveCursor(0); break;
    case KeyInput::actionRight: moveCursor(1); break;
    case KeyInput::softKeyLeft:
      if (GameState::shopMode)
        leaveShop();
      else
        GameDialogs::showMapMenu();
      break;
    case KeyInput::softKeyRight:
      if (GameState::shopMode) {
        showSpotDialog(KeyInput::itemIndex(GameTables::shopGrid->at(GameState::shopColumn)->at(GameState::shopRow)));
      } else {
        GameState::tickerRunning_ = GameState::tickerRunning ? 0 : 1;
        if (GameState::tickerRunning)
          Ticker::showPlaceHint();
        else
          Ticker::clearTicker();
      }
      break;
    case 0:
      if (GameState::shopMode) leaveShop();
      break;
    case KeyInput::actionSelect:
      if (GameState::shopMode)
        buyOrGiveBack();
      else
        selectPlace();
      break;
    default: break;
  }
  GameState::pendingKey = GameState::noKey;
}

void MapScreen::selectPlace() {
  const qel::lang::DintArray& place = *GameTables::mapPlaces->at(GameState::mapPlace);
  // Acts once the gliding cursor has reached the place.
  if (cursorX != place.at(GameState::placeXColumn) || cursorY != place.at(GameState::placeYColumn)) return;
  const int32_t spot = GameState::mapPlace;
  if (spot >= placeLeader && spot <= placeLastPerson)
    WorldState::chosenPerson = GameTables::persons->at(spot - placeLeader);
  switch (spot) {
    case placeJobMenu: openJobMenu(); break;
    case placeBreakIn: GameState::pendingTransition = 1; break;
    case placeLeader:
      if (GameState::levelNumber < 6) {
        notice(183, nullptr, 137);
      } else if (const Person* leader = chosen()) {
        openPersonMenu(*leader);
      }
      break;
    case placePlanning:
      if (GameTables::activePersons->size() == 0 && GameState::levelNumber == 1)
        DialogWindow::openDialog(33, nullptr, 149, nullptr, textIds({126}), 136);
      else
        GameState::pendingTransition = 2;
      break;
    case placeMapMenu: GameDialogs::showMapMenu(); break;
    default:
      if (const Person* person = chosen()) openPersonMenu(*person);
      break;
  }
}

void MapScreen::buyOrGiveBack() {
  Person* person = chosen();
  const int32_t letter = GameTables::shopGrid->at(GameState::shopColumn)->at(GameState::shopRow);
  const int32_t k = KeyInput::itemIndex(letter);
  if (!person || k < 0 || k >= GameTables::itemTable->length()) return;
  const int32_t price = GameTables::itemTable->at(k)->at(0);
  const int32_t weight = GameTables::itemTable->at(k)->at(1);
  qel::lang::DbyteArray& pockets = *person->pockets;
  for (int32_t s = 0; s < pockets.length(); ++s) {
    if (pockets.at(s) != letter) continue;
    pockets.at(s) = Person::emptyPocket;
    GameState::money += price;
    person->load = static_cast<int8_t>(person->load - weight);
    shopRepaint_ = 1;
    personRepaint_ = 1;
    return;
  }
  if (price > GameState::money) {
    notice(181, values({new DInteger(price), new DInteger(GameState::money)}), 136);
    return;
  }
  const int32_t level = GameState::levelNumber - 1;
  if (level < 0 || level >= GameTables::levelTable->length() || GameTables::levelTable->at(level)->at(13 + k) == 0) {
    notice(182, nullptr, 136);
    return;
  }
  const int32_t free = GameTables::difficultyTable->at(person->id)->at(0) - person->load;
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
    GameState::money -= price;
    person->load = static_cast<int8_t>(person->load + weight);
    break;
  }
  shopRepaint_ = 1;
  personRepaint_ = 1;
}

void MapScreen::showSpotDialog(int32_t k) {
  if (k < 0 || k >= GameTables::itemTable->length()) return;
  const int16_t title = static_cast<int16_t>(itemNameFirst + k);
  if (k == bombInfoFirst || k == bombInfoLast) {
    DialogWindow::openDialog(0,
                             picture(SpriteRows::spriteItemIcons, k),
                             k == bombInfoFirst ? 83 : 84,
                             values({new DInteger(GameTables::objectChances->at(0)->at(k))}),
                             textIds({126}),
                             title);
    return;
  }
  std::vector<int32_t> kinds;
  for (int32_t r = 0; r < GameTables::objectChances->length(); ++r)
    if (r != 11 && GameTables::objectChances->at(r)->at(k) > 0) kinds.push_back(r);
  const int32_t n = static_cast<int32_t>(kinds.size()) + 1;
  DshortArrayPtr items = new DshortArray(n);
  DObjectArrayPtr itemValues = new DObjectArray(n);
  DObjectArrayPtr itemPictures = new DObjectArray(n);
  items->at(0) = 81;
  for (int32_t i = 1; i < n; ++i) {
    const int32_t r = kinds[i - 1];
    items->at(i) = 82;
    itemValues->at(i) = values({new qel::lang::DShort(static_cast<int16_t>(objectNameFirst + r)),
                                new DInteger(GameTables::objectChances->at(r)->at(k))});
    itemPictures->at(i) = picture(spriteObjectIcon, GameTables::objectTypeTable->at(r)->at(4));
  }
  // A value list: plain rows whose pictures are outline shapes.
  DialogWindow::openValueMenu(
      0, picture(SpriteRows::spriteItemIcons, k), items, itemValues, itemPictures, nullptr, title, 1);
}

void MapScreen::showResultEvent() {
  const int32_t event = GameState::mapMessage;
  const DshortArrayPtr keys = textIds({126});
  auto result = [&](int32_t sound, uint8_t dialog, int16_t title, bool withValues) {
    if (GameState::sounds) GameState::sounds->play(sound, false, 0);
    DialogWindow::openDialog(dialog, nullptr, event, withValues ? WorldState::resultValues : nullptr, keys, title);
  };
  switch (event) {
    case 153: result(11, 38, 141, false); break;
    case 164: result(11, 15, 131, false); break;
    case 165: result(11, 40, 132, false); break;
    case 152: result(2, 31, 140, true); break;
    case 150: result(11, 11, 140, true); break;
    case 151: result(2, 11, 140, true); break;
    case hintMessage: GameDialogs::showHint(3, -1, 0, false); break;
    case briefingMessage: GameDialogs::showLevelBriefing(); break;
    default: break;
  }
  GameState::mapMessage = event == hintMessage ? briefingMessage : noMessage;
}

}  // namespace nvx
