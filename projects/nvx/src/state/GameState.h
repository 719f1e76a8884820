#pragma once

#include <cstdint>

#include "gamelib/ImageManager.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StringManager.h"
#include "gamelib/StringManager.ptr.h"
#include "lang/DObjectArray.h"
#include "lang/DshortArray.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/media/DPlayer.h"

namespace nvx {

// The game's scalar state and the references other areas set, as statics of
// MainCanvas. Widths are exact: a byte or short field wraps as one. The
// initial values are those before any game code runs; initStatics does not
// reset them. A field one area writes keeps its storage private (name_) with
// that area as friend; its name is a read-only reference for the readers.
struct GameState {
  // Flow: 0 splash, 1 level play, 2 dialog, 3 map screen, 4 best results,
  // 5 language choice; 255 while shut down.
  static const uint8_t& gameState;
  static inline uint8_t savedGameState = 255;
  static inline uint8_t dialogReturnState = 0;
  static inline uint8_t pendingTransition = 0;
  static inline int8_t splashStep = 0;
  static constexpr int32_t noKey = 999999;
  static inline int32_t pendingKey = noKey;
  static inline int32_t heldKey = noKey;
  static inline int32_t resumeSound = -1;

  // The game in progress.
  static inline int8_t levelNumber = -1;
  static inline int8_t retriesLeft = 3;
  static inline int32_t money = 4000;
  static inline int32_t startMoney = 4000;
  static inline uint8_t saveExists = 0;
  // -1 training, 0 to 2 the game's difficulties.
  static inline int8_t difficulty = 0;
  static inline uint8_t saveSlot = 1;
  static inline int8_t mapPlace = 0;
  static inline uint8_t optionsMissing = 0;
  static inline int32_t languageIndex = 0;
  static inline uint8_t saveOnExit = 0;
  static inline uint8_t touchInput = 0;
  // 1 while the level runs.
  static inline uint8_t skipWorldLogic = 0;
  static inline uint8_t selectionIndex = 0;
  static inline uint8_t parkedSelection = 0;

  // Screen and layout.
  static inline int32_t screenWidth = 0;
  static inline int32_t screenHeight = 0;
  static inline int32_t viewWidth = 0;
  static inline int32_t viewHeight = 0;
  static inline int8_t textCharWidth = 7;
  static inline int8_t textLineHeight = 9;
  static inline int16_t cellSize = 24;
  // The further layout bytes "res.dat" overwrites: the bottom bar's button
  // position with no person selected, and the vehicle overlays' offsets.
  static inline int8_t barButtonX = 2;
  static inline int8_t barButtonY = 2;
  static inline int8_t overlayAX = 17;
  static inline int8_t overlayAY = 19;
  static inline int8_t overlayBX = 17;
  static inline int8_t overlayBY = 5;
  static inline int32_t itemPairCount = 0;
  static inline int32_t hudOffsetX = 0;
  static inline uint8_t loadingPictures = 0;
  static inline int32_t cursorOffsetY = 0;
  static inline int32_t layoutValue2 = 0;
  static inline int32_t layoutValue3 = 0;
  static inline int32_t hudMargin = 2;

  // Clock.
  static inline int8_t halfSecondCount = 0;
  static inline int8_t pulsePhase = 0;
  static inline uint8_t transitionArmed = 0;
  static inline uint8_t introShown = 0;
  static inline int64_t clockStart = 0;

  // Map screen.
  static inline uint8_t mapPainting = 0;
  static inline uint8_t mapFullRepaint = 1;
  static inline uint8_t bestResultsRepaint = 1;
  static inline uint8_t placeXColumn = 0;
  static inline uint8_t placeYColumn = 1;
  static inline uint8_t bestResultsExtra = 0;
  static inline uint8_t shopMode = 0;
  static inline int32_t shopColumn = 0;
  static inline int32_t shopRow = 0;
  static inline int32_t cursorTargetX = 0;
  static inline int32_t cursorTargetY = 0;
  static inline int32_t layoutX = 0;
  static inline int32_t layoutY = 0;
  static inline int32_t layoutBottom = 0;
  // Result message of the map screen; -1 (65535 as stored) none.
  static inline int16_t mapMessage = -1;
  static inline uint8_t levelEndFlag = 0;
  static inline int32_t levelCounter = 0;
  static inline int32_t levelCounterAtStart = 0;
  static inline int32_t winnerRow = 0;
  static inline int32_t letterCursor = 0;
  static inline int32_t bestTableTop = 0;
  static inline int32_t bestFirstRowY = 0;
  static inline uint8_t hintPending = 0;

  // Message line.
  static inline int8_t tickerLoops = 0;
  static inline int32_t tickerLeft = 0;
  static inline int32_t tickerWidth = 0;
  static inline int32_t tickerY = 0;
  static inline int32_t tickerX = 0;
  static inline int32_t tickerPassCount = 0;
  static inline int32_t tickerPlaceX = 0;
  static inline int32_t tickerPlaceY = 0;
  static inline uint8_t tickerRunning = 0;
  static inline int32_t placeLineX = 0;
  static inline int32_t placeLineY = 0;
  static inline int32_t placeLineWidth = 0;
  static inline int32_t shopLineX = 0;
  static inline int32_t shopLineY = 0;
  static inline int32_t shopLineWidth = 0;
  static inline qel::lang::DshortArrayPtr tickerText;

  // Language window.
  static inline int32_t langRowHeight = 0;
  static inline int32_t langTitleHeight = 0;
  static inline int32_t langMargin = 0;
  static inline int32_t langPanelX = 0;
  static inline int32_t langPanelY = 0;
  static inline int32_t langPanelWidth = 0;
  static inline int32_t langPanelHeight = 0;
  static inline int32_t langListTop = 0;
  static inline int32_t langRowX = 0;
  static inline int32_t langRowWidth = 0;
  static inline int32_t langNameWidth = 0;

  // Managers and images other areas set.
  static inline gamelib::SoundManagerPtr sounds;
  static inline gamelib::StringManagerPtr texts;
  static inline gamelib::ImageManagerPtr guiImages;
  static inline qel::lcdui::DImagePtr rateImage;
  static inline qel::lcdui::DImagePtr infoImage;
  static inline qel::lcdui::DImagePtr arrowUp;
  static inline qel::lcdui::DImagePtr arrowDown;
  static inline qel::lcdui::DImagePtr arrowLeft;
  static inline qel::lcdui::DImagePtr arrowRight;
  static inline qel::lcdui::DImagePtr splashImage;
  static inline qel::lcdui::DImagePtr backImage;
  // One DImage per picture number.
  static inline qel::lang::DObjectArrayPtr pictures;

private:
  friend struct StateMachine;
  static inline uint8_t gameState_ = 254;
};

inline const uint8_t& GameState::gameState = gameState_;

}  // namespace nvx
