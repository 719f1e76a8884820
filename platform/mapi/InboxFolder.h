#pragma once
// The SMS store's inbox: its contents are the message files in the inbox folder.

#include <filesystem>

#include "platform/mapi/MapiObject.h"

namespace wce::mapi {

class InboxFolder final : public MapiObject<IMAPIFolder> {
public:
  explicit InboxFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // Columns PR_SUBJECT_W (the text), PR_SENDER_EMAIL_ADDRESS_W, PR_ENTRYID
  // (the file name), PR_MESSAGE_DELIVERY_TIME and PR_MESSAGE_FLAGS (0), in
  // the order of the file names.
  HRESULT GetContentsTable(ULONG flags, IMAPITable** table) override;

private:
  const std::filesystem::path folder_;
};

}  // namespace wce::mapi
