#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "gamelib/SoundManager.ptr.h"
#include "gamelib/StringManager.ptr.h"
#include "guilib/GUIAction.ptr.h"
#include "guilib/GUIEngine.ptr.h"
#include "guilib/GUIFont.ptr.h"
#include "guilib/GUIText.ptr.h"
#include "guilib/GUIWidget.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "microedition/raster/GUIRect.h"
#include "util/DHashtable.ptr.h"

namespace guilib {

using qel::raster::GUIRect;

// The one object that drives the widget library: the registry of live
// widgets, the screen stack, the pointer turned into press, click and drag
// events, the application's shared resources, and painting.
//
//   GUIEnginePtr engine = GUIEngine::getInstance();
//   engine->showScreen(screen);
//   // each frame: engine->update(); and when drawing, engine->paint(false);
//   engine->destroyInstance();  // at shutdown
class GUIEngine : public qel::lang::DObject {
public:
  enum PointerState : int32_t { Idle = 0, DragCandidate = 1, DragStarted = 2, Dragging = 3, DragEnded = 4 };
  static constexpr int32_t DragThreshold = 5;

  ~GUIEngine() override;

  // The singleton, made on first use.
  static GUIEnginePtr getInstance();
  // The singleton, or null when there is none; never makes one.
  static GUIEngine* existingInstance();
  // Disposes every registered widget, then drops the singleton; the object
  // lives on while references to it remain.
  void destroyInstance();

  void registerWidget(GUIWidget* widget);
  void unregisterWidget(GUIWidget* widget);
  // Drops a widget that is being destroyed while still registered (its
  // subclass constructor threw) without releasing the registry's count;
  // false when it was not registered.
  bool forgetDestroyedWidget(GUIWidget* widget);
  int32_t widgetCount() const { return static_cast<int32_t>(widgets_.size()); }

  // The last screen shown, or null.
  GUIWidgetPtr getTopScreen() const;
  int32_t screenCount() const { return static_cast<int32_t>(screens_.size()); }
  // Every change of the stack clears the canvas's key state.
  void showScreen(const GUIWidgetPtr& screen);
  void closeScreen();
  void closeAllScreens();
  // The top screen is closed; another widget leaves its parent; a widget
  // without parent that is not the top screen is left alone.
  void close(const GUIWidgetPtr& widget);

  // Called by widgets under the pointer during update; the last call wins.
  void setPointerTarget(GUIWidget* widget);
  bool isJustPressed() const { return justPressed_; }
  int32_t getPointerState() const { return pointerState_; }

  // Null without a table or entry; names are looked up lower-cased.
  qel::lang::DObjectPtr getResource(const qel::lang::DStringPtr& name) const;
  void setResources(qel::util::DHashtablePtr resources);
  gamelib::StringManagerPtr getStringManager() const;
  void setStringManager(gamelib::StringManagerPtr strings);
  GUIFontPtr getDefaultStyle() const;
  void setDefaultStyle(GUIFontPtr font);
  gamelib::SoundManagerPtr getSoundManager() const;
  void setSoundManager(gamelib::SoundManagerPtr sounds);
  // The text shown where text is cut: "...".
  GUITextPtr getEllipsisText() const;
  // The language index last announced by the language list.
  int32_t getLanguage() const { return language_; }

  void setRepaintNeeded() { repaintNeeded_ = true; }
  bool isRepaintNeeded() const { return repaintNeeded_; }

  // The queue of fired actions, first in first out. Taking runs each
  // action's pre-execution and skips those it consumed; null when empty.
  void postAction(const GUIActionPtr& action);
  GUIActionPtr takeNextAction();
  int32_t pendingActionCount() const { return static_cast<int32_t>(actions_.size()); }
  // One taken action; nothing for null. A refresh without target, focus by
  // id without a top screen and the volume actions without a sound
  // manager raise the null-reference exception.
  void executeAction(const GUIActionPtr& action);

  // Pointer handling, the top screen's update pass and key ticks.
  void update();
  // From the highest screen that covers the display (or the top one only),
  // each screen and its overlay into the canvas's surface.
  void paint(bool topOnly);

  static GUIRect getScreenRect();
  static GUIRect getClip(const qel::lcdui::DGraphicsPtr& g);
  static void setClip(const qel::lcdui::DGraphicsPtr& g, const GUIRect& clip);
  // Intersects the current clip.
  static void clipRect(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);

private:
  GUIEngine();
  void init();
  static void onLanguageChanged(intptr_t);
  void updatePointerFlags();
  void updateDragState();
  void deliverPress();
  void deliverDrag();
  void endUpdate();
  void resend(GUIAction& action, bool toTopScreen);
  void syncScrollThumb(GUIAction& action);
  void pressTrack(GUIAction& action);
  void dragThumb(GUIAction& action);
  void setVolume(GUIAction& action, bool music);
  void openAddress(GUIAction& action);

  std::vector<GUIWidgetPtr> widgets_;
  std::vector<GUIWidgetPtr> screens_;
  std::deque<GUIActionPtr> actions_;
  int32_t language_ = 0;
  qel::util::DHashtablePtr resources_;
  gamelib::StringManagerPtr stringManager_;
  GUIFontPtr defaultFont_;
  gamelib::SoundManagerPtr soundManager_;
  GUITextPtr ellipsis_;
  GUIWidgetPtr pressedWidget_;
  GUIWidgetPtr dragWidget_;
  bool down_ = false;
  bool wasDown_ = false;
  bool justPressed_ = false;
  bool pointerActive_ = false;
  bool justReleased_ = false;
  int32_t dragX_ = 0;
  int32_t dragY_ = 0;
  int32_t pointerState_ = Idle;
  bool repaintNeeded_ = false;
};

}  // namespace guilib
