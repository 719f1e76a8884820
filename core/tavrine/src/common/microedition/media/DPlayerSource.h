#pragma once

#include <cstdint>
#include <string>

#include "io/DInputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DbyteArray.ptr.h"
#include "sound/SoundModule.h"
#include "sound/SoundSample.h"

namespace qel::media {

// Reads a stream whole: its available() bytes into a zero-filled array.
// Null when a framework exception stops the read.
qel::lang::DbyteArrayPtr readWholeStream(const qel::io::DInputStreamPtr& stream);

// A WAV sample that several players may share.
class DPlayerSourceWav final : public qel::lang::DObject {
public:
  std::string getClassName() const override { return "DPlayerSourceWav"; }

  // True once the sound system took the stream's bytes (copied).
  bool load(const qel::io::DInputStreamPtr& stream);
  bool isLoaded() const { return loaded_; }
  const nv::sound::SoundSample& sample() const { return sample_; }

private:
  nv::sound::SoundSample sample_;
  bool loaded_ = false;
};

// A MOD song that several players may share.
class DPlayerSourceMod final : public qel::lang::DObject {
public:
  std::string getClassName() const override { return "DPlayerSourceMod"; }

  bool load(const qel::io::DInputStreamPtr& stream);
  bool isLoaded() const { return loaded_; }
  const nv::sound::SoundModule& module() const { return module_; }

private:
  nv::sound::SoundModule module_;
  bool loaded_ = false;
};

}  // namespace qel::media
