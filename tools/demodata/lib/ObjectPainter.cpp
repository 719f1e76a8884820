#include <map>

#include "tools/demodata/lib/GameTables.h"
#include "tools/demodata/lib/ObjectFrames.h"
#include "tools/demodata/lib/Sheets.h"
#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

namespace {

struct Look {
  std::string shape;
  Rgba colour;
};

// Paints one object cell: the body, its front toward `facing`, and the open state.
void paintObject(Image& img, int x, int y, int s, const Look& look, int facing, bool open) {
  static constexpr int dx[] = {-1, 0, 1, 0};
  static constexpr int dy[] = {0, -1, 0, 1};
  const Rgba body = look.colour, dark = shade(look.colour, 55), light = shade(look.colour, 140);
  const Rgba inside = rgb(0x181818);
  const int c = s / 2;
  // The front band: a strip on the facing side.
  const auto frontBand = [&](int inset, int depth, Rgba colour) {
    if (facing == 0) img.fill(x + inset, y + inset, depth, s - 2 * inset, colour);
    if (facing == 2) img.fill(x + s - inset - depth, y + inset, depth, s - 2 * inset, colour);
    if (facing == 1) img.fill(x + inset, y + inset, s - 2 * inset, depth, colour);
    if (facing == 3) img.fill(x + inset, y + s - inset - depth, s - 2 * inset, depth, colour);
  };
  if (look.shape == "door") {
    const bool across = facing == 1 || facing == 3;  // a door in a horizontal wall
    // The running view draws no floor under a door, so its frame carries the wall ends.
    const Rgba wall = rgb(0x8a4a34), wallEdge = rgb(0x5c2e20);
    if (across) {
      img.bevel(x, y + c - 5, 4, 10, wall, wall, wallEdge);
      img.bevel(x + s - 4, y + c - 5, 4, 10, wall, wall, wallEdge);
    } else {
      img.bevel(x + c - 5, y, 10, 4, wall, wall, wallEdge);
      img.bevel(x + c - 5, y + s - 4, 10, 4, wall, wall, wallEdge);
    }
    if (open) {
      if (across)
        img.fill(x + 4, y + 2, 3, c - 2, body);
      else
        img.fill(x + 2, y + 4, c - 2, 3, body);
    } else if (across) {
      img.bevel(x + 4, y + c - 3, s - 8, 6, body, light, dark);
      img.set(x + s - 5, y + c, rgb(0xe0c040));
    } else {
      img.bevel(x + c - 3, y + 4, 6, s - 8, body, light, dark);
      img.set(x + c, y + s - 5, rgb(0xe0c040));
    }
  } else if (look.shape == "chest" || look.shape == "furniture" || look.shape == "wallbox") {
    const int inset = look.shape == "wallbox" ? 5 : 2;
    img.bevel(x + inset, y + inset, s - 2 * inset, s - 2 * inset, body, light, dark);
    frontBand(inset, 3, open ? inside : dark);
    if (look.shape == "chest") {
      img.disc(x + c, y + c, 4, dark);
      img.disc(x + c, y + c, 2, open ? inside : light);
    }
    if (open) img.fill(x + c - 4, y + c - 4, 8, 8, inside);
  } else if (look.shape == "alarmsafe") {
    // A steel wall box with a dial and a lamp: serves the alarm box and the wall safe.
    img.bevel(x + 4, y + 4, s - 8, s - 8, body, light, dark);
    frontBand(4, 3, open ? inside : dark);
    if (open)
      img.fill(x + c - 5, y + c - 5, 10, 10, inside);
    else
      img.disc(x + c, y + c, 4, light);
    img.disc(x + 7, y + 7, 2, rgb(0xe03020));
  } else if (look.shape == "glasscase") {
    // A wooden frame round a glass front: serves the wall cabinet and the display case.
    img.bevel(x + 3, y + 3, s - 6, s - 6, body, light, dark);
    img.fill(x + 6, y + 6, s - 12, s - 12, open ? inside : rgb(0xb8dcec));
    if (!open) img.line(x + 7, y + s - 8, x + s - 8, y + 7, rgb(0xf0f8ff));
    frontBand(3, 2, dark);
  } else if (look.shape == "round") {
    img.disc(x + c, y + c, c - 3, dark);
    img.disc(x + c, y + c, c - 5, body);
    img.disc(x + c + dx[facing] * 3, y + c + dy[facing] * 3, 2, light);
  } else if (look.shape == "alarm") {
    img.bevel(x + c - 5, y + c - 5, 10, 10, body, light, dark);
    img.disc(x + c + dx[facing] * 2, y + c + dy[facing] * 2, 3, open ? rgb(0x404040) : rgb(0xffe040));
  } else if (look.shape == "bomb") {
    img.disc(x + c, y + c + 1, 6, body);
    img.line(x + c, y + c - 5, x + c + 4, y + c - 9, rgb(0xc0a060));
    img.set(x + c + 5, y + c - 10, open ? rgb(0xffffff) : rgb(0xff8000));
  } else if (look.shape == "flat") {
    img.fill(x + 2, y + 5, s - 4, s - 10, body);
    img.frame(x + 2, y + 5, s - 4, s - 10, light);
  } else {
    throw std::runtime_error("unknown object shape " + look.shape);
  }
}

}  // namespace

Image paintObjectSheet(const ScreenLayout& layout, const std::filesystem::path& objects) {
  const SourceFile source(objects);
  std::map<int, Look> looks;
  std::map<std::pair<int, int>, Look> sharedLooks;  // (first kind, second kind) -> look of their common frames
  for (const auto& line : source.lines()) {
    const auto w = splitWords(line.text);
    if (w.size() == 5 && w[0] == "shared") {
      const int first = parseInt(w[1]), second = parseInt(w[2]);
      if (first < 0 || second <= first || second >= kObjectKinds)
        source.fail(line, "expected shared <kind> <later kind>");
      sharedLooks[{first, second}] = {w[3], parseColour(w[4])};
      continue;
    }
    if (w.size() != 3) source.fail(line, "expected <kind> <shape> <colour> or shared <kind> <kind> <shape> <colour>");
    const int kind = parseInt(w[0]);
    if (kind < 0 || kind >= kObjectKinds || looks.count(kind)) source.fail(line, "bad or repeated kind");
    looks[kind] = {w[1], parseColour(w[2])};
  }
  if (static_cast<int>(looks.size()) != kObjectKinds) source.fail("every kind 0-28 needs a look");

  const SpriteRow& row = layout.sprite("objects");
  const int s = row.w;
  Image sheet(row.framesPerRow * s, (kObjectFrames + row.framesPerRow - 1) / row.framesPerRow * s);
  std::map<int, std::pair<int, int>> closedFrames;  // frame -> (kind, facing) of the first kind using it
  std::map<int, int> secondKind;                    // frame -> a later kind using it too
  for (int kind = 0; kind < kObjectKinds; ++kind)
    for (int facing = 0; facing < 4; ++facing) {
      const int frame = kObjectKindTable[kind].frames[facing];
      if (!closedFrames.emplace(frame, std::pair{kind, facing}).second && closedFrames[frame].first != kind)
        secondKind.emplace(frame, kind);
    }
  for (int frame = 0; frame < kObjectFrames; ++frame) {
    auto it = closedFrames.find(frame);
    bool open = false;
    // Where a container's facings lie on consecutive frames, the unusable facing's frame is
    // the open look of the one before.
    if (const auto before = closedFrames.find(frame - 1); it != closedFrames.end() && before != closedFrames.end() &&
                                                          before->second.first == it->second.first &&
                                                          !usableFacing(it->second.first, it->second.second)) {
      it = before;
      open = true;
    } else if (it == closedFrames.end()) {
      it = closedFrames.find(frame - 1);
      open = true;
    }
    if (it == closedFrames.end()) continue;
    const auto [kind, facing] = it->second;
    Look look = looks[kind];
    if (const auto other = secondKind.find(it->first); other != secondKind.end()) {
      const auto shared = sharedLooks.find({kind, other->second});
      if (shared == sharedLooks.end())
        source.fail("kinds " + std::to_string(kind) + " and " + std::to_string(other->second) +
                    " share object frames: give them a \"shared\" look");
      look = shared->second;
    }
    try {
      paintObject(sheet, row.frameX(frame), row.frameY(frame), s, look, facing, open);
    } catch (const std::exception& e) {
      source.fail(e.what());
    }
  }
  return sheet;
}

}  // namespace nv::demodata
