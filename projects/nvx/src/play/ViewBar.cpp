#include "gamelib/Animation.h"
#include "gamelib/ImageManager.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;

namespace {

constexpr int32_t portraitZone = 2;
constexpr int32_t clockZone = 1;
constexpr int32_t barButtonZone = 4;
constexpr int32_t noneSelectedText = 262;
constexpr int32_t takeTotal = 8;

int32_t spriteWidth(int32_t set) { return GameTables::spriteTable[set][2]; }
int32_t spriteHeight(int32_t set) { return GameTables::spriteTable[set][3]; }

bool running() { return GameState::skipWorldLogic == 1; }

int32_t barHeight() { return spriteHeight(ViewScene::barSprite); }
int32_t barTop() { return GameState::screenHeight - barHeight(); }
int32_t barMargin() { return GameState::screenWidth < 130 ? 2 : 4; }

int32_t gaugeX() { return spriteWidth(ViewScene::portraitFrameSprite) + 2 * barMargin(); }
int32_t gaugeY() { return barTop() + (barHeight() - spriteHeight(ViewScene::slotSprite) + 1) / 2; }

int32_t itemClassOf(int32_t code) { return static_cast<int8_t>(code - 104); }

gamelib::Animation* guiAnimation(int32_t i) {
  if (!GameState::guiImages || i >= GameState::guiImages->animationCount()) return nullptr;
  return GameState::guiImages->getAnimation(i).get();
}

// Paints GUI animation i at (x, y) and gives its touch zone the animation's size.
void paintControl(const DGraphicsPtr& g, int32_t i, int32_t zone, int32_t x, int32_t y) {
  const gamelib::Animation* a = guiAnimation(i);
  if (!a) return;
  GameState::guiImages->paintAnimationByIndex(g, i, x, y, 0, 255, false);
  KeyInput::setHotZone(zone, x, y, a->box().width, a->box().height);
}

}  // namespace

void ViewScene::paintPortrait(const DGraphicsPtr& g, const Person& p, bool registerZone) {
  const int32_t sh = GameState::screenHeight, m = barMargin();
  const int32_t fw = spriteWidth(portraitFrameSprite), fh = spriteHeight(portraitFrameSprite);
  SpriteDrawing::drawSpriteFrame(g, portraitFrameSprite, 0, m, sh - fh);
  if (registerZone) KeyInput::setHotZone(portraitZone, m, sh - fh, fw, fh);
  const int32_t pw = spriteWidth(portraitSprite), ph = spriteHeight(portraitSprite);
  SpriteDrawing::drawSpriteFrame(g, portraitSprite, p.id, fw / 2 - pw / 2 + m, fh / 2 - ph / 2 - fh + sh + 1);
}

// Blacks out the part of the gauge above load.
void ViewScene::paintGaugeFill(const DGraphicsPtr& g, const Person& p, int32_t load) {
  const int32_t gw = spriteWidth(gaugeSprite), gh = spriteHeight(gaugeSprite);
  const int32_t capacity = GameTables::difficultyTable[p.id][0];
  const int32_t full = gh - 2;
  const int32_t shown = capacity > 0 ? load * full / capacity : full;
  g->setColor(0x000000u);
  g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight);
  g->fillRect(gaugeX() + 1, gaugeY() + 1, gw - 2, full - shown);
}

void ViewScene::paintBar(const DGraphicsPtr& g, bool alternate) {
  const int32_t sw = GameState::screenWidth, top = barTop();
  const Person* p = Person::selected();
  const int32_t tile = p && !alternate ? barSpriteSelected : barSprite;
  const int32_t tileWidth = std::max<int32_t>(spriteWidth(tile), 1);
  for (int32_t x = 0; x < sw; x += tileWidth) SpriteDrawing::drawSpriteFrame(g, tile, 0, x, top);
  if (p) {
    paintPortrait(g, *p, true);
    const int32_t gx = gaugeX(), gy = gaugeY(), m = barMargin();
    SpriteDrawing::drawSpriteFrame(g, gaugeSprite, 0, gx, gy);
    int32_t x = gx, previousWidth = spriteWidth(gaugeSprite);
    for (int32_t i = 0; i < 3; ++i) {
      x += previousWidth + m;
      previousWidth = spriteWidth(slotSprite);
      SpriteDrawing::drawSpriteFrame(g, slotSprite, 0, x, gy);
      const int32_t item = itemClassOf(p->pockets[i]);
      if (item >= 0 && item < GameTables::itemTable->length())
        SpriteDrawing::drawSpriteFrame(g, itemSprite, item, x + 2, gy + 2);
    }
    paintGaugeFill(g, *p, p->load);
  } else {
    DialogWindow::paintSoftKeyButton(g, GameState::barButtonX, top + GameState::barButtonY, 1, barButtonZone);
    BitmapText::drawText(g,
                         LanguageTexts::getText(noneSelectedText),
                         GameState::barButtonX + spriteWidth(moneyIconSprite) + 5,
                         top + (barHeight() >> 1) - (GameState::textLineHeight >> 1));
  }
}

void ViewScene::paintBarStatus(const DGraphicsPtr& g) {
  const int32_t top = barTop();
  g->setClip(0, top, GameState::screenWidth, barHeight());
  g->drawImage(WorldState::trailImage, 0, 0, 0, 0);
  const Person* p = Person::selected();
  if (!p) return;
  if (running() && p->target && p->isWorking()) {
    if (p->action == Path::Take) {
      p->target->paintProgress(g, takeTotal, false);
    } else {
      const int32_t kind = p->action == Path::Plant ? 1 : p->target->type;
      const int32_t item = itemClassOf(p->pockets[p->pocketSlot & 3]);
      const auto& work = GameTables::objectChances[kind];
      if (item >= 0 && item < work->length()) p->target->paintProgress(g, work[item], true);
    }
  }
  paintPortrait(g, *p, false);
  if (!running() && FrameClock::clockPhase >= blinkPhase && p->load < p->planLoad) {
    SpriteDrawing::drawSpriteFrame(g, gaugeSprite, 0, gaugeX(), gaugeY());
    paintGaugeFill(g, *p, p->planLoad);
  }
}

void ViewScene::paintStepClock(const DGraphicsPtr& g) {
  if (!WorldState::selectedPerson) return;
  const int32_t sw = GameState::screenWidth, sh = GameState::screenHeight;
  const int32_t cw = spriteWidth(clockSprite), ch = spriteHeight(clockSprite);
  const int32_t left = sw - cw - 2, top = sh - ch / 2 - barHeight();
  SpriteDrawing::drawSpriteFrame(g, clockSprite, 0, left, top);
  bool limited = true;
  int32_t limit = GameState::levelCounter - 30;
  if (!running()) {
    KeyInput::setHotZone(clockZone, left, top, cw, ch);
    const int32_t row = GameState::levelNumber - 1;
    limited = GameTables::levelTable && row >= 0 && row < GameTables::levelTable->length();
    if (limited) limit = GameTables::levelTable[row][0];
  }
  if (limited && WorldState::stepIndex > limit && FrameClock::clockPhase >= blinkPhase) {
    const int32_t b = sh < 401 ? 4 : 8;
    g->setColor(static_cast<uint32_t>(clockAlarmColour));
    g->fillRect(sw - cw + b - 2, top + b, cw - 2 * b, ch - b);
  }
  const int32_t digitWidth = GameState::textCharWidth;
  BitmapText::drawString(g,
                         new qel::lang::DString(stepClockText(WorldState::stepIndex).c_str()),
                         (cw - 4 * digitWidth) / 2 - cw + sw - 2,
                         top + (sh > 400 ? 10 : 5));
}

void ViewScene::paintPersonButtons(const DGraphicsPtr& g) {
  const gamelib::Animation* first = guiAnimation(4);
  if (!first) return;
  const int32_t w = first->box().width;
  const bool run = running();
  int32_t x = GameState::screenWidth - 4 * w + (run ? w : 0);
  static constexpr int32_t buttons[4][2] = {{4, 0}, {5, 13}, {6, 3}, {7, 5}};
  for (int32_t i = run ? 1 : 0; i < 4; ++i) {
    paintControl(g, buttons[i][0], buttons[i][1], x, 0);
    x += w;
  }
}

void ViewScene::paintScrollArrows(const DGraphicsPtr& g) {
  const int32_t c = GameState::cellSize, sw = GameState::screenWidth, vh = ViewScene::mapAreaHeight;
  if (WorldState::mapWidth * c > sw) {
    const gamelib::Animation* left = guiAnimation(2);
    const gamelib::Animation* right = guiAnimation(3);
    if (left && right) {
      const int32_t y = (vh - left->box().height) / 2;
      paintControl(g, 2, 14, 1, y);
      paintControl(g, 3, 15, sw - right->box().width - 1, y);
    }
  }
  if (WorldState::mapHeight * c > vh) {
    const gamelib::Animation* up = guiAnimation(0);
    const gamelib::Animation* down = guiAnimation(1);
    if (up && down) {
      const int32_t x = (sw - up->box().width) / 2;
      paintControl(g, 0, 16, x, 1);
      paintControl(g, 1, 17, x, vh - down->box().height - 1);
    }
  }
}

}  // namespace nvx
