#pragma once

#include <filesystem>

#include "tools/demodata/lib/DataSet.h"
#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/PixelFont.h"

namespace nv::demodata {

// Pictures for reviewing the data set by eye, never part of game.dat.

// Every picture of the archive, decoded again, with its name above it on a checkered ground.
Image paintContactSheet(const DataSet& set, const PixelFont& font);

// The level as a plan: floors and walls, the van, the exit, objects with their facing, loot and
// guarded cells. `title` is written above it.
Image paintLevelMap(const Level& level, const std::string& title, const PixelFont& font);

// Writes "contact-sheet.png" and "level-NN.png" (01-26) into `folder`.
void writeReview(const DataSet& set, const PixelFont& font, const std::filesystem::path& folder);

}  // namespace nv::demodata
