#include "gamelib/Animation.h"
#include "gamelib/ImageManager.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/MainCanvas.h"
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

int32_t spriteWidth(int32_t set) { return MainCanvas::spriteTable[set][2]; }
int32_t spriteHeight(int32_t set) { return MainCanvas::spriteTable[set][3]; }

bool running() { return MainCanvas::skipWorldLogic == 1; }

int32_t barHeight() { return spriteHeight(ViewScene::barSprite); }
int32_t barTop() { return MainCanvas::screenHeight - barHeight(); }
int32_t barMargin() { return MainCanvas::screenWidth < 130 ? 2 : 4; }

int32_t gaugeX() { return spriteWidth(ViewScene::portraitFrameSprite) + 2 * barMargin(); }
int32_t gaugeY() { return barTop() + (barHeight() - spriteHeight(ViewScene::slotSprite) + 1) / 2; }

int32_t itemClassOf(int32_t code) { return static_cast<int8_t>(code - 104); }

gamelib::Animation* guiAnimation(int32_t i) {
  if (!MainCanvas::guiImages || i >= MainCanvas::guiImages->animationCount()) return nullptr;
  return MainCanvas::guiImages->getAnimation(i).get();
}

// Paints GUI animation i at (x, y) and gives its touch zone the animation's size.
void paintControl(const DGraphicsPtr& g, int32_t i, int32_t zone, int32_t x, int32_t y) {
  const gamelib::Animation* a = guiAnimation(i);
  if (!a) return;
  MainCanvas::guiImages->paintAnimationByIndex(g, i, x, y, 0, 255, false);
  MainCanvas::setHotZone(zone, x, y, a->box().width, a->box().height);
}

}  // namespace

void ViewScene::paintPortrait(const DGraphicsPtr& g, const Person& p, bool registerZone) {
  const int32_t sh = MainCanvas::screenHeight, m = barMargin();
  const int32_t fw = spriteWidth(portraitFrameSprite), fh = spriteHeight(portraitFrameSprite);
  MainCanvas::drawSpriteFrame(g, portraitFrameSprite, 0, m, sh - fh);
  if (registerZone) MainCanvas::setHotZone(portraitZone, m, sh - fh, fw, fh);
  const int32_t pw = spriteWidth(portraitSprite), ph = spriteHeight(portraitSprite);
  MainCanvas::drawSpriteFrame(g, portraitSprite, p.id, fw / 2 - pw / 2 + m, fh / 2 - ph / 2 - fh + sh + 1);
}

// Blacks out the part of the gauge above load.
void ViewScene::paintGaugeFill(const DGraphicsPtr& g, const Person& p, int32_t load) {
  const int32_t gw = spriteWidth(gaugeSprite), gh = spriteHeight(gaugeSprite);
  const int32_t capacity = MainCanvas::difficultyTable[p.id][0];
  const int32_t full = gh - 2;
  const int32_t shown = capacity > 0 ? load * full / capacity : full;
  g->setColor(0x000000u);
  g->setClip(0, 0, MainCanvas::screenWidth, MainCanvas::screenHeight);
  g->fillRect(gaugeX() + 1, gaugeY() + 1, gw - 2, full - shown);
}

void ViewScene::paintBar(const DGraphicsPtr& g, bool alternate) {
  const int32_t sw = MainCanvas::screenWidth, top = barTop();
  const Person* p = Person::selected();
  const int32_t tile = p && !alternate ? barSpriteSelected : barSprite;
  const int32_t tileWidth = std::max<int32_t>(spriteWidth(tile), 1);
  for (int32_t x = 0; x < sw; x += tileWidth) MainCanvas::drawSpriteFrame(g, tile, 0, x, top);
  if (p) {
    paintPortrait(g, *p, true);
    const int32_t gx = gaugeX(), gy = gaugeY(), m = barMargin();
    MainCanvas::drawSpriteFrame(g, gaugeSprite, 0, gx, gy);
    int32_t x = gx, previousWidth = spriteWidth(gaugeSprite);
    for (int32_t i = 0; i < 3; ++i) {
      x += previousWidth + m;
      previousWidth = spriteWidth(slotSprite);
      MainCanvas::drawSpriteFrame(g, slotSprite, 0, x, gy);
      const int32_t item = itemClassOf(p->pockets[i]);
      if (item >= 0 && item < MainCanvas::itemTable->length())
        MainCanvas::drawSpriteFrame(g, itemSprite, item, x + 2, gy + 2);
    }
    paintGaugeFill(g, *p, p->load);
  } else {
    MainCanvas::paintSoftKeyButton(g, MainCanvas::barButtonX, top + MainCanvas::barButtonY, 1, barButtonZone);
    MainCanvas::drawText(g,
                         MainCanvas::getText(noneSelectedText),
                         MainCanvas::barButtonX + spriteWidth(moneyIconSprite) + 5,
                         top + (barHeight() >> 1) - (MainCanvas::textLineHeight >> 1));
  }
}

void ViewScene::paintBarStatus(const DGraphicsPtr& g) {
  const int32_t top = barTop();
  g->setClip(0, top, MainCanvas::screenWidth, barHeight());
  g->drawImage(MainCanvas::trailImage, 0, 0, 0, 0);
  const Person* p = Person::selected();
  if (!p) return;
  if (running() && p->target && p->isWorking()) {
    if (p->action == Path::Take) {
      p->target->paintProgress(g, takeTotal, false);
    } else {
      const int32_t kind = p->action == Path::Plant ? 1 : p->target->type;
      const int32_t item = itemClassOf(p->pockets[p->pocketSlot & 3]);
      const auto& work = MainCanvas::objectChances[kind];
      if (item >= 0 && item < work->length()) p->target->paintProgress(g, work[item], true);
    }
  }
  paintPortrait(g, *p, false);
  if (!running() && MainCanvas::clockPhase >= blinkPhase && p->load < p->planLoad) {
    MainCanvas::drawSpriteFrame(g, gaugeSprite, 0, gaugeX(), gaugeY());
    paintGaugeFill(g, *p, p->planLoad);
  }
}

void ViewScene::paintStepClock(const DGraphicsPtr& g) {
  if (!MainCanvas::selectedPerson) return;
  const int32_t sw = MainCanvas::screenWidth, sh = MainCanvas::screenHeight;
  const int32_t cw = spriteWidth(clockSprite), ch = spriteHeight(clockSprite);
  const int32_t left = sw - cw - 2, top = sh - ch / 2 - barHeight();
  MainCanvas::drawSpriteFrame(g, clockSprite, 0, left, top);
  bool limited = true;
  int32_t limit = MainCanvas::levelCounter - 30;
  if (!running()) {
    MainCanvas::setHotZone(clockZone, left, top, cw, ch);
    const int32_t row = MainCanvas::levelNumber - 1;
    limited = MainCanvas::levelTable && row >= 0 && row < MainCanvas::levelTable->length();
    if (limited) limit = MainCanvas::levelTable[row][0];
  }
  if (limited && MainCanvas::stepIndex > limit && MainCanvas::clockPhase >= blinkPhase) {
    const int32_t b = sh < 401 ? 4 : 8;
    g->setColor(static_cast<uint32_t>(clockAlarmColour));
    g->fillRect(sw - cw + b - 2, top + b, cw - 2 * b, ch - b);
  }
  const int32_t digitWidth = MainCanvas::textCharWidth;
  MainCanvas::drawString(g,
                         new qel::lang::DString(stepClockText(MainCanvas::stepIndex).c_str()),
                         (cw - 4 * digitWidth) / 2 - cw + sw - 2,
                         top + (sh > 400 ? 10 : 5));
}

void ViewScene::paintPersonButtons(const DGraphicsPtr& g) {
  const gamelib::Animation* first = guiAnimation(4);
  if (!first) return;
  const int32_t w = first->box().width;
  const bool run = running();
  int32_t x = MainCanvas::screenWidth - 4 * w + (run ? w : 0);
  static constexpr int32_t buttons[4][2] = {{4, 0}, {5, 13}, {6, 3}, {7, 5}};
  for (int32_t i = run ? 1 : 0; i < 4; ++i) {
    paintControl(g, buttons[i][0], buttons[i][1], x, 0);
    x += w;
  }
}

void ViewScene::paintScrollArrows(const DGraphicsPtr& g) {
  const int32_t c = MainCanvas::cellSize, sw = MainCanvas::screenWidth, vh = MainCanvas::mapAreaHeight;
  if (MainCanvas::mapWidth * c > sw) {
    const gamelib::Animation* left = guiAnimation(2);
    const gamelib::Animation* right = guiAnimation(3);
    if (left && right) {
      const int32_t y = (vh - left->box().height) / 2;
      paintControl(g, 2, 14, 1, y);
      paintControl(g, 3, 15, sw - right->box().width - 1, y);
    }
  }
  if (MainCanvas::mapHeight * c > vh) {
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
