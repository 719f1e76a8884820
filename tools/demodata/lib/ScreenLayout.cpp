#include "tools/demodata/lib/ScreenLayout.h"

#include <algorithm>
#include <stdexcept>

#include "tools/demodata/lib/LanguageFile.h"
#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

namespace {

constexpr int kLastTextId = LanguageFile::kHighestTextId;

// Rows whose painted frames the game cuts beyond the first; every other row is checked at frame 0.
const std::pair<const char*, int> kFrameCounts[] = {{"runTiles", 20},
                                                    {"persons", 200},
                                                    {"planTiles", 20},
                                                    {"objects", 96},
                                                    {"pictureBox", 7},
                                                    {"checkBox", 2},
                                                    {"itemIcons", 12},
                                                    {"explosion", 6},
                                                    {"portraitFrame", 2},
                                                    {"buttonIcons", 3},
                                                    {"personIcons", 5},
                                                    {"portraits", 5},
                                                    {"planPersons", 4},
                                                    {"planSigns", 4}};

const char* const kHeaderOrder[] = {"barButtonX",
                                    "barButtonY",
                                    "cellSize",
                                    "overlayAX",
                                    "overlayAY",
                                    "overlayBX",
                                    "overlayBY",
                                    "textCharWidth",
                                    "textLineHeight"};

std::vector<int> numbers(const SourceFile& source, const SourceFile::Line& line, const std::vector<std::string>& words,
                         std::size_t from, std::size_t count) {
  if (words.size() != from + count) source.fail(line, "expected " + std::to_string(count) + " numbers");
  std::vector<int> out;
  for (std::size_t i = from; i < words.size(); ++i) {
    try {
      out.push_back(parseInt(words[i]));
    } catch (const std::exception&) {
      source.fail(line, "not a number: " + words[i]);
    }
  }
  return out;
}

// Row `row` must come next in `rows`.
template <typename T>
void expectNext(const SourceFile& source, const SourceFile::Line& line, const std::vector<T>& rows, int row) {
  if (row != static_cast<int>(rows.size())) source.fail(line, "rows must be listed from 0 upward");
}

}  // namespace

ScreenLayout ScreenLayout::load(const std::filesystem::path& folder) {
  ScreenLayout layout;
  layout.read(folder, false);
  return layout;
}

ScreenLayout ScreenLayout::loadOver(const ScreenLayout& base, const std::filesystem::path& folder) {
  ScreenLayout layout = base;
  layout.read(folder, true);
  return layout;
}

void ScreenLayout::read(const std::filesystem::path& folder, bool overlay) {
  const auto present = [&](const char* name) { return !overlay || std::filesystem::exists(folder / name); };
  if (present("screen.txt")) {
    const SourceFile screen(folder / "screen.txt");
    for (const auto& line : screen.lines()) {
      const auto words = splitWords(line.text);
      const auto value = numbers(screen, line, words, 1, 1);
      if (value[0] < -128 || value[0] > 127) screen.fail(line, "a layout byte holds -128..127");
      const auto known =
          std::find_if(header_.begin(), header_.end(), [&](const auto& h) { return h.first == words[0]; });
      if (overlay && known == header_.end()) screen.fail(line, "not a layout byte: " + words[0]);
      if (overlay)
        known->second = value[0];
      else
        header_.emplace_back(words[0], value[0]);
    }
    for (const char* name : kHeaderOrder) header(name);
    if (cellSize() < 12) screen.fail("cellSize below 12 stalls the trail dots");
    if (header("textCharWidth") < 1 || header("textLineHeight") < 1) screen.fail("empty glyph cell");
  }

  if (present("sprites.txt")) {
    const SourceFile sprites(folder / "sprites.txt");
    for (const auto& line : sprites.lines()) {
      const auto words = splitWords(line.text);
      if (words.size() != 8) sprites.fail(line, "expected row x y w h framesPerRow picture name");
      const auto v = numbers(sprites, line, {words.begin(), words.end() - 1}, 0, 7);
      if (v[3] < 1 || v[4] < 1 || v[6] < 0 || v[6] > 7) sprites.fail(line, "bad size or picture");
      if (v[5] < (v[0] == kFontRow ? 0 : 1)) sprites.fail(line, "framesPerRow must be at least 1");
      const SpriteRow row{v[1], v[2], v[3], v[4], v[5], v[6], words[7], line.number, sprites.path()};
      if (!overlay) {
        expectNext(sprites, line, sprites_, v[0]);
        sprites_.push_back(row);
      } else if (v[0] < 0 || v[0] >= static_cast<int>(sprites_.size()) || sprites_[v[0]].name != words[7]) {
        sprites.fail(line, "replaces no row of that number and name");
      } else {
        sprites_[v[0]] = row;
      }
    }
    if (sprites_.size() != kSpriteRows) sprites.fail("the sprite table has 53 rows");
    const int cell = cellSize();
    for (int row : {0, 1, 2, 4})
      if (sprites_[row].w != cell || sprites_[row].h != cell) sprites.fail("rows 0, 1, 2 and 4 are cell-sized");
  }
  if (!sprites_.empty()) {
    const SpriteRow& font = sprites_[kFontRow];
    if (font.w != header("textCharWidth") || font.h != header("textLineHeight"))
      throw std::runtime_error(font.file.string() + ":" + std::to_string(font.line) +
                               ": row 43 is the glyph cell of screen.txt's textCharWidth and textLineHeight");
  }

  if (present("map.txt")) {
    const SourceFile map(folder / "map.txt");
    places_.clear();
    points_.clear();
    spots_.clear();
    for (const auto& line : map.lines()) {
      const auto words = splitWords(line.text);
      if (words.empty()) continue;
      if (words[0] == "place") {
        const auto v = numbers(map, line, words, 1, 4);
        expectNext(map, line, places_, v[0]);
        if (v[3] < 1 || v[3] > kLastTextId) map.fail(line, "text ids are 1-" + std::to_string(kLastTextId));
        places_.push_back({v[1], v[2], v[3]});
      } else if (words[0] == "point") {
        const auto v = numbers(map, line, words, 1, 3);
        expectNext(map, line, points_, v[0]);
        points_.push_back({v[1], v[2]});
      } else if (words[0] == "spot") {
        const auto v = numbers(map, line, words, 1, 5);
        expectNext(map, line, spots_, v[0]);
        spots_.push_back({v[1], v[2], v[3], v[4]});
      } else {
        map.fail(line, "expected place, point or spot");
      }
    }
    if (places_.size() > 9 || points_.size() > 5 || spots_.size() != 7)
      map.fail("at most 9 places and 5 points; exactly 7 spot groups");
  }
}

void ScreenLayout::checkFramesInside(int picture, int width, int height) const {
  for (std::size_t row = 0; row < sprites_.size(); ++row) {
    const SpriteRow& s = sprites_[row];
    if (s.picture != picture) continue;
    int frames = 1;
    for (const auto& [name, count] : kFrameCounts)
      if (s.name == name) frames = count;
    const int last = frames - 1;
    const int right = s.x + std::min(frames, s.framesPerRow) * s.w;
    if (s.x < 0 || s.y < 0 || right > width || s.frameY(last) + s.h > height)
      throw std::runtime_error(s.file.string() + ":" + std::to_string(s.line) + ": frame " + std::to_string(last) +
                               " of sprite row " + std::to_string(row) + " (" + s.name + ") lies outside picture " +
                               std::to_string(picture) + " (" + std::to_string(width) + " x " + std::to_string(height) +
                               ")");
  }
}

ScreenLayout ScreenLayout::scaled(int factor) const {
  ScreenLayout out = *this;
  for (auto& [name, value] : out.header_) {
    value *= factor;
    if (value < -128 || value > 127)
      throw std::runtime_error("screen.txt: " + name + " overflows its byte when scaled");
  }
  for (auto& s : out.sprites_) {
    s.x *= factor;
    s.y *= factor;
    s.w *= factor;
    s.h *= factor;
  }
  for (auto& place : out.places_) {
    place[0] *= factor;
    place[1] *= factor;
  }
  for (auto& point : out.points_)
    for (int& v : point) v *= factor;
  for (auto& spot : out.spots_)
    for (int& v : spot) v *= factor;
  return out;
}

int ScreenLayout::header(const std::string& name) const {
  for (const auto& [key, value] : header_)
    if (key == name) return value;
  throw std::runtime_error("screen.txt: missing " + name);
}

int ScreenLayout::spriteRowOf(const std::string& name) const {
  for (std::size_t i = 0; i < sprites_.size(); ++i)
    if (sprites_[i].name == name) return static_cast<int>(i);
  throw std::runtime_error("sprites.txt: no sprite named " + name);
}

const SpriteRow& ScreenLayout::sprite(const std::string& name) const { return sprites_[spriteRowOf(name)]; }

void ScreenLayout::placeSprite(const std::string& name, int x, int y, int w, int h) {
  SpriteRow& row = sprites_[spriteRowOf(name)];
  row.x = x;
  row.y = y;
  row.w = w;
  row.h = h;
}

Bytes ScreenLayout::encodeResDat() const {
  BigEndianWriter out;
  for (const char* name : kHeaderOrder) out.u8(header(name));
  out.u8(static_cast<int>(places_.size()));
  for (const auto& place : places_) {
    out.u8(3);
    for (int v : place) out.s32(v);
  }
  out.u8(static_cast<int>(points_.size()));
  for (const auto& point : points_) {
    out.u8(2);
    for (int v : point) out.s16(v);
  }
  out.u8(static_cast<int>(sprites_.size()));
  for (const auto& s : sprites_) {
    out.u8(6);
    for (int v : {s.x, s.y, s.w, s.h, s.framesPerRow, s.picture}) out.s16(v);
  }
  out.u8(static_cast<int>(spots_.size()));
  for (const auto& spot : spots_) {
    out.u8(static_cast<int>(spot.size()));
    for (int v : spot) out.s16(v);
  }
  return out.take();
}

}  // namespace nv::demodata
