#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/Sheets.h"

namespace nv::demodata {

namespace {

constexpr int kFirstFigureFrame = 8;
constexpr int kFramesPerAction = 16;
constexpr int kExplosionFrames = 6;
constexpr int kStunnedFrame = 6;
constexpr int kMarkerFrame = 7;
constexpr int kStunnedBlock = 8;  // frames 136-151

// A tool colour per 16-frame action block (stand/walk, plant, then the work rows by item).
Rgba toolOfBlock(int block) {
  static const std::uint32_t tools[] = {
      0, 0xff8000, 0x8a8a8a, 0xc0c0c0, 0x6060ff, 0xa0a0a0, 0xff4020, 0xe0e040, 0x505050, 0x40c0c0, 0xffd060, 0x60ff60};
  const std::uint32_t t = tools[block % 12];
  return t == 0 ? kClear : rgb(t);
}

}  // namespace

Image paintPersonSheet(const ScreenLayout& layout) {
  const SpriteRow& row = layout.sprite("persons");
  const int s = row.w;
  Image sheet(row.framesPerRow * s, kPersonFrames / row.framesPerRow * s);
  const Rgba clothes = rgb(0x4a5a80);
  for (int f = 0; f < kExplosionFrames; ++f) {
    const int x = row.frameX(f), y = row.frameY(f), radius = 3 + f * 2;
    sheet.disc(x + s / 2, y + s / 2, radius, rgb(0xff6010));
    sheet.disc(x + s / 2, y + s / 2, radius * 2 / 3, rgb(0xffd040));
    if (f > 2) sheet.disc(x + s / 2, y + s / 2, radius / 3, kClear);
  }
  {
    const int x = row.frameX(kStunnedFrame), y = row.frameY(kStunnedFrame);
    paintPersonFigure(sheet, x, y, s, 3, 0, shade(clothes, 70), kClear);
    for (int i = 0; i < 3; ++i) sheet.set(x + 6 + i * 6, y + 3, rgb(0xffff40));
  }
  {
    const int x = row.frameX(kMarkerFrame), y = row.frameY(kMarkerFrame);
    sheet.disc(x + s / 2, y + s / 2, s / 2 - 1, rgb(0xffff40));
    sheet.disc(x + s / 2, y + s / 2, s / 2 - 3, kClear);
  }
  for (int f = kFirstFigureFrame; f < kPersonFrames; ++f) {
    const int block = (f - kFirstFigureFrame) / kFramesPerAction;
    const int direction = (f - kFirstFigureFrame) % kFramesPerAction / 4;
    const int phase = (f - kFirstFigureFrame) % 4;
    const Rgba body = block == kStunnedBlock && phase == 0 ? shade(clothes, 70) : clothes;
    paintPersonFigure(sheet, row.frameX(f), row.frameY(f), s, direction, phase, body, toolOfBlock(block));
  }
  return sheet;
}

}  // namespace nv::demodata
