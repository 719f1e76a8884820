#include "tools/demodata/lib/SmallPictures.h"

#include <string>

#include "tools/demodata/lib/Sheets.h"

namespace nv::demodata {

namespace {

const Rgba kGold = rgb(0xe8c040);
const Rgba kNight = rgb(0x141e34);
const Rgba kPaper = rgb(0xf4f0e4);

void drawScaled(Image& img, const PixelFont& font, const std::string& text, int x, int y, int scale, Rgba ink) {
  Image line(static_cast<int>(text.size()) * (PixelFont::kWidth + 1), font.height());
  font.drawText(line, text, 0, 0, ink);
  for (int yy = 0; yy < line.height(); ++yy)
    for (int xx = 0; xx < line.width(); ++xx)
      if (line.at(xx, yy).a != 0) img.fill(x + xx * scale, y + yy * scale, scale, scale, ink);
}

void triangleArrow(Image& img, int x, int y, int size, int direction, Rgba colour) {
  const int c = size / 2, r = size / 2 - 2;
  const int ax[] = {-r, 0, r, 0}, ay[] = {0, -r, 0, r};
  const int px = -ay[direction], py = ax[direction];
  img.triangle(x + c + ax[direction],
               y + c + ay[direction],
               x + c - ax[direction] / 2 + px,
               y + c - ay[direction] / 2 + py,
               x + c - ax[direction] / 2 - px,
               y + c - ay[direction] / 2 - py,
               colour);
}

}  // namespace

GuiImageSet buildGuiImageSet(const PixelFont& font) {
  constexpr int kArrow = 16, kButton = 24;
  GuiImageSet set{Image(4 * kArrow + 4 * kButton, kButton), {}};
  struct Frame {
    int x, y, w, h;
  };
  std::vector<Frame> frames;
  const int arrowDirections[] = {1, 3, 0, 2};  // up, down, left, right
  for (int i = 0; i < 4; ++i) {
    const int x = i * kArrow;
    set.picture.disc(x + kArrow / 2, kArrow / 2, kArrow / 2 - 1, rgb(0x2a3850));
    triangleArrow(set.picture, x, 0, kArrow, arrowDirections[i], kGold);
    frames.push_back({x, 0, kArrow, kArrow});
  }
  const char* labels[] = {"<", "9", "5", "?"};  // undo, free look, person menu, help
  for (int i = 0; i < 4; ++i) {
    const int x = 4 * kArrow + i * kButton;
    set.picture.bevel(x, 0, kButton, kButton, rgb(0x2a3850), rgb(0x5a7098), rgb(0x141c28));
    font.drawText(
        set.picture, labels[i], x + (kButton - PixelFont::kWidth) / 2, (kButton - font.height()) / 2 + 1, kGold);
    frames.push_back({x, 0, kButton, kButton});
  }
  BigEndianWriter bin;
  bin.s16(static_cast<int>(frames.size()));
  for (const Frame& f : frames) {
    bin.s16(f.x);
    bin.s16(f.y);
    bin.s16(f.w);
    bin.s16(f.h);
  }
  bin.s16(static_cast<int>(frames.size()));
  for (std::size_t k = 0; k < frames.size(); ++k) {
    bin.s16(1);  // one frame, no header bytes
    bin.u8(1);   // one part
    bin.s16(0);
    bin.s16(0);
    bin.s16(static_cast<int>(k));
    bin.u8(0);  // drawn under every mask
    bin.u8(0);  // no named rectangles
  }
  set.description = bin.take();
  return set;
}

Image paintLogo(const PixelFont& font) {
  Image img(168, 48);
  img.disc(20, 24, 16, kGold);
  img.disc(27, 19, 14, kClear);
  drawScaled(img, font, "NIGHTVAULT", 40, 16, 2, kNight);
  return img;
}

constexpr int kTitleWidth = 124, kTitleHeight = 20;

Image paintSplashBackground(const PixelFont& font, int width, int height) {
  Image img(width, height, kNight);
  for (int i = 0; i < 60; ++i) img.set((i * 97) % width, (i * 61) % (height * 9 / 16), kPaper);
  const int heights[] = {90, 130, 70, 150, 110, 80, 140, 100};
  for (int b = 0; b < 8 && b * 30 < width; ++b) {
    const int h = heights[b] * height / 320;
    const Rgba face = shade(rgb(0x2a3850), 80 + b * 5);
    img.fill(b * 30, height - h, 28, h, face);
    for (int wy = height - h + 6; wy < height - 4; wy += 10)
      for (int wx = b * 30 + 4; wx < b * 30 + 24; wx += 8)
        img.fill(wx, wy, 4, 5, (wx + wy) % 3 == 0 ? kGold : shade(face, 50));
  }
  img.disc(width - 50, 60, 22, kGold);
  img.disc(width - 40, 52, 20, kNight);
  // The title goes over the top right corner; on a narrow screen the caption moves below it.
  const std::string caption = "an original demo";
  const bool beside = 4 + static_cast<int>(caption.size()) * (PixelFont::kWidth + 1) < width - kTitleWidth;
  font.drawText(img, caption, 4, beside ? 4 : kTitleHeight + 4, shade(kPaper, 70));
  return img;
}

Image paintTitle(const PixelFont& font) {
  Image img(kTitleWidth, kTitleHeight);
  drawScaled(img, font, "NIGHTVAULT", 3, 3, 2, rgb(0x000000));
  drawScaled(img, font, "NIGHTVAULT", 2, 2, 2, kGold);
  return img;
}

// Small enough for the narrow window of its short caption.
Image paintInfoPicture(const PixelFont& font) {
  Image img(64, 64, kNight);
  img.fill(0, 28, 64, 6, rgb(0x3a4258));
  img.fill(29, 0, 6, 64, rgb(0x3a4258));
  img.bevel(5, 5, 19, 19, rgb(0x6a4a3a), rgb(0x9a7a6a), rgb(0x3a2a1a));
  img.bevel(40, 38, 19, 19, rgb(0x3a5a4a), rgb(0x6a8a7a), rgb(0x1a2a2a));
  img.disc(49, 14, 7, kGold);
  font.drawText(img, "CITY", 2, 55, kPaper);
  return img;
}

Image paintHand() {
  Image img(14, 14);
  img.fill(2, 6, 10, 7, rgb(0xe8b890));
  img.fill(4, 1, 3, 6, rgb(0xe8b890));
  img.frame(2, 6, 10, 7, rgb(0x402010));
  img.frame(4, 1, 3, 6, rgb(0x402010));
  return img;
}

Image paintTouchArrow(int direction) {
  constexpr int kSize = 24;
  Image img(kSize, kSize);
  img.disc(kSize / 2, kSize / 2, kSize / 2 - 1, Rgba{20, 30, 52, 128});
  triangleArrow(img, 0, 0, kSize, direction, Rgba{232, 192, 64, 200});
  return img;
}

}  // namespace nv::demodata
