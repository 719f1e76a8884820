#pragma once

#include "lang/DString.ptr.h"

namespace qel::midlet {

// DMIDlet::platformRequest: by the address's prefix, "http:", "https:" and
// "mailto:" go to the shell (true whatever it answers); "tel:" places a call
// through phone.dll (false without it); "gmm://" opens the rest through the
// shell without error interface (false when the shell finds no file or no
// program for it); null and every other address give false.
class PlatformRequest {
public:
  PlatformRequest() = delete;

  static bool open(const qel::lang::DStringPtr& url);

private:
  static bool placeCall(const qel::lang::DString& url);
  static bool openGmm(const qel::lang::DString& url);
};

}  // namespace qel::midlet
