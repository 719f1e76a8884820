#pragma once
// One text message per file, as the outbox and inbox folders hold them:
// header lines "key: value" in UTF-8, an empty line, then the text in UTF-8.
//
//   inbox:   from: +4912345678        outbox:  to: 4912345678
//            delivered: <Unix ms>              type: international | unknown
//                                              class: <message class>
//            <text>                            sent: <Unix ms>
//
//                                              <text>
//
// Files are named "*.sms"; names starting with '.' are files being written.
// A file that breaks any rule (unknown, missing or repeated key, a number
// that does not parse, bytes that are not UTF-8, more than 64 KiB) is no message.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace wce {

inline constexpr std::size_t kMaxMessageFileBytes = 64 * 1024;

struct InboxMessage {
  std::u16string sender;
  std::u16string text;
  std::int64_t deliveredMillis = 0;
  bool operator==(const InboxMessage&) const = default;
};

struct OutboxMessage {
  std::u16string address;
  bool international = false;
  std::uint32_t messageClass = 0;
  std::u16string text;
  std::int64_t sentMillis = 0;
  bool operator==(const OutboxMessage&) const = default;
};

// None when an address holds a line break or is empty.
std::optional<std::string> formatInboxMessage(const InboxMessage& message);
std::optional<InboxMessage> parseInboxMessage(std::string_view bytes);
std::optional<std::string> formatOutboxMessage(const OutboxMessage& message);
std::optional<OutboxMessage> parseOutboxMessage(std::string_view bytes);

bool isMessageFileName(const std::filesystem::path& name);
// None when the file cannot be read or is larger than kMaxMessageFileBytes.
std::optional<std::string> readMessageFile(const std::filesystem::path& file);
// Writes a new file with a name of its own into folder (created when
// missing): a temporary file, flushed to disk, then renamed. None on failure,
// which leaves no file behind.
std::optional<std::filesystem::path> writeMessageFile(const std::filesystem::path& folder, std::string_view bytes);

// What another process does to deliver a message: writes it into the inbox
// folder. None when no user folder is set or the write fails.
std::optional<std::filesystem::path> deliverToInbox(const InboxMessage& message);

}  // namespace wce
