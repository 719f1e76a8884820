#include "platform/files/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/files/FileOffset.h"

#if !defined(_FILE_OFFSET_BITS) || _FILE_OFFSET_BITS != 64
#error "File needs 64-bit file positions: build with _FILE_OFFSET_BITS=64"
#endif

namespace wce {

std::optional<File> File::openForReading(const std::filesystem::path& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return std::nullopt;
  File file(descriptor);
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) return std::nullopt;
  return file;
}

std::optional<File> File::createForWriting(const std::filesystem::path& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) return std::nullopt;
  return File(descriptor);
}

File::File(File&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

File::~File() { close(); }

std::optional<std::size_t> File::read(void* buffer, std::size_t count) {
  if (!isOpen()) return std::nullopt;
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(descriptor_, bytes + done, count - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

std::optional<std::size_t> File::readAt(void* buffer, std::size_t count, std::int64_t offset) {
  const std::optional<off_t> at = toFileOffset<off_t>(offset);
  if (!isOpen() || offset < 0 || !at) return std::nullopt;
  for (;;) {
    const ssize_t got = ::pread(descriptor_, buffer, count, *at);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) return std::nullopt;
  }
}

std::optional<std::int64_t> File::size() const {
  struct stat info {};
  if (!isOpen() || ::fstat(descriptor_, &info) != 0) return std::nullopt;
  return static_cast<std::int64_t>(info.st_size);
}

bool File::writeAll(const void* data, std::size_t count) {
  if (!isOpen()) return false;
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t put = ::write(descriptor_, bytes + done, count - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

std::optional<std::int64_t> File::seek(std::int64_t distance, Origin origin) {
  const std::optional<off_t> move = toFileOffset<off_t>(distance);
  if (!isOpen() || !move) return std::nullopt;
  const int whence = origin == Origin::begin ? SEEK_SET : origin == Origin::current ? SEEK_CUR : SEEK_END;
  const off_t position = ::lseek(descriptor_, *move, whence);
  if (position < 0) return std::nullopt;
  return static_cast<std::int64_t>(position);
}

bool File::flush() { return isOpen() && ::fsync(descriptor_) == 0; }

void File::close() {
  if (isOpen()) ::close(std::exchange(descriptor_, -1));
}

}  // namespace wce
