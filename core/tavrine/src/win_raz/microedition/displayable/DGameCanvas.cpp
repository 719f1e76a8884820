#include "microedition/displayable/DGameCanvas.h"

#include <memory>

#include "microedition/displayable/DDisplay.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::lcdui {

DGraphicsPtr DGameCanvas::getGraphics() {
  auto view = std::make_unique<qel::raster::RasterSurface>(getBackBuffer()->desc());
  return DGraphicsPtr(new DGraphics(std::move(view), qel::lang::DObjectPtr(this)));
}

void DGameCanvas::flushGraphics() {
  if (isShown()) DDisplay::flush();
}

}  // namespace qel::lcdui
