#include "platform/sms/MessageFile.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "platform/files/Text.h"
#include "platform/sms/MessageFolders.h"

namespace wce {

namespace {

using Header = std::map<std::string, std::string, std::less<>>;

struct ParsedFile {
  Header header;
  std::string text;
};

std::optional<ParsedFile> parseFile(std::string_view bytes, std::initializer_list<std::string_view> keys) {
  if (bytes.size() > kMaxMessageFileBytes) return std::nullopt;
  ParsedFile parsed;
  std::size_t at = 0;
  for (;;) {
    const std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view line = bytes.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) break;
    const std::size_t colon = line.find(": ");
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view key = line.substr(0, colon);
    bool known = false;
    for (std::string_view k : keys) known = known || k == key;
    if (!known || parsed.header.count(key)) return std::nullopt;
    parsed.header.emplace(std::string(key), std::string(line.substr(colon + 2)));
  }
  if (parsed.header.size() != keys.size()) return std::nullopt;
  parsed.text = std::string(bytes.substr(at));
  return parsed;
}

template <typename Number>
std::optional<Number> parseNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<std::string> addressLine(std::u16string_view address) {
  if (address.empty() || address.find_first_of(u"\r\n") != std::u16string_view::npos) return std::nullopt;
  return toUtf8Lossy(address, U'\uFFFD');
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string uniqueName() {
  static std::atomic<std::uint64_t> sequence{0};
  const auto stamp = std::chrono::system_clock::now().time_since_epoch();
  return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(stamp).count()) + "-" +
         std::to_string(::getpid()) + "-" + std::to_string(++sequence) + ".sms";
}

void syncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> formatInboxMessage(const InboxMessage& message) {
  const auto sender = addressLine(message.sender);
  if (!sender) return std::nullopt;
  return "from: " + *sender + "\ndelivered: " + std::to_string(message.deliveredMillis) + "\n\n" +
         toUtf8Lossy(message.text, U'\uFFFD');
}

std::optional<InboxMessage> parseInboxMessage(std::string_view bytes) {
  const auto parsed = parseFile(bytes, {"from", "delivered"});
  if (!parsed) return std::nullopt;
  const auto sender = fromUtf8Strict(parsed->header.find("from")->second);
  const auto delivered = parseNumber<std::int64_t>(parsed->header.find("delivered")->second);
  const auto text = fromUtf8Strict(parsed->text);
  if (!sender || sender->empty() || !delivered || !text) return std::nullopt;
  return InboxMessage{*sender, *text, *delivered};
}

std::optional<std::string> formatOutboxMessage(const OutboxMessage& message) {
  const auto address = addressLine(message.address);
  if (!address) return std::nullopt;
  return "to: " + *address + "\ntype: " + (message.international ? "international" : "unknown") +
         "\nclass: " + std::to_string(message.messageClass) + "\nsent: " + std::to_string(message.sentMillis) + "\n\n" +
         toUtf8Lossy(message.text, U'\uFFFD');
}

std::optional<OutboxMessage> parseOutboxMessage(std::string_view bytes) {
  const auto parsed = parseFile(bytes, {"to", "type", "class", "sent"});
  if (!parsed) return std::nullopt;
  const std::string& type = parsed->header.find("type")->second;
  const auto address = fromUtf8Strict(parsed->header.find("to")->second);
  const auto messageClass = parseNumber<std::uint32_t>(parsed->header.find("class")->second);
  const auto sent = parseNumber<std::int64_t>(parsed->header.find("sent")->second);
  const auto text = fromUtf8Strict(parsed->text);
  if (!address || address->empty() || (type != "international" && type != "unknown") || !messageClass || !sent ||
      !text) {
    return std::nullopt;
  }
  return OutboxMessage{*address, type == "international", *messageClass, *text, *sent};
}

bool isMessageFileName(const std::filesystem::path& name) {
  const std::string text = name.filename().string();
  return !text.empty() && text.front() != '.' && name.extension() == ".sms";
}

std::optional<std::string> readMessageFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kMaxMessageFileBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.size() > kMaxMessageFileBytes) return std::nullopt;
  return bytes;
}

std::optional<std::filesystem::path> writeMessageFile(const std::filesystem::path& folder, std::string_view bytes) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return std::nullopt;
  const std::string name = uniqueName();
  const std::filesystem::path temporary = folder / ("." + name + ".tmp");
  const std::filesystem::path target = folder / name;
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return std::nullopt;
  const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return std::nullopt;
  }
  syncFolder(folder);
  return target;
}

std::optional<std::filesystem::path> deliverToInbox(const InboxMessage& message) {
  const auto folder = inboxFolder();
  const auto bytes = formatInboxMessage(message);
  if (!folder || !bytes) return std::nullopt;
  return writeMessageFile(*folder, *bytes);
}

}  // namespace wce
