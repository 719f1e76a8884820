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
  static inline uint8_t selectionChanged = 0;
  static inline qel::util::DVectorPtr reportedPersons;
  // The person being equipped on the map screen.
  static inline qel::lang::DObjectPtr chosenPerson;
  // Text id of a notice for the next world tick; -1 none.
  static inline int16_t pendingNotice = -1;
  static inline int32_t targetX = 0;
  static inline int32_t targetY = 0;
  // Per person id, the step of the departure route being followed.
  static inline qel::lang::DintArrayPtr routeIndex;

  static inline int32_t vehicleX = 0;
  static inline int32_t vehicleY = 0;
  static inline int32_t vehicleSpeed = 0;
  // Nothing else sets the two start speeds: at 0 the arriving car would
  // never reach the exit, and the police would crawl a pixel a tick.
  static inline uint8_t arrivalSpeed = 4;
  static inline int32_t phaseCounter = 0;
  static inline int32_t policeOffset = 0;
  static inline int32_t policeY = 0;
  static inline uint8_t policeStartSpeed = 4;
  static inline int32_t latePenalty = 0;
  static inline uint8_t arrestsMade = 0;
  static inline uint8_t alarmRaised = 0;
  static inline uint8_t alarmSounding = 0;
  static inline uint8_t noiseMade = 0;
  static inline uint8_t loudNoiseMade = 0;
  static inline gamelib::AnimationPtr screenAnimation;
  static inline uint8_t screenAnimationActive = 0;
  static inline uint8_t exitMoveSouth = 0;
  static inline uint8_t exitMoveNorth = 0;
  static inline int8_t shakeOffset = 0;
  static inline int32_t levelTicks = 0;
  // Percent of the loot target, loot total, loot left after the shares.
  static inline qel::lang::DObjectArrayPtr resultValues;
  // Sprite rows of the title pictures of the person notices (a portrait per
  // person id) and of the arrest window: the picture box, not the level tiles.
  static inline int8_t dialogParamByte = SpriteRows::spritePictureBox;
  static inline int8_t jailParamByte = SpriteRows::spritePictureBox;
  static inline int8_t takeIconSet = 0;
  static inline qel::lang::DObjectPtr pendingScreen;

  // The level view.
  static inline int32_t visibleColumns = 0;
  static inline int32_t visibleRows = 0;
  static inline int32_t mapOriginX = 0;
  static inline int32_t mapOriginY = 0;
  static inline qel::lcdui::DImagePtr trailImage;
  static inline qel::lcdui::DGraphicsPtr trailGraphics;
  static inline uint8_t sceneDirty = 0;
  static inline uint8_t sceneRebuilt = 0;
  static inline uint8_t sceneDirtyAgain = 0;
  static inline uint8_t spritesFitted = 0;
};

}  // namespace nvx
