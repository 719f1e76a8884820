#pragma once

#include "platform/mapi/Mapi.h"

namespace qel::messaging {

// The messaging system's library and the four entries the SMS layer uses.
class MapiLibrary {
public:
  // False when "cemapi.dll" does not load.
  bool load();
  // Forgets the entries and frees the library.
  void unload();

  bool complete() const { return initialize && uninitialize && logonEx && freeBuffer; }

  wce::MAPIInitializeFunction initialize = nullptr;
  wce::MAPIUninitializeFunction uninitialize = nullptr;
  wce::MAPILogonExFunction logonEx = nullptr;
  wce::MAPIFreeBufferFunction freeBuffer = nullptr;

private:
  wce::HMODULE module_ = nullptr;
};

}  // namespace qel::messaging
