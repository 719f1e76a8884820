#include "tools/demodata/lib/Sheets.h"

namespace nv::demodata {

namespace {

const Rgba kInk = rgb(0x101820);
const Rgba kPaper = rgb(0xf4f0e4);
const Rgba kPanel = rgb(0x2a3850);
const Rgba kPanelLight = rgb(0x5a7098);
const Rgba kPanelDark = rgb(0x141c28);
const Rgba kGold = rgb(0xe8c040);
const Rgba kTick = rgb(0x60e060);
const Rgba kCross = rgb(0xf05040);

const Rgba kPersonClothes[] = {rgb(0x803030), rgb(0x306080), rgb(0x308040), rgb(0x806020), rgb(0x703080)};
const Rgba kPersonHair[] = {rgb(0x202020), rgb(0xc08030), rgb(0x602010), rgb(0x303030), rgb(0xe0d060)};

// Painted on a picture of its own, so that the shoulders stay inside the frame.
void face(Image& img, int x, int y, int w, int h, int person) {
  Image portrait(w, h);
  const int cx = w / 2, r = std::min(w, h) / 3;
  portrait.fill(0, 0, w, h, shade(kPersonClothes[person], 40));
  portrait.disc(cx, h - 2, r + 3, kPersonClothes[person]);
  portrait.disc(cx, h / 2 - 1, r, rgb(0xe8b890));
  portrait.fill(cx - r, h / 2 - r - 1, 2 * r + 1, r / 2 + 1, kPersonHair[person]);
  portrait.set(cx - r / 3 - 1, h / 2 - 1, kInk);
  portrait.set(cx + r / 3 + 1, h / 2 - 1, kInk);
  portrait.fill(cx - 1, h / 2 + r / 2, 3, 1, kInk);
  img.paste(portrait, x, y);
}

void paintLetter(Image& img, const PixelFont& font, char32_t c, int x, int y, int w, int h, Rgba ink) {
  font.draw(img, c, x + (w - PixelFont::kWidth) / 2, y + (h - font.height() + 1) / 2, ink);
}

const Rgba kSteel = rgb(0xc8d0d8);
const Rgba kWood = rgb(0xb07840);
const Rgba kRed = rgb(0xe04030);

// A small picture of each tool on a 16 x 16 tile, in the item order of the game's table.
void paintTool(Image& img, int tool, int x, int y) {
  switch (tool) {
    case 0:  // crowbar
      for (int d = 0; d < 2; ++d) img.line(x + 4 + d, y + 13, x + 11 + d, y + 3, kRed);
      img.line(x + 11, y + 3, x + 13, y + 4, kRed);
      break;
    case 1:  // hammer
      img.fill(x + 7, y + 6, 2, 8, kWood);
      img.fill(x + 3, y + 3, 10, 4, kSteel);
      break;
    case 2:  // drill
      img.fill(x + 3, y + 5, 7, 5, rgb(0xe0a020));
      img.fill(x + 4, y + 10, 3, 4, rgb(0xe0a020));
      img.fill(x + 10, y + 7, 4, 1, kSteel);
      break;
    case 3:  // lockpicks
      img.disc(x + 5, y + 11, 2, kSteel);
      img.line(x + 6, y + 10, x + 13, y + 3, kSteel);
      img.line(x + 8, y + 11, x + 13, y + 6, kSteel);
      break;
    case 4:  // chisel
      img.fill(x + 7, y + 8, 3, 6, kWood);
      img.fill(x + 7, y + 2, 3, 6, kSteel);
      img.fill(x + 8, y + 2, 1, 1, kPanelDark);
      break;
    case 5:  // blowtorch
      img.fill(x + 3, y + 8, 4, 6, kRed);
      img.fill(x + 6, y + 8, 5, 2, kSteel);
      img.triangle(x + 11, y + 6, x + 14, y + 9, x + 11, y + 11, rgb(0x40a0ff));
      break;
    case 6:  // screwdriver
      img.fill(x + 3, y + 7, 5, 3, rgb(0x4060c0));
      img.fill(x + 8, y + 8, 6, 1, kSteel);
      break;
    case 7:  // wire cutter
      img.line(x + 3, y + 13, x + 9, y + 6, kRed);
      img.line(x + 4, y + 13, x + 10, y + 6, kRed);
      img.line(x + 13, y + 13, x + 7, y + 6, kRed);
      img.line(x + 12, y + 13, x + 6, y + 6, kRed);
      img.fill(x + 7, y + 3, 3, 3, kSteel);
      break;
    case 8:  // code scanner
      img.fill(x + 4, y + 3, 8, 11, rgb(0x303840));
      img.fill(x + 5, y + 4, 6, 4, rgb(0x60e060));
      for (int k = 0; k < 3; ++k) img.fill(x + 5 + 2 * k, y + 10, 1, 2, kSteel);
      break;
    case 9:     // small charge
    case 10: {  // big charge
      const int r = tool == 9 ? 3 : 5;
      img.disc(x + 8, y + 9, r, rgb(0x202020));
      img.line(x + 8, y + 9 - r, x + 11, y + 2, kWood);
      img.set(x + 12, y + 2, rgb(0xffd040));
      break;
    }
    default:  // key card
      img.fill(x + 3, y + 5, 10, 7, rgb(0xe8e8f0));
      img.fill(x + 4, y + 6, 3, 3, rgb(0xe0a020));
      img.fill(x + 3, y + 10, 10, 1, rgb(0x4060c0));
      break;
  }
}

}  // namespace

Image paintGuiSheet(const ScreenLayout& layout, const PixelFont& font) {
  Image img(176, 192);
  const auto cell = [&](const char* name, int frame) {
    const SpriteRow& r = layout.sprite(name);
    return std::array<int, 4>{r.frameX(frame), r.frameY(frame), r.w, r.h};
  };

  for (int p = 0; p < 5; ++p) {
    const auto [x, y, w, h] = cell("pictureBox", p);
    face(img, x, y, w, h, p);
    img.frame(x, y, w, h, kInk);
  }
  {
    const auto [x, y, w, h] = cell("pictureBox", 5);
    img.fill(x + 6, y + 3, w - 12, h - 6, kPaper);
    for (int line = y + 8; line < y + h - 6; line += 4) img.fill(x + 9, line, w - 18, 1, kPanelLight);
    const auto [ix, iy, iw, ih] = cell("pictureBox", 6);
    img.disc(ix + iw / 2, iy + ih / 2, 14, kPanelLight);
    paintLetter(img, font, U'i', ix, iy, iw, ih, kPaper);
  }
  for (int f = 0; f < 2; ++f) {
    const auto [x, y, w, h] = cell("checkBox", f);
    img.bevel(x, y, w, h, kPaper, kInk, kPanelLight);
    if (f == 1) img.fill(x + 2, y + 2, w - 4, h - 4, kInk);
  }
  for (int i = 0; i < 12; ++i) {
    const auto [x, y, w, h] = cell("itemIcons", i);
    img.bevel(x, y, w, h, kPanelDark, kPanelLight, kInk);
    paintTool(img, i, x, y);
  }
  {
    const auto [x, y, w, h] = cell("portraitFrame", 0);
    img.bevel(x, y, w, h, kPanelDark, kPanelLight, kInk);
  }
  {
    const auto [x, y, w, h] = cell("bar", 0);
    for (int row = 0; row < h; ++row) img.fill(x, y + row, w, 1, shade(kPanel, 60 + row * 3));
    img.fill(x, y, w, 1, kPanelLight);
  }
  {
    // Speech bubbles carry the light glyph font, so they are dark with a light rim.
    const Rgba kPaper = kPanelDark, kInk = kPanelLight;
    const auto [x, y, w, h] = cell("bubbleEnd", 0);
    img.fill(x, y, w - 6, h, kPaper);
    img.fill(x, y, w - 6, 1, kInk);
    img.fill(x, y + h - 1, w - 6, 1, kInk);
    img.triangle(x + w - 7, y, x + w - 1, y + h / 2, x + w - 7, y + h - 1, kPaper);
    img.line(x + w - 7, y, x + w - 1, y + h / 2, kInk);
    img.line(x + w - 1, y + h / 2, x + w - 7, y + h - 1, kInk);
    const auto [mx, my, mw, mh] = cell("bubbleMiddle", 0);
    img.fill(mx, my, mw, mh, kPaper);
    img.fill(mx, my, mw, 1, kInk);
    img.fill(mx, my + mh - 1, mw, 1, kInk);
  }
  for (const char* name : {"bubbleDotLarge", "bubbleDotMiddle", "bubbleDotSmall"}) {
    const auto [x, y, w, h] = cell(name, 0);
    img.disc(x + w / 2, y + h / 2, w / 2, kPanelLight);
    img.disc(x + w / 2, y + h / 2, w / 2 - 1, kPanelDark);
  }
  {
    const auto [x, y, w, h] = cell("shopCursor", 0);
    img.frame(x, y, w, h, kGold);
    img.frame(x + 1, y + 1, w - 2, h - 2, kGold);
    const auto [ux, uy, uw, uh] = cell("unavailable", 0);
    // Out of reach: the tool shows through a dark checker, with a small cross in its corner.
    for (int dy = 0; dy < uh; ++dy)
      for (int dx = (dy % 2); dx < uw; dx += 2) img.set(ux + dx, uy + dy, kInk);
    img.line(ux + uw - 6, uy + uh - 6, ux + uw - 2, uy + uh - 2, rgb(0xe02020));
    img.line(ux + uw - 2, uy + uh - 6, ux + uw - 6, uy + uh - 2, rgb(0xe02020));
  }
  {
    const auto [x, y, w, h] = cell("shopBase", 0);
    img.bevel(x, y, w, h, kPanel, kPanelLight, kPanelDark);
    const auto [gx, gy, gw, gh] = cell("gauge", 0);
    img.fill(gx, gy, gw, gh, rgb(0x30c040));
    img.frame(gx, gy, gw, gh, kInk);
    const auto [sx, sy, sw, sh] = cell("slot", 0);
    img.bevel(sx, sy, sw, sh, kPanelDark, kInk, kPanelLight);
    const auto [tx, ty, tw, th] = cell("windowTitle", 0);
    img.bevel(tx, ty, tw, th, kPanelLight, shade(kPanelLight, 150), kPanel);
    const auto [bx, by, bw, bh] = cell("buttonBase", 0);
    img.bevel(bx, by, bw, bh, kPanel, kPanelLight, kPanelDark);
  }
  {
    // Frame 0 accepts (a tick), frame 1 declines or goes back (a cross); both also mark menu rows and scroll ends.
    const auto [ax, ay, aw, ah] = cell("buttonIcons", 0);
    for (int d = 0; d < 2; ++d) {
      img.line(ax + 1, ay + ah / 2 - 1 + d, ax + aw / 3 + 1, ay + ah - 2 + d, kTick);
      img.line(ax + aw / 3 + 1, ay + ah - 2 + d, ax + aw - 2, ay + d, kTick);
    }
    const auto [cx, cy, cw, ch] = cell("buttonIcons", 1);
    const int side = std::min(cw, ch) - 2, left = cx + (cw - side) / 2;
    for (int d = 0; d < 2; ++d) {
      img.line(left + d, cy + 1, left + side - 2 + d, cy + side, kCross);
      img.line(left + side - 2 + d, cy + 1, left + d, cy + side, kCross);
    }
    const auto [dx, dy, dw, dh] = cell("buttonIcons", 2);
    img.disc(dx + dw / 2, dy + dh / 2, 3, kGold);
  }
  {
    // As wide as the soft-key button: the level bar's "select a person" text starts after this width.
    const auto [x, y, w, h] = cell("moneyIcon", 0);
    img.disc(x + h / 2, y + h / 2, h / 2 - 1, kGold);
    paintLetter(img, font, U'$', x, y, h, h, shade(kGold, 50));
    const auto [gx, gy, gw, gh] = cell("scrollGrip", 0);
    img.fill(gx, gy, gw, gh, kPanelLight);
    const auto [cx, cy, cw, ch] = cell("clock", 0);
    img.bevel(cx, cy, cw, ch, rgb(0x101010), kPanelLight, kPanelDark);
    img.frame(cx + 2, cy + 2, cw - 4, ch - 4, kPanel);
  }
  for (int p = 0; p < 5; ++p) {
    const auto [x, y, w, h] = cell("portraits", p);
    face(img, x, y, w, h, p);
  }
  return img;
}

}  // namespace nv::demodata
