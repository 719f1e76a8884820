#include <ft2build.h>
#include <gtest/gtest.h>

#include "platform/font/Font.h"
#include "platform/font/FontError.h"
#include "platform/font/FontService.h"
#include FT_FREETYPE_H

#include <cstdlib>
#include <memory>
#include <numeric>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace wce {
namespace {

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kDejaVuSansMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
// A family with one regular face only, so bold and italic are synthesised.
constexpr std::u16string_view kSingleFaceFamily = u"DejaVu Math TeX Gyre";

LogFont logFont(std::u16string_view face, int height, int weight = FW_NORMAL, bool italic = false,
                bool underline = false) {
  return LogFont{height, weight, italic, underline, std::u16string(face)};
}

int totalCoverage(const GlyphMask& mask) { return std::accumulate(mask.alpha.begin(), mask.alpha.end(), 0); }

int advanceOf(Font& font, std::u32string_view text) {
  int sum = 0;
  for (char32_t ch : text) {
    sum += font.charWidth(ch);
  }
  return sum;
}

int coverageOf(Font& font, std::u32string_view text) {
  int sum = 0;
  for (char32_t ch : text) {
    sum += totalCoverage(font.cell(ch));
  }
  return sum;
}

// Ink-weighted mean column of the given rows of a cell, or nothing without ink.
std::optional<double> meanInkColumn(const GlyphMask& cell, int firstRow, int lastRow) {
  double weighted = 0;
  double total = 0;
  for (int y = firstRow; y < lastRow; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      weighted += static_cast<double>(x) * cell.at(x, y);
      total += cell.at(x, y);
    }
  }
  if (total == 0) {
    return std::nullopt;
  }
  return weighted / total;
}

bool hasFullRow(const GlyphMask& cell, int firstRow) {
  for (int y = firstRow; y < cell.height; ++y) {
    bool full = cell.width > 0;
    for (int x = 0; x < cell.width; ++x) {
      full = full && cell.at(x, y) == 0xFF;
    }
    if (full) {
      return true;
    }
  }
  return false;
}

// The same face opened with FreeType alone, sized to a pixel em.
class ReferenceFace {
public:
  ReferenceFace(const char* path, int pixels) {
    EXPECT_EQ(FT_Init_FreeType(&library_), 0);
    EXPECT_EQ(FT_New_Face(library_, path, 0, &face_), 0);
    EXPECT_EQ(FT_Set_Pixel_Sizes(face_, 0, pixels), 0);
  }
  ~ReferenceFace() {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  int ascender() const { return static_cast<int>(face_->size->metrics.ascender >> 6); }
  int descender() const { return static_cast<int>(-face_->size->metrics.descender >> 6); }
  int advance(char32_t ch) const {
    EXPECT_EQ(FT_Load_Char(face_, ch, FT_LOAD_DEFAULT), 0);
    return static_cast<int>((face_->glyph->advance.x + 32) >> 6);
  }

private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

class FontServiceTest : public testing::Test {
protected:
  Font font(std::u16string_view face, int height, int weight = FW_NORMAL, bool italic = false, bool underline = false) {
    return service_.createFont(logFont(face, height, weight, italic, underline));
  }

  FontService service_;
};

struct ReferenceCase {
  std::u16string face;
  const char* file;
  int pixels;
};

void PrintTo(const ReferenceCase& c, std::ostream* out) { *out << c.file << " at " << c.pixels << " px"; }

class FontMetricsTest : public FontServiceTest, public testing::WithParamInterface<ReferenceCase> {};

TEST_P(FontMetricsTest, AgreeWithFreeType) {
  const ReferenceCase& c = GetParam();
  Font subject = font(c.face, -c.pixels);
  const ReferenceFace reference(c.file, c.pixels);
  const TextMetrics& m = subject.metrics();

  EXPECT_EQ(m.height, m.ascent + m.descent);
  EXPECT_GT(m.height, c.pixels);
  EXPECT_LE(std::abs(m.ascent - reference.ascender()), 1);
  EXPECT_LE(std::abs(m.descent - reference.descender()), 1);
  for (char32_t ch : U"iWm1 .") {
    EXPECT_EQ(subject.charWidth(ch), reference.advance(ch)) << static_cast<int>(ch);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FontMetricsTest,
    testing::Values(ReferenceCase{u"Tahoma", kDejaVuSans, 12}, ReferenceCase{u"Tahoma", kDejaVuSans, 17},
                    ReferenceCase{u"Tahoma", kDejaVuSans, 34}, ReferenceCase{u"Courier New", kDejaVuSansMono, 14},
                    ReferenceCase{u"Courier New", kDejaVuSansMono, 29}),
    [](const testing::TestParamInfo<ReferenceCase>& info) {
      return std::string(info.param.face.size() > 6 ? "Mono" : "Sans") + std::to_string(info.param.pixels);
    });

TEST_F(FontServiceTest, CellHeightGivesBackTheSameFont) {
  for (std::u16string_view face : {u"Tahoma", u"Courier New"}) {
    for (int pixels : {12, 14, 17, 24, 29, 34}) {
      Font byEm = font(face, -pixels);
      Font byCell = font(face, byEm.metrics().height);
      EXPECT_EQ(byCell.metrics().height, byEm.metrics().height) << pixels;
      EXPECT_EQ(byCell.metrics().ascent, byEm.metrics().ascent) << pixels;
      EXPECT_EQ(advanceOf(byCell, U"Wai"), advanceOf(byEm, U"Wai")) << pixels;
    }
  }
}

TEST(HeightForPoints, TruncatesTowardZero) {
  struct Case {
    int points, dpi, height;
  };
  for (const Case& c : {Case{9, 96, -12},
                        Case{11, 96, -14},
                        Case{13, 96, -17},
                        Case{9, 192, -24},
                        Case{11, 192, -29},
                        Case{13, 192, -34}}) {
    EXPECT_EQ(heightForPoints(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi;
  }
}

TEST_F(FontServiceTest, SizeScalesWithDpi) {
  for (int points : {9, 11, 13}) {
    Font low = font(u"Tahoma", heightForPoints(points, 96));
    Font high = font(u"Tahoma", heightForPoints(points, 192));
    EXPECT_NEAR(high.metrics().height, 2 * low.metrics().height, 2) << points;
    EXPECT_NEAR(high.metrics().ascent, 2 * low.metrics().ascent, 2) << points;
    const std::u32string_view text = U"Nightvault";
    EXPECT_NEAR(advanceOf(high, text), 2 * advanceOf(low, text), static_cast<int>(text.size())) << points;
  }
}

TEST_F(FontServiceTest, LettersHaveInkAndSpaceHasNone) {
  Font tahoma = font(u"Tahoma", -12);
  for (char32_t ch : U"AgWi") {
    const GlyphMask mask = tahoma.glyph(ch);
    EXPECT_GT(mask.width, 0);
    EXPECT_GT(mask.height, 0);
    EXPECT_EQ(mask.alpha.size(), static_cast<std::size_t>(mask.width * mask.height));
    EXPECT_GT(totalCoverage(mask), 0) << static_cast<int>(ch);
  }
  const GlyphMask space = tahoma.glyph(U' ');
  EXPECT_EQ(space.width, 0);
  EXPECT_TRUE(space.alpha.empty());

  const GlyphMask spaceCell = tahoma.cell(U' ');
  EXPECT_EQ(spaceCell.width, tahoma.charWidth(U' '));
  EXPECT_GT(spaceCell.width, 0);
  EXPECT_EQ(totalCoverage(spaceCell), 0);
}

TEST_F(FontServiceTest, CellPlacesTheGlyphOnTheBaseline) {
  Font tahoma = font(u"Tahoma", -17);
  const int ascent = tahoma.metrics().ascent;

  const GlyphMask a = tahoma.cell(U'A');
  EXPECT_EQ(a.width, tahoma.charWidth(U'A'));
  EXPECT_EQ(a.height, tahoma.metrics().height);
  EXPECT_TRUE(meanInkColumn(a, ascent - 1, ascent).has_value());
  EXPECT_FALSE(meanInkColumn(a, ascent + 1, a.height).has_value());

  const GlyphMask g = tahoma.cell(U'g');
  EXPECT_TRUE(meanInkColumn(g, ascent + 1, g.height).has_value());
  const GlyphMask placed = tahoma.glyph(U'g');
  EXPECT_GT(placed.top + placed.height, ascent);
}

TEST_F(FontServiceTest, BoldIsWiderAndDarkerThanRegular) {
  for (std::u16string_view face : {std::u16string_view(u"Tahoma"), kSingleFaceFamily}) {
    Font regular = font(face, -17);
    Font bold = font(face, -17, FW_BOLD);
    const std::u32string_view text = U"Hello World";
    EXPECT_GT(advanceOf(bold, text), advanceOf(regular, text)) << "face " << face.size();
    EXPECT_GT(coverageOf(bold, text), coverageOf(regular, text)) << "face " << face.size();
  }
}

TEST_F(FontServiceTest, ItalicLeansRight) {
  // How far the top third of the ink lies right of its bottom third.
  const auto lean = [](Font& f) {
    const GlyphMask ink = f.glyph(U'l');
    const GlyphMask cell = f.cell(U'l');
    const int third = ink.height / 3;
    return *meanInkColumn(cell, ink.top, ink.top + third) -
           *meanInkColumn(cell, ink.top + ink.height - third, ink.top + ink.height);
  };
  for (std::u16string_view face : {std::u16string_view(u"Tahoma"), kSingleFaceFamily}) {
    Font regular = font(face, -34);
    Font italic = font(face, -34, FW_NORMAL, true);
    EXPECT_GT(lean(italic), lean(regular) + 2.0) << "face " << face.size();
  }
}

TEST_F(FontServiceTest, UnderlineIsAFullRowBelowTheBaseline) {
  Font plain = font(u"Tahoma", -12);
  Font underlined = font(u"Tahoma", -12, FW_NORMAL, false, true);
  const int ascent = plain.metrics().ascent;
  for (char32_t ch : U"a ") {
    EXPECT_FALSE(hasFullRow(plain.cell(ch), ascent)) << static_cast<int>(ch);
    EXPECT_TRUE(hasFullRow(underlined.cell(ch), ascent)) << static_cast<int>(ch);
  }
  EXPECT_EQ(totalCoverage(underlined.glyph(U'a')), totalCoverage(plain.glyph(U'a')));
}

TEST_F(FontServiceTest, MonospaceHasEqualAdvances) {
  Font mono = font(u"Courier New", -14);
  EXPECT_EQ(mono.charWidth(U'i'), mono.charWidth(U'W'));
  Font proportional = font(u"Tahoma", -14);
  EXPECT_GT(proportional.charWidth(U'W'), proportional.charWidth(U'i'));
}

TEST_F(FontServiceTest, MissingCharacterDrawsTheDefaultGlyph) {
  Font tahoma = font(u"Tahoma", -14);
  const char32_t unassigned = 0x10FFFD;
  EXPECT_GT(tahoma.charWidth(unassigned), 0);
  EXPECT_GT(totalCoverage(tahoma.cell(unassigned)), 0);
}

TEST_F(FontServiceTest, BadRequestsAreClearErrors) {
  EXPECT_THROW(font(u"No Such Face", -12), FontError);
  EXPECT_THROW(font(u"Tahoma", 100000), FontError);
  EXPECT_THROW(font(u"Tahoma", -100000), FontError);
}

TEST(FontLifetime, FontOutlivesItsService) {
  auto service = std::make_unique<FontService>();
  Font tahoma = service->createFont(logFont(u"Tahoma", -12));
  service.reset();
  EXPECT_GT(totalCoverage(tahoma.cell(U'W')), 0);
}

}  // namespace
}  // namespace wce
