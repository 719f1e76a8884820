#include "tools/demodata/lib/DataSet.h"

#include <fstream>
#include <map>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "tools/demodata/lib/Alphabet.h"
#include "tools/demodata/lib/FixedSizeSprites.h"
#include "tools/demodata/lib/Flag.h"
#include "tools/demodata/lib/Fonts.h"
#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/LanguageFile.h"
#include "tools/demodata/lib/Level.h"
#include "tools/demodata/lib/MenuFit.h"
#include "tools/demodata/lib/NameHash.h"
#include "tools/demodata/lib/PngWriter.h"
#include "tools/demodata/lib/ScreenLayout.h"
#include "tools/demodata/lib/Sheets.h"
#include "tools/demodata/lib/ShopLineFit.h"
#include "tools/demodata/lib/SmallPictures.h"
#include "tools/demodata/lib/Sounds.h"
#include "tools/demodata/lib/SourceFile.h"
#include "tools/demodata/lib/TitleFit.h"
#include "tools/demodata/lib/ZipWriter.h"

namespace nv::demodata {

namespace {

constexpr int kGlyphsPerRow = 16;
constexpr std::size_t kSoundBudget = 512000;

Bytes asciiBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A text table of readUTF records, one per source line ("encoding 1").
Bytes recordTable(const std::vector<std::string>& lines) {
  BigEndianWriter out;
  for (const auto& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) throw std::runtime_error("line break inside a record");
    out.utf(line);
  }
  return out.take();
}

void checkLanguageId(const std::string& id) {
  if (id.empty() || id.find_first_of(" ;/\\") != std::string::npos)
    throw std::runtime_error("language ids are ASCII without blanks, \";\" or \"/\": " + id);
  for (char c : id)
    if (static_cast<unsigned char>(c) > 0x7E) throw std::runtime_error("language ids are ASCII: " + id);
}

// The language's own alphabet when it has one ("alphabet_<id>.txt"), else the shared one.
Alphabet languageAlphabet(const std::filesystem::path& langFolder, const std::string& id, const Alphabet& shared,
                          const PixelFont& font) {
  const auto own = langFolder / ("alphabet_" + id + ".txt");
  Alphabet alphabet = std::filesystem::exists(own) ? Alphabet::load(own) : shared;
  for (char32_t c : alphabet.characters())
    if (!font.has(c)) throw std::runtime_error("the pixel font lacks \"" + encodeUtf8(c) + "\" of language " + id);
  return alphabet;
}

}  // namespace

void DataSet::add(std::string name, Bytes data) {
  if (find(name) != nullptr) throw std::runtime_error("archive entry added twice: " + name);
  entries_.push_back({std::move(name), std::move(data)});
}

const ArchiveEntry* DataSet::find(const std::string& name) const {
  for (const auto& e : entries_)
    if (e.name == name) return &e;
  return nullptr;
}

const std::vector<ScreenSet>& DataSet::screens() {
  // The screens 240 high take the lower glyph font: their touch screens' menu rows are twice as high.
  static const char* const kFont = "glyphs-5x8.txt";
  static const char* const kLowFont = "glyphs-5x6.txt";
  static const std::vector<ScreenSet> sets{{240, 320, "", 1, kFont, true},
                                           {480, 640, "", 2, kFont, true},
                                           {240, 240, "240x240", 1, kLowFont, true},
                                           {176, 220, "176x220", 1, kFont, false},
                                           {320, 240, "320x240", 1, kLowFont, true}};
  return sets;
}

std::string ScreenSet::name() const { return std::to_string(width) + "x" + std::to_string(height); }
std::string ScreenSet::folder() const { return name() + "/"; }

ScreenLayout ScreenSet::paintedLayout(const ScreenLayout& base, const std::filesystem::path& layoutRoot) const {
  return std::string_view(layoutFolder).empty() ? base : ScreenLayout::loadOver(base, layoutRoot / layoutFolder);
}

void DataSet::addScreen(const ScreenSet& screen, const std::filesystem::path& root, const PixelFont& font,
                        const Alphabet& alphabet, const std::vector<Alphabet>& ownAlphabets,
                        const std::vector<LanguageFile>& texts) {
  const std::string res = screen.folder();
  const int scale = screen.scale;
  const auto addPicture = [&](const std::string& name, const Image& picture) {
    add(res + name, encodePng(scale > 1 ? picture.enlarged(scale) : picture));
  };
  const ScreenLayout base = ScreenLayout::load(root / "layout");
  const ScreenLayout painted = screen.paintedLayout(base, root / "layout");
  ScreenLayout layout = painted.scaled(scale);
  checkMainMenuFits(layout, screen);
  const PixelFont glyphFont = PixelFont::load(root / "fonts" / screen.glyphFont);
  const Image guiSheet = paintGuiSheet(painted, font);
  for (std::size_t i = 0; i < languageIds_.size(); ++i) {
    try {
      checkShopLinesFit(texts[i], ownAlphabets[i], painted, guiSheet);
      checkTitlesFit(texts[i], ownAlphabets[i], painted, guiSheet, screen);
    } catch (const std::exception& e) {
      throw std::runtime_error("lang/" + languageIds_[i] + ".txt on " + screen.name() + ": " + e.what());
    }
  }
  for (std::size_t i = 0; i < languageIds_.size(); ++i) {
    const std::string& id = languageIds_[i];
    for (char32_t c : ownAlphabets[i].characters())
      if (!glyphFont.has(c))
        throw std::runtime_error(std::string("fonts/") + screen.glyphFont + " lacks \"" + encodeUtf8(c) +
                                 "\" of language " + id);
    addPicture("abc_" + id + ".png",
               paintGlyphFont(ownAlphabets[i],
                              glyphFont,
                              painted.header("textCharWidth"),
                              painted.header("textLineHeight"),
                              kGlyphsPerRow));
    if (languageIds_.size() > 1) addPicture("lang_" + id + ".png", loadFlag(root / "lang" / ("flag_" + id + ".txt")));
  }
  const ImageFontPage page = buildImageFontPage(alphabet, font, scale);
  add(res + "game_0.png", encodePng(page.picture));
  add(res + "game_0", page.glyphTable);

  const Image sheets[] = {guiSheet,
                          paintMapSheet(painted, font),
                          paintTileSheets(painted, root / "pictures" / "tiles.txt", false),
                          paintTileSheets(painted, root / "pictures" / "tiles.txt", true),
                          paintObjectSheet(painted, root / "pictures" / "objects.txt"),
                          paintPersonSheet(painted)};
  std::vector<Image> enlarged;
  for (const Image& sheet : sheets) enlarged.push_back(sheet.enlarged(scale));
  if (scale > 1) enlarged[0] = appendFixedSizeSprites(guiSheet, enlarged[0], painted, layout);
  add(res + "res.dat", layout.encodeResDat());
  for (int picture = 1; picture <= 6; ++picture) {
    const Image& sheet = enlarged[picture - 1];
    layout.checkFramesInside(picture, sheet.width(), sheet.height());
    add(res + "pic" + std::to_string(picture) + ".png", encodePng(sheet));
  }
  addPicture("info.png", paintInfoPicture(font));
  addPicture("hand.png", paintHand());
  addPicture("logo2.png", paintSplashBackground(font, screen.width / scale, screen.height / scale));
  addPicture("title.png", paintTitle(font));
  const char* arrows[] = {"arrow_left", "arrow_up", "arrow_right", "arrow_down"};
  for (int d = 0; d < 4; ++d) addPicture(std::string(arrows[d]) + ".png", paintTouchArrow(d));
}

DataSet DataSet::build(const std::filesystem::path& root) {
  DataSet set;
  for (const ScreenSet& screen : screens())
    set.add(screen.name() + ".dat", asciiBytes("PATH=" + screen.folder() + "\n"));

  const PixelFont font = PixelFont::load(root / "fonts" / "glyphs-5x8.txt");
  const Alphabet alphabet = Alphabet::load(root / "lang" / "alphabet.txt");
  for (char32_t c : alphabet.characters())
    if (!font.has(c)) throw std::runtime_error("the pixel font lacks \"" + encodeUtf8(c) + "\" of the alphabet");

  const SourceFile languages(root / "lang" / "languages.txt");
  std::vector<std::string> names;
  for (const auto& line : languages.lines()) {
    const auto blank = line.text.find(' ');
    if (blank == std::string::npos) languages.fail(line, "expected <id> <name>");
    const std::string id = line.text.substr(0, blank), name = line.text.substr(blank + 1);
    checkLanguageId(id);
    if (name.find(';') != std::string::npos) languages.fail(line, "names must not hold \";\"");
    set.languageIds_.push_back(id);
    names.push_back(name);
  }
  if (set.languageIds_.empty()) languages.fail("no language");
  std::string langList, idList;
  for (std::size_t i = 0; i < names.size(); ++i) {
    langList += (i ? ";" : "") + names[i];
    idList += (i ? ";" : "") + set.languageIds_[i];
  }
  set.add("lang.dat", recordTable({"LANG=" + langList, "ID=" + idList}));
  for (const auto& name : names) {
    try {
      alphabet.glyphsOf(name);
    } catch (const std::exception& e) {
      languages.fail("the image font cannot draw the name \"" + name + "\": " + e.what());
    }
  }
  std::vector<Alphabet> ownAlphabets;
  std::vector<LanguageFile> texts;
  for (const auto& id : set.languageIds_) {
    ownAlphabets.push_back(languageAlphabet(root / "lang", id, alphabet, font));
    texts.push_back(LanguageFile::load(root / "lang" / (id + ".txt"), ownAlphabets.back()));
    set.add("lng_" + id + ".dat", texts.back().encode());
    std::vector<std::string> table;
    const SourceFile tableSource(root / "lang" / ("res_" + id + ".txt"));
    for (const auto& line : tableSource.lines()) table.push_back(line.text);
    set.add("res_" + id + ".dat", recordTable(table));
  }
  for (const ScreenSet& screen : screens()) set.addScreen(screen, root, font, alphabet, ownAlphabets, texts);
  set.add("logo1.png", encodePng(paintLogo(font)));
  const GuiImageSet gui = buildGuiImageSet(font);
  set.add("img/gui.png", encodePng(gui.picture));
  set.add("img/gui.bin", gui.description);

  const auto legend = loadLegend(root / "levels" / "legend.txt");
  std::vector<Level>& levels = set.levels_;
  const SourceFile order(root / "levels" / "order.txt");
  for (const auto& line : order.lines()) {
    levels.push_back(loadLevel(root / "levels" / (line.text + ".txt"), legend));
    checkLevel(levels.back(), static_cast<int>(levels.size()));
  }
  if (levels.size() != kLevels) throw std::runtime_error("levels/order.txt must list 26 levels");
  set.add("m", encodeLevelFile(levels));

  std::map<std::string, Bytes> sounds;
  for (auto& effect : synthesiseEffects(root / "sounds" / "effects.txt"))
    sounds["snd/" + effect.name + ".wav"] = effect.file;
  for (int tune = nvx::tables::firstTune; tune < nvx::tables::soundCount; ++tune) {
    const std::string music = nvx::tables::soundNames[tune];
    sounds["snd/" + music + ".mod"] = composeModule(root / "sounds" / "music" / (music + ".txt"));
  }
  for (const char* name : nvx::tables::soundNames) {
    const std::string wav = std::string("snd/") + name + ".wav", mod = std::string("snd/") + name + ".mod";
    if (sounds.count(wav) + sounds.count(mod) != 1)
      throw std::runtime_error(std::string("sound ") + name + " needs exactly one of .wav and .mod");
  }
  for (auto& [name, data] : sounds) {
    if (data.size() >= kSoundBudget) throw std::runtime_error(name + " exceeds the sound budget");
    set.add(name, std::move(data));
  }
  if (sounds.size() != std::size(nvx::tables::soundNames))
    throw std::runtime_error("a sound without a name in the sound list");
  set.checkNameHashes();
  return set;
}

std::vector<std::string> DataSet::probedNames() const {
  std::vector<std::string> prefixes{""};
  for (const ScreenSet& screen : screens()) prefixes.push_back(screen.folder());
  std::vector<std::string> images{"logo1",
                                  "logo_partner",
                                  "img/gui",
                                  "arrow_up",
                                  "arrow_down",
                                  "arrow_left",
                                  "arrow_right",
                                  "rate",
                                  "info",
                                  "prov",
                                  "logo2",
                                  "title",
                                  "abc",
                                  "hand"};
  std::vector<std::string> streams{"options.dat", "res.dat", "lang.dat", "m", "img/gui.bin"};
  for (int p = 1; p <= 7; ++p) images.push_back("pic" + std::to_string(p));
  for (int p = 0; p <= 7; ++p) {
    images.push_back("game_" + std::to_string(p));
    streams.push_back("game_" + std::to_string(p));
  }
  for (const auto& id : languageIds_) {
    images.push_back("abc_" + id);
    images.push_back("lang_" + id);
    streams.push_back("lng_" + id + ".dat");
    streams.push_back("res_" + id + ".dat");
  }
  std::vector<std::string> names;
  for (const ScreenSet& screen : screens()) names.push_back(screen.name() + ".dat");
  for (const auto& prefix : prefixes) {
    for (const auto& image : images) {
      names.push_back(prefix + image + ".png");
      names.push_back(prefix + image + ".jpg");
    }
    for (const auto& stream : streams) names.push_back(prefix + stream);
  }
  for (const char* sound : nvx::tables::soundNames) {
    names.push_back(std::string("snd/") + sound + ".wav");
    names.push_back(std::string("snd/") + sound + ".mod");
  }
  return names;
}

void DataSet::checkNameHashes() const {
  std::vector<std::string> stored;
  for (const auto& e : entries_) stored.push_back(e.name);
  if (const auto clash = findNameHashClash(stored, probedNames()))
    throw std::runtime_error("name hash clash: " + *clash);
}

Bytes DataSet::zipArchive() const {
  ZipWriter zip;
  for (const auto& e : entries_) zip.add(e.name, e.data);
  return zip.finish();
}

std::string DataSet::engineIni() { return std::string("resolution=") + kResolution + "\n"; }

void DataSet::writeTo(const std::filesystem::path& out) const {
  std::filesystem::create_directories(out);
  const auto write = [&](const std::string& name, const Bytes& data) {
    const auto path = out / name;
    const auto temporary = out / (name + ".part");
    {
      std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
      if (!file.flush()) throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, path);
  };
  write("game.dat", zipArchive());
  write("engine.ini", asciiBytes(engineIni()));
}

}  // namespace nv::demodata
