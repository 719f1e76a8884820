#include <set>

#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/Sheets.h"
#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

namespace {

void paintPattern(Image& img, int x, int y, int s, const std::string& pattern, Rgba a, Rgba b) {
  if (pattern == "brick") {
    img.fill(x, y, s, s, a);
    for (int row = 0; row < s; row += 6) {
      img.fill(x, y + row, s, 1, b);
      const int offset = (row / 6) % 2 == 0 ? 0 : s / 4;
      for (int col = offset; col < s; col += s / 2) img.fill(x + col, y + row, 1, 6, b);
    }
  } else if (pattern == "concrete" || pattern == "asphalt" || pattern == "pavement") {
    img.fill(x, y, s, s, a);
    for (int i = 0; i < s * s / 9; ++i) img.set(x + (i * 7 + i / 3) % s, y + (i * 13 + i / 5) % s, b);
    if (pattern == "pavement") {
      img.fill(x, y, s, 1, b);
      img.fill(x, y, 1, s, b);
    }
  } else if (pattern == "hedge" || pattern == "grass") {
    img.fill(x, y, s, s, a);
    for (int i = 0; i < s * s / 5; ++i) img.set(x + (i * 11 + i / 7) % s, y + (i * 5 + i / 2) % s, b);
  } else if (pattern == "boards") {
    img.fill(x, y, s, s, a);
    for (int row = 0; row < s; row += 4) img.fill(x, y + row, s, 1, b);
  } else if (pattern == "tiles" || pattern == "marble") {
    img.fill(x, y, s, s, a);
    img.frame(x, y, s / 2, s / 2, b);
    img.frame(x + s / 2, y + s / 2, s - s / 2, s - s / 2, b);
    img.frame(x + s / 2, y, s - s / 2, s / 2, b);
    img.frame(x, y + s / 2, s / 2, s - s / 2, b);
  } else if (pattern == "carpet") {
    img.fill(x, y, s, s, a);
    for (int i = 0; i < s; i += 3)
      for (int j = (i / 3) % 2; j < s; j += 2) img.set(x + j, y + i, b);
  } else if (pattern == "wall") {
    // Courses of bricks: light bricks, joints in the dark colour, every other course offset.
    img.fill(x, y, s, s, shade(b, 75));
    for (int course = 0; course * 6 < s; ++course) {
      img.fill(x, y + course * 6, s, 1, a);
      for (int joint = (course % 2) * 4; joint < s; joint += 8) img.fill(x + joint, y + course * 6, 1, 6, a);
    }
  } else if (pattern == "paper") {
    img.fill(x, y, s, s, a);
    img.fill(x, y, s, 1, b);
    img.fill(x, y, 1, s, b);
  } else if (pattern == "hatch") {
    for (int py = 0; py < s; ++py)  // diagonal stripes kept inside the cell
      for (int px = 0; px < s; ++px)
        if ((px + s - 1 - py) % 4 == 0) img.set(x + px, y + py, a);
  } else if (pattern == "ring") {
    img.disc(x + s / 2, y + s / 2, s / 4, a);
    img.disc(x + s / 2, y + s / 2, s / 4 - 2, kClear);
  } else if (pattern == "cross") {
    img.line(x + s / 4, y + s / 4, x + 3 * s / 4, y + 3 * s / 4, a);
    img.line(x + 3 * s / 4, y + s / 4, x + s / 4, y + 3 * s / 4, a);
  } else {
    throw std::runtime_error("unknown tile pattern " + pattern);
  }
}

}  // namespace

Image paintTileSheets(const ScreenLayout& layout, const std::filesystem::path& tiles, bool running) {
  const SpriteRow& row = layout.sprite(running ? "runTiles" : "planTiles");
  const int s = layout.cellSize();
  Image sheet(6 * s, 5 * s);
  const SourceFile source(tiles);
  std::set<int> painted;
  for (const auto& line : source.lines()) {
    const auto w = splitWords(line.text);
    if (w.size() != 5 || (w[0] != "run" && w[0] != "plan"))
      source.fail(line, "expected <set> <frame> <pattern> <colour> <colour>");
    if ((w[0] == "run") != running) continue;
    const int frame = parseInt(w[1]);
    if (frame < 0 || frame >= kTileFrames || !painted.insert(frame).second) source.fail(line, "bad or repeated frame");
    try {
      paintPattern(sheet, row.frameX(frame), row.frameY(frame), s, w[2], parseColour(w[3]), parseColour(w[4]));
    } catch (const std::exception& e) {
      source.fail(line, e.what());
    }
  }
  if (static_cast<int>(painted.size()) != kTileFrames) source.fail("every tile frame 0-19 of both sets is needed");
  const Rgba van = rgb(0x3a5a8a);
  if (running) {
    const SpriteRow& vehicle = layout.sprite("vehicleRun");
    paintVehicle(sheet, vehicle.x, vehicle.y, vehicle.w, vehicle.h, van, false);
    const SpriteRow& police = layout.sprite("police");
    paintVehicle(sheet, police.x, police.y, police.w, police.h, rgb(0xe8e8f0), true);
    for (const char* name : {"vehicleOverlayA0", "vehicleOverlayA1", "vehicleOverlayB0", "vehicleOverlayB1"}) {
      const SpriteRow& overlay = layout.sprite(name);
      const bool open = std::string(name).back() == '1';
      sheet.fill(overlay.x, overlay.y, overlay.w, overlay.h, open ? rgb(0x1a1a1a) : shade(van, 80));
      sheet.frame(overlay.x, overlay.y, overlay.w, overlay.h, shade(van, 50));
    }
  } else {
    const SpriteRow& vehicle = layout.sprite("vehiclePlan");
    sheet.frame(vehicle.x + 1, vehicle.y + 3, vehicle.w - 2, vehicle.h - 6, rgb(0xdce6ff));
    sheet.line(vehicle.x + 14, vehicle.y + 3, vehicle.x + 14, vehicle.y + vehicle.h - 4, rgb(0xdce6ff));
    const SpriteRow& object = layout.sprite("planObject");
    sheet.frame(object.x + 4, object.y + 4, object.w - 8, object.h - 8, rgb(0xdce6ff));
    const SpriteRow& persons = layout.sprite("planPersons");
    for (int d = 0; d < 4; ++d)
      paintPersonFigure(sheet, persons.frameX(d), persons.frameY(d), persons.w, d, 0, rgb(0xdce6ff), kClear);
    const SpriteRow& signs = layout.sprite("planSigns");
    const Rgba signColours[] = {rgb(0xff0000), rgb(0x00ff00), rgb(0x0000ff), rgb(0xff00ee)};
    for (int i = 0; i < 4; ++i) sheet.disc(signs.frameX(i) + 3, signs.frameY(i) + 3, 2, signColours[i]);
  }
  return sheet;
}

}  // namespace nv::demodata
