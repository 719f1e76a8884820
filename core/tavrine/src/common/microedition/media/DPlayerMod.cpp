#include "microedition/media/DPlayerMod.h"

#include "io/DInputStream.h"
#include "lang/DString.h"
#include "microedition/media/DManager.h"
#include "microedition/media/DPlayerSourceMod.h"
#include "sound/SoundChannel.h"
#include "sound/SoundSystem.h"

namespace qel::media {

DPlayerMod::DPlayerMod(qel::io::DInputStreamPtr stream) : DPlayer(KindMod, std::move(stream)) {}

qel::lang::DStringPtr DPlayerMod::getContentType() const { return u"audio/mod"; }

DPlayerSourceMod* DPlayerMod::source() const { return static_cast<DPlayerSourceMod*>(getSource().get()); }

qel::lang::DObjectPtr DPlayerMod::createSource() const { return qel::lang::DObjectPtr(new DPlayerSourceMod()); }

bool DPlayerMod::loadSource(const qel::io::DInputStreamPtr& stream) { return source()->load(stream); }

bool DPlayerMod::isSourceLoaded() const { return source() && source()->isLoaded(); }

int DPlayerMod::playSource() {
  nv::sound::SoundSystem* system = DManager::soundSystem();
  DPlayerSourceMod* loaded = source();
  if (!system || !loaded) return -1;
  return system->playModule(&loaded->module(), nv::sound::SoundSystem::kFreeChannel);
}

DPlayerPtr DPlayerMod::createSibling() const { return DPlayerPtr(new DPlayerMod(nullptr)); }

}  // namespace qel::media
