#pragma once

#include <string>

#include "microedition/lcdui/DImage.h"

// Writes an RGB565 image as an 8-bit RGB PNG file, for a person to look at
// (tests compare raw pixels, never these files). False when it cannot.
bool dumpPng(const qel::lcdui::DImage& image, const std::string& path);
