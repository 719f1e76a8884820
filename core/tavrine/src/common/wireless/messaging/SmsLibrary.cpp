#include "wireless/messaging/SmsLibrary.h"

namespace qel::messaging {

namespace {

struct Found {
  bool loaded = false;
  SmsLibrary::SmscQuery getSmsc = nullptr;
};

Found& found() {
  static Found library;
  return library;
}

}  // namespace

void SmsLibrary::set(bool loaded, SmscQuery getSmsc) { found() = Found{loaded, getSmsc}; }

bool SmsLibrary::loaded() { return found().loaded; }

SmsLibrary::SmscQuery SmsLibrary::smscQuery() { return found().getSmsc; }

}  // namespace qel::messaging
