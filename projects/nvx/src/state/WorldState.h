#pragma once

#include <cstdint>

#include "gamelib/Animation.h"
#include "lang/DObject.h"
#include "lang/DObjectArray.h"
#include "lang/DbyteArray2d.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/SpriteRows.h"
#include "util/DVector.h"

namespace nvx {

// The state of the level in play, its view and its vehicle, as statics of
// MainCanvas. Person references are held as DObject and are Persons.
struct WorldState {
  // The map: cell values [x][y], below 13 walls, 13 and above floor.
  static inline qel::lang::DbyteArray2dPtr grid;
  static inline int8_t mapWidth = 0;
  static inline int8_t mapHeight = 0;
  static inline int8_t exitX = 0;
  static inline int8_t exitY = 0;
  // While above 0 the alarm boxes are hidden, open and unworkable.
  static inline int32_t alarmBoxesOff = 0;
  // Global step number of the plan.
  static inline int16_t stepIndex = 0;
  // Vehicle phase: 0 play, 1 leaves, 2 departure ordered, 3 leaves with the
  // crew, 4 police arrive, 5 arrives at level start.
  static inline int8_t phase = 0;

  static inline qel::lang::DObjectPtr selectedPerson;
  static const uint8_t& selectionChanged;
  static const qel::util::DVectorPtr& reportedPersons;
  // The person being equipped on the map screen.
  static inline qel::lang::DObjectPtr chosenPerson;
  // Text id of a notice for the next world tick; -1 none.
  static const int16_t& pendingNotice;
  static const int32_t& targetX;
  static const int32_t& targetY;
  // Per person id, the step of the departure route being followed.
  static inline qel::lang::DintArrayPtr routeIndex;

  static inline int32_t vehicleX = 0;
  static const int32_t& vehicleY;
  static inline int32_t vehicleSpeed = 0;
  // Nothing else sets the two start speeds: at 0 the arriving car would
  // never reach the exit, and the police would crawl a pixel a tick.
  static inline uint8_t arrivalSpeed = 4;
  static inline int32_t phaseCounter = 0;
  static const int32_t& policeOffset;
  static const int32_t& policeY;
  static inline uint8_t policeStartSpeed = 4;
  static const int32_t& latePenalty;
  static const uint8_t& arrestsMade;
  static inline uint8_t alarmRaised = 0;
  static const uint8_t& alarmSounding;
  static inline uint8_t noiseMade = 0;
  static inline uint8_t loudNoiseMade = 0;
  static inline gamelib::AnimationPtr screenAnimation;
  static const uint8_t& screenAnimationActive;
  static inline uint8_t exitMoveSouth = 0;
  static inline uint8_t exitMoveNorth = 0;
  static const int8_t& shakeOffset;
  static const int32_t& levelTicks;
  // Percent of the loot target, loot total, loot left after the shares.
  static inline qel::lang::DObjectArrayPtr resultValues;
  // Sprite rows of the title pictures of the person notices (a portrait per
  // person id) and of the arrest window: the picture box, not the level tiles.
  static inline int8_t dialogParamByte = SpriteRows::spritePictureBox;
  static inline int8_t jailParamByte = SpriteRows::spritePictureBox;
  static inline int8_t takeIconSet = 0;
  static inline qel::lang::DObjectPtr pendingScreen;

  // The level view.
  static const int32_t& visibleColumns;
  static const int32_t& visibleRows;
  static const int32_t& mapOriginX;
  static const int32_t& mapOriginY;
  static inline qel::lcdui::DImagePtr trailImage;
  static inline qel::lcdui::DGraphicsPtr trailGraphics;
  static inline uint8_t sceneDirty = 0;
  static const uint8_t& sceneRebuilt;
  static const uint8_t& sceneDirtyAgain;
  static const uint8_t& spritesFitted;

private:
  friend struct EnteringPlay;
  friend struct LevelKeys;
  friend class MainCanvas;
  friend class Person;
  friend class RoomObject;
  friend struct ViewScene;
  friend struct WorldRules;
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline uint8_t selectionChanged_ = 0;
  static inline qel::util::DVectorPtr reportedPersons_;
  static inline int16_t pendingNotice_ = -1;
  static inline int32_t targetX_ = 0;
  static inline int32_t targetY_ = 0;
  static inline int32_t vehicleY_ = 0;
  static inline int32_t policeOffset_ = 0;
  static inline int32_t policeY_ = 0;
  static inline int32_t latePenalty_ = 0;
  static inline uint8_t arrestsMade_ = 0;
  static inline uint8_t alarmSounding_ = 0;
  static inline uint8_t screenAnimationActive_ = 0;
  static inline int8_t shakeOffset_ = 0;
  static inline int32_t levelTicks_ = 0;
  static inline int32_t visibleColumns_ = 0;
  static inline int32_t visibleRows_ = 0;
  static inline int32_t mapOriginX_ = 0;
  static inline int32_t mapOriginY_ = 0;
  static inline uint8_t sceneRebuilt_ = 0;
  static inline uint8_t sceneDirtyAgain_ = 0;
  static inline uint8_t spritesFitted_ = 0;
};

inline const uint8_t& WorldState::selectionChanged = selectionChanged_;
inline const qel::util::DVectorPtr& WorldState::reportedPersons = reportedPersons_;
inline const int16_t& WorldState::pendingNotice = pendingNotice_;
inline const int32_t& WorldState::targetX = targetX_;
inline const int32_t& WorldState::targetY = targetY_;
inline const int32_t& WorldState::vehicleY = vehicleY_;
inline const int32_t& WorldState::policeOffset = policeOffset_;
inline const int32_t& WorldState::policeY = policeY_;
inline const int32_t& WorldState::latePenalty = latePenalty_;
inline const uint8_t& WorldState::arrestsMade = arrestsMade_;
inline const uint8_t& WorldState::alarmSounding = alarmSounding_;
inline const uint8_t& WorldState::screenAnimationActive = screenAnimationActive_;
inline const int8_t& WorldState::shakeOffset = shakeOffset_;
inline const int32_t& WorldState::levelTicks = levelTicks_;
inline const int32_t& WorldState::visibleColumns = visibleColumns_;
inline const int32_t& WorldState::visibleRows = visibleRows_;
inline const int32_t& WorldState::mapOriginX = mapOriginX_;
inline const int32_t& WorldState::mapOriginY = mapOriginY_;
inline const uint8_t& WorldState::sceneRebuilt = sceneRebuilt_;
inline const uint8_t& WorldState::sceneDirtyAgain = sceneDirtyAgain_;
inline const uint8_t& WorldState::spritesFitted = spritesFitted_;

}  // namespace nvx
