#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace wce {

// An open file of the host file system. Closes itself when destroyed.
class File {
public:
  enum class Origin { begin, current, end };

  // Opens an existing regular file for reading; folders, devices and missing
  // files give nothing.
  static std::optional<File> openForReading(const std::filesystem::path& path);
  // Creates the file, or empties an existing one, for writing.
  static std::optional<File> createForWriting(const std::filesystem::path& path);

  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  bool isOpen() const { return descriptor_ >= 0; }

  // Reads up to `count` bytes, fewer only at the end of the file; 0 at the end.
  std::optional<std::size_t> read(void* buffer, std::size_t count);
  // One read of up to `count` bytes at `offset`, leaving the position alone;
  // 0 at or past the end. A negative offset, or one the host's file offsets
  // cannot hold, fails.
  std::optional<std::size_t> readAt(void* buffer, std::size_t count, std::int64_t offset);
  // The size in bytes.
  std::optional<std::int64_t> size() const;
  // Writes all `count` bytes, or fails.
  bool writeAll(const void* data, std::size_t count);
  // Moves the position and answers the new one; a negative result, or a
  // distance the host's file offsets cannot hold, fails and leaves the
  // position unchanged.
  std::optional<std::int64_t> seek(std::int64_t distance, Origin origin);
  // Forces written data to the storage device.
  bool flush();
  void close();

private:
  explicit File(int descriptor) : descriptor_(descriptor) {}

  int descriptor_ = -1;
};

}  // namespace wce
