#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

#include "platform/font/FontError.h"
#include "platform/font/FontLocator.h"

namespace wce {
namespace {

struct LocatorCase {
  std::u16string face;
  int weight;
  bool italic;
  std::string file;
};

void PrintTo(const LocatorCase& c, std::ostream* out) { *out << c.file; }

class FontLocatorFaces : public testing::TestWithParam<LocatorCase> {};

TEST_P(FontLocatorFaces, MapsDeviceFacesToDejaVuFiles) {
  const LocatorCase& c = GetParam();
  const FontMatch match = FontLocator().find(c.face, c.weight, c.italic);
  EXPECT_EQ(std::filesystem::path(match.path).filename(), c.file);
}

INSTANTIATE_TEST_SUITE_P(Faces, FontLocatorFaces,
                         testing::Values(LocatorCase{u"Tahoma", 400, false, "DejaVuSans.ttf"},
                                         LocatorCase{u"tahoma", 700, false, "DejaVuSans-Bold.ttf"},
                                         LocatorCase{u"Tahoma", 700, true, "DejaVuSans-BoldOblique.ttf"},
                                         LocatorCase{u"Courier New", 400, false, "DejaVuSansMono.ttf"},
                                         LocatorCase{u"Courier New", 400, true, "DejaVuSansMono-Oblique.ttf"},
                                         LocatorCase{u"DejaVu Serif", 700, false, "DejaVuSerif-Bold.ttf"}),
                         [](const testing::TestParamInfo<LocatorCase>& info) {
                           std::string name;
                           for (char c : info.param.file) {
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           }
                           return name;
                         });

TEST(FontLocator, UnknownFaceIsAClearError) {
  try {
    FontLocator().find(u"No Such Face", 400, false);
    FAIL() << "expected FontError";
  } catch (const FontError& error) {
    EXPECT_NE(std::string(error.what()).find("\"No Such Face\""), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace wce
