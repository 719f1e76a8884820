#pragma once

#include "io/DInputStream.ptr.h"
#include "lang/DObject.h"
#include "sound/SoundModule.h"

namespace qel::media {

// A MOD song that several players may share.
class DPlayerSourceMod final : public qel::lang::DObject {
public:
  // True once the sound system took the stream's bytes (copied).
  bool load(const qel::io::DInputStreamPtr& stream);
  bool isLoaded() const { return loaded_; }
  const nv::sound::SoundModule& module() const { return module_; }

private:
  nv::sound::SoundModule module_;
  bool loaded_ = false;
};

}  // namespace qel::media
