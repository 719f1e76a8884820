#include <algorithm>

#include "tools/demodata/lib/Sheets.h"

namespace nv::demodata {

namespace {

const Rgba kNight = rgb(0x141e34);
const Rgba kStreet = rgb(0x3a4258);
const Rgba kLamp = rgb(0xf0d070);
const Rgba kPaper = rgb(0xf4f0e4);
const Rgba kInk = rgb(0x101820);

constexpr int kDrawnWidth = 240;
constexpr int kDrawnHeight = 268;

// The sheet holds the map and every other frame of picture 2.
int pictureWidth(const ScreenLayout& layout, int mapWidth) {
  int width = mapWidth;
  for (int row = 0; row < ScreenLayout::kSpriteRows; ++row)
    if (const SpriteRow& s = layout.sprite(row); s.picture == 2 && s.name != "title")
      width = std::max(width, s.x + s.w * std::max(1, s.framesPerRow));
  return width;
}

int pictureHeight(const ScreenLayout& layout) {
  int height = kDrawnHeight;
  for (int row = 0; row < ScreenLayout::kSpriteRows; ++row)
    if (const SpriteRow& s = layout.sprite(row); s.picture == 2) height = std::max(height, s.y + s.h);
  return height;
}

void building(Image& img, int x, int y, int w, int h, Rgba colour, bool lit) {
  img.bevel(x, y, w, h, colour, shade(colour, 140), shade(colour, 50));
  for (int wy = y + 4; wy + 4 < y + h; wy += 7)
    for (int wx = x + 4; wx + 4 < x + w; wx += 7)
      img.fill(wx, wy, 3, 4, lit && ((wx + wy) / 7) % 3 == 0 ? kLamp : shade(colour, 40));
}

void standingFigure(Image& img, int x, int y, int w, int h, Rgba clothes) {
  const int cx = x + w / 2, head = std::max(5, w / 7);
  img.disc(cx, y + head + 2, head, rgb(0xe8b890));
  img.fill(cx - head - 3, y + 2 * head + 4, 2 * head + 7, h / 2 - head, clothes);
  img.fill(
      cx - head - 1, y + 2 * head + 4 + h / 2 - head, head, h - (2 * head + 6) - (h / 2 - head), shade(clothes, 60));
  img.fill(cx + 2, y + 2 * head + 4 + h / 2 - head, head, h - (2 * head + 6) - (h / 2 - head), shade(clothes, 60));
}

}  // namespace

Image paintMapSheet(const ScreenLayout& layout, const PixelFont& font) {
  const SpriteRow& map = layout.sprite("title");
  Image img(pictureWidth(layout, map.w), pictureHeight(layout));
  // The city is drawn for a map 240 wide; narrower maps squeeze its columns.
  const auto sx = [&](int x) { return x * map.w / kDrawnWidth; };
  // The city map: streets, the job office, the van, the boss's corner and the planning table.
  // The backdrops stay dark: the main menu and the best results are written over them.
  img.fill(map.x, map.y, map.w, map.h, kNight);
  img.fill(map.x, map.y + 96, map.w, 10, kStreet);
  img.fill(map.x + sx(150), map.y, 10, map.h, kStreet);
  img.fill(map.x + sx(40), map.y, 8, map.h, kStreet);
  for (int x = 4; x < map.w; x += 24) img.fill(map.x + x, map.y + 100, 8, 2, kLamp);
  building(img, sx(62), 112, sx(70), 50, rgb(0x6a4a3a), true);   // place 0: the job office
  building(img, sx(180), 2, sx(56), 30, rgb(0x3a3a44), false);   // backdrop
  building(img, sx(0), 58, sx(38), 36, rgb(0x4a3a5a), true);     // place 2: the boss
  building(img, sx(164), 108, sx(70), 56, rgb(0x3a5a4a), true);  // place 7: the planning room
  img.fill(sx(178), 126, sx(42), 20, rgb(0x8a6a40));
  img.fill(sx(182), 130, sx(34), 12, kPaper);
  building(img, sx(0), 0, sx(32), 28, rgb(0x505a6a), false);     // backdrop
  building(img, sx(60), 2, sx(80), 44, rgb(0x5a3a3a), false);    // bar and park backdrop
  building(img, sx(168), 40, sx(62), 50, rgb(0x3a4a6a), false);  // gym and arcade backdrop
  // The office sign, left of the main menu's centred items.
  font.drawText(img, "NIGHTVAULT", 2, 166 - font.height(), kLamp);

  const Rgba clothes[] = {rgb(0x306080), rgb(0x308040), rgb(0x806020), rgb(0x703080)};
  const char* persons[] = {"mapPerson1", "mapPerson2", "mapPerson3", "mapPerson4"};
  for (int p = 0; p < 4; ++p) {
    const SpriteRow& r = layout.sprite(persons[p]);
    standingFigure(img, r.x, r.y, r.w, r.h, clothes[p]);
  }
  const Rgba barFace = rgb(0x2a3850), barLight = rgb(0x5a7098), barDark = rgb(0x141c28);
  for (const char* name : {"topBarLeft", "topBar", "topBarRight", "placeTag"}) {
    const SpriteRow& r = layout.sprite(name);
    img.bevel(r.x, r.y, r.w, r.h, barFace, barLight, barDark);
  }
  {
    // Places 8 (the map menu) and 1 (the break-in) sit on the two ends of the top bar.
    const SpriteRow& left = layout.sprite("topBarLeft");
    for (int i = 0; i < 3; ++i) img.fill(left.x + left.w / 2 - 7, left.y + left.h / 2 - 6 + i * 5, 14, 3, kPaper);
    const SpriteRow& right = layout.sprite("topBarRight");
    paintVehicle(img, right.x + right.w / 2 - 18, right.y + right.h / 2 - 7, 36, 14, rgb(0x3a5a8a), false);
  }
  {
    const SpriteRow& money = layout.sprite("moneyBar");
    img.bevel(money.x, money.y, money.w, money.h, barDark, barLight, barFace);
    const SpriteRow& inner = layout.sprite("moneyBarInner");
    img.fill(inner.x, inner.y + 2, inner.w, inner.h - 4, rgb(0x101010));
    const SpriteRow& dot = layout.sprite("moneyBarDot");
    img.disc(dot.x + dot.w / 2, dot.y + dot.h / 2, dot.w / 2, rgb(0xe8c040));
  }
  const SpriteRow& icons = layout.sprite("personIcons");
  const Rgba iconColours[] = {rgb(0x803030), clothes[0], clothes[1], clothes[2], clothes[3]};
  for (int p = 0; p < 5; ++p) {
    const int x = icons.frameX(p), y = icons.frameY(p);
    img.fill(x, y, icons.w, icons.h, iconColours[p]);
    img.disc(x + icons.w / 2, y + 5, 3, rgb(0xe8b890));
    img.frame(x, y, icons.w, icons.h, kInk);
  }
  return img;
}

}  // namespace nv::demodata
