#pragma once

#include <cstdint>
#include <string>

#include "guilib/GUITextBox.ptr.h"
#include "guilib/GUIWidget.h"
#include "lang/DString.ptr.h"

namespace guilib {

// A one-line text field fed by character events (18): return (13) sends
// the submit event (512), which reaches the bound actions only once the
// text has the minimum length; backspace (8) drops the last character;
// other characters are appended while the text is shorter than the
// maximum and the character is allowed. A caret blinks after the text:
// the skin cell CaretSkin, else a line in the caret colour.
//
//   GUITextBoxPtr name = new GUITextBox(7);
//   name->setAllowedCharacters(new DString(u"abcdefghijklmnopqrstuvwxyz"));
//   name->setMinimumLength(1);
//   name->setAction(GUIWidget::SubmitEvent, GUIAction::CloseTopScreen, 0, nullptr, nullptr);
class GUITextBox : public GUIWidget {
public:
  static constexpr int32_t CaretSkin = 512;
  static constexpr int32_t DefaultMaximumLength = 65535;

  explicit GUITextBox(int32_t id);
  ~GUITextBox() override;

  bool handleEvent(int32_t event, bool broadcast, const void* data, int32_t size) override;
  // The widget's update, then the caret's blink.
  void update(const GUIRect& clip, int32_t originX, int32_t originY) override;
  void paintText(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) override;

  // Null allows every character.
  void setAllowedCharacters(const qel::lang::DStringPtr& characters);
  // Compare with the allowed characters as given rather than in either case.
  void setExactCase(bool on) { exactCase_ = on; }
  void setMaximumLength(int32_t length) { maximumLength_ = length; }
  void setMinimumLength(int32_t length) { minimumLength_ = length; }
  // 0xRRGGBB, or -1 for no line caret.
  void setCaretColour(int32_t colour) { caretColour_ = colour; }
  bool isCaretShown() const { return caretShown_; }
  // The text as typed, without the label's markup; never null.
  qel::lang::DStringPtr getText() const;

private:
  static bool onTextInput(GUIAction& action);
  void type(int32_t code);
  bool allows(char16_t c);
  // The typed text, or the label's source when it was set from elsewhere.
  std::u16string plainText() const;
  // Keeps the text and hands the label its markup.
  void showText(std::u16string text);

  qel::lang::DStringPtr allowed_;
  qel::lang::DStringPtr allowedUpper_;
  qel::lang::DStringPtr allowedLower_;
  bool exactCase_ = false;
  int32_t maximumLength_ = DefaultMaximumLength;
  int32_t minimumLength_ = 0;
  int32_t caretColour_ = -1;
  bool caretShown_ = true;
  int64_t blinkPeriod_ = 500;
  int64_t lastBlink_ = 0;
  std::u16string typed_;
  // The source last handed to the label.
  qel::lang::DStringPtr shownMarkup_;
};

}  // namespace guilib
