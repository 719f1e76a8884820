#include "gamelib/GameLib.h"

#include <new>

#include "gamelib/StringManager.h"
#include "io/DArchive.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/DshortArray2d.h"
#include "microedition/displayable/DDisplay.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

namespace gamelib {

using qel::io::DArchive;
using qel::lang::DExceptionBase;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lcdui::DFont;
using qel::lcdui::DGraphics;
using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImagePtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

// Columns of a sprite-table row.
constexpr int32_t frameWidth = 2, frameHeight = 3;
// The sprites the derived layout is measured on: the bottom bar, the item
// line and the sprite whose width is the third value.
constexpr int32_t bottomBarSprite = 9, itemLineSprite = 38, widthSprite = 44;

GameLib*& currentApplication() {
  static GameLib* application = nullptr;
  return application;
}

GamePtr& currentGame() {
  static GamePtr game;
  return game;
}

GameFactory& gameFactory() {
  static GameFactory factory = nullptr;
  return factory;
}

std::optional<std::u16string>& archiveFailureReason() {
  static std::optional<std::u16string> reason;
  return reason;
}

std::optional<GameLib::ScreenSize>& unsupportedStartScreen() {
  static std::optional<GameLib::ScreenSize> screen;
  return screen;
}

}  // namespace

GameLib::GameLib() {
  currentApplication() = this;
  exiting_ = false;
}

GameLib::~GameLib() {
  if (currentApplication() == this) currentApplication() = nullptr;
}

qel::lang::DPtr<GameLib> GameLib::createApplication() { return new (std::nothrow) GameLib(); }

void GameLib::registerGame(GameFactory factory) { gameFactory() = factory; }

GameLib* GameLib::instance() { return currentApplication(); }
Game* GameLib::mainCanvas() { return currentGame().get(); }

int64_t GameLib::now() { return qel::lang::DSystem::currentTimeMillis(0); }

DStringPtr GameLib::getVersion() { return u"v1.1"; }

std::optional<std::u16string> GameLib::archiveFailure() { return archiveFailureReason(); }

std::optional<GameLib::ScreenSize> GameLib::unsupportedScreen() { return unsupportedStartScreen(); }

DStringPtr GameLib::getAppProperty(DStringPtr key) {
  if (!key) return nullptr;
  if (key->equals(u"app.name")) return u"NVX";
  if (key->equals(u"start_fullscreen")) return u"true";
  return nullptr;
}

void GameLib::startApp() {
  scheduleTime_ = now();
  GameLib::setSearchPath(nullptr);
  archiveFailureReason().reset();
  unsupportedStartScreen().reset();
  try {
    DArchive::open(u"game.dat", u"");
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    archiveFailureReason() = std::u16string(e.message());
    notifyDestroyed();
    return;
  }
  canvas_ = new ScreenCanvas();
  canvas_->setInputMode(1);
  qel::lang::DPtr<StringManager>(new StringManager())->load(u"/options.dat", StringManager::RecordLines, true);
  qel::lcdui::DDisplay::getDisplay(qel::midlet::DMIDletPtr(this))->setCurrent(qel::lcdui::DCanvasPtr(canvas_.get()));
  resolutionSupported_ = GameLib::hasResolutionFile(ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
  if (!resolutionSupported_) {
    unsupportedStartScreen() = ScreenSize{ScreenCanvas::screenWidth, ScreenCanvas::screenHeight};
    showUnsupportedResolution();
    holdFor(logoHoldMs);
    notifyDestroyed();
    return;
  }
  qel::lang::DPtr<StringManager> resolution = new StringManager();
  resolution->load(GameLib::resolutionFileName(ScreenCanvas::screenWidth, ScreenCanvas::screenHeight),
                   StringManager::ByteLines,
                   true);
  GameLib::setSearchPath(GameLib::pathPrefixes(resolution->getString(u"PATH")));

  DImagePtr logo = GameLib::loadImage(u"logo1");
  showLogo(logo);
  ScreenCanvas::loadFonts(u"");
  currentGame().release();
  holdFor(logoHoldMs);
  try {
    DImagePtr partner = GameLib::loadImage(u"logo_partner");
    if (partner) {
      showLogo(partner);
      holdFor(partnerLogoHoldMs);
    }
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
  createMainCanvas();
  logo.release();
  pausedOnce_ = false;
  scheduleTime_ = now();
}

void GameLib::showLogo(const DImagePtr& logo) {
  const int32_t w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
  DGraphicsPtr g = ScreenCanvas::screenGraphics;
  g->setColor(0xFFFFFFu);
  g->setClip(0, 0, w, h);
  g->fillRect(0, 0, w, h);
  if (logo) g->drawImage(logo, w / 2, h / 2, DGraphics::HCENTER | DGraphics::VCENTER, 0);
  g->setColor(0x000000u);
  g->drawString(getVersion(), 0, 0, 0);
  canvas_->flushGraphics();
}

void GameLib::holdFor(int64_t ms) {
  const int64_t start = now();
  while (now() - start < ms) canvas_->flushGraphics();
}

void GameLib::showUnsupportedResolution() {
  ScreenCanvas* canvas = ScreenCanvas::current();
  if (!canvas) return;
  const int32_t w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
  DGraphicsPtr g = ScreenCanvas::screenGraphics;
  g->setColor(0xFFFFFFu);
  g->fillRect(0, 0, w, h);
  g->setColor(0x000000u);
  const int32_t lineHeight = DFont::getDefaultFont()->getHeight() + 5;
  g->drawString(u"This screen", w >> 1, (h >> 1) - lineHeight, DGraphics::HCENTER);
  g->drawString(u"resolution is", w >> 1, h >> 1, DGraphics::HCENTER);
  g->drawString(u"not supported!", w >> 1, (h >> 1) + lineHeight, DGraphics::HCENTER);
  canvas->flushGraphics();
}

void GameLib::loadResData(ResTables& tables) { tables.read(GameLib::getResourceAsStream(u"res.dat")); }

void GameLib::deriveLayout(Game& game, const ResTables& tables) {
  const qel::lang::DshortArray2dPtr& sprites = tables.spriteTable;
  const int32_t barHeight = sprites->at(bottomBarSprite)->at(frameHeight);
  const int32_t lineHeight = sprites->at(itemLineSprite)->at(frameHeight);
  game.setDerivedLayout((barHeight - lineHeight + 1) >> 1, barHeight + 2, sprites->at(widthSprite)->at(frameWidth));
}

void GameLib::createMainCanvas() {
  if (currentGame()) {
    currentGame()->shutdown();
    currentGame().release();
  }
  if (!gameFactory()) return;
  currentGame() = gameFactory()();
  Game& game = *currentGame();
  game.initStatics();
  ResTables& tables = game.layoutTables();
  loadResData(tables);
  try {
    deriveLayout(game, tables);
    game.init();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
}

void GameLib::step() {
  if (!resolutionSupported_) {
    stepUnsupported();
    return;
  }
  const int64_t t = now();
  const int64_t lag = (t - framePeriod) - scheduleTime_;
  if (lag > 16 * framePeriod || lag < -16 * framePeriod) scheduleTime_ = now();
  if (lag >= 0) {
    scheduleTime_ += framePeriod;
    ScreenCanvas::pumpKeyEvent();
    if (currentGame()) currentGame()->step();
    if (lastStepDuration_ < framePeriod + (framePeriod >> 2)) repaint();
  }
  pausedOnce_ = false;
  lastStepDuration_ = now() - t;
}

int64_t GameLib::millisUntilStep() {
  if (!resolutionSupported_) return 0;
  const int64_t lag = (now() - framePeriod) - scheduleTime_;
  if (lag >= 0 || lag < -16 * framePeriod) return 0;
  return -lag;
}

void GameLib::stepUnsupported() {
  ScreenCanvas::pumpKeyEvent();
  showUnsupportedResolution();
  ScreenCanvas* canvas = ScreenCanvas::current();
  if (!canvas) return;
  ScreenCanvas::screenGraphics->drawString(
      u"Exit", 1, ScreenCanvas::screenHeight - 1, DGraphics::LEFT | DGraphics::BOTTOM);
  canvas->flushGraphics();
  if ((ScreenCanvas::keySoftLeft || ScreenCanvas::pointerHeld) && currentGame()) {
    currentGame()->shutdown();
    currentGame().release();
    notifyDestroyed();
  }
}

void GameLib::repaint() {
  ScreenCanvas* canvas = ScreenCanvas::current();
  if (!canvas) return;
  ScreenCanvas::screenGraphics = canvas->getGraphics();
  if (currentGame()) currentGame()->paint(ScreenCanvas::screenGraphics);
  canvas->flushGraphics();
}

void GameLib::resetSchedule() { scheduleTime_ = now(); }

void GameLib::pauseApp() {
  if (pausedOnce_) return;
  pausedOnce_ = true;
  if (currentGame()) currentGame()->onPause();
  if (canvas_) canvas_->setKeyMap(0);
}

void GameLib::destroyApp(bool /*unconditional*/) {
  if (currentGame()) {
    if (currentGame()->saveOnExit()) currentGame()->saveLevelState();
    currentGame()->shutdown();
  }
  GamePtr game = currentGame();
  currentGame().release();
  if (game) game->releaseStatics();
  ScreenCanvas::releaseFonts();
  ScreenCanvas::screenGraphics.release();
  DArchive::close();
}

void GameLib::exitApp() {
  if (GameLib* app = instance()) app->notifyDestroyed();
  exiting_ = true;
}

}  // namespace gamelib
