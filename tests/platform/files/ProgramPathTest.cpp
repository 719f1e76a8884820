#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

#include "platform/files/Folders.h"
#include "platform/files/ProgramPath.h"
#include "platform/testing/FolderOverrides.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

class ProgramPathTest : public ::testing::Test {
protected:
  ProgramPathTest() {
    wce::setProgramFolder(program.path());
    wce::setUserFolder(user.path() / "state");
  }
  ~ProgramPathTest() override {
    wce::setProgramFolder({});
    wce::setUserFolder({});
  }

  nvtest::TempFolder program;
  nvtest::TempFolder user;
};

struct ReadCase {
  std::u16string path;
  std::string expected;  // relative to the program folder; empty: refused
};

TEST_F(ProgramPathTest, ReadingFollowsThePathRule) {
  program.writeFile("langid", "L");
  program.writeFile("a/b.dat", "B");
  program.writeFile("Snd/Music.WAV", "W");
  program.writeFile("snd2/x", "X");
  program.writeFile("snd2/X", "upper");
  fs::create_directories(program.path() / "folder");
  fs::create_directories(program.path() / "outside");
  program.writeFile("secret", "S");

  const ReadCase cases[] = {
      {u"langid", "langid"},
      {u"/langid", "langid"},
      {u"\\langid", "langid"},
      {u"a/b.dat", "a/b.dat"},
      {u"\\a\\b.dat", "a/b.dat"},
      {u"a\\/b.dat", "a/b.dat"},
      {u"./a/./b.dat", "a/b.dat"},
      {u"snd/music.wav", "Snd/Music.WAV"},
      {u"SND\\MUSIC.wav", "Snd/Music.WAV"},
      {u"snd2/X", "snd2/X"},
      {u"snd2/x", "snd2/x"},
      {u"a/../secret", ""},
      {u"../secret", ""},
      {u"..", ""},
      {u"folder", ""},
      {u"a", ""},
      {u"missing", ""},
      {u"a/missing", ""},
      {u"langid/x", ""},
      {u"", ""},
      {u"\\", ""},
      {std::u16string(u"lang\0id", 7), ""},
      {u"\xD800", ""},
  };
  for (const ReadCase& c : cases) {
    std::optional<fs::path> resolved = wce::resolveForReading(c.path);
    SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
    if (c.expected.empty()) {
      EXPECT_FALSE(resolved);
    } else {
      ASSERT_TRUE(resolved);
      EXPECT_TRUE(fs::equivalent(*resolved, program.path() / c.expected));
    }
  }
}

TEST_F(ProgramPathTest, NonAsciiNamesMatchCaseInsensitively) {
  program.writeFile("\xC3\x89t\xC3\xA9.txt", "e");  // "Été.txt"
  std::optional<fs::path> resolved = wce::resolveForReading(u"\u00E9T\u00C9.TXT");
  ASSERT_TRUE(resolved);
  EXPECT_EQ(nvtest::readWhole(*resolved), "e");
}

// Sets a folder's times well into the past, as an unchanged folder has.
void settle(const fs::path& folder) {
  const struct timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, folder.c_str(), past, 0), 0);
}

// Names found in a folder listed before stay found, and names added to it
// later are found too, whether it changed just now or long ago.
TEST_F(ProgramPathTest, CaseInsensitiveMatchesSeeFilesAddedAfterALookup) {
  program.writeFile("Data.bin", "d");
  for (bool settled : {false, true}) {
    SCOPED_TRACE(settled);
    const std::string added = settled ? "Later.bin" : "Soon.bin";
    const char16_t* query = settled ? u"LATER.BIN" : u"SOON.BIN";
    if (settled) settle(program.path());
    EXPECT_EQ(nvtest::readWhole(*wce::resolveForReading(u"DATA.BIN")), "d");
    EXPECT_FALSE(wce::resolveForReading(query));
    program.writeFile(added, "a");
    ASSERT_TRUE(wce::resolveForReading(query));
    EXPECT_EQ(nvtest::readWhole(*wce::resolveForReading(query)), "a");
  }
}

TEST_F(ProgramPathTest, TheUserFolderComesFirstForReading) {
  program.writeFile("engine.ini", "installed");
  program.writeFile("langid", "installed");
  user.writeFile("state/LANGID", "mine");
  EXPECT_EQ(nvtest::readWhole(*wce::resolveForReading(u"/langid")), "mine");
  EXPECT_EQ(nvtest::readWhole(*wce::resolveForReading(u"engine.ini")), "installed");
}

TEST_F(ProgramPathTest, AFolderInTheUserFolderDoesNotHideTheProgramFile) {
  program.writeFile("data.bin", "installed");
  fs::create_directories(user.path() / "state" / "data.bin");
  EXPECT_EQ(nvtest::readWhole(*wce::resolveForReading(u"data.bin")), "installed");
}

TEST_F(ProgramPathTest, WritingGoesToTheUserFolderAndCreatesFolders) {
  program.writeFile("logs/keep.txt", "installed");
  std::optional<wce::File> file = wce::createProgramFile(u"logs\\Debug.txt");
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->writeAll("log", 3));
  file->close();
  EXPECT_EQ(nvtest::readWhole(user.path() / "state" / "logs" / "Debug.txt"), "log");
  EXPECT_FALSE(fs::exists(program.path() / "logs" / "Debug.txt"));
  EXPECT_EQ(nvtest::readWhole(*wce::resolveForReading(u"LOGS/debug.TXT")), "log");
}

TEST_F(ProgramPathTest, WritingReusesAnExistingNameOfAnotherCase) {
  user.writeFile("state/Saves/LangID", "old");
  const std::optional<fs::path> target = wce::resolveForWriting(u"saves/langid");
  ASSERT_TRUE(target);
  EXPECT_TRUE(fs::equivalent(*target, user.path() / "state" / "Saves" / "LangID"));
  const std::optional<fs::path> fresh = wce::resolveForWriting(u"New/Name.TXT");
  ASSERT_TRUE(fresh);
  EXPECT_EQ(*fresh, user.path() / "state" / "New" / "Name.TXT");
}

TEST_F(ProgramPathTest, WritingRefusesEscapesAndFolders) {
  fs::create_directories(user.path() / "state" / "folder");
  user.writeFile("state/file", "f");
  EXPECT_FALSE(wce::resolveForWriting(u"../escape"));
  EXPECT_FALSE(wce::resolveForWriting(u"a/../../escape"));
  EXPECT_FALSE(wce::resolveForWriting(u"file/below"));
  EXPECT_FALSE(wce::createProgramFile(u"folder"));
  EXPECT_FALSE(fs::exists(user.path() / "escape"));
}

TEST_F(ProgramPathTest, OpeningReadsTheResolvedFile) {
  program.writeFile("a/b.dat", "content");
  std::optional<wce::File> file = wce::openProgramFile(u"A/B.DAT");
  ASSERT_TRUE(file);
  char buffer[7];
  EXPECT_EQ(file->read(buffer, 7), 7u);
  EXPECT_FALSE(wce::openProgramFile(u"a"));
}

// Restores the environment variables a test changes.
class EnvironmentGuard {
public:
  EnvironmentGuard() {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.emplace_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~EnvironmentGuard() {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
      if (saved_[i]) {
        ::setenv(kNames[i], saved_[i]->c_str(), 1);
      } else {
        ::unsetenv(kNames[i]);
      }
    }
  }

private:
  static constexpr const char* kNames[] = {"NIGHTVAULT_PROGRAM_DIR", "NIGHTVAULT_USER_DIR", "XDG_DATA_HOME", "HOME"};
  std::vector<std::optional<std::string>> saved_;
};

TEST(Folders, EnvironmentNamesTheFolders) {
  const EnvironmentGuard guard;
  const nvtest::TempFolder folder;
  ::setenv("NIGHTVAULT_PROGRAM_DIR", folder.path().c_str(), 1);
  ::setenv("NIGHTVAULT_USER_DIR", (folder.path() / "u").c_str(), 1);
  EXPECT_EQ(wce::programFolder(), folder.path());
  EXPECT_EQ(wce::userFolder(), folder.path() / "u");
  ::unsetenv("NIGHTVAULT_USER_DIR");
  ::setenv("XDG_DATA_HOME", (folder.path() / "xdg").c_str(), 1);
  EXPECT_EQ(wce::userFolder(), folder.path() / "xdg" / "nightvault");
  ::setenv("XDG_DATA_HOME", "relative", 1);
  ::setenv("HOME", folder.path().c_str(), 1);
  EXPECT_EQ(wce::userFolder(), folder.path() / ".local" / "share" / "nightvault");
  ::unsetenv("NIGHTVAULT_PROGRAM_DIR");
  EXPECT_EQ(wce::programFolder(), fs::canonical("/proc/self/exe").parent_path());
}

}  // namespace
