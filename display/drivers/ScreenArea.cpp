#include "display/drivers/ScreenArea.h"

#include "platform/gdi/Gdi.h"

namespace tdlx {

long screenDcArea() {
  wce::HDC dc = wce::GetDC(nullptr);
  if (!dc) return -1;
  const long area = long{wce::GetDeviceCaps(dc, wce::HORZRES)} * wce::GetDeviceCaps(dc, wce::VERTRES);
  wce::ReleaseDC(nullptr, dc);
  return area;
}

}  // namespace tdlx
