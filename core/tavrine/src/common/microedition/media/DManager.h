#pragma once

#include <cstdint>

#include "io/DInputStream.ptr.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "microedition/media/DPlayer.ptr.h"

namespace nv::sound {
class SoundSystem;
}

namespace qel::media {

// The media layer's process state and static operations: the sound system
// set up from the "sound.*" properties, players by content type, the table
// of which player last started on which channel, volumes and stop-all.
class DManager {
public:
  DManager() = delete;

  // Does nothing once the sound system is open. Tries "sound.frequency",
  // then "sound.frequency.1" to ".3" in stereo, then the same three in mono;
  // a rate of 0 or below is never tried. When none opens, the sound system
  // stays closed and the next call tries again.
  static void initSoundSystem();
  static bool isOpened();
  // Null before the first set-up.
  static nv::sound::SoundSystem* soundSystem();
  // Null until the sound system opened: index = channel handle.
  static qel::lang::DObjectArrayPtr channelTable();
  // The host's end: the table is released and the sound system closed and deleted.
  static void releaseSoundSystem();

  // Null stream 0x05400000, null type 0x04000010; "audio/x-wav" and
  // "audio/mod" (exactly), any other type null.
  static DPlayerPtr createPlayer(qel::io::DInputStreamPtr stream, qel::lang::DStringPtr contentType);
  // Stops and rewinds every player in the channel table of player's kind and source.
  static void stopPlayersOfSource(DPlayerPtr player);
  static void stopAllSounds();

  // 0..64; the getters answer 0 without a sound system.
  static void setSfxVolume(int32_t volume);
  static int32_t getSfxVolume();
  static void setMusicVolume(int32_t volume);
  static int32_t getMusicVolume();

private:
  static bool tryOpen(int32_t frequency, int32_t bits, bool stereo);
};

}  // namespace qel::media
