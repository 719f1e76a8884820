#include "microedition/media/DPlayerSourceMod.h"

#include "lang/DbyteArray.h"
#include "microedition/media/StreamBytes.h"

namespace qel::media {

bool DPlayerSourceMod::load(const qel::io::DInputStreamPtr& stream) {
  qel::lang::DbyteArrayPtr bytes = readWholeStream(stream);
  if (!bytes) return false;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes->data());
  if (module_.load(data, static_cast<size_t>(bytes->length()), true) != 0) return false;
  loaded_ = true;
  return true;
}

}  // namespace qel::media
