#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// From the first start to the main menu: English on the language screen,
// sound on, the first-run information closed.
constexpr const char* mainMenuScript = R"(
until state=5 timeout=30s
key Return
until dialog=48 timeout=60s
key F1
until dialog=21 timeout=10s
key F1
until dialog=22 timeout=10s
wait 500ms
)";

// Within a step of RGB565 widening, channel by channel.
bool near(uint32_t a, uint32_t b) {
  for (int shift : {16, 8, 0})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8) return false;
  return true;
}

std::string contentOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<fs::path> onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');)
    if (!folder.empty() && ::access((fs::path(folder) / program).c_str(), X_OK) == 0) return fs::path(folder) / program;
  return std::nullopt;
}

// A child process of the test, ended (SIGTERM, then SIGKILL) when the object goes.
class Child {
public:
  Child(const std::vector<std::string>& arguments, const std::vector<std::string>& environment, const fs::path& output,
        int keepFd = -1) {
    pid_ = ::fork();
    if (pid_ != 0) return;
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, 1);
    ::dup2(out, 2);
    for (const std::string& setting : environment) ::putenv(::strdup(setting.c_str()));
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (keepFd < 0) ::closefrom(3);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ~Child() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 200 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (::waitpid(pid_, nullptr, WNOHANG) == 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  bool running() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
  pid_t pid_ = -1;
};

// A binary PPM (P6, 8-bit) as decoded by ImageMagick.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::string rgb;
  uint32_t at(int x, int y) const {
    const std::size_t i = static_cast<std::size_t>(y * width + x) * 3;
    return (static_cast<uint8_t>(rgb[i]) << 16) | (static_cast<uint8_t>(rgb[i + 1]) << 8) |
           static_cast<uint8_t>(rgb[i + 2]);
  }
  static Screenshot readPpm(const std::string& bytes) {
    std::istringstream in(bytes);
    std::string magic;
    int maxValue = 0;
    Screenshot shot;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || shot.width <= 0 || shot.height <= 0) return {};
    shot.rgb.resize(static_cast<std::size_t>(shot.width * shot.height * 3));
    if (!in.read(shot.rgb.data(), static_cast<std::streamsize>(shot.rgb.size()))) return {};
    return shot;
  }
};

class XvfbStartTest : public ::testing::Test {
protected:
  // The program as `cmake --install` lays it out under `prefix`.
  void install(const fs::path& prefix) {
    const std::string command = std::string("'") + NV_CMAKE_COMMAND + "' --install '" + NV_BUILD_DIR + "' --prefix '" +
                                prefix.string() + "' > '" + (root / "install.log").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << contentOf(root / "install.log");
  }

  bool waitFor(const fs::path& file, const std::vector<std::string>& marks, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      const std::string text = contentOf(file);
      for (const std::string& mark : marks)
        if (text.find(mark) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  nvtest::TempFolder temp{"nv-xvfb"};
  fs::path root = temp.path();
};

TEST_F(XvfbStartTest, TheInstalledProgramReachesTheMainMenuInAnXWindow) {
  const std::optional<fs::path> xvfb = onPath("Xvfb");
  const std::optional<fs::path> import = onPath("import");
  const std::optional<fs::path> convert = onPath("convert");
  if (!xvfb || !import || !convert)
    GTEST_SKIP() << "Xvfb and ImageMagick (import, convert) are needed: scripts/setup installs xvfb and imagemagick";

  // The program folder as `cmake --install` lays it out.
  const fs::path prefix = root / "prefix";
  ASSERT_NO_FATAL_FAILURE(install(prefix));
  std::set<std::string> programFolder;
  for (const auto& entry : fs::directory_iterator(prefix / "lib" / "nightvault"))
    programFolder.insert(entry.path().filename().string());
  EXPECT_EQ(programFolder, (std::set<std::string>{"engine.ini", "game.dat", "nightvault"}));

  // A display of our own: Xvfb picks a free number and writes it to the pipe.
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  Child server({xvfb->string(),
                "-displayfd",
                std::to_string(pipeFds[1]),
                "-screen",
                "0",
                "480x640x24",
                "-br",
                "-nolisten",
                "tcp"},
               {},
               root / "xvfb.log",
               pipeFds[1]);
  ::close(pipeFds[1]);
  std::string number;
  char c = 0;
  while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
  ::close(pipeFds[0]);
  ASSERT_FALSE(number.empty()) << contentOf(root / "xvfb.log");
  const std::string display = ":" + number;

  std::ofstream(root / "main-menu.txt") << mainMenuScript;
  const fs::path gameLog = root / "game.log";
  Child game({(prefix / "bin" / "nightvault").string(), "--script", (root / "main-menu.txt").string()},
             {"DISPLAY=" + display,
              "SDL_VIDEODRIVER=x11",
              "SDL_AUDIODRIVER=dummy",
              "NIGHTVAULT_ZOOM=1",
              "NIGHTVAULT_USER_DIR=" + (root / "user").string(),
              "NIGHTVAULT_PROGRAM_DIR="},
             gameLog);
  ASSERT_TRUE(waitFor(gameLog, {"nightvault: script done", "nightvault: script stopped"}, std::chrono::seconds(120)))
      << contentOf(gameLog);
  ASSERT_NE(contentOf(gameLog).find("nightvault: script done"), std::string::npos) << contentOf(gameLog);
  ASSERT_TRUE(game.running());

  // The screenshot for people under the build tree, its pixels read back as PPM.
  const fs::path png = NV_BUILD_DIR "/tests/projects/nvx/app/main-menu-under-xvfb.png", shot = root / "screen.ppm";
  fs::create_directories(png.parent_path());
  const std::string grab = "'" + import->string() + "' -display " + display + " -window root '" + png.string() +
                           "' && '" + convert->string() + "' '" + png.string() + "' -depth 8 'ppm:" + shot.string() +
                           "'";
  ASSERT_EQ(std::system(grab.c_str()), 0);
  const Screenshot screen = Screenshot::readPpm(contentOf(shot));
  ASSERT_EQ(screen.width, 480);
  ASSERT_EQ(screen.height, 640);

  // The 240 x 320 window is centred on the screen; the root around it stays as Xvfb made it.
  const int left = 120, top = 160;
  std::set<uint32_t> colours;
  for (int y = top; y < top + 320; ++y)
    for (int x = left; x < left + 240; ++x) colours.insert(screen.at(x, y));
  EXPECT_GE(colours.size(), 4u) << "the window shows the game's pictures";
  EXPECT_FALSE(near(screen.at(left + 120, top + 160), 0xB2003E)) << "no wait box: nothing is loading";
  for (auto [x, y] : {std::pair{0, 0}, std::pair{479, 639}, std::pair{left - 1, top + 160}, std::pair{left + 240, top}})
    EXPECT_EQ(screen.at(x, y), 0u) << "the black root at " << x << "," << y;
}

TEST_F(XvfbStartTest, TheInstallListsTheGameInDesktopMenus) {
  const std::optional<fs::path> validate = onPath("desktop-file-validate");
  const std::optional<fs::path> identify = onPath("identify");
  if (!validate || !identify)
    GTEST_SKIP() << "desktop-file-validate and identify are needed: scripts/setup installs desktop-file-utils and "
                    "imagemagick";
  const fs::path prefix = root / "prefix";
  ASSERT_NO_FATAL_FAILURE(install(prefix));

  const fs::path entry = prefix / "share" / "applications" / "nightvault.desktop";
  const std::string check =
      "'" + validate->string() + "' '" + entry.string() + "' > '" + (root / "validate.log").string() + "' 2>&1";
  EXPECT_EQ(std::system(check.c_str()), 0) << contentOf(root / "validate.log");
  const std::string text = contentOf(entry);
  EXPECT_NE(text.find("\nExec=" + (prefix / "bin" / "nightvault").string() + "\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nIcon=nightvault\n"), std::string::npos) << text;

  const fs::path icon = prefix / "share" / "icons" / "hicolor" / "64x64" / "apps" / "nightvault.png";
  const std::string size = "'" + identify->string() + "' -format '%m %wx%h' '" + icon.string() + "' > '" +
                           (root / "icon.txt").string() + "' 2>&1";
  ASSERT_EQ(std::system(size.c_str()), 0) << contentOf(root / "icon.txt");
  EXPECT_EQ(contentOf(root / "icon.txt"), "PNG 64x64");
}

}  // namespace
