#pragma once
// The counting every message-store object shares: created with one reference
// for its caller, deleted by the Release that takes the count to zero.

#include <atomic>

#include "platform/mapi/MapiState.h"

namespace wce::mapi {

template <typename Interface>
class MapiObject : public Interface {
public:
  MapiObject() { ++liveObjects(); }
  MapiObject(const MapiObject&) = delete;
  MapiObject& operator=(const MapiObject&) = delete;

  HRESULT QueryInterface(const void*, void** object) override {
    if (object) *object = nullptr;
    return E_NOTIMPL;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

protected:
  ~MapiObject() override { --liveObjects(); }

private:
  std::atomic<ULONG> references_{1};
};

}  // namespace wce::mapi
