#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Fixture files of data/ (written by make_fixtures.sh with ImageMagick).
std::vector<uint8_t> readFixture(const std::string& name);

// The RGBA bytes ImageMagick decoded from a fixture, one word 0xAARRGGBB
// per pixel.
// A name ending in ".rgba16" holds 16 bits a channel (little-endian), each
// rounded to 8 bits.
std::vector<uint32_t> readReference(const std::string& name);

bool hasFixture(const std::string& name);

uint16_t toRgb565(uint32_t argb);
