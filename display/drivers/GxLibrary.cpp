#include "display/drivers/GxLibrary.h"

#include <type_traits>

namespace tdlx {
namespace {

template <typename Pointer>
Pointer find(const LoadedLibrary& library, const char16_t* name) {
  return library.entry<std::remove_pointer_t<Pointer>>(name);
}

}  // namespace

GxLibrary::GxLibrary()
    : library(u"gx.dll"),
      openDisplay(find<decltype(openDisplay)>(library, u"GXOpenDisplay")),
      closeDisplay(find<decltype(closeDisplay)>(library, u"GXCloseDisplay")),
      getDisplayProperties(find<decltype(getDisplayProperties)>(library, u"GXGetDisplayProperties")),
      beginDraw(find<decltype(beginDraw)>(library, u"GXBeginDraw")),
      endDraw(find<decltype(endDraw)>(library, u"GXEndDraw")),
      suspend(find<decltype(suspend)>(library, u"GXSuspend")),
      resume(find<decltype(resume)>(library, u"GXResume")),
      setViewport(find<decltype(setViewport)>(library, u"GXSetViewport")),
      isDisplayDramBuffer(find<decltype(isDisplayDramBuffer)>(library, u"GXIsDisplayDRAMBuffer")) {}

bool GxLibrary::usable() const {
  return openDisplay && closeDisplay && getDisplayProperties && beginDraw && endDraw && suspend && resume &&
         setViewport;
}

}  // namespace tdlx
