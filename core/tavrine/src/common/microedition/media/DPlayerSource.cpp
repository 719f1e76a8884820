#include "microedition/media/DPlayerSource.h"

#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DbyteArray.h"

namespace qel::media {

using qel::lang::DbyteArrayPtr;

DbyteArrayPtr readWholeStream(const qel::io::DInputStreamPtr& stream) {
  try {
    DbyteArrayPtr bytes = new qel::lang::DbyteArray(stream->available());
    stream->read(bytes);
    return bytes;
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::Exception);
    return nullptr;
  }
}

namespace {

const uint8_t* bytesOf(const DbyteArrayPtr& bytes) { return reinterpret_cast<const uint8_t*>(bytes->data()); }

}  // namespace

bool DPlayerSourceWav::load(const qel::io::DInputStreamPtr& stream) {
  DbyteArrayPtr bytes = readWholeStream(stream);
  if (!bytes || sample_.loadWav(bytesOf(bytes), static_cast<size_t>(bytes->length()), true) != 0) return false;
  loaded_ = true;
  return true;
}

bool DPlayerSourceMod::load(const qel::io::DInputStreamPtr& stream) {
  DbyteArrayPtr bytes = readWholeStream(stream);
  if (!bytes || module_.load(bytesOf(bytes), static_cast<size_t>(bytes->length()), true) != 0) return false;
  loaded_ = true;
  return true;
}

}  // namespace qel::media
