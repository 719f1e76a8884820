#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "RegistryFixture.h"
#include "platform/testing/FolderOverrides.h"

namespace {

using namespace wce;

TEST_F(RegistryTest, ValuesAreWrittenReplacedAndReadBack) {
  const HKEY key = create(u"store");
  EXPECT_EQ(get(key, u"1"), "<missing>");
  ASSERT_EQ(set(key, u"1", "first"), ERROR_SUCCESS);
  ASSERT_EQ(set(key, u"1", "second, longer"), ERROR_SUCCESS);
  ASSERT_EQ(set(key, u"2", ""), ERROR_SUCCESS);
  EXPECT_EQ(get(key, u"1"), "second, longer");
  EXPECT_EQ(get(key, u"2"), "");

  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"1", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(size, 14u);
  BYTE small[4];
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExW(key, u"1", nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 14u);
  EXPECT_EQ(RegQueryValueExW(key, u"missing", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(RegDeleteValueW(key, u"1"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"1"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(get(key, u"1"), "<missing>");
  EXPECT_EQ(RegSetValueExW(key, u"t", 1, reinterpret_cast<const BYTE*>("a"), 1), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExW(key, u"t", REG_BINARY, nullptr, 1), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(RegistryTest, TwoHandlesOnOneKeySeeEachOthersWrites) {
  const HKEY first = create(u"Shared");
  HKEY second = HKEY_NULL;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"shared", &second), ERROR_SUCCESS);
  ASSERT_EQ(set(first, u"Name", "one"), ERROR_SUCCESS);
  EXPECT_EQ(get(second, u"NAME"), "one");
  ASSERT_EQ(set(second, u"name", "two"), ERROR_SUCCESS);
  EXPECT_EQ(get(first, u"Name"), "two");
  RegCloseKey(first);
  RegCloseKey(second);
}

TEST_F(RegistryTest, ValuesEnumerateSortedWithTheNameBufferRules) {
  const HKEY key = create(u"store");
  const std::u16string fits(63, u'x');
  const std::u16string tooLong(64, u'y');
  for (std::u16string_view name : {u"5", u"10", u"1", u"abc"}) ASSERT_EQ(set(key, name, "d"), ERROR_SUCCESS);
  ASSERT_EQ(set(key, fits, "63"), ERROR_SUCCESS);
  ASSERT_EQ(set(key, tooLong, "64"), ERROR_SUCCESS);
  EXPECT_EQ(valueNames(key), (std::vector<std::u16string>{u"1", u"10", u"5", u"abc", fits, tooLong}));

  char16_t name[64];
  DWORD length = 64;
  DWORD size = 0;
  EXPECT_EQ(RegEnumValueW(key, 4, name, &length, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(length, 63u);
  EXPECT_EQ(size, 2u);
  length = 64;
  EXPECT_EQ(RegEnumValueW(key, 5, name, &length, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(RegEnumValueW(key, 6, name, &length, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

  DWORD values = 0, longestName = 0, largest = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, &values, &longestName, &largest), ERROR_SUCCESS);
  EXPECT_EQ(values, 6u);
  EXPECT_EQ(longestName, 64u);
  EXPECT_EQ(largest, 2u);
  RegCloseKey(key);
}

// What no writer of the registry makes, found where a value should be,
// reads as a failure and never blocks.
TEST_F(RegistryTest, AValueThatIsNoPlainFileCannotBeRead) {
  const HKEY key = create(u"store");
  const auto folder = root_ / "HKEY_CURRENT_USER" / "k.store";
  ASSERT_EQ(::mkfifo((folder / "v.pipe").c_str(), 0600), 0);
  std::filesystem::create_directory(folder / "v.folder");
  for (const char16_t* name : {u"pipe", u"folder"}) {
    BYTE data[8];
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExW(key, name, nullptr, data, &size), ERROR_CANTREAD) << static_cast<char>(name[0]);
  }
  RegCloseKey(key);
}

TEST_F(RegistryTest, LeftoversOfInterruptedWritesAreIgnored) {
  const HKEY key = create(u"store");
  ASSERT_EQ(set(key, u"1", "kept"), ERROR_SUCCESS);
  const auto folder = root_ / "HKEY_CURRENT_USER" / "k.store";
  std::ofstream(folder / ".t.1.1") << "half";
  std::ofstream(folder / ".t.99999.7") << "half of another";
  std::filesystem::create_directory(folder / ".d.5.5");
  EXPECT_EQ(valueNames(key), std::vector<std::u16string>{u"1"});
  DWORD subkeys = 9, values = 9;
  ASSERT_EQ(RegQueryInfoKeyW(key, &subkeys, nullptr, &values, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 0u);
  EXPECT_EQ(values, 1u);
  for (int i = 0; i < 20; ++i) ASSERT_EQ(set(key, u"1", "again"), ERROR_SUCCESS);
  EXPECT_EQ(get(key, u"1"), "again");
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"store"), ERROR_SUCCESS);
  EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_F(RegistryTest, OpeningAKeyRemovesTheLeftoversOfWritersThatEnded) {
  const HKEY key = create(u"store");
  ASSERT_EQ(set(key, u"1", "kept"), ERROR_SUCCESS);
  RegCloseKey(key);
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  ASSERT_GT(ended, 0);
  ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
  const std::string dead = std::to_string(ended), alive = std::to_string(getpid());
  const auto folder = root_ / "HKEY_CURRENT_USER" / "k.store";
  for (const std::string& name : std::vector<std::string>{".t." + dead + ".1", ".t." + alive + ".1", ".t.x.1", "v.2"})
    std::ofstream(folder / name) << "half";
  std::filesystem::create_directory(folder / (".d." + dead + ".4"));
  std::ofstream(folder / (".d." + dead + ".4") / "v.1") << "doomed";
  const HKEY reopened = create(u"store");
  for (const std::string& name : std::vector<std::string>{".t." + dead + ".1", ".d." + dead + ".4"})
    EXPECT_FALSE(std::filesystem::exists(folder / name)) << name;
  // A writer still running, a name not of ours, and the values stay.
  for (const std::string& name : std::vector<std::string>{".t." + alive + ".1", ".t.x.1", "v.1", "v.2"})
    EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
  EXPECT_EQ(get(reopened, u"1"), "kept");
  RegCloseKey(reopened);
}

TEST_F(RegistryTest, AnEnumerationSeesTheWritesOfItsOwnHandle) {
  const HKEY key = create(u"store");
  ASSERT_EQ(set(key, u"1", "a"), ERROR_SUCCESS);
  ASSERT_EQ(set(key, u"3", "c"), ERROR_SUCCESS);
  char16_t name[8];
  DWORD length = 8;
  ASSERT_EQ(RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  ASSERT_EQ(set(key, u"2", "b"), ERROR_SUCCESS);
  length = 8;
  ASSERT_EQ(RegEnumValueW(key, 1, name, &length, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, length), u"2");
  ASSERT_EQ(RegDeleteValueW(key, u"3"), ERROR_SUCCESS);
  length = 8;
  EXPECT_EQ(RegEnumValueW(key, 2, name, &length, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  RegCloseKey(key);
}

TEST_F(RegistryTest, AWriterKilledMidWriteLeavesTheOldOrTheNewValue) {
  const std::string older(64 * 1024, 'o');
  const std::string newer(64 * 1024, 'n');
  const HKEY key = create(u"store");
  ASSERT_EQ(set(key, u"1", older), ERROR_SUCCESS);
  for (int round = 0; round < 12; ++round) {
    int progress[2];
    ASSERT_EQ(::pipe(progress), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      ::close(progress[0]);
      for (int i = 0;; ++i) {
        if (set(key, u"1", i % 2 == 0 ? newer : older) != ERROR_SUCCESS) ::_exit(1);
        if (::write(progress[1], "+", 1) != 1) ::_exit(1);
      }
    }
    ::close(progress[1]);
    char ticks[32];
    std::size_t wanted = 1 + static_cast<std::size_t>(round * 7 % 23);
    while (wanted > 0) {
      const ssize_t got = ::read(progress[0], ticks, std::min(wanted, sizeof ticks));
      ASSERT_GT(got, 0);
      wanted -= static_cast<std::size_t>(got);
    }
    ::kill(writer, SIGKILL);
    int status = 0;
    ::waitpid(writer, &status, 0);
    ::close(progress[0]);
    EXPECT_TRUE(WIFSIGNALED(status));
    const std::string seen = get(key, u"1");
    EXPECT_TRUE(seen == older || seen == newer) << "round " << round << ": " << seen.size() << " bytes";
    EXPECT_EQ(valueNames(key), std::vector<std::u16string>{u"1"});
  }
  RegCloseKey(key);
}

TEST_F(RegistryTest, HostileNamesStayInsideTheRootAndApart) {
  const std::u16string hostile[] = {u"..",
                                    u".",
                                    u"../../escape",
                                    u"a/b",
                                    u"/etc/passwd",
                                    u"%2e%2e",
                                    u".hidden",
                                    u"v.x",
                                    u"k.x",
                                    u"A%2Fb",
                                    u"\u00C9t\u00E9",
                                    u"\u00E9T\u00C9-2",
                                    u"tab\there",
                                    u"\U0001F600",
                                    std::u16string(u"nul\0in", 7)};
  const HKEY key = create(u"store");
  for (const std::u16string& name : hostile) {
    ASSERT_EQ(set(key, name, std::string(name.begin(), name.end())), ERROR_SUCCESS);
    HKEY child = HKEY_NULL;
    ASSERT_EQ(RegCreateKeyExW(key, name, &child), ERROR_SUCCESS);
    RegCloseKey(child);
  }
  for (const std::u16string& name : hostile) EXPECT_EQ(get(key, name), std::string(name.begin(), name.end()));
  EXPECT_EQ(valueNames(key).size(), std::size(hostile));
  EXPECT_EQ(get(key, u"\u00E9t\u00C9"), get(key, u"\u00C9T\u00E9"));

  for (const auto& entry : std::filesystem::recursive_directory_iterator(base_.path())) {
    const auto relative = std::filesystem::relative(entry.path(), root_);
    EXPECT_NE(*relative.begin(), "..") << entry.path();
  }
  EXPECT_FALSE(std::filesystem::exists(base_ / "escape"));
  const std::u16string overlong(200, u'\u00E9');
  EXPECT_EQ(set(key, overlong, "x"), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(RegistryTest, TheEnvironmentNamesTheRoot) {
  const char* userDir = std::getenv("NIGHTVAULT_USER_DIR");
  const std::string savedUserDir = userDir != nullptr ? userDir : "";
  wce::setRegistryRoot({});
  ::setenv("NIGHTVAULT_REGISTRY", root_.c_str(), 1);
  EXPECT_EQ(wce::registryRoot(), root_);
  ::unsetenv("NIGHTVAULT_REGISTRY");
  ::setenv("NIGHTVAULT_USER_DIR", base_.path().c_str(), 1);
  EXPECT_EQ(wce::registryRoot(), base_ / "registry");
  if (userDir != nullptr) {
    ::setenv("NIGHTVAULT_USER_DIR", savedUserDir.c_str(), 1);
  } else {
    ::unsetenv("NIGHTVAULT_USER_DIR");
  }
}

}  // namespace
