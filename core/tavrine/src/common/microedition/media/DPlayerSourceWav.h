#pragma once

#include "io/DInputStream.ptr.h"
#include "lang/DObject.h"
#include "sound/SoundSample.h"

namespace qel::media {

// A WAV sample that several players may share.
class DPlayerSourceWav final : public qel::lang::DObject {
public:
  // True once the sound system took the stream's bytes (copied).
  bool load(const qel::io::DInputStreamPtr& stream);
  bool isLoaded() const { return loaded_; }
  const nv::sound::SoundSample& sample() const { return sample_; }

private:
  nv::sound::SoundSample sample_;
  bool loaded_ = false;
};

}  // namespace qel::media
