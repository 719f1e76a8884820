#include "nvx/app/splash/SplashResource.h"

#include "nvx/app/splash/SplashBitmap.h"
#include "platform/gdi/BitmapResources.h"

namespace nvx {

void registerSplashResource() { wce::registerBitmapResource(wce::IDB_SPLASH, splashBitmapBytes); }

}  // namespace nvx
