#include "tools/demodata/lib/PixelFont.h"

#include <stdexcept>

#include "tools/demodata/lib/Bytes.h"
#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

PixelFont PixelFont::load(const std::filesystem::path& file) {
  SourceFile source(file);
  PixelFont font;
  for (const auto& line : source.lines()) {
    const auto colon = line.text.find(": ", line.text.rfind("space", 0) == 0 ? 0 : 1);
    if (colon == std::string::npos) source.fail(line, "expected \"<character>: <rows>\"");
    const std::string name = line.text.substr(0, colon);
    const std::u32string chars = name == "space" ? U" " : decodeUtf8(name);
    if (chars.size() != 1) source.fail(line, "one character per glyph");
    const auto rows = splitWords(line.text.substr(colon + 2));
    if (font.height_ == 0) font.height_ = static_cast<int>(rows.size());
    if (rows.empty() || rows.size() > kMaxHeight) source.fail(line, "1 to 8 rows per glyph");
    if (static_cast<int>(rows.size()) != font.height_) source.fail(line, "every glyph has as many rows as the first");
    Glyph glyph{};
    for (int y = 0; y < font.height_; ++y) {
      if (rows[y].size() != kWidth) source.fail(line, "5 columns per row");
      for (int x = 0; x < kWidth; ++x) {
        if (rows[y][x] != '#' && rows[y][x] != '.') source.fail(line, "rows use \"#\" and \".\"");
        glyph[y][x] = rows[y][x] == '#';
      }
    }
    if (!font.glyphs_.emplace(chars[0], glyph).second) source.fail(line, "glyph defined twice");
  }
  if (font.height_ == 0) source.fail("no glyph");
  return font;
}

const PixelFont::Glyph& PixelFont::glyph(char32_t c) const {
  const auto it = glyphs_.find(c);
  if (it == glyphs_.end()) throw std::runtime_error("font has no glyph for \"" + encodeUtf8(c) + "\"");
  return it->second;
}

int PixelFont::inkedLeft(char32_t c) const {
  const Glyph& g = glyph(c);
  for (int x = 0; x < kWidth; ++x)
    for (int y = 0; y < height_; ++y)
      if (g[y][x]) return x;
  return 0;
}

int PixelFont::inkedWidth(char32_t c) const {
  const Glyph& g = glyph(c);
  int right = -1;
  for (int x = 0; x < kWidth; ++x)
    for (int y = 0; y < height_; ++y)
      if (g[y][x]) right = x;
  return right < 0 ? 3 : right - inkedLeft(c) + 1;
}

void PixelFont::draw(Image& image, char32_t c, int x, int y, Rgba ink) const {
  drawClipped(image, c, x, y, ink, x, y, kWidth, height_);
}

void PixelFont::drawClipped(Image& image, char32_t c, int x, int y, Rgba ink, int clipX, int clipY, int clipW,
                            int clipH) const {
  const Glyph& g = glyph(c);
  for (int yy = 0; yy < height_; ++yy)
    for (int xx = 0; xx < kWidth; ++xx) {
      const int px = x + xx, py = y + yy;
      if (g[yy][xx] && px >= clipX && px < clipX + clipW && py >= clipY && py < clipY + clipH) image.set(px, py, ink);
    }
}

int PixelFont::drawText(Image& image, const std::string& utf8, int x, int y, Rgba ink) const {
  int used = 0;
  for (char32_t c : decodeUtf8(utf8)) {
    draw(image, c, x + used, y, ink);
    used += kWidth + 1;
  }
  return used;
}

}  // namespace nv::demodata
