// The engine against the per-pixel reference on random requests.

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sstream>

#include "ReferenceBlitter.h"
#include "TestSurface.h"
#include "microedition/raster/RasterBlit.h"

namespace qel::raster::testing {
namespace {

constexpr PixelFormat kFormats[] = {
    PF_RGB565, PF_ARGB8888, PF_ALPHA8, PF_RGB888, PF_INDEX8, PF_RGB565_SWAPPED, PF_RGBA8888, PF_RGB555};

int32_t pick(std::mt19937& random, int32_t low, int32_t high) {
  return std::uniform_int_distribution<int32_t>(low, high)(random);
}

PixelFormat pickFormat(std::mt19937& random) { return kFormats[pick(random, 0, std::size(kFormats) - 1)]; }

// Plants key-coloured and extreme pixels so that every branch is taken.
void plantSpecialPixels(TestSurface& s, std::mt19937& random) {
  const SurfaceDesc& d = s.desc();
  for (int32_t n = pick(random, 0, d.width * d.height / 2); n > 0; --n) {
    const int32_t x = pick(random, 0, d.width - 1);
    const int32_t y = pick(random, 0, d.height - 1);
    uint32_t value = 0;
    switch (d.format) {
      case PF_RGB565: value = pick(random, 0, 3) == 0 ? 0xFFFF : 0xF81F; break;
      case PF_ARGB8888: {
        const uint32_t choices[] = {0x00FF00FF, 0xFFFF00FF, 0xFF123456, 0x00123456, 0x80FFFFFF};
        value = choices[pick(random, 0, 4)];
        break;
      }
      case PF_RGBA8888: value = pick(random, 0, 1) ? 0x123456FF : 0x12345600; break;
      case PF_INDEX8: value = 7; break;
      default: value = pick(random, 0, 1) ? 0 : 0xFFFFFFFF; break;
    }
    s.setPixel(x, y, value);
  }
  if (d.format == PF_INDEX8) {
    s.palette().setEntry(7, 0xFF00FF);
  }
}

std::unique_ptr<TestSurface> randomSurface(std::mt19937& random, PixelFormat format, int32_t maxSide) {
  auto s =
      std::make_unique<TestSurface>(format, pick(random, 1, maxSide), pick(random, 1, maxSide), pick(random, 0, 5));
  s->randomise(random);
  plantSpecialPixels(*s, random);
  return s;
}

std::string describe(const BlitRequest& r, const SurfaceDesc* mask) {
  std::ostringstream out;
  out << "mode " << r.mode << " transform " << r.transform << " src fmt " << r.source->format << " " << r.source->width
      << "x" << r.source->height << " dst fmt " << r.dest->format << " " << r.dest->width << "x" << r.dest->height
      << " at " << r.x << "," << r.y << " useClip " << r.useClip << " clip " << r.clip.x << "," << r.clip.y << " "
      << r.clip.width << "x" << r.clip.height << " key " << std::hex << r.key << std::dec << " alpha " << r.alpha
      << " channel " << r.channel;
  if (mask) {
    out << " mask fmt " << mask->format << " " << mask->width << "x" << mask->height
        << (mask == r.source ? " (self)" : "");
  }
  return out.str();
}

void runRandomBlits(uint32_t seed, int32_t count, bool yuvSources) {
  std::mt19937 random(seed);
  for (int32_t n = 0; n < count; ++n) {
    const PixelFormat destFormat = yuvSources ? PF_RGB565 : pickFormat(random);
    TestSurface engineDest(destFormat, pick(random, 1, 9), pick(random, 1, 9), pick(random, 0, 5));
    engineDest.randomise(random);
    std::unique_ptr<TestSurface> source;
    std::unique_ptr<TestYuv> yuv;
    if (yuvSources) {
      yuv = std::make_unique<TestYuv>(pick(random, 1, 7), pick(random, 1, 7), random);
    } else {
      const PixelFormat sf = pick(random, 0, 2) == 0 ? destFormat : pickFormat(random);
      source = randomSurface(random, sf, 7);
    }
    const SurfaceDesc& sourceDesc = yuv ? yuv->desc() : source->desc();

    BlitRequest r;
    r.mode = static_cast<BlitMode>(yuvSources ? pick(random, 0, 1) * 2 : pick(random, 0, 5));
    r.dest = &engineDest.desc();
    r.source = &sourceDesc;
    r.x = pick(random, -9, 10);
    r.y = pick(random, -9, 10);
    r.useClip = pick(random, 0, 1);
    r.clip = {pick(random, -3, 9), pick(random, -3, 9), pick(random, -2, 12), pick(random, -2, 12)};
    const uint32_t keys[] = {kNoKey, 0xFF00FF, 0xFFFFFF, 0x000000};
    r.key = keys[pick(random, 0, 3)];
    const int32_t transforms[] = {0, 1, 2, 3, 4, 5, 7, -1};
    r.transform = static_cast<RasterTransform>(transforms[pick(random, 0, 7)]);
    r.channel = pick(random, -1, 4);
    r.colour = random() & 0xFFFFFF;
    const int32_t alphas[] = {0, 1, 127, 128, 254, 255, 300, -4};
    r.alpha = alphas[pick(random, 0, 7)];
    TestSurface extraPalette(PF_INDEX8, 1, 1);
    extraPalette.randomise(random);
    if (pick(random, 0, 3) == 0) {
      r.palette = &extraPalette.palette();
    }
    std::unique_ptr<TestSurface> separateMask;
    const int32_t maskChoice = pick(random, 0, 2);
    if (maskChoice == 1 && !yuvSources) {
      r.mask = &sourceDesc;
    } else if (maskChoice == 2) {
      const PixelFormat maskFormats[] = {PF_RGB565, PF_ARGB8888, PF_ALPHA8, PF_RGBA8888, PF_RGB888};
      separateMask = randomSurface(random, maskFormats[pick(random, 0, 4)], 8);
      r.mask = &separateMask->desc();
    }

    TestSurface referenceDest(engineDest);
    BlitRequest referenceRequest = r;
    referenceRequest.dest = &referenceDest.desc();
    blit(r);
    referenceBlit(referenceRequest);
    if (engineDest.bytes() != referenceDest.bytes()) {
      ADD_FAILURE() << "seed " << seed << " case " << n << ": " << describe(referenceRequest, referenceRequest.mask);
      return;
    }
  }
}

TEST(BlitDifferential, matchesReferenceForEveryPairModeAndTransform) {
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    runRandomBlits(seed, 25000, false);
  }
}

TEST(BlitDifferential, yuvConversionMatchesReference) { runRandomBlits(99, 20000, true); }

}  // namespace
}  // namespace qel::raster::testing
