#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "guilib/GUIAction.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIText.ptr.h"
#include "guilib/GUIWidget.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "microedition/raster/GUIRect.h"

namespace guilib {

using qel::raster::GUIRect;

struct GUIPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// The base of every element of the widget library, and itself a usable
// container or button: bounds in its parent placed by anchors, a client
// area scrolling smoothly over its content, three layers of children
// (content, decoration, overlay), skin cells chosen by state, and the
// update and paint passes the engine drives.
//
//   GUIWidgetPtr screen = new GUIWidget(1);
//   screen->fillScreen();
//   GUIWidgetPtr ok = screen->addChild(new GUIWidget(2));
//   ok->setSize(60, 20);
//   ok->setAnchors(GUIWidget::AnchorCentreX | GUIWidget::AnchorBottom,
//                  GUIWidget::AnchorCentreX | GUIWidget::AnchorBottom);
//   ok->animate(GUIWidget::Background, 0x2040A0, -1, 0, 0);
class GUIWidget : public qel::lang::DObject {
public:
  // State bits.
  static constexpr int32_t Visible = 1, Enabled = 2, Focused = 4, Activated = 8, Dragged = 16, Pressed = 32, Moved = 64;
  // Anchor bits: horizontal in bits 0-1, vertical in bits 2-3.
  static constexpr int32_t AnchorRight = 1, AnchorCentreX = 2, AnchorBottom = 4, AnchorCentreY = 8;
  enum Event : int32_t {
    SoftKey1Event = 1,
    FireEvent = 2,
    SoftKey2Event = 3,
    ClickEvent = 4,
    PointerDownEvent = 5,
    HiddenEvent = 6,
    ShownEvent = 7,
    UpEvent = 8,
    DownEvent = 9,
    LeftEvent = 10,
    RightEvent = 11,
    ScrollChangedEvent = 12,
    PageBackEvent = 13,
    PageForwardEvent = 14,
    DragEvent = 17,
    CharacterEvent = 18,
    ResizedEvent = 19,
    // + the number of the state bit that turned on or off.
    StateOnEvent = 20,
    StateOffEvent = 52,
    // Data: one int.
    ValueEvent = 256,
    SubmitEvent = 512
  };
  enum SkinIndex : int32_t {
    TopLeft = 0,
    TopRight = 1,
    BottomLeft = 2,
    BottomRight = 3,
    TopEdge = 4,
    BottomEdge = 5,
    LeftEdge = 6,
    RightEdge = 7,
    Background = 8,
    Interior = 9
  };
  // Bit 31 of a skin candidate's mask makes it a transition candidate.
  static constexpr int32_t TransitionSkin = INT32_MIN;

  // True skips the painting.
  using PrePaintHook = bool (*)(GUIWidget& widget, const qel::lcdui::DGraphicsPtr& g);
  using PostPaintHook = void (*)(GUIWidget& widget, const qel::lcdui::DGraphicsPtr& g);
  // True skips the second update hook.
  using UpdateHook = bool (*)(GUIWidget& widget);
  using SecondUpdateHook = void (*)(GUIWidget& widget);

  // Registers itself with the engine (made when needed); -1 is anonymous.
  explicit GUIWidget(int32_t id);
  ~GUIWidget() override;

  // The slots subclasses replace.
  virtual void offerPointerTarget(int32_t x, int32_t y, int32_t w, int32_t h);
  virtual void paintBackground(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);
  virtual void paintFrameInterior(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);
  virtual void paintBorder(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);
  virtual void paintText(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);
  virtual void layout();
  virtual void updateLayer(int32_t layer, const GUIRect& clip, int32_t originX, int32_t originY);
  virtual void callUpdateHooks();
  // Key events reach focused widgets only; broadcast passes the event to
  // the whole subtree. True when anything handled it.
  virtual bool handleEvent(int32_t event, bool broadcast, const void* data, int32_t size);
  virtual void update(const GUIRect& clip, int32_t originX, int32_t originY);
  virtual void paint(const qel::lcdui::DGraphicsPtr& g, int32_t originX, int32_t originY);
  // Layer 2, painted for screens by the engine.
  virtual void paintOverlay(const qel::lcdui::DGraphicsPtr& g, int32_t originX, int32_t originY);
  virtual bool tickFocused();
  virtual bool tick();
  // Drops every reference (children are left, not disposed) and leaves the engine.
  void dispose() override;
  // Leaves the parent, detaches the whole subtree and leaves the engine.
  virtual void detach();

  int32_t getId() const { return id_; }
  // A null child is replaced by a new anonymous widget; a child with a
  // parent leaves it first. Appended to the child's layer. The widget
  // itself or one of its ancestors throws 0x05400000.
  GUIWidgetPtr addChild(GUIWidgetPtr child);
  bool removeChild(const GUIWidgetPtr& child);
  // A layer outside 0 .. 2 throws 0x05800001 (getChildren and setLayer).
  const std::vector<GUIWidgetPtr>& getChildren(int32_t layer) const;
  GUIWidgetPtr getParent() const { return parent_; }
  int32_t getLayer() const { return layer_; }
  void setLayer(int32_t layer);
  // Layers 0, 1, 2 in order; with recursive, depth first.
  GUIWidgetPtr findChildById(int32_t id, bool recursive) const;

  // Relative to the parent's area point given by the anchor, shifted by
  // the widget's own anchor point.
  void setBounds(int32_t x, int32_t y, int32_t w, int32_t h);
  void setPosition(int32_t x, int32_t y);
  void setSize(int32_t w, int32_t h);
  void moveBy(int32_t dx, int32_t dy);
  void fillScreen();
  // Relative to the bounds' top-left corner; growBounds makes the bounds
  // follow, else the client is cut to the bounds.
  void setClientRect(int32_t x, int32_t y, int32_t w, int32_t h, bool growBounds);
  GUIRect getBounds();
  const GUIRect& getClientRect() const { return client_; }
  void setAnchors(int32_t anchor, int32_t selfAnchor);
  GUIPoint positionInParent(GUIPoint p, bool applyScroll);
  GUIRect positionRect(GUIRect r, bool applyScroll);
  GUIPoint toScreenPoint(GUIPoint p);
  GUIRect toScreen(GUIRect r);
  GUIPoint clientToContent(GUIPoint p, bool applyScroll) const;
  GUIPoint contentToClient(GUIPoint p, bool applyScroll) const;

  // Computed first when empty.
  GUIRect getContentBounds();
  // The visible layer-0 children, always holding (0, 0), and the insets.
  void computeContentBounds();
  int32_t clampScrollX(int32_t x);
  int32_t clampScrollY(int32_t y);
  void setTargetScroll(int32_t x, int32_t y);
  void scrollBy(int32_t dx, int32_t dy);
  // Current and target position at once, without smooth scrolling.
  void jumpScrollY(int32_t y);
  // n of 0 is an eighth of the screen; the step is at least 1 pixel and a
  // negative one counts by its size.
  void scrollUp(int32_t n);
  void scrollDown(int32_t n);
  void scrollLeft(int32_t n);
  void scrollRight(int32_t n);
  void scrollToTop();
  void scrollToBottom();
  void scrollToLeft();
  void scrollToRight();
  // One smooth-scrolling step toward the target.
  void scrollStep();
  // Centres a child of this widget that is not wholly visible.
  void scrollIntoView(const GUIWidgetPtr& child);
  void setFocusedChild(const GUIWidgetPtr& child);
  GUIWidgetPtr getFocusedChild() const { return focusedChild_; }
  int32_t getScrollX() const { return scrollX_; }
  int32_t getScrollY() const { return scrollY_; }
  int32_t getTargetScrollX() const { return targetScrollX_; }
  int32_t getTargetScrollY() const { return targetScrollY_; }
  void setContentInsets(int32_t left, int32_t top, int32_t right, int32_t bottom);

  // The chain bound to an event, or null.
  GUIActionPtr getAction(int32_t event) const;
  // Replaces the event's chain; null removes the binding.
  void putAction(int32_t event, const GUIActionPtr& action);
  // Appends to the event's chain, or binds it; false when the chain refuses it.
  bool addAction(int32_t event, const GUIActionPtr& action);
  // A new action bound (set) or appended (add) to the event; the sourced
  // forms act for source instead of the firing widget.
  GUIActionPtr setAction(int32_t event, int32_t type, int32_t param, qel::lang::DObjectPtr target,
                         GUIAction::Callback callback);
  GUIActionPtr setSourcedAction(const GUIWidgetPtr& source, int32_t event, int32_t type, int32_t param,
                                qel::lang::DObjectPtr target, GUIAction::Callback callback);
  GUIActionPtr addNewAction(int32_t event, int32_t type, int32_t param, qel::lang::DObjectPtr target,
                            GUIAction::Callback callback);
  GUIActionPtr addSourcedAction(const GUIWidgetPtr& source, int32_t event, int32_t type, int32_t param,
                                qel::lang::DObjectPtr target, GUIAction::Callback callback);
  // Given to the actions this widget fires that have no callback of their own.
  void setDefaultCallback(GUIAction::Callback callback) { defaultCallback_ = callback; }

  // The change is committed at once, or once the transition skins chosen
  // for it have finished playing.
  void setState(int32_t mask, bool on);
  // Layer-0 widgets only.
  void setFocus(bool on);
  bool hasState(int32_t mask) const { return (state_ & mask) == mask; }
  bool stateChanged(int32_t mask) const;
  bool stateChangedTo(int32_t mask, bool on) const;
  bool canTakeFocus() const;
  int32_t getState() const { return state_; }
  int32_t getPendingState() const { return pendingState_; }
  int32_t getPreviousState() const { return previousState_; }
  void commitState();
  void commitTransition();

  // Replaces the candidate with the same required state and mask; a null
  // cell removes it.
  void addStateAnimation(int32_t index, const GUIAnimationPtr& cell, int32_t requiredState, int32_t mask);
  // A coloured-rectangle candidate.
  GUIAnimationPtr animate(int32_t index, int32_t fill, int32_t border, int32_t requiredState, int32_t mask);
  // The number of indices that got a cell.
  int32_t selectSkins(bool transition);
  // Null when no cell is chosen for the index.
  GUIAnimation* getSkin(int32_t index) const;

  // A null text does nothing.
  void setText(const qel::lang::DStringPtr& text);
  // A null id drops the label.
  void setTextId(const qel::lang::DStringPtr& id);
  void setGUIText(GUITextPtr text);
  GUITextPtr getGUIText() const;
  // Key of the label's rectangle in the background cell's frame.
  void setTextAreaKey(int32_t key) { textAreaKey_ = key; }

  // Focus among the layer-0 children that can take it and have a tab index;
  // nothing while a focus change among them is in progress.
  void focusFirst();
  void focusLast();
  // Wraps to the first or last.
  void focusNext();
  void focusPrevious();
  // The nearest row or column in that direction, wrapping to the far side.
  void focusUp();
  void focusDown();
  void focusLeft();
  void focusRight();
  // Content, skins and layout anew; the focused child found again; the
  // scroll position at its target.
  void refresh();

  void setSizeFromBackground(bool on) { sizeFromBackground_ = on; }
  void setInteriorFillsBounds(bool on) { interiorFillsBounds_ = on; }
  void setTabIndex(int32_t index) { tabIndex_ = index; }
  int32_t getTabIndex() const { return tabIndex_; }
  void setTickPeriod(int64_t ms) { tickPeriod_ = ms; }
  void setChildrenTickLast(bool on) { childrenTickLast_ = on; }
  void setFocusableWhenDisabled(bool on) { focusableWhenDisabled_ = on; }
  void setIgnoresPress(bool on) { ignoresPress_ = on; }
  void setIgnoresDrag(bool on) { ignoresDrag_ = on; }
  void setAcceptsDrag(bool on) { acceptsDrag_ = on; }
  bool acceptsDrag() const { return acceptsDrag_; }
  void setPressedWhileDragging(bool on) { pressedWhileDragging_ = on; }
  bool isPressedWhileDragging() const { return pressedWhileDragging_; }
  bool isFocusLocked() const { return focusLocked_; }
  void setPaintHooks(PrePaintHook before, PostPaintHook after);
  void setUpdateHooks(UpdateHook first, SecondUpdateHook second);

protected:
  UpdateHook getUpdateHook() const { return updateHook_; }
  SecondUpdateHook getSecondUpdateHook() const { return secondUpdateHook_; }
  // Visible now or about to be.
  bool isShowing() const { return ((state_ | pendingState_) & Visible) != 0; }
  bool anyChildTicks();

private:
  void ensureContent();
  std::vector<GUIWidgetPtr> focusCandidates() const;
  void focusChild(const GUIWidgetPtr& child);
  // up: toward smaller coordinates; vertical: along y.
  void focusAlong(bool vertical, bool towardSmaller);
  void releaseLinks(bool detachChildren);
  static int32_t normalisedStep(int32_t n, int32_t screenSize);
  static int32_t bitCount(int32_t bits);
  GUIRect skinSize(int32_t index) const;
  void tileSkin(const qel::lcdui::DGraphicsPtr& g, int32_t index, int32_t x, int32_t y, int32_t w, int32_t h);
  void drawSkin(const qel::lcdui::DGraphicsPtr& g, int32_t index, int32_t x, int32_t y);

  // One skin candidate: mask bit 31 marks a transition candidate.
  struct GUIWidgetAnimation {
    int32_t requiredState;
    int32_t mask;
    GUIAnimationPtr animation;
  };

  int32_t id_;
  GUIWidgetPtr parent_;
  std::array<std::vector<GUIWidgetPtr>, 3> layers_;
  GUIWidgetPtr focusedChild_;
  int32_t scrollX_ = 0, scrollY_ = 0;
  int32_t targetScrollX_ = 0, targetScrollY_ = 0;
  GUIRect content_;
  GUIRect bounds_;
  GUIRect client_;
  int32_t anchor_ = 0;
  int32_t selfAnchor_ = 0;
  int32_t layer_ = 0;
  bool sizeFromBackground_ = false;
  bool interiorFillsBounds_ = false;
  int32_t previousState_ = Visible | Enabled;
  int32_t state_ = Visible | Enabled;
  int32_t pendingState_ = Visible | Enabled;
  int32_t tabIndex_ = -1;
  std::map<int32_t, GUIActionPtr> bindings_;
  GUIAction::Callback defaultCallback_ = nullptr;
  std::map<int32_t, std::vector<GUIWidgetAnimation>> skinSets_;
  std::map<int32_t, GUIAnimationPtr> transitionSkins_;
  std::map<int32_t, GUIAnimationPtr> steadySkins_;
  GUITextPtr text_;
  int32_t textAreaKey_ = 0;
  int64_t tickPeriod_ = 200;
  int64_t lastTick_;
  bool childrenTickLast_ = false;
  bool focusableWhenDisabled_ = false;
  int32_t insetLeft_ = 0, insetTop_ = 0, insetRight_ = 0, insetBottom_ = 0;
  bool ignoresPress_ = false;
  bool ignoresDrag_ = false;
  bool acceptsDrag_ = false;
  bool pressedWhileDragging_ = false;
  bool focusLocked_ = false;
  PrePaintHook prePaintHook_ = nullptr;
  PostPaintHook postPaintHook_ = nullptr;
  UpdateHook updateHook_ = nullptr;
  SecondUpdateHook secondUpdateHook_ = nullptr;
};

}  // namespace guilib
