#pragma once

#include <array>
#include <cstdint>

#include "guilib/GUIAnimation.ptr.h"
#include "guilib/GUIFont.ptr.h"
#include "guilib/GUITextBox.ptr.h"
#include "guilib/GUIVirtualKeyboard.ptr.h"
#include "guilib/GUIWidget.h"
#include "lang/DString.ptr.h"

namespace guilib {

// An on-screen keyboard: a grid of keys, one per character, plus
// BACKSPACE and OK, typing into the keyboard's text box (whose allowed
// characters are the keys, so device keys are filtered alike). With the
// text box the keys are coloured rectangles sized to fill the grid as
// squarely as possible; without it they are the application's skin cells.
//
//   GUIVirtualKeyboardPtr keyboard = new GUIVirtualKeyboard(5, true);
//   keyboard->setKeys(new DString(u"ABCDEFGHIJ"));
//   keyboard->setBounds(0, 0, 240, 120);
//   // later: keyboard->getTextBox()->getText()
class GUIVirtualKeyboard : public GUIWidget {
public:
  static constexpr int32_t OkKeyId = -2;
  static constexpr int32_t BackspaceKeyId = -3;
  // The cells of a key kind: normal, pressed, focused.
  enum CellState : int32_t { NormalCell = 0, PressedCell = 1, FocusedCell = 2 };
  enum KeyKind : int32_t { CharacterKey = 0, OkKey = 1, BackspaceKey = 2 };

  GUIVirtualKeyboard(int32_t id, bool withTextBox);
  ~GUIVirtualKeyboard() override;

  // The first hook, the grid laid out when needed, the second hook.
  void callUpdateHooks() override;
  // Device keys among the keys (as typed or upper-cased) type at once.
  bool tick() override;
  // Drops the grid and the text box, then the widget's references.
  void dispose() override;

  // Replaces every key; the first character key takes the focus.
  void setKeys(const qel::lang::DStringPtr& keys);
  // The focused keys' fill.
  void setHighlightColour(int32_t colour);
  // A key of the grid by id: the character's code, OkKeyId or BackspaceKeyId.
  GUIWidgetPtr findKey(int32_t id) const;
  GUITextBoxPtr getTextBox() const { return textBox_; }
  GUIWidgetPtr getGrid() const { return grid_; }

  // Skin mode, set before setKeys.
  void setKeyCell(KeyKind kind, CellState state, const GUIAnimationPtr& cell);
  // Gives the keyboard's width and, by default, the key area's size.
  void setBackgroundCell(const GUIAnimationPtr& cell);
  // Its height is added below the background.
  void setInputLineCell(const GUIAnimationPtr& cell) { inputLineCell_ = cell; }
  void setTextBoxFont(const GUIFontPtr& font) { textBoxFont_ = font; }
  void setKeyFont(const GUIFontPtr& font) { keyFont_ = font; }

private:
  struct Cell {
    int32_t width, height, columns;
  };

  static bool onResized(GUIAction& action);
  GUIWidgetPtr makeKey(int32_t id, int32_t tabIndex, int32_t code, const char16_t* label, KeyKind kind);
  void layoutKeys();
  GUIRect keyArea();
  Cell cellFor(int32_t width, int32_t height) const;
  GUIRect cellSize(KeyKind kind) const;

  GUIWidgetPtr grid_;
  GUITextBoxPtr textBox_;
  GUIWidgetPtr okKey_;
  GUIWidgetPtr backspaceKey_;
  qel::lang::DStringPtr keys_;
  bool needsLayout_ = true;
  int32_t highlightColour_ = 0xFFFF00;
  bool withTextBox_;
  std::array<std::array<GUIAnimationPtr, 3>, 3> keyCells_{};
  GUIAnimationPtr backgroundCell_;
  GUIAnimationPtr inputLineCell_;
  GUIFontPtr textBoxFont_;
  GUIFontPtr keyFont_;
};

}  // namespace guilib
