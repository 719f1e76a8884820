// Reads any byte string as a configuration table in both text modes, with
// a locator that answers every include with the same bytes, and asks the
// getters for the keys the host reads. Every outcome but a framework
// exception or a table is a fault.
#include <cstdint>
#include <cstring>

#include "io/DByteArrayInputStream.h"
#include "io/DResourceLocator.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "util/DStringManager.h"

using namespace qel::io;
using namespace qel::lang;
using qel::util::DStringManager;

namespace {

class SameBytesLocator final : public DResourceLocator {
public:
  explicit SameBytesLocator(DbyteArrayPtr bytes) : bytes_(std::move(bytes)) {}
  DInputStreamPtr open(const DStringPtr&) override { return new DByteArrayInputStream(bytes_); }

private:
  DbyteArrayPtr bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  DbyteArrayPtr bytes = new DbyteArray(static_cast<int32_t>(size));
  if (size > 0) std::memcpy(bytes->data(), data, size);
  for (int mode : {DStringManager::ModeBytes, DStringManager::ModeUTF}) {
    for (bool withLocator : {false, true}) {
      DPtr<DStringManager> table = new DStringManager(0);
      if (withLocator) table->setResourceLocator(new SameBytesLocator(bytes));
      try {
        table->load(u"engine.ini", new DByteArrayInputStream(bytes), mode, true);
      } catch (const DExceptionBase&) {}
      for (const char16_t* key : {u"driver", u"nofullscreen", u"resolution", u"a", u""}) {
        table->getString(key);
        table->getInt(key);
        table->getIntPair(key);
      }
    }
  }
  return 0;
}
