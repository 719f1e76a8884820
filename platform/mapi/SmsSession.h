#pragma once
// A logged-on session: the stores table and the one store it opens.

#include <filesystem>

#include "platform/mapi/MapiObject.h"

namespace wce::mapi {

class SmsSession final : public MapiObject<IMAPISession> {
public:
  explicit SmsSession(std::filesystem::path inbox) : inbox_(std::move(inbox)) {}

  HRESULT GetMsgStoresTable(ULONG flags, IMAPITable** table) override;
  HRESULT OpenMsgStore(std::uintptr_t window, ULONG entryIdSize, const std::uint8_t* entryId, const void* interfaceId,
                       ULONG flags, IMsgStore** store) override;

private:
  const std::filesystem::path inbox_;
};

}  // namespace wce::mapi
