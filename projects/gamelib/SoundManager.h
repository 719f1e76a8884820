#pragma once

#include <cstdint>

#include "gamelib/PlayerInfo.ptr.h"
#include "gamelib/SoundManager.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "lang/DintArray.ptr.h"
#include "microedition/media/DPlayer.ptr.h"

namespace gamelib {

// The game's table of sounds: players made from the data archive on demand
// and, in lazy mode, kept under a budget by dropping those started longest ago.
//
//   SoundManagerPtr sounds = new SoundManager();
//   sounds->init(names, kinds, groups, 1, true);
//   sounds->play(14, true, 0);
class SoundManager : public qel::lang::DObject {
public:
  static constexpr int32_t LazyBudget = 512000;
  static constexpr int32_t MaxVolume = 64;

  SoundManager();
  ~SoundManager() override;

  // names: DString resource names without extension. Lengths of names and
  // kinds that differ throw 0x05400000.
  void init(qel::lang::DObjectArrayPtr names, qel::lang::DintArrayPtr kinds, qel::lang::DintArrayPtr groups,
            int32_t groupCount, bool lazy);
  void setSfxVolume(int32_t v);
  void setMusicVolume(int32_t v);
  int32_t sfxVolume() const { return sfxVolume_; }
  int32_t musicVolume() const { return musicVolume_; }
  // play does nothing while the manager is disabled.
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  // The player that plays, or null (disabled, no such sound, group off, not
  // loadable, nothing started).
  qel::media::DPlayerPtr play(int32_t index, bool loop, int32_t pan);
  qel::media::DPlayerPtr playOnce(int32_t index, int32_t pan) { return play(index, false, pan); }
  // value -1: every sound, then the whole sound system; else the sounds
  // whose group (byGroup) or kind equals value.
  void stop(int32_t value, bool byGroup);
  bool isPlaying(int32_t index);
  void release();

  void setGroupSwitch(int32_t group, int32_t value);
  // Group switches count only once this is cleared.
  void setGroupBypass(bool bypass) { groupBypass_ = bypass; }
  int32_t soundCount() const;
  PlayerInfoPtr info(int32_t index) const;
  bool hasPlayer(int32_t index) const;

  bool loadSound(int32_t index);
  static qel::media::DPlayerPtr createPlayer(const qel::lang::DStringPtr& fileName);
  static qel::lang::DStringPtr resolveSoundFile(const qel::lang::DStringPtr& name);
  int32_t loadedSize() const;
  int32_t freeBudget(int32_t need);

private:
  qel::media::DPlayerPtr player(int32_t index) const;

  bool enabled_ = false;
  int32_t sfxVolume_ = 0;
  int32_t musicVolume_ = 0;
  bool lazy_ = false;
  int32_t budget_ = 0;
  bool groupBypass_ = true;
  qel::lang::DObjectArrayPtr infos_;
  qel::lang::DObjectArrayPtr players_;
  qel::lang::DintArrayPtr groupSwitches_;
};

}  // namespace gamelib
