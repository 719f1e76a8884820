#include "tools/demodata/lib/ReviewSheets.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <png.h>
#include <stdexcept>

#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/PngWriter.h"
#include "tools/demodata/lib/Sheets.h"

namespace nv::demodata {

namespace {

constexpr int kGap = 6;
constexpr int kSheetWidth = 760;
constexpr int kCell = 14;
const Rgba kInk = rgb(0xf0f0f0);

Image decodePng(const Bytes& data) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
    throw std::runtime_error(std::string("review: cannot read a picture: ") + image.message);
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
    throw std::runtime_error(std::string("review: cannot decode a picture: ") + image.message);
  Image out(static_cast<int>(image.width), static_cast<int>(image.height));
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * out.width() + x) * 4];
      out.set(x, y, {p[0], p[1], p[2], p[3]});
    }
  return out;
}

// Text in the font's characters; others become blanks.
std::string printable(const PixelFont& font, const std::string& text) {
  std::string out;
  for (char c : text) out += font.has(static_cast<unsigned char>(c)) ? c : ' ';
  return out;
}

void checkered(Image& img, int x, int y, int w, int h) {
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) img.set(x + px, y + py, ((px / 8 + py / 8) % 2) ? rgb(0x505050) : rgb(0x686868));
}

void blend(Image& img, const Image& picture, int x, int y) {
  for (int py = 0; py < picture.height(); ++py)
    for (int px = 0; px < picture.width(); ++px) {
      const Rgba s = picture.at(px, py);
      if (s.a == 0) continue;
      const Rgba d = img.at(x + px, y + py);
      const auto mix = [&](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>((a * s.a + b * (255 - s.a)) / 255);
      };
      img.set(x + px, y + py, {mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), 255});
    }
}

Rgba floorColour(int value) {
  constexpr std::uint32_t floors[] = {0xb08858, 0xd8d4c8, 0x8a3a4a, 0x9a9a9a, 0x4a8a3a, 0x44444c, 0xe8e8f0};
  return value < kFirstFloor ? rgb(0x1a2030) : rgb(floors[std::min(value - kFirstFloor, 6)]);
}

int captionHeight(const PixelFont& font) { return font.height() + 3; }

}  // namespace

Image paintContactSheet(const DataSet& set, const PixelFont& font) {
  const int caption = captionHeight(font);
  struct Placed {
    std::string name;
    Image picture;
    int x, y;
  };
  std::vector<Placed> placed;
  int x = kGap, y = kGap, rowHeight = 0;
  for (const auto& entry : set.entries()) {
    if (entry.name.size() < 4 || entry.name.substr(entry.name.size() - 4) != ".png") continue;
    Image picture = decodePng(entry.data);
    const int w = std::max(picture.width(), static_cast<int>(entry.name.size()) * (PixelFont::kWidth + 1));
    if (x > kGap && x + w > kSheetWidth) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    placed.push_back({entry.name, std::move(picture), x, y});
    x += w + kGap;
    rowHeight = std::max(rowHeight, caption + placed.back().picture.height());
  }
  Image sheet(kSheetWidth, y + rowHeight + kGap, rgb(0x202428));
  for (const auto& p : placed) {
    font.drawText(sheet, printable(font, p.name), p.x, p.y, kInk);
    checkered(sheet, p.x, p.y + caption, p.picture.width(), p.picture.height());
    blend(sheet, p.picture, p.x, p.y + caption);
  }
  return sheet;
}

Image paintLevelMap(const Level& level, const std::string& title, const PixelFont& font) {
  const int top = captionHeight(font) + 2;
  const int width = std::max(level.width * kCell, static_cast<int>(title.size()) * (PixelFont::kWidth + 1)) + 4;
  Image img(width, top + level.height * kCell + 2, rgb(0x101418));
  font.drawText(img, printable(font, title), 2, 2, kInk);
  const auto cellX = [&](int x) { return 2 + x * kCell; };
  const auto cellY = [&](int y) { return top + y * kCell; };
  for (int y = 0; y < level.height; ++y)
    for (int x = 0; x < level.width; ++x) {
      const Rgba colour = floorColour(level.cell(x, y));
      img.fill(cellX(x), cellY(y), kCell, kCell, colour);
      if (level.cell(x, y) >= kFirstFloor) img.frame(cellX(x), cellY(y), kCell, kCell, shade(colour, 85));
    }
  for (int dx : {-1, 1})
    img.fill(cellX(level.exitX + dx) + 1, cellY(level.exitY) + 3, kCell - 2, kCell - 6, rgb(0x3a5a8a));
  img.frame(cellX(level.exitX), cellY(level.exitY), kCell, kCell, rgb(0x30e040));
  img.frame(cellX(level.exitX) + 1, cellY(level.exitY) + 1, kCell - 2, kCell - 2, rgb(0x30e040));
  const char lootLetters[] = " CJBWG";
  for (const auto& o : level.objects) {
    if (!level.inside(o.x, o.y)) continue;
    const int px = cellX(o.x), py = cellY(o.y);
    const bool container = (kObjectKindTable[o.kind].flags & kContainerFlag) != 0;
    Rgba colour = rgb(0x8a8a8a);
    char letter = ' ';
    if (o.kind == 1 || o.kind == 2) colour = rgb(0xa0703a), letter = o.kind == 1 ? 'D' : 'S';
    if (o.kind == kAlarmBoxKind) colour = rgb(0xd83020), letter = 'A';
    if (container && o.content >= 1 && o.amount >= 1) colour = rgb(0xe0b020), letter = lootLetters[o.content];
    img.fill(px + 2, py + 2, kCell - 4, kCell - 4, colour);
    constexpr int dx[] = {-1, 0, 1, 0}, dy[] = {0, -1, 0, 1};
    const int f = o.facing & 3;
    img.fill(px + kCell / 2 - 2 + dx[f] * 5, py + kCell / 2 - 2 + dy[f] * 5, 4, 4, rgb(0xffffff));
    if (letter != ' ') font.draw(img, static_cast<unsigned char>(letter), px + 4, py + 3, rgb(0x101010));
  }
  for (const auto& group : level.alarms)
    for (const auto& [x, y] : group.cells)
      if (level.inside(x, y)) {
        img.frame(cellX(x), cellY(y), kCell, kCell, rgb(0xff2020));
        img.frame(cellX(x) + 1, cellY(y) + 1, kCell - 2, kCell - 2, rgb(0xff2020));
      }
  return img;
}

void writeReview(const DataSet& set, const PixelFont& font, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const auto write = [&](const std::string& name, const Image& image) {
    const Bytes png = encodePng(image);
    std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!file.flush()) throw std::runtime_error("cannot write " + (folder / name).string());
  };
  write("contact-sheet.png", paintContactSheet(set, font));
  for (std::size_t i = 0; i < set.levels().size(); ++i) {
    const Level& level = set.levels()[i];
    char name[32];
    std::snprintf(name, sizeof name, "level-%02zu.png", i + 1);
    write(name, paintLevelMap(level, "Level " + std::to_string(i + 1) + "  " + level.source.stem().string(), font));
  }
}

}  // namespace nv::demodata
