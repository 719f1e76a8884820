#include "microedition/media/DManager.h"

#include <memory>

#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "microedition/media/DPlayerMod.h"
#include "microedition/media/DPlayerWav.h"
#include "sound/SoundSystem.h"

namespace qel::media {

using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lang::DSystem;

namespace {

struct MediaState {
  std::unique_ptr<nv::sound::SoundSystem> system;
  bool opened = false;
  int32_t musicChannels = 0;
  int32_t sfxChannels = 0;
  qel::lang::DObjectArrayPtr channelTable;
};

MediaState& media() {
  static MediaState state;
  return state;
}

int32_t intProperty(const char16_t* key) { return DSystem::getIntProperty(DStringPtr(key)); }

int32_t fallbackFrequency(int n) { return DSystem::getIntProperty(DString::concat(u"sound.frequency.", n)); }

}  // namespace

bool DManager::tryOpen(int32_t frequency, int32_t bits, bool stereo) {
  if (frequency <= 0) return false;
  MediaState& state = media();
  return state.system->open(frequency, bits, stereo ? 1 : 0, state.musicChannels, state.sfxChannels) == 0;
}

void DManager::initSoundSystem() {
  MediaState& state = media();
  if (state.opened) return;
  const bool stereo = intProperty(u"sound.stereo") != 0;
  const int32_t frequency = intProperty(u"sound.frequency");
  const int32_t bits = intProperty(u"sound.bps");
  state.sfxChannels = intProperty(u"sound.sfx_channels");
  state.musicChannels = intProperty(u"sound.music_channels");
  if (!state.system) state.system = std::make_unique<nv::sound::SoundSystem>();

  bool opened = tryOpen(frequency, bits, stereo);
  for (int n = 1; n <= 3 && !opened; ++n) opened = tryOpen(fallbackFrequency(n), bits, stereo);
  for (int n = 1; n <= 3 && !opened; ++n) opened = tryOpen(fallbackFrequency(n), bits, false);
  if (!opened) return;

  state.system->setMusicVolume(32);
  state.system->setSfxVolume(32);
  state.channelTable = new qel::lang::DObjectArray(state.musicChannels + state.sfxChannels);
  state.opened = true;
}

bool DManager::isOpened() { return media().opened; }

nv::sound::SoundSystem* DManager::soundSystem() { return media().system.get(); }

qel::lang::DObjectArrayPtr DManager::channelTable() { return media().channelTable; }

void DManager::releaseSoundSystem() {
  MediaState& state = media();
  state.channelTable.release();
  if (state.system) state.system->close();
  state.system.reset();
  state.opened = false;
}

DPlayerPtr DManager::createPlayer(qel::io::DInputStreamPtr stream, DStringPtr contentType) {
  if (!stream) qel::lang::throwException(qel::lang::ExceptionCode::IllegalArgument);
  if (!contentType) qel::lang::throwException(qel::lang::ExceptionCode::Media);
  if (!media().opened) initSoundSystem();
  if (contentType->view() == u"audio/x-wav") return DPlayerPtr(new DPlayerWav(std::move(stream)));
  if (contentType->view() == u"audio/mod") return DPlayerPtr(new DPlayerMod(std::move(stream)));
  return nullptr;
}

void DManager::stopPlayersOfSource(DPlayerPtr player) {
  qel::lang::DObjectArrayPtr table = media().channelTable;
  if (!table || !player) return;
  const qel::lang::DObject* source = player->getSource().get();
  for (int32_t i = 0; i < table->length(); ++i) {
    DPlayerPtr entry = qel::lang::dynamicPtrCast<DPlayer>(table->at(i));
    if (!entry || entry->getKind() != player->getKind()) continue;
    const qel::lang::DObject* entrySource = entry->getSource().get();
    if (entrySource != source && (!entrySource || !entrySource->equals(source))) continue;
    entry->stop();
    entry->setMediaTime(0);
  }
}

void DManager::stopAllSounds() {
  if (nv::sound::SoundSystem* system = soundSystem()) {
    system->stopAllSamples();
    system->stopAllModules();
  }
}

void DManager::setSfxVolume(int32_t volume) {
  if (nv::sound::SoundSystem* system = soundSystem()) system->setSfxVolume(volume);
}

int32_t DManager::getSfxVolume() {
  nv::sound::SoundSystem* system = soundSystem();
  return system ? static_cast<int32_t>(system->getSfxVolume()) : 0;
}

void DManager::setMusicVolume(int32_t volume) {
  if (nv::sound::SoundSystem* system = soundSystem()) system->setMusicVolume(volume);
}

int32_t DManager::getMusicVolume() {
  nv::sound::SoundSystem* system = soundSystem();
  return system ? static_cast<int32_t>(system->getMusicVolume()) : 0;
}

}  // namespace qel::media
