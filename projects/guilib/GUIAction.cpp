#include "guilib/GUIAction.h"

#include <cstring>
#include <unordered_set>

#include "gamelib/SoundManager.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"
#include "microedition/media/DPlayer.h"

namespace guilib {

GUIAction::GUIAction(int32_t type, int32_t param, qel::lang::DObjectPtr target, Callback callback)
    : type_(type), param_(param), target_(std::move(target)), callback_(callback) {}

GUIAction::GUIAction(const GUIAction& other)
    : qel::lang::DObject(other),
      type_(other.type_),
      param_(other.param_),
      target_(other.target_),
      callback_(other.callback_),
      source_(other.source_),
      eventType_(other.eventType_),
      eventData_(other.eventData_),
      soundId_(other.soundId_),
      soundPan_(other.soundPan_),
      soundLoop_(other.soundLoop_) {}

GUIAction::~GUIAction() = default;

void GUIAction::dispose() {
  target_.release();
  source_.release();
  next_.release();
}

void GUIAction::run(GUIWidget* firing, int32_t event, const void* data, int32_t size, Callback callback) {
  GUIActionPtr keep(this);
  GUIActionPtr copy = new GUIAction(*this);
  copy->eventData_.clear();
  if (!copy->source_) copy->source_ = firing;
  if (data && size > 0) {
    copy->eventData_.resize(static_cast<size_t>(size));
    std::memcpy(copy->eventData_.data(), data, copy->eventData_.size());
  }
  copy->eventType_ = event;
  if (!copy->callback_) copy->callback_ = callback;
  GUIEngine::getInstance()->postAction(copy);
  if (next_) next_->run(firing, event, data, size, callback);
}

bool GUIAction::append(const GUIActionPtr& action) {
  if (!action) return false;
  std::unordered_set<const GUIAction*> links;
  GUIAction* last = this;
  for (GUIAction* link = this; link; link = link->next_.get()) {
    links.insert(link);
    last = link;
  }
  for (const GUIAction* link = action.get(); link; link = link->next_.get())
    if (links.count(link)) return false;
  last->next_ = action;
  return true;
}

bool GUIAction::preExecute() {
  GUIActionPtr keep(this);
  if (soundId_ != -1)
    if (gamelib::SoundManagerPtr sounds = GUIEngine::getInstance()->getSoundManager())
      sounds->play(soundId_, soundLoop_, soundPan_);
  return callback_ && callback_(*this);
}

GUIWidgetPtr GUIAction::getSource() const { return source_; }

void GUIAction::setSource(const GUIWidgetPtr& source) { source_ = source; }

int32_t GUIAction::eventInt(int32_t index, int32_t fallback) const {
  const size_t at = static_cast<size_t>(index) * 4;
  if (index < 0 || at + 4 > eventData_.size()) return fallback;
  int32_t value;
  std::memcpy(&value, eventData_.data() + at, 4);
  return value;
}

}  // namespace guilib
