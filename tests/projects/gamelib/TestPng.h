#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

// An RGB PNG of 0xRRGGBB pixels, row by row.
inline std::string testPng(int width, int height, const std::vector<uint32_t>& pixels) {
  auto put32 = [](std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(v >> shift));
  };
  auto chunk = [&](std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
  };
  std::string header;
  put32(header, width);
  put32(header, height);
  header += std::string("\x08\x02\x00\x00\x00", 5);
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[y * width + x];
      raw.push_back(static_cast<char>(p >> 16));
      raw.push_back(static_cast<char>(p >> 8));
      raw.push_back(static_cast<char>(p));
    }
  }
  uLongf size = compressBound(raw.size());
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
  packed.resize(size);
  std::string png("\x89PNG\r\n\x1a\n", 8);
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", packed);
  chunk(png, "IEND", "");
  return png;
}

inline std::string solidPng(int width, int height, uint32_t rgb) {
  return testPng(width, height, std::vector<uint32_t>(width * height, rgb));
}
