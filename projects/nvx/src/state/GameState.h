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
  static const uint8_t& savedGameState;
  static const uint8_t& dialogReturnState;
  static inline uint8_t pendingTransition = 0;
  static inline int8_t splashStep = 0;
  static constexpr int32_t noKey = 999999;
  static inline int32_t pendingKey = noKey;
  static inline int32_t heldKey = noKey;
  static const int32_t& resumeSound;

  // The game in progress.
  static inline int8_t levelNumber = -1;
  static inline int8_t retriesLeft = 3;
  static inline int32_t money = 4000;
  static const int32_t& startMoney;
  static inline uint8_t saveExists = 0;
  // -1 training, 0 to 2 the game's difficulties.
  static inline int8_t difficulty = 0;
  static inline uint8_t saveSlot = 1;
  static inline int8_t mapPlace = 0;
  static inline uint8_t optionsMissing = 0;
  static inline int32_t languageIndex = 0;
  static inline uint8_t saveOnExit = 0;
  static const uint8_t& touchInput;
  // 1 while the level runs.
  static const uint8_t& skipWorldLogic;
  static inline uint8_t selectionIndex = 0;
  static inline uint8_t parkedSelection = 0;

  // Screen and layout.
  static const int32_t& screenWidth;
  static const int32_t& screenHeight;
  static const int32_t& viewWidth;
  static const int32_t& viewHeight;
  static const int8_t& textCharWidth;
  static const int8_t& textLineHeight;
  static const int16_t& cellSize;
  // The further layout bytes "res.dat" overwrites: the bottom bar's button
  // position with no person selected, and the vehicle overlays' offsets.
  static const int8_t& barButtonX;
  static const int8_t& barButtonY;
  static const int8_t& overlayAX;
  static const int8_t& overlayAY;
  static const int8_t& overlayBX;
  static const int8_t& overlayBY;
  static const int32_t& itemPairCount;
  static const int32_t& hudOffsetX;
  static const uint8_t& loadingPictures;
  static const int32_t& cursorOffsetY;
  static const int32_t& layoutValue2;
  static const int32_t& layoutValue3;
  static inline int32_t hudMargin = 2;

  // Clock.
  static inline int8_t halfSecondCount = 0;
  static const int8_t& pulsePhase;
  static const uint8_t& transitionArmed;
  static inline uint8_t introShown = 0;
  static const int64_t& clockStart;

  // Map screen.
  static inline uint8_t mapPainting = 0;
  static const uint8_t& mapFullRepaint;
  static const uint8_t& bestResultsRepaint;
  static inline uint8_t placeXColumn = 0;
  static inline uint8_t placeYColumn = 1;
  static const uint8_t& bestResultsExtra;
  static const uint8_t& shopMode;
  static inline int32_t shopColumn = 0;
  static inline int32_t shopRow = 0;
  static inline int32_t cursorTargetX = 0;
  static inline int32_t cursorTargetY = 0;
  static const int32_t& layoutX;
  static const int32_t& layoutY;
  static const int32_t& layoutBottom;
  // Result message of the map screen; -1 (65535 as stored) none.
  static inline int16_t mapMessage = -1;
  static inline uint8_t levelEndFlag = 0;
  static inline int32_t levelCounter = 0;
  static const int32_t& levelCounterAtStart;
  static inline int32_t winnerRow = 0;
  static const int32_t& letterCursor;
  static const int32_t& bestTableTop;
  static const int32_t& bestFirstRowY;
  static inline uint8_t hintPending = 0;

  // Message line.
  static const int8_t& tickerLoops;
  static const int32_t& tickerLeft;
  static const int32_t& tickerWidth;
  static const int32_t& tickerY;
  static const int32_t& tickerX;
  static inline int32_t tickerPassCount = 0;
  static const int32_t& tickerPlaceX;
  static const int32_t& tickerPlaceY;
  static const uint8_t& tickerRunning;
  static const int32_t& placeLineX;
  static const int32_t& placeLineY;
  static const int32_t& placeLineWidth;
  static const int32_t& shopLineX;
  static const int32_t& shopLineY;
  static const int32_t& shopLineWidth;
  static inline qel::lang::DshortArrayPtr tickerText;

  // Language window.
  static const int32_t& langRowHeight;
  static const int32_t& langTitleHeight;
  static const int32_t& langMargin;
  static const int32_t& langPanelX;
  static const int32_t& langPanelY;
  static const int32_t& langPanelWidth;
  static const int32_t& langPanelHeight;
  static const int32_t& langListTop;
  static const int32_t& langRowX;
  static const int32_t& langRowWidth;
  static const int32_t& langNameWidth;

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
  static const qel::lcdui::DImagePtr& splashImage;
  static const qel::lcdui::DImagePtr& backImage;
  // One DImage per picture number.
  static inline qel::lang::DObjectArrayPtr pictures;

private:
  friend struct StateMachine;
  friend struct BestResults;
  friend struct DialogResults;
  friend struct EnteringPlay;
  friend struct FrameClock;
  friend struct LanguageScreen;
  friend struct LanguageTexts;
  friend struct LevelStart;
  friend class MainCanvas;
  friend struct MapScreen;
  friend class NightvaultGame;
  friend struct Overlays;
  friend struct SplashScreen;
  friend struct Ticker;
  static inline uint8_t gameState_ = 254;
  static inline uint8_t savedGameState_ = 255;
  static inline uint8_t dialogReturnState_ = 0;
  static inline int32_t resumeSound_ = -1;
  static inline int32_t startMoney_ = 4000;
  static inline uint8_t touchInput_ = 0;
  static inline uint8_t skipWorldLogic_ = 0;
  static inline int32_t screenWidth_ = 0;
  static inline int32_t screenHeight_ = 0;
  static inline int32_t viewWidth_ = 0;
  static inline int32_t viewHeight_ = 0;
  static inline int8_t textCharWidth_ = 7;
  static inline int8_t textLineHeight_ = 9;
  static inline int16_t cellSize_ = 24;
  static inline int8_t barButtonX_ = 2;
  static inline int8_t barButtonY_ = 2;
  static inline int8_t overlayAX_ = 17;
  static inline int8_t overlayAY_ = 19;
  static inline int8_t overlayBX_ = 17;
  static inline int8_t overlayBY_ = 5;
  static inline int32_t itemPairCount_ = 0;
  static inline int32_t hudOffsetX_ = 0;
  static inline uint8_t loadingPictures_ = 0;
  static inline int32_t cursorOffsetY_ = 0;
  static inline int32_t layoutValue2_ = 0;
  static inline int32_t layoutValue3_ = 0;
  static inline int8_t pulsePhase_ = 0;
  static inline uint8_t transitionArmed_ = 0;
  static inline int64_t clockStart_ = 0;
  static inline uint8_t mapFullRepaint_ = 1;
  static inline uint8_t bestResultsRepaint_ = 1;
  static inline uint8_t bestResultsExtra_ = 0;
  static inline uint8_t shopMode_ = 0;
  static inline int32_t layoutX_ = 0;
  static inline int32_t layoutY_ = 0;
  static inline int32_t layoutBottom_ = 0;
  static inline int32_t levelCounterAtStart_ = 0;
  static inline int32_t letterCursor_ = 0;
  static inline int32_t bestTableTop_ = 0;
  static inline int32_t bestFirstRowY_ = 0;
  static inline int8_t tickerLoops_ = 0;
  static inline int32_t tickerLeft_ = 0;
  static inline int32_t tickerWidth_ = 0;
  static inline int32_t tickerY_ = 0;
  static inline int32_t tickerX_ = 0;
  static inline int32_t tickerPlaceX_ = 0;
  static inline int32_t tickerPlaceY_ = 0;
  static inline uint8_t tickerRunning_ = 0;
  static inline int32_t placeLineX_ = 0;
  static inline int32_t placeLineY_ = 0;
  static inline int32_t placeLineWidth_ = 0;
  static inline int32_t shopLineX_ = 0;
  static inline int32_t shopLineY_ = 0;
  static inline int32_t shopLineWidth_ = 0;
  static inline int32_t langRowHeight_ = 0;
  static inline int32_t langTitleHeight_ = 0;
  static inline int32_t langMargin_ = 0;
  static inline int32_t langPanelX_ = 0;
  static inline int32_t langPanelY_ = 0;
  static inline int32_t langPanelWidth_ = 0;
  static inline int32_t langPanelHeight_ = 0;
  static inline int32_t langListTop_ = 0;
  static inline int32_t langRowX_ = 0;
  static inline int32_t langRowWidth_ = 0;
  static inline int32_t langNameWidth_ = 0;
  static inline qel::lcdui::DImagePtr splashImage_;
  static inline qel::lcdui::DImagePtr backImage_;
};

inline const uint8_t& GameState::gameState = gameState_;
inline const uint8_t& GameState::savedGameState = savedGameState_;
inline const uint8_t& GameState::dialogReturnState = dialogReturnState_;
inline const int32_t& GameState::resumeSound = resumeSound_;
inline const int32_t& GameState::startMoney = startMoney_;
inline const uint8_t& GameState::touchInput = touchInput_;
inline const uint8_t& GameState::skipWorldLogic = skipWorldLogic_;
inline const int32_t& GameState::screenWidth = screenWidth_;
inline const int32_t& GameState::screenHeight = screenHeight_;
inline const int32_t& GameState::viewWidth = viewWidth_;
inline const int32_t& GameState::viewHeight = viewHeight_;
inline const int8_t& GameState::textCharWidth = textCharWidth_;
inline const int8_t& GameState::textLineHeight = textLineHeight_;
inline const int16_t& GameState::cellSize = cellSize_;
inline const int8_t& GameState::barButtonX = barButtonX_;
inline const int8_t& GameState::barButtonY = barButtonY_;
inline const int8_t& GameState::overlayAX = overlayAX_;
inline const int8_t& GameState::overlayAY = overlayAY_;
inline const int8_t& GameState::overlayBX = overlayBX_;
inline const int8_t& GameState::overlayBY = overlayBY_;
inline const int32_t& GameState::itemPairCount = itemPairCount_;
inline const int32_t& GameState::hudOffsetX = hudOffsetX_;
inline const uint8_t& GameState::loadingPictures = loadingPictures_;
inline const int32_t& GameState::cursorOffsetY = cursorOffsetY_;
inline const int32_t& GameState::layoutValue2 = layoutValue2_;
inline const int32_t& GameState::layoutValue3 = layoutValue3_;
inline const int8_t& GameState::pulsePhase = pulsePhase_;
inline const uint8_t& GameState::transitionArmed = transitionArmed_;
inline const int64_t& GameState::clockStart = clockStart_;
inline const uint8_t& GameState::mapFullRepaint = mapFullRepaint_;
inline const uint8_t& GameState::bestResultsRepaint = bestResultsRepaint_;
inline const uint8_t& GameState::bestResultsExtra = bestResultsExtra_;
inline const uint8_t& GameState::shopMode = shopMode_;
inline const int32_t& GameState::layoutX = layoutX_;
inline const int32_t& GameState::layoutY = layoutY_;
inline const int32_t& GameState::layoutBottom = layoutBottom_;
inline const int32_t& GameState::levelCounterAtStart = levelCounterAtStart_;
inline const int32_t& GameState::letterCursor = letterCursor_;
inline const int32_t& GameState::bestTableTop = bestTableTop_;
inline const int32_t& GameState::bestFirstRowY = bestFirstRowY_;
inline const int8_t& GameState::tickerLoops = tickerLoops_;
inline const int32_t& GameState::tickerLeft = tickerLeft_;
inline const int32_t& GameState::tickerWidth = tickerWidth_;
inline const int32_t& GameState::tickerY = tickerY_;
inline const int32_t& GameState::tickerX = tickerX_;
inline const int32_t& GameState::tickerPlaceX = tickerPlaceX_;
inline const int32_t& GameState::tickerPlaceY = tickerPlaceY_;
inline const uint8_t& GameState::tickerRunning = tickerRunning_;
inline const int32_t& GameState::placeLineX = placeLineX_;
inline const int32_t& GameState::placeLineY = placeLineY_;
inline const int32_t& GameState::placeLineWidth = placeLineWidth_;
inline const int32_t& GameState::shopLineX = shopLineX_;
inline const int32_t& GameState::shopLineY = shopLineY_;
inline const int32_t& GameState::shopLineWidth = shopLineWidth_;
inline const int32_t& GameState::langRowHeight = langRowHeight_;
inline const int32_t& GameState::langTitleHeight = langTitleHeight_;
inline const int32_t& GameState::langMargin = langMargin_;
inline const int32_t& GameState::langPanelX = langPanelX_;
inline const int32_t& GameState::langPanelY = langPanelY_;
inline const int32_t& GameState::langPanelWidth = langPanelWidth_;
inline const int32_t& GameState::langPanelHeight = langPanelHeight_;
inline const int32_t& GameState::langListTop = langListTop_;
inline const int32_t& GameState::langRowX = langRowX_;
inline const int32_t& GameState::langRowWidth = langRowWidth_;
inline const int32_t& GameState::langNameWidth = langNameWidth_;
inline const qel::lcdui::DImagePtr& GameState::splashImage = splashImage_;
inline const qel::lcdui::DImagePtr& GameState::backImage = backImage_;

}  // namespace nvx
