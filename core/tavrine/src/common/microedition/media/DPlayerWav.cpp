#include "microedition/media/DPlayerWav.h"

#include <algorithm>

#include "io/DInputStream.h"
#include "lang/DString.h"
#include "microedition/media/DManager.h"
#include "microedition/media/DPlayerSourceWav.h"
#include "sound/SoundChannel.h"
#include "sound/SoundSystem.h"

namespace qel::media {

DPlayerWav::DPlayerWav(qel::io::DInputStreamPtr stream) : DPlayer(KindWav, std::move(stream)) {}

qel::lang::DStringPtr DPlayerWav::getContentType() const { return u"audio/x-wav"; }

DPlayerSourceWav* DPlayerWav::source() const { return static_cast<DPlayerSourceWav*>(getSource().get()); }

qel::lang::DObjectPtr DPlayerWav::createSource() const { return qel::lang::DObjectPtr(new DPlayerSourceWav()); }

bool DPlayerWav::loadSource(const qel::io::DInputStreamPtr& stream) { return source()->load(stream); }

bool DPlayerWav::isSourceLoaded() const { return source() && source()->isLoaded(); }

int DPlayerWav::playSource() {
  nv::sound::SoundSystem* system = DManager::soundSystem();
  DPlayerSourceWav* loaded = source();
  if (!system || !loaded) return -1;
  return system->playSample(&loaded->sample(), nv::sound::SoundSystem::kFreeChannel);
}

DPlayerPtr DPlayerWav::createSibling() const { return DPlayerPtr(new DPlayerWav(nullptr)); }

int32_t DPlayerWav::getPan() {
  nv::sound::SoundChannel* playing = channel();
  return playing ? static_cast<int32_t>(playing->panning()) - 128 : 0;
}

void DPlayerWav::setPan(int32_t pan) {
  if (nv::sound::SoundChannel* playing = channel()) playing->setPanning(std::clamp(pan, -128, 127) + 128);
}

}  // namespace qel::media
