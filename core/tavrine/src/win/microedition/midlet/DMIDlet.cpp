#include "microedition/midlet/DMIDlet.h"

#include "lang/DString.h"
#include "microedition/midlet/PlatformRequest.h"

namespace qel::midlet {

namespace {

DMIDletPtr& currentHolder() {
  static DMIDletPtr holder;
  return holder;
}

}  // namespace

DMIDlet::DMIDlet() { currentHolder().assignRaw(this); }

DMIDlet::~DMIDlet() {
  display_ = nullptr;
  displayCount_.release();
  if (currentHolder().get() == this) currentHolder().detach();
}

qel::lang::DStringPtr DMIDlet::getAppProperty(qel::lang::DStringPtr) { return nullptr; }

bool DMIDlet::platformRequest(qel::lang::DStringPtr url) { return PlatformRequest::open(url); }

DMIDlet* DMIDlet::current() { return currentHolder().get(); }

void DMIDlet::releaseCurrent() { currentHolder().release(); }

}  // namespace qel::midlet
