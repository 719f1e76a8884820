#pragma once

#include "microedition/media/DPlayer.h"

namespace qel::media {

class DPlayerSourceWav;

// Plays a WAV sample on an sfx channel (content type "audio/x-wav").
class DPlayerWav final : public DPlayer {
public:
  explicit DPlayerWav(qel::io::DInputStreamPtr stream);

  qel::lang::DStringPtr getContentType() const override;
  // The channel's pan - 128; 0 without a channel.
  int32_t getPan() override;
  // Held to -128..127.
  void setPan(int32_t pan) override;

private:
  qel::lang::DObjectPtr createSource() const override;
  bool loadSource(const qel::io::DInputStreamPtr& stream) override;
  bool isSourceLoaded() const override;
  int playSource() override;
  bool isStartTime(int64_t time) const override { return time == 0; }
  DPlayerPtr createSibling() const override;

  DPlayerSourceWav* source() const;
};

}  // namespace qel::media
