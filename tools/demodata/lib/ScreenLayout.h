#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/demodata/lib/Bytes.h"

namespace nv::demodata {

struct SpriteRow {
  int x, y, w, h, framesPerRow, picture;
  std::string name;
  int line = 0;                // source line
  std::filesystem::path file;  // source file
  // Top-left corner of frame n in the sprite's picture.
  int frameX(int n) const { return x + (n % framesPerRow) * w; }
  int frameY(int n) const { return y + (n / framesPerRow) * h; }
};

// The layout tables of one screen size: the nine header bytes, the map places and points, the
// sprite table and the tap rectangles; the same tables drive the pictures and res.dat.
class ScreenLayout {
public:
  static constexpr int kSpriteRows = 53;
  static constexpr int kFontRow = 43;

  static ScreenLayout load(const std::filesystem::path& folder);
  // `base` changed by the files of `folder`, each optional: screen.txt sets some layout bytes,
  // sprites.txt replaces the rows it lists (by number and name), map.txt replaces the map tables.
  static ScreenLayout loadOver(const ScreenLayout& base, const std::filesystem::path& folder);
  // The same tables for pictures enlarged `factor` times: every position, size and layout byte
  // multiplied (frames per row and picture numbers kept). Throws when a layout byte overflows.
  ScreenLayout scaled(int factor) const;

  int header(const std::string& name) const;
  const SpriteRow& sprite(int row) const { return sprites_.at(row); }
  const SpriteRow& sprite(const std::string& name) const;
  int spriteRowOf(const std::string& name) const;
  int cellSize() const { return header("cellSize"); }
  // Row `name` cut out of its picture at (x, y), its frames `w` x `h`.
  void placeSprite(const std::string& name, int x, int y, int w, int h);

  Bytes encodeResDat() const;
  // Throws naming the sprite table's line when a frame the game cuts out of picture
  // `picture` (1-6) lies outside the painted `width` x `height`.
  void checkFramesInside(int picture, int width, int height) const;

private:
  void read(const std::filesystem::path& folder, bool overlay);

  std::vector<std::pair<std::string, int>> header_;
  std::vector<SpriteRow> sprites_;
  std::vector<std::array<int, 3>> places_;
  std::vector<std::array<int, 2>> points_;
  std::vector<std::vector<int>> spots_;
};

}  // namespace nv::demodata
