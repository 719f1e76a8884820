#include "gamelib/SoundManager.h"

#include <algorithm>

#include "gamelib/GameLib.h"
#include "gamelib/PlayerInfo.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/DintArray.h"
#include "microedition/media/DManager.h"
#include "microedition/media/DPlayer.h"

namespace gamelib {

using qel::lang::DExceptionBase;
using qel::lang::DintArray;
using qel::lang::DintArrayPtr;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::media::DManager;
using qel::media::DPlayer;
using qel::media::DPlayerPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

SoundManager::SoundManager() = default;
SoundManager::~SoundManager() = default;

int32_t SoundManager::soundCount() const { return infos_ ? infos_->length() : 0; }

PlayerInfoPtr SoundManager::info(int32_t index) const {
  return qel::lang::dynamicPtrCast<PlayerInfo>(infos_->at(index));
}

DPlayerPtr SoundManager::player(int32_t index) const { return qel::lang::dynamicPtrCast<DPlayer>(players_->at(index)); }

bool SoundManager::hasPlayer(int32_t index) const {
  return players_ && index >= 0 && index < players_->length() && players_->at(index);
}

void SoundManager::init(DObjectArrayPtr names, DintArrayPtr kinds, DintArrayPtr groups, int32_t groupCount, bool lazy) {
  if (lazy) budget_ = LazyBudget;
  lazy_ = lazy;
  if (names->length() != kinds->length()) qel::lang::throwException(ExceptionCode::IllegalArgument);
  stop(-1, false);
  infos_.release();
  players_.release();
  const int32_t count = names->length();
  DObjectArrayPtr infos = new DObjectArray(count);
  for (int32_t i = 0; i < count; ++i) {
    PlayerInfoPtr entry = new PlayerInfo(kinds->at(i), groups->at(i));
    entry->fileName = resolveSoundFile(qel::lang::dynamicPtrCast<DString>(names->at(i)));
    if (entry->fileName) entry->size = std::max(0, GameLib::getResourceSize(entry->fileName));
    infos->at(i) = entry;
  }
  infos_ = infos;
  players_ = new DObjectArray(count);
  groupSwitches_ = new DintArray(groupCount);
  if (!lazy_)
    for (int32_t i = 0; i < count; ++i) loadSound(i);
  enabled_ = true;
}

DStringPtr SoundManager::resolveSoundFile(const DStringPtr& name) {
  for (const char16_t* extension : {u".wav", u".mod"}) {
    DStringPtr file = DString::concat(name, extension);
    if (GameLib::getResourceSize(file) != -1) return file;
  }
  return nullptr;
}

DPlayerPtr SoundManager::createPlayer(const DStringPtr& fileName) {
  if (!fileName) return nullptr;
  DPlayerPtr made;
  try {
    qel::io::DInputStreamPtr stream = GameLib::getResourceAsStream(fileName);
    if (fileName->endsWith(DStringPtr(u".wav")))
      made = DManager::createPlayer(stream, u"audio/x-wav");
    else if (fileName->endsWith(DStringPtr(u".mod")))
      made = DManager::createPlayer(stream, u"audio/mod");
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    return nullptr;
  }
  if (!made) return nullptr;
  try {
    made->prefetch();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
  return made;
}

int32_t SoundManager::loadedSize() const {
  int32_t used = 0;
  for (int32_t i = 0; i < soundCount(); ++i)
    if (hasPlayer(i)) used += info(i)->size;
  return used;
}

int32_t SoundManager::freeBudget(int32_t need) {
  int32_t freed = 0;
  while (freed < need) {
    int32_t chosen = -1;
    for (int32_t i = 0; i < soundCount(); ++i) {
      if (!hasPlayer(i) || isPlaying(i)) continue;
      if (chosen < 0) {
        chosen = i;
        continue;
      }
      PlayerInfoPtr candidate = info(i), best = info(chosen);
      if (candidate->startTime < best->startTime ||
          (candidate->startTime == best->startTime && candidate->size > best->size))
        chosen = i;
    }
    if (chosen < 0) break;
    players_->at(chosen).release();
    freed += info(chosen)->size;
  }
  return freed;
}

bool SoundManager::loadSound(int32_t index) {
  PlayerInfoPtr entry = info(index);
  if (lazy_) {
    int32_t used = loadedSize();
    if (used + entry->size > budget_) used -= freeBudget(used + entry->size - budget_);
    if (budget_ - used < entry->size) return false;
  }
  players_->at(index) = createPlayer(entry->fileName);
  return hasPlayer(index);
}

DPlayerPtr SoundManager::play(int32_t index, bool loop, int32_t pan) {
  if (!enabled_ || !infos_ || !players_ || index < 0 || index >= soundCount()) return nullptr;
  if (!groupBypass_) {
    int32_t group = info(index)->group;
    if (!groupSwitches_ || group < 0 || group >= groupSwitches_->length() || groupSwitches_->at(group) < 1)
      return nullptr;
  }
  try {
    if (!hasPlayer(index) && !loadSound(index)) return nullptr;
    DPlayerPtr playing = player(index)->start();
    if (!playing) return nullptr;
    playing->setLoopCount(loop ? -1 : 1);
    playing->setPan(pan);
    info(index)->startTime = qel::lang::DSystem::currentTimeMillis(0);
    return playing;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    return nullptr;
  }
}

void SoundManager::stop(int32_t value, bool byGroup) {
  if (!infos_ || !players_) return;
  try {
    for (int32_t i = 0; i < soundCount(); ++i) {
      if (!hasPlayer(i)) continue;
      PlayerInfoPtr entry = info(i);
      if (value == -1 || (byGroup ? entry->group : entry->kind) == value) DManager::stopPlayersOfSource(player(i));
    }
    if (value == -1) DManager::stopAllSounds();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
}

bool SoundManager::isPlaying(int32_t index) {
  if (!hasPlayer(index)) return false;
  return player(index)->ownsChannel();
}

void SoundManager::release() {
  if (!infos_ || !players_) return;
  stop(-1, false);
  for (int32_t i = 0; i < soundCount(); ++i)
    if (hasPlayer(i)) player(i)->close();
  infos_.release();
  players_.release();
}

void SoundManager::setGroupSwitch(int32_t group, int32_t value) { groupSwitches_->at(group) = value; }

void SoundManager::setSfxVolume(int32_t v) {
  sfxVolume_ = std::clamp(v, 0, MaxVolume);
  DManager::setSfxVolume(sfxVolume_);
}

void SoundManager::setMusicVolume(int32_t v) {
  musicVolume_ = std::clamp(v, 0, MaxVolume);
  DManager::setMusicVolume(musicVolume_);
}

}  // namespace gamelib
