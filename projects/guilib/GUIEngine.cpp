#include "guilib/GUIEngine.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "gamelib/LangInfo.h"
#include "gamelib/PlayerInfo.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIText.h"
#include "guilib/GUIWidget.h"
#include "guilib/HostCanvas.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/media/DPlayer.h"
#include "util/DCallBack.h"
#include "util/DHashtable.h"

namespace guilib {

namespace {

GUIEnginePtr& singleton() {
  static GUIEnginePtr engine;
  return engine;
}

}  // namespace

GUIEngine::GUIEngine() : ellipsis_(new GUIText()), wasDown_(HostCanvas::pointerHeld()) { ellipsis_->setText(u"..."); }

GUIEngine::~GUIEngine() = default;

GUIEnginePtr GUIEngine::getInstance() {
  if (!singleton()) {
    singleton() = new GUIEngine();
    singleton()->init();
  }
  return singleton();
}

GUIEngine* GUIEngine::existingInstance() { return singleton().get(); }

void GUIEngine::init() {
  language_ = gamelib::LangInfo::currentLanguage();
  gamelib::LangInfo::getInstance()->addListener(new qel::util::DCallBack(&GUIEngine::onLanguageChanged, 0));
}

// The listener stays with the language list after the engine is gone, so it
// only updates an engine that exists: a language change never makes one.
void GUIEngine::onLanguageChanged(intptr_t) {
  if (GUIEngine* engine = existingInstance()) engine->language_ = gamelib::LangInfo::currentLanguage();
}

void GUIEngine::destroyInstance() {
  GUIEnginePtr keep(this);
  actions_.clear();
  const std::vector<GUIWidgetPtr> registered = widgets_;
  for (const GUIWidgetPtr& widget : registered) widget->dispose();
  if (singleton().get() == this) singleton().release();
}

// Compared by address: a widget registers from its constructor, before any
// holder counts it.
void GUIEngine::registerWidget(GUIWidget* widget) {
  auto same = [widget](const GUIWidgetPtr& held) { return held.get() == widget; };
  if (widget && std::find_if(widgets_.begin(), widgets_.end(), same) == widgets_.end()) widgets_.push_back(widget);
}

void GUIEngine::unregisterWidget(GUIWidget* widget) {
  auto same = [widget](const GUIWidgetPtr& held) { return held.get() == widget; };
  auto found = std::find_if(widgets_.begin(), widgets_.end(), same);
  if (found == widgets_.end()) return;
  GUIWidgetPtr leaving = std::move(*found);
  widgets_.erase(found);
}

bool GUIEngine::forgetDestroyedWidget(GUIWidget* widget) {
  auto same = [widget](const GUIWidgetPtr& held) { return held.get() == widget; };
  auto found = std::find_if(widgets_.begin(), widgets_.end(), same);
  if (found == widgets_.end()) return false;
  found->detach();
  widgets_.erase(found);
  return true;
}

GUIWidgetPtr GUIEngine::getTopScreen() const { return screens_.empty() ? nullptr : screens_.back(); }

void GUIEngine::showScreen(const GUIWidgetPtr& screen) {
  if (!screen) return;
  GUIEnginePtr keep(this);
  HostCanvas::resetKeys();
  screens_.push_back(screen);
  screen->handleEvent(GUIWidget::ShownEvent, true, nullptr, 0);
  screen->setFocus(true);
}

void GUIEngine::closeScreen() {
  GUIWidgetPtr top = getTopScreen();
  if (!top) return;
  GUIEnginePtr keep(this);
  HostCanvas::resetKeys();
  top->handleEvent(GUIWidget::HiddenEvent, true, nullptr, 0);
  auto found = std::find(screens_.rbegin(), screens_.rend(), top);
  if (found != screens_.rend()) screens_.erase(std::next(found).base());
}

void GUIEngine::closeAllScreens() {
  GUIEnginePtr keep(this);
  while (GUIWidgetPtr top = getTopScreen()) {
    top->handleEvent(GUIWidget::HiddenEvent, true, nullptr, 0);
    auto found = std::find(screens_.rbegin(), screens_.rend(), top);
    if (found != screens_.rend()) screens_.erase(std::next(found).base());
  }
  HostCanvas::resetKeys();
}

void GUIEngine::close(const GUIWidgetPtr& widget) {
  if (!widget) return;
  if (widget == getTopScreen()) {
    closeScreen();
    return;
  }
  GUIWidgetPtr parent = widget->getParent();
  if (!parent) return;
  widget->handleEvent(GUIWidget::HiddenEvent, true, nullptr, 0);
  parent->removeChild(widget);
}

void GUIEngine::setPointerTarget(GUIWidget* widget) {
  if (justPressed_) pressedWidget_ = widget;
  if (pointerState_ == DragStarted) dragWidget_ = widget;
}

qel::lang::DObjectPtr GUIEngine::getResource(const qel::lang::DStringPtr& name) const {
  if (!resources_ || !name) return nullptr;
  return resources_->get(name->toLowerCase());
}

GUITextPtr GUIEngine::getEllipsisText() const { return ellipsis_; }
gamelib::StringManagerPtr GUIEngine::getStringManager() const { return stringManager_; }
GUIFontPtr GUIEngine::getDefaultStyle() const { return defaultFont_; }
gamelib::SoundManagerPtr GUIEngine::getSoundManager() const { return soundManager_; }

void GUIEngine::setResources(qel::util::DHashtablePtr resources) { resources_ = std::move(resources); }
void GUIEngine::setStringManager(gamelib::StringManagerPtr strings) { stringManager_ = std::move(strings); }
void GUIEngine::setDefaultStyle(GUIFontPtr font) { defaultFont_ = std::move(font); }
void GUIEngine::setSoundManager(gamelib::SoundManagerPtr sounds) { soundManager_ = std::move(sounds); }

void GUIEngine::paint(bool topOnly) {
  if (screens_.empty()) return;
  GUIEnginePtr keep(this);
  const std::vector<GUIWidgetPtr> screens = screens_;
  size_t start = topOnly ? screens.size() - 1 : 0;
  if (!topOnly) {
    const GUIRect display = getScreenRect();
    for (size_t i = screens.size(); i-- > 0;)
      if (GUIRect::equals(screens[i]->getBounds(), display)) {
        start = i;
        break;
      }
  }
  qel::lcdui::DGraphicsPtr g = HostCanvas::screenGraphics();
  if (g) {
    for (size_t i = start; i < screens.size(); ++i) {
      screens[i]->paint(g, 0, 0);
      screens[i]->paintOverlay(g, 0, 0);
    }
  }
  if (repaintNeeded_) {
    repaintNeeded_ = false;
    HostCanvas::requestFrame();
  }
}

void GUIEngine::updatePointerFlags() {
  down_ = HostCanvas::pointerHeld();
  justPressed_ = !wasDown_ && down_;
  pointerActive_ = wasDown_ || down_;
  justReleased_ = wasDown_ && !down_;
}

void GUIEngine::updateDragState() {
  const bool dragged = HostCanvas::pointerDragged();
  if (pointerState_ == Idle && dragged) {
    dragX_ = HostCanvas::pointerPrevX();
    dragY_ = HostCanvas::pointerPrevY();
    pointerState_ = DragCandidate;
  }
  if (pointerState_ == DragCandidate) {
    if (!dragged)
      pointerState_ = Idle;
    else if (std::abs(int64_t{dragX_} - HostCanvas::pointerX()) >= DragThreshold ||
             std::abs(int64_t{dragY_} - HostCanvas::pointerY()) >= DragThreshold)
      pointerState_ = DragStarted;
  }
  if (pointerState_ == Dragging && !dragged) pointerState_ = DragEnded;
}

void GUIEngine::deliverPress() {
  GUIWidgetPtr pressed = pressedWidget_;
  const GUIPoint origin = pressed->toScreenPoint({0, 0});
  const int32_t local[2] = {HostCanvas::pointerX() - origin.x, HostCanvas::pointerY() - origin.y};
  if (justPressed_) pressed->setState(GUIWidget::Pressed, true);
  pressed->handleEvent(GUIWidget::PointerDownEvent, false, local, sizeof local);
  if (!justReleased_) return;
  pressed->handleEvent(GUIWidget::ClickEvent, false, local, sizeof local);
  pressed->setState(GUIWidget::Pressed, false);
  pressedWidget_.release();
}

void GUIEngine::deliverDrag() {
  GUIWidgetPtr drag = dragWidget_;
  const bool keepsPressed = drag->isPressedWhileDragging();
  const GUIPoint origin = drag->toScreenPoint({0, 0});
  const int32_t current[2] = {HostCanvas::pointerX() - origin.x, HostCanvas::pointerY() - origin.y};
  const int32_t motion[4] = {dragX_ - origin.x, dragY_ - origin.y, current[0], current[1]};
  if (pointerState_ == DragStarted) {
    if (GUIWidgetPtr pressed = std::exchange(pressedWidget_, nullptr)) {
      if (!(pressed == drag && keepsPressed)) pressed->setState(GUIWidget::Pressed, false);
    }
    if (keepsPressed) drag->setState(GUIWidget::Pressed, true);
    drag->setState(GUIWidget::Dragged, true);
  }
  if (keepsPressed) drag->handleEvent(GUIWidget::PointerDownEvent, false, current, sizeof current);
  drag->handleEvent(GUIWidget::DragEvent, false, motion, sizeof motion);
  if (pointerState_ == DragEnded) {
    if (keepsPressed) drag->setState(GUIWidget::Pressed, false);
    drag->setState(GUIWidget::Dragged, false);
    dragWidget_.release();
  }
}

void GUIEngine::endUpdate() {
  wasDown_ = down_;
  if (pointerState_ == DragStarted || pointerState_ == Dragging) {
    dragX_ = HostCanvas::pointerX();
    dragY_ = HostCanvas::pointerY();
  }
  if (pointerState_ == DragStarted) pointerState_ = Dragging;
  if (pointerState_ == DragEnded) pointerState_ = Idle;
}

void GUIEngine::update() {
  GUIWidgetPtr top = getTopScreen();
  if (!top) return;
  GUIEnginePtr keep(this);
  updatePointerFlags();
  updateDragState();
  top->update(getScreenRect(), 0, 0);
  if (pointerState_ == DragStarted && dragWidget_ && !dragWidget_->acceptsDrag()) pointerState_ = Idle;
  if (top->tickFocused()) HostCanvas::requestFrame();
  HostCanvas::clearKeyPressedFlag();
  const bool dragging = pointerState_ >= DragStarted;
  if (!dragging && pressedWidget_) deliverPress();
  if (dragging && dragWidget_) deliverDrag();
  endUpdate();
}

GUIRect GUIEngine::getScreenRect() { return {0, 0, HostCanvas::screenWidth(), HostCanvas::screenHeight()}; }

GUIRect GUIEngine::getClip(const qel::lcdui::DGraphicsPtr& g) {
  return {g->getClipX(), g->getClipY(), g->getClipWidth(), g->getClipHeight()};
}

void GUIEngine::setClip(const qel::lcdui::DGraphicsPtr& g, const GUIRect& clip) {
  g->setClip(clip.x, clip.y, clip.width, clip.height);
}

void GUIEngine::clipRect(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  g->clipRect(x, y, w, h);
}

}  // namespace guilib
