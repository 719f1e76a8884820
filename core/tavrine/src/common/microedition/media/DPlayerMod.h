#pragma once

#include "microedition/media/DPlayer.h"

namespace qel::media {

class DPlayerSourceMod;

// Plays a MOD song on a music channel (content type "audio/mod").
class DPlayerMod final : public DPlayer {
public:
  explicit DPlayerMod(qel::io::DInputStreamPtr stream);

  qel::lang::DStringPtr getContentType() const override;

private:
  qel::lang::DObjectPtr createSource() const override;
  bool loadSource(const qel::io::DInputStreamPtr& stream) override;
  bool isSourceLoaded() const override;
  int playSource() override;
  bool isStartTime(int64_t time) const override { return time <= 0; }
  DPlayerPtr createSibling() const override;

  DPlayerSourceMod* source() const;
};

}  // namespace qel::media
