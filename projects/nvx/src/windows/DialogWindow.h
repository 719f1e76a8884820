#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "lang/DObjectArray.h"
#include "lang/DbyteArray.h"
#include "lang/DintArray.h"
#include "lang/DshortArray.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "nvx/src/windows/WindowMetrics.h"

namespace nvx {

// The game's one modal window: its content, layout and cursor, the openers
// that fill it, its keys and pointer, and its painting. Statics of
// MainCanvas; resetDialog clears the window as a whole.
struct DialogWindow : tables::WindowMetrics {
  // Layout kinds (dialogKind).
  static constexpr uint8_t kindText = 0;
  static constexpr uint8_t kindList = 1;
  static constexpr uint8_t kindOptions = 2;
  // Soft-key text ids: the left key accepts, the right key goes back.
  static constexpr int16_t softKeyAccept = 126;
  static constexpr int16_t softKeyBack = 127;
  // The accept key, and with two keys the back key too.
  static qel::lang::DshortArrayPtr softKeysFor(int32_t count);
  // The list menu drawn without a frame over the full-screen menu picture.
  static constexpr uint8_t frameLessMenu = 22;
  // The sound switch of the options window; value items are ids -1 and -2.
  static constexpr int16_t soundSwitchItem = 212;
  static constexpr int32_t valueSteps = 8;

  // Layout metrics beside WindowMetrics, in pixels.
  static constexpr int32_t titlePictureInset = 3;
  static constexpr int32_t plainRowSpacing = 3;
  static constexpr int32_t checkBoxGap = 4;
  static constexpr int32_t iconGap = 3;
  static constexpr int32_t softKeyBarHeight = 29;
  static constexpr int32_t barOverlap = 4;
  static constexpr int32_t softKeyMargin = 4;
  static constexpr int32_t buttonOffset = 6;
  static constexpr int32_t scrollBarWidth = 11;
  // Fixed-point scale of the scroll thumb.
  static constexpr int32_t thumbScale = 1024;

  // Sprite sets of the window (rows of spriteTable).
  static constexpr int32_t backgroundTileSprite = 0;
  static constexpr int32_t titleOrnamentSprite = 17;
  // Frame 0 unchecked, 1 checked.
  static constexpr int32_t checkBoxSprite = 6;
  static constexpr int32_t softKeyButtonSprite = 38;
  // Frame 0 the left key's arrow, 1 the right key's.
  static constexpr int32_t softKeyArrowSprite = 39;
  // Frames 0 top, 1 bottom, 2 middle.
  static constexpr int32_t scrollPieceSprite = 39;
  static constexpr int32_t scrollGripSprite = 45;
  static constexpr int32_t listArrowSprite = 39;
  static constexpr int32_t objectIconSprite = 4;
  static constexpr int32_t barTileSprite = 9;
  // Touch zones of the soft-key buttons; the bar clears zone 2.
  static constexpr int32_t leftSoftKeyZone = 4;
  static constexpr int32_t rightSoftKeyZone = 5;
  static constexpr int32_t barClearedZone = 2;

  // Content, set by the openers before the layout runs.
  static const uint8_t& dialogId;
  static const uint8_t& dialogKind;
  static const qel::lang::DshortArrayPtr& titleText;
  static inline qel::lang::DshortArrayPtr bodyText;
  // {sprite set, frame[, a second frame drawn first]}.
  static const qel::lang::DbyteArrayPtr& titleIcons;
  // One text id per item; -1 and -2 are value items.
  static const qel::lang::DshortArrayPtr& itemIds;
  // Per item a DbyteArray {sprite set, frame} (in a plain list {set,
  // outline shape}) or null.
  static const qel::lang::DObjectArrayPtr& itemIcons;
  // Per item a DObjectArray: a value item's DShort 0..8, or a text item's
  // parameters.
  static const qel::lang::DObjectArrayPtr& itemParams;
  static const qel::lang::DbyteArrayPtr& itemToggles;
  static const qel::lang::DintArrayPtr& itemLines;
  static inline qel::lang::DshortArrayPtr softKeys;
  static const uint8_t& hasToggles;
  static const uint8_t& plainList;
  static const uint8_t& noFrame;
  // What the player chose; null when the window was cancelled.
  static inline qel::lang::DObjectPtr result;

  // Layout and cursor.
  static const uint8_t& lineHeight;
  static const uint8_t& touchRowHeight;
  static const int32_t& titleHeight;
  static const int32_t& windowX;
  static const int32_t& windowY;
  static const int32_t& windowWidth;
  static const int32_t& windowHeight;
  static const int32_t& contentX;
  static const int32_t& contentY;
  static const int32_t& contentWidth;
  static const int32_t& wrapChars;
  static const int32_t& lineCount;
  static const int32_t& visibleLines;
  static const int32_t& visibleHeight;
  static const uint8_t& scrolls;
  // The selected item; in a text window the first visible line.
  static inline int32_t selection = 0;
  static const int32_t& pageItems;
  static inline int32_t codePosition = 0;
  static const int32_t& titleIconX;
  static const int32_t& titleIconY;
  static const int32_t& titleTextX;
  static const int32_t& titleTextY;
  static const int32_t& scrollBarX;
  static const int32_t& scrollTrackHeight;
  // Pixel height the content may take.
  static const int32_t& availableHeight;
  // The tens digit typed at the end of the hidden code.
  static inline int32_t codeTens = 0;
  static const uint8_t& ready;
  static const uint8_t& dialogDirty;
  // The kept frame under the window must still be taken from the screen.
  static inline uint8_t backdropPending = 0;

  // Content.
  static void resetDialog();
  static void setDialogText(int32_t textId, const qel::lang::DObjectArrayPtr& params);
  static void setDialogTitle(int32_t textId);
  static void setDialogTitle(int32_t textId, const qel::lang::DObjectArrayPtr& params);
  // Empty for a value item; an index outside itemParams throws the index
  // exception.
  static qel::lang::DshortArrayPtr getItemText(int32_t index);
  static int32_t getTitleIconHeight();

  // Openers: fill the window and enter state 2 over it.
  static void openDialog(uint8_t id, const qel::lang::DbyteArrayPtr& titlePicture, int32_t textId,
                         const qel::lang::DObjectArrayPtr& params, const qel::lang::DshortArrayPtr& keys,
                         int16_t titleTextId);
  // A plainList set before the call is kept; everything else starts afresh.
  // The toggles are copied into a new array of one byte per item; with
  // none the window has no check boxes.
  static void openListDialog(uint8_t id, uint8_t kind, const qel::lang::DbyteArrayPtr& titlePicture,
                             const qel::lang::DshortArrayPtr& items, const qel::lang::DObjectArrayPtr& icons,
                             const qel::lang::DObjectArrayPtr& params, const qel::lang::DbyteArrayPtr& toggles,
                             int16_t titleTextId, int32_t softKeyCount);
  // A message window whose title is filled with its own parameters (none:
  // the plain title, as openDialog gives).
  static void openMessageDialog2(uint8_t id, const qel::lang::DbyteArrayPtr& titlePicture, int32_t textId,
                                 const qel::lang::DObjectArrayPtr& params, const qel::lang::DshortArrayPtr& keys,
                                 int16_t titleTextId, const qel::lang::DObjectArrayPtr& titleParams);
  // A list with no values or item pictures, titled with the glyph text given.
  static void openMenu(uint8_t id, const qel::lang::DbyteArrayPtr& titlePicture, const qel::lang::DshortArrayPtr& items,
                       const qel::lang::DshortArrayPtr& title, int32_t softKeyCount);
  // A list of values: an options window (kindOptions). What tells the sound
  // options (check boxes and value bars) from a value menu (plain rows) is
  // the checks given and plainList.
  static void openValueDialog(uint8_t id, const qel::lang::DbyteArrayPtr& titlePicture,
                              const qel::lang::DshortArrayPtr& items, const qel::lang::DObjectArrayPtr& values,
                              const qel::lang::DObjectArrayPtr& icons, const qel::lang::DbyteArrayPtr& checks,
                              int16_t titleTextId, int32_t softKeyCount);
  // A value dialog drawn as a plain list.
  static void openValueMenu(uint8_t id, const qel::lang::DbyteArrayPtr& titlePicture,
                            const qel::lang::DshortArrayPtr& items, const qel::lang::DObjectArrayPtr& values,
                            const qel::lang::DObjectArrayPtr& icons, const qel::lang::DbyteArrayPtr& checks,
                            int16_t titleTextId, int32_t softKeyCount);

  // Layout. minChars <= 0: the title's length + the title allowance.
  static void prepareDialog(int32_t minChars);
  static void layoutTextDialog(int32_t availableWidth);
  static void layoutListDialog(int32_t availableWidth);
  // Fills itemLines; the total counts rows as rowLines does.
  static int32_t measureItems(int32_t width);
  static void placeDialog();
  static int32_t fittingLines();
  static int32_t charsForWidth(int32_t pixels);
  // The picture width of the last item; when its entry is null, of the
  // last entry that has a picture; 0 for none.
  static int32_t itemPictureWidth();
  // Pixel height of item i's row as laid out and painted.
  static int32_t itemRowHeight(int32_t i);
  // The lines of lineHeight item i's row takes: a touch row counts as the
  // lines it covers, so that a page of touch rows fits the screen.
  static int32_t rowLines(int32_t i);
  // The first item of the shown page; sets pageItems.
  static int32_t firstShownItem();

  // Keys and pointer.
  static void dialogStep();
  static void textDialogKey(int32_t action);
  static void listDialogKey(int32_t action);
  static void dialogPointer(int32_t x, int32_t y);
  // A value item's value 0..8 (0 when it holds none), and setting it, kept
  // in 0..8, with the effects (item 1) or music (item 2) volume at 8 times it.
  static int32_t itemValue(int32_t item);
  // Volumes change only while the first toggle, the sound switch, is on.
  static bool soundSwitchOn();
  static void setItemValue(int32_t item, int32_t value);

  // Painting. The frame under the window is kept in back: taken from the
  // screen when the window opens, or for the title screens painted there
  // each frame; each frame copies it to g and draws the window over it.
  static void paintDialog(const qel::lcdui::DGraphicsPtr& back, const qel::lcdui::DGraphicsPtr& g);
  static void paintTiledBackground(const qel::lcdui::DGraphicsPtr& g);
  static void paintWindowFrame(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t b,
                               int32_t t, bool background);
  static void paintSoftKeyBar(const qel::lcdui::DGraphicsPtr& g);
  static void paintSoftKeyButton(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t arrowFrame,
                                 int32_t zone);
  static void paintScrollBar(const qel::lcdui::DGraphicsPtr& g, int32_t visible, int32_t first);
  static void paintWindowScrollArrows(const qel::lcdui::DGraphicsPtr& g, int32_t visible, int32_t first);
  static void paintTextWindow(const qel::lcdui::DGraphicsPtr& g);
  static void paintListWindow(const qel::lcdui::DGraphicsPtr& g);
  // The grey of the selection and the scroll arrows, pulsing with the clock.
  static int32_t pulseGrey();

private:
  friend struct DialogResults;
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline uint8_t dialogId_ = 0;
  static inline uint8_t dialogKind_ = kindText;
  static inline qel::lang::DshortArrayPtr titleText_;
  static inline qel::lang::DbyteArrayPtr titleIcons_;
  static inline qel::lang::DshortArrayPtr itemIds_;
  static inline qel::lang::DObjectArrayPtr itemIcons_;
  static inline qel::lang::DObjectArrayPtr itemParams_;
  static inline qel::lang::DbyteArrayPtr itemToggles_;
  static inline qel::lang::DintArrayPtr itemLines_;
  static inline uint8_t hasToggles_ = 0;
  static inline uint8_t plainList_ = 0;
  static inline uint8_t noFrame_ = 0;
  static inline uint8_t lineHeight_ = 0;
  static inline uint8_t touchRowHeight_ = 0;
  static inline int32_t titleHeight_ = 0;
  static inline int32_t windowX_ = 0;
  static inline int32_t windowY_ = 0;
  static inline int32_t windowWidth_ = 0;
  static inline int32_t windowHeight_ = 0;
  static inline int32_t contentX_ = 0;
  static inline int32_t contentY_ = 0;
  static inline int32_t contentWidth_ = 0;
  static inline int32_t wrapChars_ = 0;
  static inline int32_t lineCount_ = 0;
  static inline int32_t visibleLines_ = 0;
  static inline int32_t visibleHeight_ = 0;
  static inline uint8_t scrolls_ = 0;
  static inline int32_t pageItems_ = 0;
  static inline int32_t titleIconX_ = 0;
  static inline int32_t titleIconY_ = 0;
  static inline int32_t titleTextX_ = 0;
  static inline int32_t titleTextY_ = 0;
  static inline int32_t scrollBarX_ = 0;
  static inline int32_t scrollTrackHeight_ = 0;
  static inline int32_t availableHeight_ = 0;
  static inline uint8_t ready_ = 0;
  static inline uint8_t dialogDirty_ = 0;
};

inline const uint8_t& DialogWindow::dialogId = dialogId_;
inline const uint8_t& DialogWindow::dialogKind = dialogKind_;
inline const qel::lang::DshortArrayPtr& DialogWindow::titleText = titleText_;
inline const qel::lang::DbyteArrayPtr& DialogWindow::titleIcons = titleIcons_;
inline const qel::lang::DshortArrayPtr& DialogWindow::itemIds = itemIds_;
inline const qel::lang::DObjectArrayPtr& DialogWindow::itemIcons = itemIcons_;
inline const qel::lang::DObjectArrayPtr& DialogWindow::itemParams = itemParams_;
inline const qel::lang::DbyteArrayPtr& DialogWindow::itemToggles = itemToggles_;
inline const qel::lang::DintArrayPtr& DialogWindow::itemLines = itemLines_;
inline const uint8_t& DialogWindow::hasToggles = hasToggles_;
inline const uint8_t& DialogWindow::plainList = plainList_;
inline const uint8_t& DialogWindow::noFrame = noFrame_;
inline const uint8_t& DialogWindow::lineHeight = lineHeight_;
inline const uint8_t& DialogWindow::touchRowHeight = touchRowHeight_;
inline const int32_t& DialogWindow::titleHeight = titleHeight_;
inline const int32_t& DialogWindow::windowX = windowX_;
inline const int32_t& DialogWindow::windowY = windowY_;
inline const int32_t& DialogWindow::windowWidth = windowWidth_;
inline const int32_t& DialogWindow::windowHeight = windowHeight_;
inline const int32_t& DialogWindow::contentX = contentX_;
inline const int32_t& DialogWindow::contentY = contentY_;
inline const int32_t& DialogWindow::contentWidth = contentWidth_;
inline const int32_t& DialogWindow::wrapChars = wrapChars_;
inline const int32_t& DialogWindow::lineCount = lineCount_;
inline const int32_t& DialogWindow::visibleLines = visibleLines_;
inline const int32_t& DialogWindow::visibleHeight = visibleHeight_;
inline const uint8_t& DialogWindow::scrolls = scrolls_;
inline const int32_t& DialogWindow::pageItems = pageItems_;
inline const int32_t& DialogWindow::titleIconX = titleIconX_;
inline const int32_t& DialogWindow::titleIconY = titleIconY_;
inline const int32_t& DialogWindow::titleTextX = titleTextX_;
inline const int32_t& DialogWindow::titleTextY = titleTextY_;
inline const int32_t& DialogWindow::scrollBarX = scrollBarX_;
inline const int32_t& DialogWindow::scrollTrackHeight = scrollTrackHeight_;
inline const int32_t& DialogWindow::availableHeight = availableHeight_;
inline const uint8_t& DialogWindow::ready = ready_;
inline const uint8_t& DialogWindow::dialogDirty = dialogDirty_;

}  // namespace nvx
