#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "io/DArchive.h"
#include "lang/DString.h"
#include "platform/testing/FolderOverrides.h"
#include "tests/support/TempFolder.h"

// A program folder and a user folder under the temporary folder, installed
// for one test: loose files beside the program, and a "game.dat" zipped by
// the zip tool from the entries the test adds.
class GameFolder {
public:
  GameFolder() {
    std::filesystem::create_directories(program());
    std::filesystem::create_directories(user());
    wce::setProgramFolder(program());
    wce::setUserFolder(user());
    writeProgramFile("engine.ini", "resolution=240x320\n");
  }
  ~GameFolder() {
    qel::io::DArchive::close();
    wce::setProgramFolder({});
    wce::setUserFolder({});
  }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  std::filesystem::path program() const { return root_ / "program"; }
  std::filesystem::path user() const { return root_ / "user"; }

  void addEntry(const std::string& name, const std::string& content) { entries_[name] = content; }
  void removeEntry(const std::string& name) { entries_.erase(name); }
  void addEntry(const std::string& name, const std::vector<uint8_t>& content) {
    entries_[name] = std::string(content.begin(), content.end());
  }

  // Zips the entries into "game.dat" and makes it the current archive.
  void openArchive() {
    writeArchive();
    qel::io::DArchive::close();
    qel::io::DArchive::open(u"game.dat", u"");
  }

  void writeArchive() const {
    std::filesystem::path staging = root_ / "staging";
    std::filesystem::remove_all(staging);
    std::filesystem::create_directories(staging);
    for (const auto& [name, content] : entries_) write(staging / name, content);
    std::filesystem::remove(program() / "game.dat");
    std::string command = "cd '" + staging.string() + "' && zip -q -X -r '" + (program() / "game.dat").string() + "' .";
    if (entries_.empty())
      command =
          "cd '" + staging.string() + "' && touch .keep && zip -q -X '" + (program() / "game.dat").string() + "' .keep";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("zip failed");
  }

  void writeProgramFile(const std::string& relative, const std::string& content) const {
    write(program() / relative, content);
  }

  static std::string contentOf(const std::filesystem::path& path) { return nvtest::readWhole(path); }

private:
  static void write(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }

  nvtest::TempFolder root_{"nv-gamelib"};
  std::map<std::string, std::string> entries_;
};

// Big-endian data as the game's files hold it.
class DataBytes {
public:
  DataBytes& byte(int v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  DataBytes& s16(int v) { return byte(v >> 8).byte(v); }
  DataBytes& s32(int32_t v) { return s16(v >> 16).s16(v); }
  // readUTF form: a 16-bit byte count, then the bytes (ASCII or UTF-8).
  DataBytes& utf(const std::string& text) {
    s16(static_cast<int>(text.size()));
    for (char c : text) byte(static_cast<unsigned char>(c));
    return *this;
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  operator std::string() const { return std::string(bytes_.begin(), bytes_.end()); }

private:
  std::vector<uint8_t> bytes_;
};

// One readUTF record per line.
inline std::string recordLines(std::initializer_list<std::string> lines) {
  DataBytes data;
  for (const std::string& line : lines) data.utf(line);
  return data;
}

inline std::string text(const qel::lang::DStringPtr& s) {
  if (!s) return "<null>";
  std::string out;
  for (char16_t unit : s->view()) out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return out;
}
