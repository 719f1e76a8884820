#include "microedition/media/StreamBytes.h"

#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DbyteArray.h"

namespace qel::media {

qel::lang::DbyteArrayPtr readWholeStream(const qel::io::DInputStreamPtr& stream) {
  try {
    qel::lang::DbyteArrayPtr bytes = new qel::lang::DbyteArray(stream->available());
    stream->read(bytes);
    return bytes;
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::Exception);
    return nullptr;
  }
}

}  // namespace qel::media
