#include <gtest/gtest.h>

#include "PngProbe.h"
#include "TestSupport.h"
#include "tools/demodata/lib/ReviewSheets.h"

namespace nv::demodata::test {
namespace {

PixelFont font() { return PixelFont::load(std::filesystem::path(NV_SOURCE_DIR) / "data/fonts/glyphs-5x8.txt"); }

TEST(Review, WritesAContactSheetAndAMapOfEachLevel) {
  const nvtest::TempFolder folder("nv-demodata");
  writeReview(DemoData::get().set, font(), folder.path());
  const PngFacts sheet = probePng(readFile(folder / "contact-sheet.png"));
  ASSERT_TRUE(sheet.ok);
  std::uint32_t pictureArea = 0;
  for (const auto& e : DemoData::get().set.entries())
    if (e.name.size() > 4 && e.name.substr(e.name.size() - 4) == ".png") {
      const PngFacts png = probePng(e.data);
      pictureArea += png.width * png.height;
    }
  EXPECT_GE(sheet.width * sheet.height, pictureArea) << "room for every picture";
  for (int n = 1; n <= 26; ++n) {
    const std::string name = (n < 10 ? "level-0" : "level-") + std::to_string(n) + ".png";
    const PngFacts map = probePng(readFile(folder / name));
    ASSERT_TRUE(map.ok) << name;
    EXPECT_GE(map.width, static_cast<std::uint32_t>(DemoData::get().set.levels()[n - 1].width) * 14) << name;
  }
}

}  // namespace
}  // namespace nv::demodata::test
