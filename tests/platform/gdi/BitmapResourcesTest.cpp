// Bitmap resources from files ImageMagick wrote (data/README.md).
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/PixelFormat.h"

namespace wce::testing {
namespace {

constexpr UINT kId = 500;

std::vector<std::uint8_t> dataFile(const std::string& name) {
  std::ifstream in(NV_TEST_DATA_DIR "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BitmapResourcesTest : public ::testing::Test {
protected:
  void TearDown() override { unregisterBitmapResource(kId); }
};

TEST_F(BitmapResourcesTest, ABottomUpFileLoadsTopRowFirst) {
  const std::vector<std::uint8_t> file = dataFile("six24.bmp");
  ASSERT_FALSE(file.empty());
  registerBitmapResource(kId, file);
  HBITMAP bitmap = LoadBitmapW(nullptr, kId);
  ASSERT_NE(bitmap, nullptr);
  BITMAP record;
  ASSERT_EQ(GetObjectW(bitmap, sizeof record, &record), static_cast<int>(sizeof record));
  EXPECT_EQ(record.bmWidth, 3);
  EXPECT_EQ(record.bmHeight, 2);
  EXPECT_EQ(record.bmBitsPixel, 32);
  const Colour expected[2][3] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {{255, 255, 255}, {0, 0, 0}, {16, 32, 48}}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const Colour c = readPixel(bitmap->format, bitmap->pixelAt(x, y));
      EXPECT_EQ(c.red, expected[y][x].red) << x << "," << y;
      EXPECT_EQ(c.green, expected[y][x].green) << x << "," << y;
      EXPECT_EQ(c.blue, expected[y][x].blue) << x << "," << y;
    }
  HBITMAP second = LoadBitmapW(nullptr, kId);
  EXPECT_NE(second, bitmap);  // a new bitmap per load
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteObject(second));
  EXPECT_EQ(GetObjectW(bitmap, sizeof record, &record), 0);
}

TEST_F(BitmapResourcesTest, UnknownIdsAndFilesItCannotReadGiveNoBitmap) {
  EXPECT_EQ(LoadBitmapW(nullptr, kId), nullptr);
  const std::vector<std::uint8_t> good = dataFile("six24.bmp");
  auto patched = [&](std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> file = good;
    file[at] = value;
    return file;
  };
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
  };
  const Case cases[] = {
      {"run-length palette file", dataFile("six8rle.bmp")},
      {"empty", {}},
      {"not BM", patched(0, 'X')},
      {"pixels cut short", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
      {"pixel offset past the end", patched(11, 0x40)},
      {"zero width", patched(18, 0)},
      {"huge height", patched(25, 0x7F)},
      {"two planes", patched(26, 2)},
      {"16 bits", patched(28, 16)},
  };
  for (const Case& c : cases) {
    registerBitmapResource(kId, c.file);
    EXPECT_EQ(LoadBitmapW(nullptr, kId), nullptr) << c.what;
  }
  registerBitmapResource(kId, good);
  unregisterBitmapResource(kId);
  EXPECT_EQ(LoadBitmapW(nullptr, kId), nullptr);

  BITMAP record;
  EXPECT_EQ(GetObjectW(GetStockObject(WHITE_BRUSH), sizeof record, &record), 0);
  registerBitmapResource(kId, good);
  HBITMAP bitmap = LoadBitmapW(nullptr, kId);
  EXPECT_EQ(GetObjectW(bitmap, sizeof record - 1, &record), 0);
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace wce::testing
