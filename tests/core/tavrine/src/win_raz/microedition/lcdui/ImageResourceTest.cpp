#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DImage.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"
#include "tests/core/tavrine/src/win/io/ProgramFolders.h"

using qel::io::DArchive;
using qel::lang::DStringPtr;
using qel::lcdui::DImage;

namespace {

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ImageResourceTest : public ::testing::Test {
protected:
  ~ImageResourceTest() override { DArchive::close(); }
  ProgramFolders folders;
};

TEST_F(ImageResourceTest, ArchiveEntryComesFirstThenTheLooseFile) {
  const auto grey = readFixture("png_index_past_palette.png");  // 4 x 4, the JPEG is 7 x 5
  const auto jpeg = readFixture("jpeg_baseline.jpg");
  const auto work = folders.program() / "work";
  writeFile(work / "img/pic.png", grey);
  const std::string zip = "cd '" + work.string() + "' && zip -q -r ../game.dat img";
  ASSERT_EQ(std::system(zip.c_str()), 0);
  writeFile(folders.program() / "img/pic.png", jpeg);
  writeFile(folders.program() / "loose.jpg", jpeg);

  DArchive::open(u"game.dat", u"");
  const auto fromArchive = DImage::createImageFromResource(u"img/pic.png", 0, false);
  const auto fromDecoder = DImage::createImageFromData(grey.data(), static_cast<int32_t>(grey.size()), false);
  EXPECT_EQ(fromArchive->getWidth(), 4);
  EXPECT_EQ(fromArchive->getWidth(), fromDecoder->getWidth());
  EXPECT_EQ(fromArchive->getHeight(), fromDecoder->getHeight());

  const auto loose = DImage::createImageFromResource(u"loose.jpg", 0, false);
  const auto jpegImage = DImage::createImageFromData(jpeg.data(), static_cast<int32_t>(jpeg.size()), false);
  EXPECT_EQ(loose->getWidth(), jpegImage->getWidth());
}

TEST_F(ImageResourceTest, MissingEverywhereAndNullName) {
  EXPECT_THROWS_CODE(qel::lang::ExceptionCode::IO, DImage::createImageFromResource(u"none.png", 0, false));
  EXPECT_THROWS_CODE(qel::lang::ExceptionCode::NullPointer, DImage::createImageFromResource(DStringPtr(), 0, false));
}

}  // namespace
