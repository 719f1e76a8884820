#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/demodata/lib/Alphabet.h"
#include "tools/demodata/lib/Bytes.h"
#include "tools/demodata/lib/LanguageFile.h"
#include "tools/demodata/lib/Level.h"
#include "tools/demodata/lib/PixelFont.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nv::demodata {

struct ArchiveEntry {
  std::string name;
  Bytes data;
};

// One screen size the data set serves: the resolution file "<w>x<h>.dat" at the archive's root
// names the folder "<w>x<h>/" of its layout and pictures, painted by the layout tables of
// data/layout changed by those of data/layout/<layoutFolder>, and enlarged `scale` times; its
// glyph font picture is drawn with the pixel font data/fonts/<glyphFont>.
struct ScreenSet {
  int width;
  int height;
  const char* layoutFolder;  // "" for the tables of data/layout itself
  int scale;
  const char* glyphFont;
  bool touchScreen;            // some device served this set has a touch screen, where menu rows are twice as high
  std::string name() const;    // "480x640"
  std::string folder() const;  // "480x640/"
  // The tables its pictures are painted by: those of `layoutRoot` (data/layout) changed by its own folder's.
  ScreenLayout paintedLayout(const ScreenLayout& base, const std::filesystem::path& layoutRoot) const;
};

// Everything that goes into game.dat, built from the sources under `dataRoot` (the data/ folder).
class DataSet {
public:
  static constexpr const char* kResolution = "240x320";  // the screen the sources are drawn for
  static const std::vector<ScreenSet>& screens();

  static DataSet build(const std::filesystem::path& dataRoot);

  const std::vector<ArchiveEntry>& entries() const { return entries_; }
  const ArchiveEntry* find(const std::string& name) const;
  const std::vector<std::string>& languageIds() const { return languageIds_; }
  const std::vector<Level>& levels() const { return levels_; }  // in level order

  // Names the game may ask the archive for, whether stored or not.
  std::vector<std::string> probedNames() const;
  // Throws when two stored names share a 7z name hash, or an absent probed name has the hash of a stored one.
  void checkNameHashes() const;

  Bytes zipArchive() const;
  static std::string engineIni();
  // Writes game.dat and engine.ini into `folder` (created when missing).
  void writeTo(const std::filesystem::path& folder) const;

private:
  void add(std::string name, Bytes data);
  // The screen's resolution folder: its layout, image fonts and pictures.
  void addScreen(const ScreenSet& screen, const std::filesystem::path& root, const PixelFont& font,
                 const Alphabet& alphabet, const std::vector<Alphabet>& ownAlphabets,
                 const std::vector<LanguageFile>& texts);

  std::vector<ArchiveEntry> entries_;
  std::vector<std::string> languageIds_;
  std::vector<Level> levels_;
};

}  // namespace nv::demodata
