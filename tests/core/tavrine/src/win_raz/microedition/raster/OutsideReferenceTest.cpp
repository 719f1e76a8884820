// Exact copies and conversions checked against pixman and SDL, whose
// truncating conversions equal ours for these pairs.

#include <SDL.h>
#include <gtest/gtest.h>
#include <pixman.h>
#include <random>

#include "TestSurface.h"
#include "microedition/raster/RasterBlit.h"

namespace qel::raster::testing {
namespace {

struct Matrix {
  int32_t xx, xy, x0, yx, yy, y0;  // source = M * destination, in pixels
};

Matrix destToSource(RasterTransform t, int32_t w, int32_t h) {
  switch (t) {
    case RT_ROT180: return {-1, 0, w, 0, -1, h};
    case RT_ROT90: return {0, 1, 0, -1, 0, h};
    case RT_ROT270: return {0, -1, w, 1, 0, 0};
    case RT_MIRROR_X: return {-1, 0, w, 0, 1, 0};
    case RT_MIRROR_Y: return {1, 0, 0, 0, -1, h};
    default: return {1, 0, 0, 0, 1, 0};
  }
}

// pixman wants rows of whole 32-bit words.
int32_t wordPadding(PixelFormat format, int32_t width) { return (4 - width * bytesPerPixel(format) % 4) % 4; }

pixman_image_t* wrap(TestSurface& s, pixman_format_code_t format) {
  return pixman_image_create_bits(
      format, s.desc().width, s.desc().height, static_cast<uint32_t*>(s.desc().pixels), s.desc().stride);
}

// The whole source transformed by pixman into a new surface of destFormat.
TestSurface pixmanTransformed(TestSurface& source, pixman_format_code_t sourceCode, PixelFormat destFormat,
                              pixman_format_code_t destCode, RasterTransform t) {
  const int32_t w = source.desc().width;
  const int32_t h = source.desc().height;
  const bool quarter = t == RT_ROT90 || t == RT_ROT270;
  TestSurface out(destFormat, quarter ? h : w, quarter ? w : h, wordPadding(destFormat, quarter ? h : w));
  pixman_image_t* src = wrap(source, sourceCode);
  pixman_image_t* dst = wrap(out, destCode);
  const Matrix m = destToSource(t, w, h);
  pixman_transform_t transform;
  pixman_transform_init_identity(&transform);
  transform.matrix[0][0] = pixman_int_to_fixed(m.xx);
  transform.matrix[0][1] = pixman_int_to_fixed(m.xy);
  transform.matrix[0][2] = pixman_int_to_fixed(m.x0);
  transform.matrix[1][0] = pixman_int_to_fixed(m.yx);
  transform.matrix[1][1] = pixman_int_to_fixed(m.yy);
  transform.matrix[1][2] = pixman_int_to_fixed(m.y0);
  pixman_image_set_transform(src, &transform);
  pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
  pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, out.desc().width, out.desc().height);
  pixman_image_unref(src);
  pixman_image_unref(dst);
  return out;
}

struct PixmanPair {
  PixelFormat source;
  pixman_format_code_t sourceCode;
  PixelFormat dest;
  pixman_format_code_t destCode;
};

TEST(OutsideReference, transformedCopiesMatchPixman) {
  const PixmanPair pairs[] = {
      {PF_RGB565, PIXMAN_r5g6b5, PF_RGB565, PIXMAN_r5g6b5},
      {PF_ARGB8888, PIXMAN_a8r8g8b8, PF_ARGB8888, PIXMAN_a8r8g8b8},
      {PF_ARGB8888, PIXMAN_a8r8g8b8, PF_RGB565, PIXMAN_r5g6b5},
  };
  std::mt19937 random(7);
  for (const PixmanPair& pair : pairs) {
    for (RasterTransform t : {RT_NONE, RT_ROT180, RT_ROT90, RT_ROT270, RT_MIRROR_X, RT_MIRROR_Y}) {
      for (auto [w, h] : {std::pair{7, 5}, std::pair{8, 6}, std::pair{1, 9}}) {
        TestSurface source(pair.source, w, h, wordPadding(pair.source, w));
        source.randomise(random);
        const TestSurface expected = pixmanTransformed(source, pair.sourceCode, pair.dest, pair.destCode, t);
        // Placed past the top-left corner of a smaller surface, the
        // blit shows the transformed picture from (2, 1).
        const int32_t dw = expected.desc().width - 1;
        const int32_t dh = expected.desc().height;
        TestSurface dest(pair.dest, dw, dh, 0);
        BlitRequest r;
        r.dest = &dest.desc();
        r.source = &source.desc();
        r.x = -2;
        r.y = -1;
        r.transform = t;
        blit(r);
        for (int32_t y = 0; y < dh - 1; ++y) {
          for (int32_t x = 0; x < dw - 2; ++x) {
            ASSERT_EQ(dest.pixel(x, y), expected.pixel(x + 2, y + 1))
                << "pair " << pair.source << "->" << pair.dest << " transform " << t << " size " << w << "x" << h
                << " at " << x << "," << y;
          }
        }
      }
    }
  }
}

struct SdlPair {
  PixelFormat source;
  uint32_t sourceCode;
  PixelFormat dest;
  uint32_t destCode;
};

TEST(OutsideReference, conversionsMatchSdl) {
  const SdlPair pairs[] = {
      {PF_RGB565, SDL_PIXELFORMAT_RGB565, PF_RGB555, SDL_PIXELFORMAT_RGB555},
      {PF_ARGB8888, SDL_PIXELFORMAT_ARGB8888, PF_RGB565, SDL_PIXELFORMAT_RGB565},
  };
  std::mt19937 random(11);
  for (const SdlPair& pair : pairs) {
    TestSurface source(pair.source, 37, 13, 4);
    source.randomise(random);
    TestSurface expected(pair.dest, 37, 13, 4);
    ASSERT_EQ(SDL_ConvertPixels(37,
                                13,
                                pair.sourceCode,
                                source.desc().pixels,
                                source.desc().stride,
                                pair.destCode,
                                expected.desc().pixels,
                                expected.desc().stride),
              0)
        << SDL_GetError();
    TestSurface dest(pair.dest, 37, 13, 4);
    BlitRequest r;
    r.dest = &dest.desc();
    r.source = &source.desc();
    blit(r);
    for (int32_t y = 0; y < 13; ++y) {
      for (int32_t x = 0; x < 37; ++x) {
        ASSERT_EQ(dest.pixel(x, y) & 0x7FFF, expected.pixel(x, y) & 0x7FFF)
            << pair.source << "->" << pair.dest << " at " << x << "," << y;
        if (pair.dest == PF_RGB565) {
          ASSERT_EQ(dest.pixel(x, y), expected.pixel(x, y));
        }
      }
    }
  }
}

}  // namespace
}  // namespace qel::raster::testing
