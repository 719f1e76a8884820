#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryTypes.h"

namespace wce {

// One registry key: an open folder. Subkeys are its folders named "k." and
// the encoded name, values its files named "v." and the encoded name; other
// entries (temporary files of interrupted writes) are not part of the key.
// The folder stays pinned while open: once the key is deleted, every
// operation fails with ERROR_KEY_DELETED and nothing is created again.
// Opening a subkey removes the leftovers of writers that died.
class KeyFolder {
public:
  struct Entry {
    std::u16string name;      // folded, decoded
    std::string encodedName;  // without the prefix
  };

  // The folder of a root key, created when missing.
  static LONG openRoot(const std::filesystem::path& folder, std::shared_ptr<KeyFolder>& result);

  KeyFolder(const KeyFolder&) = delete;
  KeyFolder& operator=(const KeyFolder&) = delete;
  ~KeyFolder();

  // ERROR_SUCCESS while the key exists, else ERROR_KEY_DELETED.
  LONG check() const;

  LONG openSubkey(const std::string& encodedName, std::shared_ptr<KeyFolder>& result) const;
  LONG createSubkey(const std::string& encodedName, std::shared_ptr<KeyFolder>& result, bool& created) const;
  // Deletes a subkey that has no subkeys of its own, with its values.
  LONG deleteSubkey(const std::string& encodedName) const;
  // A second handle on the same folder.
  LONG duplicate(std::shared_ptr<KeyFolder>& result) const;

  // Sorted by name.
  LONG subkeys(std::vector<Entry>& result) const;
  LONG values(std::vector<Entry>& result) const;
  // The value at index of one enumeration: index 0 lists the key afresh,
  // each next index reads the same listing while no key of this process
  // changes. ERROR_NO_MORE_ITEMS past the last.
  LONG valueAt(std::size_t index, Entry& result) const;
  LONG stamp(KeyStamp& result) const;

  LONG valueSize(const std::string& encodedName, std::uint64_t& size) const;
  // The value's size, and its bytes when they fit in capacity (else
  // ERROR_MORE_DATA and nothing read).
  LONG readValue(const std::string& encodedName, BYTE* data, std::size_t capacity, std::uint64_t& size) const;
  // Replaces the value atomically: a reader sees the old or the new data.
  LONG writeValue(const std::string& encodedName, const BYTE* data, std::size_t size) const;
  LONG deleteValue(const std::string& encodedName) const;

private:
  explicit KeyFolder(int descriptor) : descriptor_(descriptor) {}
  LONG list(char kind, std::vector<Entry>& result) const;
  // After a value failed to open with errno set: a deleted key, a missing
  // value or a failed read. The key is checked only then.
  LONG missingValue() const;
  static LONG readOpenValue(int descriptor, BYTE* data, std::size_t capacity, std::uint64_t& size);
  // Removes temporary files and doomed folders whose process has ended.
  void removeLeftoversOfEndedWriters() const;
  // Counts every change this process makes to any key.
  static void changed();

  int descriptor_;
  mutable std::mutex enumerationLock_;
  mutable std::vector<Entry> enumeration_;
  mutable std::size_t enumerationNext_ = 0;  // 0: none under way
  mutable std::uint64_t enumerationGeneration_ = 0;
};

}  // namespace wce
