#pragma once

#include <cstdint>
#include <vector>

#include "guilib/GUIAction.ptr.h"
#include "guilib/GUIWidget.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"

namespace guilib {

class GUIWidget;

// A command bound to a widget event. Firing it posts a copy stamped with
// the firing widget, the event and a copy of the event's data to the
// engine's queue, then fires the rest of its chain; the frame loop takes
// the copies and executes them (GUIEngine::executeAction).
//
//   GUIActionPtr next = new GUIAction(GUIAction::FocusNext, 0, nullptr, nullptr);
//   button->putAction(GUIWidget::ClickEvent, next);
class GUIAction : public qel::lang::DObject {
public:
  // True consumes the action: the queue drops it unexecuted.
  using Callback = bool (*)(GUIAction& action);

  enum Type : int32_t {
    ResendToSource = 1,
    ResendToTopScreen = 2,
    ShowScreen = 3,
    CloseTopScreen = 4,
    Refresh = 5,
    AddToTopScreen = 6,
    Close = 7,
    FocusById = 8,
    FocusNext = 9,
    FocusPrevious = 10,
    FocusUp = 11,
    FocusDown = 12,
    FocusLeft = 13,
    FocusRight = 14,
    SetState = 15,
    ClearState = 16,
    ScrollUp = 17,
    ScrollDown = 18,
    ScrollLeft = 19,
    ScrollRight = 20,
    ScrollToTop = 21,
    ScrollToBottom = 22,
    ScrollToLeft = 23,
    ScrollToRight = 24,
    SyncScrollThumb = 25,
    TrackPress = 27,
    ThumbDrag = 29,
    SetSfxVolume = 31,
    SetMusicVolume = 32,
    TypeCharacter = 33,
    OpenAddress = 34,
    Quit = 35,
    DragScroll = 36
  };

  GUIAction(int32_t type, int32_t param, qel::lang::DObjectPtr target, Callback callback);
  // Everything but the chain; the copy owns a copy of the event data.
  GUIAction(const GUIAction& other);
  GUIAction& operator=(const GUIAction&) = delete;
  ~GUIAction() override;
  // Drops target, source and chain.
  void dispose() override;

  // Posts a stamped copy, then fires the next link. A preset source and
  // callback are kept; data is copied when size is above 0.
  virtual void run(GUIWidget* firing, int32_t event, const void* data, int32_t size, Callback callback);
  // Appends to the end of the chain; false (nothing changes) when the
  // chains share an action, which would make the chain endless.
  bool append(const GUIActionPtr& action);
  // Plays the sound, then asks the callback; true when consumed.
  bool preExecute();

  int32_t getType() const { return type_; }
  int32_t getParam() const { return param_; }
  qel::lang::DObjectPtr getTarget() const { return target_; }
  GUIWidgetPtr getSource() const;
  void setSource(const GUIWidgetPtr& source);
  Callback getCallback() const { return callback_; }
  int32_t getEventType() const { return eventType_; }
  const std::vector<uint8_t>& getEventData() const { return eventData_; }
  // The int at index i of the event data, or fallback when it is shorter.
  int32_t eventInt(int32_t index, int32_t fallback) const;
  GUIActionPtr getNext() const { return next_; }
  // A sound index of -1 plays nothing.
  int32_t getSoundId() const { return soundId_; }

private:
  int32_t type_;
  int32_t param_;
  qel::lang::DObjectPtr target_;
  Callback callback_;
  GUIWidgetPtr source_;
  int32_t eventType_ = 0;
  std::vector<uint8_t> eventData_;
  int32_t soundId_ = -1;
  int32_t soundPan_ = 0;
  bool soundLoop_ = false;
  GUIActionPtr next_;
};

}  // namespace guilib
