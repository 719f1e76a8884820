#include "guilib/GUIVirtualKeyboard.h"

#include <cstdlib>

#include "guilib/GUIAction.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIText.h"
#include "guilib/GUITextBox.h"
#include "guilib/HostCanvas.h"
#include "lang/DString.h"

namespace guilib {

namespace {

constexpr int32_t Centred = GUIWidget::AnchorCentreX | GUIWidget::AnchorCentreY;
constexpr int32_t White = 0xFFFFFF, Black = 0x000000;
// The focused candidate scores only by the focus bit.
constexpr int32_t AnyState = 0x7FFFFFFF;
constexpr int32_t ActivatedEvent = GUIWidget::StateOnEvent + 3;

}  // namespace

GUIVirtualKeyboard::GUIVirtualKeyboard(int32_t id, bool withTextBox) : GUIWidget(id), withTextBox_(withTextBox) {
  GUIWidgetPtr keep(this);
  setChildrenTickLast(true);
  if (withTextBox_) setAction(ResizedEvent, 0, 0, nullptr, &GUIVirtualKeyboard::onResized);

  textBox_ = new GUITextBox(-1);
  textBox_->setAnchors(AnchorCentreX | AnchorBottom, AnchorCentreX | AnchorBottom);
  textBox_->setCaretColour(Black);
  addChild(textBox_);
  textBox_->setSizeFromBackground(!withTextBox_);
  textBox_->setText(new qel::lang::DString(u""));
  textBox_->getGUIText()->setAlignment(Centred);

  grid_ = new GUIWidget(-1);
  grid_->setAnchors(AnchorCentreX, AnchorCentreX);
  grid_->setAction(UpEvent, GUIAction::FocusUp, 0, nullptr, nullptr);
  grid_->setAction(DownEvent, GUIAction::FocusDown, 0, nullptr, nullptr);
  grid_->setAction(LeftEvent, GUIAction::FocusLeft, 0, nullptr, nullptr);
  grid_->setAction(RightEvent, GUIAction::FocusRight, 0, nullptr, nullptr);
  addChild(grid_);
  grid_->setAction(ClickEvent, GUIAction::SetState, Focused, nullptr, nullptr);
  grid_->setSizeFromBackground(!withTextBox_);

  if (withTextBox_) {
    grid_->animate(Background, White, Black, 0, 0);
    grid_->animate(Background, 0xFF0000, Black, Focused, Focused);
    animate(Background, White, Black, 0, 0);
    animate(Background, 0x7F0000, Black, Focused, Focused);
  }
  grid_->setFocus(true);
  needsLayout_ = true;
  setTickPeriod(0);
}

GUIVirtualKeyboard::~GUIVirtualKeyboard() = default;

void GUIVirtualKeyboard::dispose() {
  GUIWidgetPtr keep(this);
  grid_.release();
  textBox_.release();
  GUIWidget::dispose();
}

// The callback of the keyboard's resize action.
bool GUIVirtualKeyboard::onResized(GUIAction& action) {
  auto* keyboard = dynamic_cast<GUIVirtualKeyboard*>(action.getSource().get());
  if (!keyboard) return false;
  keyboard->needsLayout_ = true;
  // One pixel in from either side of the box's bounds, however often it runs.
  if (GUITextBoxPtr box = keyboard->textBox_) {
    const GUIRect bounds = box->getBounds();
    box->setClientRect(1, 0, bounds.width - 2, bounds.height, false);
  }
  return false;
}

void GUIVirtualKeyboard::setKeyCell(KeyKind kind, CellState state, const GUIAnimationPtr& cell) {
  if (kind < CharacterKey || kind > BackspaceKey || state < NormalCell || state > FocusedCell) return;
  keyCells_[kind][state] = cell;
}

void GUIVirtualKeyboard::setBackgroundCell(const GUIAnimationPtr& cell) {
  backgroundCell_ = cell;
  if (!withTextBox_) grid_->addStateAnimation(Background, cell, 0, 0);
}

GUIWidgetPtr GUIVirtualKeyboard::makeKey(int32_t id, int32_t tabIndex, int32_t code, const char16_t* label,
                                         KeyKind kind) {
  GUIWidgetPtr key = new GUIWidget(id);
  key->setTabIndex(tabIndex);
  key->setText(new qel::lang::DString(label ? label : u""));
  key->getGUIText()->setAlignment(Centred);
  // The BACKSPACE label keeps the base font.
  if (keyFont_ && kind != BackspaceKey) key->getGUIText()->setFont(keyFont_);
  key->addNewAction(ClickEvent, GUIAction::SetState, Focused | Activated, nullptr, nullptr);
  key->addNewAction(FireEvent, GUIAction::SetState, Activated, nullptr, nullptr);
  key->addSourcedAction(textBox_, ActivatedEvent, GUIAction::TypeCharacter, code, nullptr, nullptr);
  if (withTextBox_) {
    key->animate(Background, -1, -1, 0, 0);
    key->animate(Background, highlightColour_, Black, AnyState, Focused);
  } else {
    key->addStateAnimation(Background, keyCells_[kind][NormalCell], 0, 0);
    key->addStateAnimation(Background, keyCells_[kind][PressedCell], Pressed, Pressed);
    key->addStateAnimation(Background, keyCells_[kind][FocusedCell], Focused, Focused);
    key->setSizeFromBackground(true);
  }
  grid_->addChild(key);
  return key;
}

void GUIVirtualKeyboard::setKeys(const qel::lang::DStringPtr& keys) {
  GUIWidgetPtr keep(this);
  keys_ = keys ? keys : qel::lang::DStringPtr(new qel::lang::DString(u""));
  textBox_->setAllowedCharacters(keys_);
  if (textBoxFont_) textBox_->getGUIText()->setFont(textBoxFont_);
  for (int32_t layer = 0; layer < 3; ++layer) {
    const std::vector<GUIWidgetPtr> children = grid_->getChildren(layer);
    for (const GUIWidgetPtr& child : children) grid_->removeChild(child);
  }
  const int32_t count = keys_->length();
  for (int32_t i = 0; i < count; ++i) {
    const char16_t c = keys_->charAt(i);
    // Labels are markup: '<' shows through its entity.
    const char16_t plain[2] = {c, 0};
    GUIWidgetPtr key = makeKey(c, i, c, c == u'<' ? u"&lt;" : plain, CharacterKey);
    if (i == 0) key->setFocus(true);
  }
  backspaceKey_ = makeKey(BackspaceKeyId, count, 8, withTextBox_ ? u"BACKSPACE" : nullptr, BackspaceKey);
  okKey_ = makeKey(OkKeyId, count + 1, 13, u"OK", OkKey);
  needsLayout_ = true;
}

void GUIVirtualKeyboard::setHighlightColour(int32_t colour) {
  highlightColour_ = colour;
  for (const GUIWidgetPtr& key : grid_->getChildren(0)) key->animate(Background, colour, Black, AnyState, Focused);
}

GUIWidgetPtr GUIVirtualKeyboard::findKey(int32_t id) const { return grid_->findChildById(id, false); }

void GUIVirtualKeyboard::callUpdateHooks() {
  if (UpdateHook first = getUpdateHook(); first && first(*this)) return;
  if (needsLayout_) layoutKeys();
  if (SecondUpdateHook second = getSecondUpdateHook()) second(*this);
}

GUIRect GUIVirtualKeyboard::cellSize(KeyKind kind) const {
  const GUIAnimationPtr& cell = keyCells_[kind][NormalCell];
  return cell ? cell->getSize() : GUIRect{};
}

// The key area inside the grid, after sizing the keyboard's parts.
GUIRect GUIVirtualKeyboard::keyArea() {
  if (withTextBox_) {
    const GUIRect client = getClientRect();
    textBox_->setSize(client.width, textBox_->getBounds().height);
    grid_->setBounds(0, 0, client.width, client.height - textBox_->getBounds().height);
    const GUIRect area = grid_->getClientRect();
    return {0, 0, area.width, area.height};
  }
  const GUIRect background = backgroundCell_ ? backgroundCell_->getSize() : GUIRect{};
  const GUIRect inputLine = inputLineCell_ ? inputLineCell_->getSize() : GUIRect{};
  setBounds(0, 0, background.width, background.height + inputLine.height);
  setAction(ResizedEvent, 0, 0, nullptr, &GUIVirtualKeyboard::onResized);
  return {0, 0, background.width, background.height};
}

// The squarest cell that fits every key into the area, or the skin's
// character cell; no columns when there is no cell to lay out.
GUIVirtualKeyboard::Cell GUIVirtualKeyboard::cellFor(int32_t width, int32_t height) const {
  if (!withTextBox_) {
    const GUIRect cell = cellSize(CharacterKey);
    if (cell.width <= 0 || cell.height <= 0) return {0, 0, 0};
    return {cell.width, cell.height, width / cell.width};
  }
  int32_t n = keys_ ? keys_->length() : 0;
  for (const GUIWidgetPtr& special : {backspaceKey_, okKey_})
    if (special && special->hasState(Visible)) ++n;
  Cell best{0, 0, 0};
  if (width < 4 || n <= 0) return best;
  int32_t bestDifference = INT32_MAX;
  for (int32_t cw = 1; cw < width / 2; ++cw) {
    const int32_t columns = width / cw;
    const int32_t rows = (n + columns - 1) / columns;
    const int32_t ch = height / rows;
    const int32_t difference = std::abs(ch - cw);
    if (difference < bestDifference) {
      bestDifference = difference;
      best = {cw, ch, columns};
    }
  }
  return best;
}

void GUIVirtualKeyboard::layoutKeys() {
  GUIWidgetPtr keep(this);
  const GUIRect area = keyArea();
  const Cell cell = cellFor(area.width, area.height);
  needsLayout_ = false;
  if (cell.columns <= 0) return;
  const int32_t left = area.x + (area.width - cell.width * cell.columns) / 2;
  const int32_t top = area.y + (withTextBox_ ? 0 : (area.height % cell.height) / 2);
  int32_t slot = 0;
  const std::vector<GUIWidgetPtr> keys = grid_->getChildren(0);
  for (const GUIWidgetPtr& key : keys) {
    const bool special = key == okKey_ || key == backspaceKey_;
    if (special && (!withTextBox_ || !key->hasState(Visible))) continue;
    key->setBounds(
        left + (slot % cell.columns) * cell.width, top + (slot / cell.columns) * cell.height, cell.width, cell.height);
    ++slot;
  }
  if (withTextBox_) return;
  const GUIRect backspace = cellSize(BackspaceKey);
  const GUIRect ok = cellSize(OkKey);
  const int32_t backspaceX = left + area.width - backspace.width;
  backspaceKey_->setBounds(backspaceX, top + area.height - backspace.height, backspace.width, backspace.height);
  okKey_->setBounds(backspaceX - ok.width, top + area.height - ok.height, ok.width, ok.height);
}

bool GUIVirtualKeyboard::tick() {
  GUIWidgetPtr keep(this);
  if (HostCanvas::keyPressedFlag() && keys_) {
    const int32_t code = HostCanvas::lastKeyCode();
    if (code > 0 && code <= 0xFFFF) {
      const char16_t typed[2] = {static_cast<char16_t>(code), 0};
      const qel::lang::DStringPtr upper = qel::lang::DString(typed).toUpperCase();
      if (keys_->indexOf(typed[0]) >= 0 || keys_->indexOf(upper->charAt(0)) >= 0) {
        HostCanvas::resetKeys();
        GUIActionPtr type = new GUIAction(GUIAction::TypeCharacter, code, nullptr, nullptr);
        type->setSource(textBox_);
        type->run(this, ActivatedEvent, nullptr, 0, nullptr);
        return true;
      }
    }
  }
  if (!GUIWidget::tick()) return false;
  HostCanvas::resetKeys();
  return true;
}

}  // namespace guilib
