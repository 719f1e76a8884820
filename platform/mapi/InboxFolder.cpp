#include "platform/mapi/InboxFolder.h"

#include <algorithm>
#include <system_error>

#include "platform/mapi/MemoryTable.h"
#include "platform/sms/MessageFile.h"

namespace wce::mapi {

namespace {

std::vector<std::filesystem::path> messageFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (isMessageFileName(it->path()) && it->is_regular_file(error)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

HRESULT InboxFolder::GetContentsTable(ULONG, IMAPITable** table) {
  if (auto result = injected(MapiCall::GetContentsTable)) return *result;
  if (!table) return E_INVALIDARG;
  std::vector<PropertyRow> rows;
  for (const std::filesystem::path& file : messageFiles(folder_)) {
    const auto bytes = readMessageFile(file);
    const auto message = bytes ? parseInboxMessage(*bytes) : std::nullopt;
    if (!message) continue;
    const std::string name = file.filename().string();
    rows.push_back(PropertyRow{
        {PR_SUBJECT_W, message->text},
        {PR_SENDER_EMAIL_ADDRESS_W, message->sender},
        {PR_ENTRYID, Bytes(name.begin(), name.end())},
        {PR_MESSAGE_DELIVERY_TIME, fileTimeFromUnixMillis(message->deliveredMillis)},
        {PR_MESSAGE_FLAGS, std::int32_t{0}},
    });
  }
  *table = new MemoryTable(std::move(rows));
  return S_OK;
}

}  // namespace wce::mapi
