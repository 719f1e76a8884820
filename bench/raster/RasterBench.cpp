// Raster kernels beside their pixman (and memcpy) peers; prints how many
// times faster the raster kernel is than each peer.

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <pixman.h>
#include <string>
#include <vector>

#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/RasterSurface.h"

using namespace qel::raster;

namespace {

struct Size {
  int32_t w;
  int32_t h;
  std::string name() const { return std::to_string(w) + "x" + std::to_string(h); }
};

const Size kScreens[] = {{240, 320}, {480, 640}};
const Size kSprites[] = {{16, 16}, {32, 32}};

void fillPattern(RasterSurface& s) {
  auto* bytes = static_cast<uint8_t*>(s.pixels());
  for (int64_t i = 0; i < int64_t{s.stride()} * s.height(); ++i) {
    bytes[i] = static_cast<uint8_t>(i * 37 + (i >> 7));
  }
}

// A sprite with a transparent (key-coloured) border and varied alpha.
void fillSprite(RasterSurface& s) {
  fillPattern(s);
  for (int32_t y = 0; y < s.height(); ++y) {
    for (int32_t x = 0; x < s.width(); ++x) {
      const bool border = x < 2 || y < 2 || x >= s.width() - 2 || y >= s.height() - 2;
      auto* row = static_cast<uint8_t*>(s.pixels()) + y * s.stride();
      if (s.format() == PF_RGB565 && border) {
        reinterpret_cast<uint16_t*>(row)[x] = 0xF81F;
      } else if (s.format() == PF_ARGB8888) {
        uint32_t& p = reinterpret_cast<uint32_t*>(row)[x];
        p = (p & 0xFFFFFF) | (border ? 0u : (x % 3 == 0 ? 0x80000000u : 0xFF000000u));
      }
    }
  }
}

pixman_image_t* wrap(const RasterSurface& s, pixman_format_code_t code) {
  return pixman_image_create_bits(code, s.width(), s.height(), static_cast<uint32_t*>(s.pixels()), s.stride());
}

void setPixels(benchmark::State& state, int64_t pixels) { state.SetItemsProcessed(state.iterations() * pixels); }

void fill565Raster(benchmark::State& state, Size size) {
  RasterSurface dest(PF_RGB565, size.w, size.h);
  uint32_t colour = 0;
  for (auto _ : state) {
    dest.fillRect(0, 0, size.w, size.h, colour += 0x010203);
    benchmark::ClobberMemory();
  }
  setPixels(state, int64_t{size.w} * size.h);
}

void fill565Pixman(benchmark::State& state, Size size) {
  RasterSurface dest(PF_RGB565, size.w, size.h);
  uint32_t colour = 0;
  for (auto _ : state) {
    pixman_fill(static_cast<uint32_t*>(dest.pixels()),
                dest.stride() / 4,
                16,
                0,
                0,
                size.w,
                size.h,
                (colour += 0x0103) & 0xFFFF);
    benchmark::ClobberMemory();
  }
  setPixels(state, int64_t{size.w} * size.h);
}

void copy565Raster(benchmark::State& state, Size size) {
  RasterSurface source(PF_RGB565, size.w, size.h);
  fillPattern(source);
  RasterSurface dest(PF_RGB565, size.w, size.h);
  for (auto _ : state) {
    dest.drawSurface(0, 0, source, nullptr, RT_NONE);
    benchmark::ClobberMemory();
  }
  setPixels(state, int64_t{size.w} * size.h);
}

void copy565Memcpy(benchmark::State& state, Size size) {
  RasterSurface source(PF_RGB565, size.w, size.h);
  fillPattern(source);
  RasterSurface dest(PF_RGB565, size.w, size.h);
  for (auto _ : state) {
    std::memcpy(dest.pixels(), source.pixels(), static_cast<size_t>(source.stride()) * size.h);
    benchmark::ClobberMemory();
  }
  setPixels(state, int64_t{size.w} * size.h);
}

void composite(benchmark::State& state, pixman_op_t op, pixman_image_t* src, pixman_image_t* mask, pixman_image_t* dst,
               int32_t x, int32_t y, Size size) {
  for (auto _ : state) {
    pixman_image_composite32(op, src, mask, dst, 0, 0, 0, 0, x, y, size.w, size.h);
    benchmark::ClobberMemory();
  }
  setPixels(state, int64_t{size.w} * size.h);
}

void copy565Pixman(benchmark::State& state, Size size) {
  RasterSurface source(PF_RGB565, size.w, size.h);
  fillPattern(source);
  RasterSurface dest(PF_RGB565, size.w, size.h);
  pixman_image_t* src = wrap(source, PIXMAN_r5g6b5);
  pixman_image_t* dst = wrap(dest, PIXMAN_r5g6b5);
  composite(state, PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, size);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

// Sprites are drawn at a spread of positions on a 240 x 320 screen.
template <typename Draw>
void spriteLoop(benchmark::State& state, Size size, Draw draw) {
  int32_t n = 0;
  for (auto _ : state) {
    draw((n * 37) % (240 - size.w), (n * 53) % (320 - size.h));
    ++n;
    benchmark::ClobberMemory();
  }
  setPixels(state, int64_t{size.w} * size.h);
}

void copy565Sprite(benchmark::State& state, Size size) {
  RasterSurface sprite(PF_RGB565, size.w, size.h);
  fillSprite(sprite);
  RasterSurface screen(PF_RGB565, 240, 320);
  spriteLoop(state, size, [&](int32_t x, int32_t y) { screen.drawSurface(x, y, sprite, nullptr, RT_NONE); });
}

// The anchor of a plain sprite blit: a memcpy of each of its rows into the screen.
void copy565SpriteRows(benchmark::State& state, Size size) {
  RasterSurface sprite(PF_RGB565, size.w, size.h);
  fillSprite(sprite);
  RasterSurface screen(PF_RGB565, 240, 320);
  auto* const screenBytes = static_cast<uint8_t*>(screen.pixels());
  const auto* const spriteBytes = static_cast<const uint8_t*>(sprite.pixels());
  const auto rowBytes = static_cast<size_t>(size.w) * 2;
  spriteLoop(state, size, [&](int32_t x, int32_t y) {
    for (int32_t row = 0; row < size.h; ++row)
      std::memcpy(screenBytes + (y + row) * screen.stride() + x * 2, spriteBytes + row * sprite.stride(), rowBytes);
  });
}

void keyed565Raster(benchmark::State& state, Size size, RasterTransform transform) {
  RasterSurface sprite(PF_RGB565, size.w, size.h);
  fillSprite(sprite);
  RasterSurface screen(PF_RGB565, 240, 320);
  spriteLoop(state, size, [&](int32_t x, int32_t y) {
    screen.drawSurfaceKeyed(x, y, sprite, 0xFF00FF, nullptr, transform, 0.0f);
  });
}

void maskedRaster(benchmark::State& state, Size size) {
  RasterSurface sprite(PF_ARGB8888, size.w, size.h);
  fillSprite(sprite);
  RasterSurface screen(PF_RGB565, std::max(240, size.w), std::max(320, size.h));
  if (size.w > 32) {
    for (auto _ : state) {
      screen.drawSurfaceMasked(0, 0, sprite, nullptr, 0xFF00FF, RT_NONE);
      benchmark::ClobberMemory();
    }
    setPixels(state, int64_t{size.w} * size.h);
    return;
  }
  spriteLoop(
      state, size, [&](int32_t x, int32_t y) { screen.drawSurfaceMasked(x, y, sprite, nullptr, 0xFF00FF, RT_NONE); });
}

void maskedPixman(benchmark::State& state, Size size) {
  RasterSurface sprite(PF_ARGB8888, size.w, size.h);
  fillSprite(sprite);
  RasterSurface screen(PF_RGB565, std::max(240, size.w), std::max(320, size.h));
  pixman_image_t* src = wrap(sprite, PIXMAN_a8r8g8b8);
  pixman_image_t* dst = wrap(screen, PIXMAN_r5g6b5);
  if (size.w > 32) {
    composite(state, PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, size);
  } else {
    spriteLoop(state, size, [&](int32_t x, int32_t y) {
      pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, x, y, size.w, size.h);
    });
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void blendRaster(benchmark::State& state, Size size) {
  RasterSurface source(PF_RGB565, size.w, size.h);
  fillPattern(source);
  RasterSurface dest(PF_RGB565, size.w, size.h);
  for (auto _ : state) {
    dest.drawSurfaceAlpha(0, 0, source, 128, nullptr, kNoKey, RT_NONE);
    benchmark::ClobberMemory();
  }
  setPixels(state, int64_t{size.w} * size.h);
}

void blendPixman(benchmark::State& state, Size size) {
  RasterSurface source(PF_RGB565, size.w, size.h);
  fillPattern(source);
  RasterSurface dest(PF_RGB565, size.w, size.h);
  pixman_image_t* src = wrap(source, PIXMAN_r5g6b5);
  pixman_image_t* dst = wrap(dest, PIXMAN_r5g6b5);
  const pixman_color_t half{0, 0, 0, 0x8080};
  pixman_image_t* mask = pixman_image_create_solid_fill(&half);
  composite(state, PIXMAN_OP_OVER, src, mask, dst, 0, 0, size);
  pixman_image_unref(src);
  pixman_image_unref(mask);
  pixman_image_unref(dst);
}

// Collects the mean real time of every run to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void printRatios(const std::vector<std::pair<std::string, std::string>>& pairs) const {
    std::printf("\nSpeed of the raster kernel relative to its peer (above 1: raster is faster)\n");
    for (const auto& [ours, peer] : pairs) {
      const auto a = times_.find(ours);
      const auto b = times_.find(peer);
      if (a != times_.end() && b != times_.end() && a->second > 0) {
        std::printf("  %-40s vs %-40s %6.2f\n", ours.c_str(), peer.c_str(), b->second / a->second);
      }
    }
  }

private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::pair<std::string, std::string>> pairs;
  auto pair = [&](const std::string& kernel, const std::string& size, const char* peer) {
    pairs.emplace_back(kernel + "/raster/" + size, kernel + "/" + peer + "/" + size);
  };
  for (const Size& s : kScreens) {
    const std::string n = s.name();
    benchmark::RegisterBenchmark(("fill565/raster/" + n).c_str(), fill565Raster, s);
    benchmark::RegisterBenchmark(("fill565/pixman/" + n).c_str(), fill565Pixman, s);
    benchmark::RegisterBenchmark(("copy565/raster/" + n).c_str(), copy565Raster, s);
    benchmark::RegisterBenchmark(("copy565/pixman/" + n).c_str(), copy565Pixman, s);
    benchmark::RegisterBenchmark(("copy565/memcpy/" + n).c_str(), copy565Memcpy, s);
    benchmark::RegisterBenchmark(("blend565/raster/" + n).c_str(), blendRaster, s);
    benchmark::RegisterBenchmark(("blend565/pixman/" + n).c_str(), blendPixman, s);
    benchmark::RegisterBenchmark(("masked8888/raster/" + n).c_str(), maskedRaster, s);
    benchmark::RegisterBenchmark(("masked8888/pixman/" + n).c_str(), maskedPixman, s);
    pair("fill565", n, "pixman");
    pair("copy565", n, "pixman");
    pair("copy565", n, "memcpy");
    pair("blend565", n, "pixman");
    pair("masked8888", n, "pixman");
  }
  for (const Size& s : kSprites) {
    const std::string n = s.name();
    benchmark::RegisterBenchmark(("keyed565/raster/" + n).c_str(), keyed565Raster, s, RT_NONE);
    benchmark::RegisterBenchmark(("sprite565/raster/" + n).c_str(), copy565Sprite, s);
    benchmark::RegisterBenchmark(("sprite565/memcpy/" + n).c_str(), copy565SpriteRows, s);
    pairs.emplace_back("sprite565/raster/" + n, "keyed565/raster/" + n);
    pair("sprite565", n, "memcpy");
    benchmark::RegisterBenchmark(("keyed565mirrored/raster/" + n).c_str(), keyed565Raster, s, RT_MIRROR_X);
    benchmark::RegisterBenchmark(("masked8888/raster/" + n).c_str(), maskedRaster, s);
    benchmark::RegisterBenchmark(("masked8888/pixman/" + n).c_str(), maskedPixman, s);
    pair("masked8888", n, "pixman");
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatios(pairs);
  benchmark::Shutdown();
  return 0;
}
