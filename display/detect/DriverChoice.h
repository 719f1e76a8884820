#pragma once
// Making drivers by id and choosing the one a display uses.

#include <cstdint>
#include <functional>
#include <memory>

#include "display/detect/VideoDetect.h"
#include "display/drivers/DisplayParams.h"
#include "display/drivers/VideoDriver.h"

namespace tdlx {

// The driver of that id (logged), or null for an id without a driver here.
std::unique_ptr<VideoDriver> CreateDriver(std::uint32_t id);

using DriverFactory = std::function<std::unique_ptr<VideoDriver>(std::uint32_t id)>;

// Tries the detected drivers from the last found to the first and answers the
// first that initialises; null when the requested orientation is not offered
// or none initialises. Never throws.
std::unique_ptr<VideoDriver> chooseDriver(const VideoDetect& detect, wce::HWND window, const DisplayParams& params,
                                          const DriverFactory& factory = CreateDriver);

// The detection record of this process, made with the window on first use.
const VideoDetect& processVideoDetect(wce::HWND window);

}  // namespace tdlx
