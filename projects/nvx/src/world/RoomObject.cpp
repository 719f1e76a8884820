#include "nvx/src/world/RoomObject.h"

#include <algorithm>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/world/WorldRules.h"

namespace nvx {

namespace {

// The level's briefing text that hides the alarm boxes (and draws them as
// locked doors while running), and the one that shows loot uncoloured.
constexpr int32_t hiddenAlarmBriefing = 32;
constexpr int32_t uncolouredLootBriefing = 20;

int32_t briefingOfLevel() {
  const int32_t row = GameState::levelNumber - 1;
  if (!GameTables::levelTable || row < 0 || row >= GameTables::levelTable->length()) return -1;
  return GameTables::levelTable[row][25];
}

}  // namespace

RoomObject::RoomObject(int32_t type, int32_t x, int32_t y, int32_t facing, bool planned, int32_t content,
                       int32_t amount)
    : type(type),
      x(static_cast<int8_t>(x)),
      y(static_cast<int8_t>(y)),
      facing(static_cast<int8_t>(facing)),
      state(new qel::lang::DbyteArray(2, 0, planned ? 0 : closed, initialTakeSteps)),
      content(content),
      amount(static_cast<int8_t>(amount)) {}

void RoomObject::reset(bool stampsOnly) {
  if (stampsOnly) {
    openStamp = 0;
    takeStamp = 0;
  } else {
    state[0] = closed;
    state[1] = initialTakeSteps;
  }
}

int32_t RoomObject::flags() const { return GameTables::objectTypeTable[type][5]; }

void RoomObject::paint(const qel::lcdui::DGraphicsPtr& g) {
  const int32_t px = WorldState::mapOriginX + x * GameState::cellSize;
  const int32_t py = WorldState::mapOriginY + y * GameState::cellSize;
  if (GameState::skipWorldLogic != 0)
    paintRunning(g, px, py);
  else
    paintPlanning(g, px, py);
}

void RoomObject::paintRunning(const qel::lcdui::DGraphicsPtr& g, int32_t px, int32_t py) {
  int32_t kind = type;
  if (kind == 6) {
    if (WorldState::alarmBoxesOff > 0) return;
    if (briefingOfLevel() == hiddenAlarmBriefing) kind = 4;
  }
  if (kind == 4 && state[0] <= 0) return;
  if (kind == bombKind && state[0] > 0) return;
  const int32_t openTest = kind == bombKind ? state[1] : state[0];
  const int32_t frame = GameTables::objectTypeTable[kind][facing] + (openTest < 1 ? 1 : 0);
  const int32_t kindFlags = GameTables::objectTypeTable[kind][5];
  const int32_t cell = GameState::cellSize;
  const int32_t half = cell / 2;
  if (kindFlags & facingHalfFlag) {
    // Only the half on the facing side: cut the opposite half.
    const int32_t cuts[4][4] = {{0, half, 0, 0}, {0, 0, 0, half}, {half, 0, 0, 0}, {0, 0, half, 0}};
    const auto& c = cuts[facing & 3];
    SpriteDrawing::drawSprite(g, WorldRules::objectSprites, frame, px, py, c[0], c[1], c[2], c[3]);
  } else if (kindFlags & shiftedHalfFlag) {
    // Moved half a cell towards the facing side; what leaves the cell is cut.
    const int32_t dx = GameTables::directionSteps[0][facing & 3] * half;
    const int32_t dy = GameTables::directionSteps[1][facing & 3] * half;
    const int32_t cuts[4][4] = {{half, 0, 0, 0}, {0, 0, half, 0}, {0, half, 0, 0}, {0, 0, 0, half}};
    const auto& c = cuts[facing & 3];
    SpriteDrawing::drawSprite(g, WorldRules::objectSprites, frame, px + dx, py + dy, c[0], c[1], c[2], c[3]);
  } else {
    SpriteDrawing::drawSpriteFrame(g, WorldRules::objectSprites, frame, px, py);
  }
  if (kind == bombKind && state[0] < 1) {
    if (state[1] > 0) {
      BitmapText::drawString(g, qel::lang::DInteger::toString(state[1]), px, py);
    } else if (state[1] == 0) {
      const int32_t tick = std::clamp<int32_t>(amount, 0, GameTables::halfPhase->length() - 1);
      SpriteDrawing::drawSpriteFrame(g, WorldRules::explosionSprites, GameTables::halfPhase[tick], px, py);
      WorldState::shakeOffset_ = GameTables::bounceOffsets[tick];
    }
  }
}

void RoomObject::paintPlanning(const qel::lcdui::DGraphicsPtr& g, int32_t px, int32_t py) {
  const bool alarmsHidden = briefingOfLevel() == hiddenAlarmBriefing;
  if (type == 6 && (WorldState::alarmBoxesOff > 0 || alarmsHidden)) return;
  if (type == 4 && alarmsHidden) return;
  if (type == 22 || type == 23 || type == 24) {
    SpriteDrawing::drawSpriteFrame(g, WorldRules::planObjectSprites, 0, px, py);
  } else {
    SpriteDrawing::drawShape(g, GameTables::objectTypeTable[type][4], facing, px, py, outlineColour());
  }
  if (openStamp > 0 && openStamp <= WorldState::stepIndex)
    SpriteDrawing::drawSpriteFrame(g, WorldRules::planStampSprites, 18, px, py);
  if (takeStamp > 0 && takeStamp <= WorldState::stepIndex)
    SpriteDrawing::drawSpriteFrame(g, WorldRules::planStampSprites, 19, px, py);
}

int32_t RoomObject::outlineColour() const {
  if (type == 6) return amount == 0 ? 0xff0000 : amount == 1 ? 0x04cf04 : 0x0000ff;
  if (type == 11) return 0;
  if (flags() & inertFlag) return 0x595959;
  const bool lootOnSale =
      content >= 0 && content < GameTables::levelTotals->length() && GameTables::levelTotals[content] > 0;
  if (lootOnSale || briefingOfLevel() == uncolouredLootBriefing) return 0;
  return amount > 0 ? 0xb80066 : 0;
}

void RoomObject::paintProgress(const qel::lcdui::DGraphicsPtr& g, int32_t total, bool useFirst) {
  if (total <= 0) return;
  const int32_t w = GameState::screenWidth >> 3;
  const int32_t h = w / 5 + 2;
  g->setClip(1, 1, w, h);
  g->setColor(0xffffffu);
  g->fillRect(1, 1, w, h);
  const int32_t done = state[useFirst ? 0 : 1];
  g->setColor(useFirst ? 0x990000u : 0x006600u);
  g->fillRect(2, 2, std::min(w - 3, done * (w - 3) / total), h - 3);
}

}  // namespace nvx
