#pragma once

#include <filesystem>

#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/PixelFont.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nv::demodata {

// Painters of the game's pictures; each lays its frames out by the sprite table.
Image paintTileSheets(const ScreenLayout& layout, const std::filesystem::path& tiles, bool running);  // pic4 / pic3
Image paintObjectSheet(const ScreenLayout& layout, const std::filesystem::path& objects);             // pic5
Image paintPersonSheet(const ScreenLayout& layout);                                                   // pic6
Image paintGuiSheet(const ScreenLayout& layout, const PixelFont& font);                               // pic1
Image paintMapSheet(const ScreenLayout& layout, const PixelFont& font);                               // pic2

// Helpers shared by the painters.
void paintVehicle(Image& image, int x, int y, int w, int h, Rgba body, bool police);
void paintPersonFigure(Image& image, int x, int y, int size, int direction, int phase, Rgba clothes, Rgba tool);
Rgba shade(Rgba colour, int percent);  // percent < 100 darkens, > 100 lightens
Rgba parseColour(const std::string& hex);

}  // namespace nv::demodata
