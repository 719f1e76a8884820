#include "guilib/GUITextBox.h"

#include <string_view>
#include <utility>

#include "guilib/GUIAction.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIText.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "microedition/lcdui/DGraphics.h"

namespace guilib {

namespace {

constexpr int32_t Return = 13;
constexpr int32_t Backspace = 8;
constexpr std::u16string_view LessThan = u"&lt;";

// The label is markup: each '<' goes in as its entity, so that the label
// always parses and shows the character.
std::u16string markupOf(std::u16string_view plain) {
  std::u16string markup;
  for (char16_t c : plain)
    if (c == u'<')
      markup += LessThan;
    else
      markup += c;
  return markup;
}

// A source the label got from elsewhere, with its '<' entities as characters.
std::u16string plainOf(std::u16string_view markup) {
  std::u16string plain(markup);
  for (std::u16string_view entity : {u"&lt;", u"&LT;"})
    for (size_t at = plain.find(entity); at != std::u16string::npos; at = plain.find(entity, at + 1))
      plain.replace(at, entity.size(), u"<");
  return plain;
}

}  // namespace

GUITextBox::GUITextBox(int32_t id) : GUIWidget(id) {
  GUIWidgetPtr keep(this);
  setTickPeriod(100);
  setAction(CharacterEvent, 0, 0, nullptr, &GUITextBox::onTextInput);
  setText(new qel::lang::DString(u""));
  if (GUIFontPtr font = GUIEngine::getInstance()->getDefaultStyle()) setSize(0, font->getHeight());
}

GUITextBox::~GUITextBox() = default;

void GUITextBox::setAllowedCharacters(const qel::lang::DStringPtr& characters) {
  allowed_ = characters;
  allowedUpper_.release();
  allowedLower_.release();
}

qel::lang::DStringPtr GUITextBox::getText() const { return new qel::lang::DString(plainText()); }

std::u16string GUITextBox::plainText() const {
  GUITextPtr label = getGUIText();
  qel::lang::DStringPtr source = label ? label->getText() : nullptr;
  if (!source) return {};
  if (source == shownMarkup_) return typed_;
  return plainOf(source->view());
}

void GUITextBox::showText(std::u16string text) {
  typed_ = std::move(text);
  shownMarkup_ = new qel::lang::DString(markupOf(typed_));
  getGUIText()->setText(shownMarkup_);
}

// The callback of the action bound to event 18: it edits when the queued
// copy is taken; the action itself does nothing.
bool GUITextBox::onTextInput(GUIAction& action) {
  if (action.getEventType() != CharacterEvent) return false;
  auto* box = dynamic_cast<GUITextBox*>(action.getSource().get());
  const int32_t code = action.eventInt(0, -1);
  if (box && code >= 0) box->type(code);
  return false;
}

void GUITextBox::type(int32_t code) {
  GUIWidgetPtr keep(this);
  if (!getGUIText() || !getGUIText()->getText()) setText(new qel::lang::DString(u""));
  if (code == Return) {
    handleEvent(SubmitEvent, false, nullptr, 0);
    return;
  }
  std::u16string text = plainText();
  if (code == Backspace) {
    if (text.empty()) return;
    text.pop_back();
  } else {
    if (static_cast<int64_t>(text.size()) >= maximumLength_ || code > 0xFFFF) return;
    const char16_t c = static_cast<char16_t>(code);
    if (!allows(c)) return;
    text += c;
  }
  showText(std::move(text));
}

bool GUITextBox::allows(char16_t c) {
  if (!allowed_) return true;
  if (exactCase_) return allowed_->indexOf(c) >= 0;
  if (!allowedLower_) allowedLower_ = allowed_->toLowerCase();
  if (!allowedUpper_) allowedUpper_ = allowed_->toUpperCase();
  return allowedLower_->indexOf(c) >= 0 || allowedUpper_->indexOf(c) >= 0;
}

bool GUITextBox::handleEvent(int32_t event, bool broadcast, const void* data, int32_t size) {
  if (event == SubmitEvent) {
    GUITextPtr label = getGUIText();
    if (!label || !label->getText() || static_cast<int64_t>(plainText().size()) < minimumLength_) return false;
  }
  return GUIWidget::handleEvent(event, broadcast, data, size);
}

void GUITextBox::update(const GUIRect& clip, int32_t originX, int32_t originY) {
  GUIWidget::update(clip, originX, originY);
  const int64_t now = qel::lang::DSystem::currentTimeMillis(0);
  if (now >= lastBlink_ + blinkPeriod_) {
    lastBlink_ = now;
    caretShown_ = !caretShown_;
  }
}

void GUITextBox::paintText(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  GUIWidget::paintText(g, x, y, w, h);
  GUITextPtr label = getGUIText();
  if (!label || !label->getText()) return;
  const GUIPoint caret = label->getEndPosition(x, y, w, h);
  if (GUIAnimation* cell = getSkin(CaretSkin)) {
    cell->paint(g, caret.x, caret.y);
    return;
  }
  if (caretColour_ == -1 || !caretShown_) return;
  GUIFontPtr font = label->getFont();
  if (!font) font = GUIEngine::getInstance()->getDefaultStyle();
  if (!font) return;
  const uint32_t saved = g->getColor();
  g->setColor(static_cast<uint32_t>(caretColour_));
  g->drawLine(caret.x, caret.y, caret.x, caret.y + font->getHeight());
  g->setColor(saved);
}

}  // namespace guilib
