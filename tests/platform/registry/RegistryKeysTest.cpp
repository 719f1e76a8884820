#include <fstream>

#include "RegistryFixture.h"
#include "platform/registry/ScopedKey.h"

namespace {

using namespace wce;

TEST_F(RegistryTest, CreateMakesEveryMissingKeyAndOpenFindsIt) {
  HKEY key = HKEY_NULL;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Palewinds\\A\\option", &key), ERROR_NOT_FOUND);
  EXPECT_EQ(key, HKEY_NULL);
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Palewinds\\A\\option", &key, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\palewinds\\a\\OPTION", &key, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(key);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"software\\PALEWINDS", &key), ERROR_SUCCESS);
  HKEY below = HKEY_NULL;
  EXPECT_EQ(RegOpenKeyExW(key, u"A\\Option", &below), ERROR_SUCCESS);
  RegCloseKey(below);
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Palewinds", &key), ERROR_NOT_FOUND);
}

TEST_F(RegistryTest, AnUnusableRootIsAnotherErrorThanNotFound) {
  std::filesystem::create_directories(root_);
  std::ofstream(root_ / "HKEY_CURRENT_USER") << "not a folder";
  HKEY key = HKEY_NULL;
  const LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, u"Software", &key);
  EXPECT_NE(status, ERROR_SUCCESS);
  EXPECT_NE(status, ERROR_NOT_FOUND);
  EXPECT_NE(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software", &key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, PathsWithEmptyNamesAreRefused) {
  HKEY key = HKEY_NULL;
  for (std::u16string_view path : {u"\\a", u"a\\\\b", u"a\\", u"\\"}) {
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, &key), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"bad\xD800", &key), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, TheLayoutOnDiskIsOneFolderPerKeyAndOneFilePerValue) {
  const HKEY key = create(u"Software\\Palewinds\\Nightvault\\save1");
  ASSERT_EQ(set(key, u"1", std::string("\x01\x02\x00\x03", 4)), ERROR_SUCCESS);
  ASSERT_EQ(set(key, u"2", ""), ERROR_SUCCESS);
  RegCloseKey(key);
  const auto folder = root_ / "HKEY_CURRENT_USER" / "k.software" / "k.palewinds" / "k.nightvault" / "k.save1";
  ASSERT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(std::filesystem::file_size(folder / "v.1"), 4u);
  EXPECT_EQ(std::filesystem::file_size(folder / "v.2"), 0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

TEST_F(RegistryTest, SubkeysEnumerateInOrderAndDeleteOnlyWhenEmpty) {
  const HKEY parent = create(u"Tree");
  RegCloseKey(create(u"Charlie", parent));
  RegCloseKey(create(u"alpha\\inner", parent));
  RegCloseKey(create(u"Bravo", parent));
  DWORD subkeys = 0, longest = 0;
  ASSERT_EQ(RegQueryInfoKeyW(parent, &subkeys, &longest, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 3u);
  EXPECT_EQ(longest, 7u);
  std::vector<std::u16string> names;
  char16_t name[8];
  DWORD length = 8;
  for (DWORD i = 0; RegEnumKeyExW(parent, i, name, &length) == ERROR_SUCCESS; ++i, length = 8) {
    names.emplace_back(name, length);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"alpha", u"bravo", u"charlie"}));
  length = 7;
  EXPECT_EQ(RegEnumKeyExW(parent, 2, name, &length), ERROR_MORE_DATA);
  EXPECT_EQ(RegEnumKeyExW(parent, 3, name, &length), ERROR_NO_MORE_ITEMS);

  EXPECT_EQ(RegDeleteKeyW(parent, u"ALPHA"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyW(parent, u"alpha\\Inner"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(parent, u"alpha"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(parent, u"alpha"), ERROR_NOT_FOUND);
  ASSERT_EQ(RegQueryInfoKeyW(parent, &subkeys, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 2u);
  RegCloseKey(parent);
}

TEST_F(RegistryTest, AHandleOfADeletedKeyFailsAndNeverRecreatesIt) {
  const HKEY stale = create(u"Software\\Palewinds\\A\\path");
  ASSERT_EQ(set(stale, u"1", "old"), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\Palewinds\\A\\path"), ERROR_SUCCESS);

  DWORD values = 0;
  EXPECT_EQ(RegQueryInfoKeyW(stale, nullptr, nullptr, &values, nullptr, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(set(stale, u"1", "ghost"), ERROR_KEY_DELETED);
  EXPECT_EQ(get(stale, u"1"), "<missing>");
  DWORD size = 1;
  BYTE byte = 0;
  EXPECT_EQ(RegQueryValueExW(stale, u"1", nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_EQ(RegQueryValueExW(stale, u"1", nullptr, &byte, &size), ERROR_KEY_DELETED);
  HKEY child = HKEY_NULL;
  EXPECT_EQ(RegCreateKeyExW(stale, u"child", &child), ERROR_KEY_DELETED);
  HKEY probe = HKEY_NULL;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Palewinds\\A\\path", &probe), ERROR_NOT_FOUND);

  const HKEY fresh = create(u"Software\\Palewinds\\A\\path");
  EXPECT_EQ(set(stale, u"2", "ghost"), ERROR_KEY_DELETED);
  ASSERT_EQ(RegQueryInfoKeyW(fresh, nullptr, nullptr, &values, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(values, 0u);
  EXPECT_EQ(RegCloseKey(stale), ERROR_SUCCESS);
  RegCloseKey(fresh);
}

TEST_F(RegistryTest, ClosedAndNullHandlesFailHarmlessly) {
  const HKEY key = create(u"k");
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_NULL), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryInfoKeyW(HKEY_NULL, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(set(key, u"1", "x"), ERROR_INVALID_HANDLE);
  HKEY child = HKEY_NULL;
  EXPECT_EQ(RegOpenKeyExW(key, u"", &child), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, ScopedKeyClosesItsHandle) {
  HKEY seen = HKEY_NULL;
  {
    ScopedKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"scoped", key.receive()), ERROR_SUCCESS);
    seen = key.get();
    EXPECT_TRUE(key);
    EXPECT_EQ(set(seen, u"v", "1"), ERROR_SUCCESS);
  }
  EXPECT_EQ(set(seen, u"v", "2"), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, TheRootsAreSeparate) {
  const HKEY user = create(u"HARDWARE\\DEVICEMAP\\TOUCH");
  ASSERT_EQ(set(user, u"DriverName", "x"), ERROR_SUCCESS);
  HKEY machine = HKEY_NULL;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"HARDWARE\\DEVICEMAP\\TOUCH", &machine), ERROR_NOT_FOUND);
  RegCloseKey(user);
}

}  // namespace
