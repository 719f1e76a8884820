#include "display/device/ImageonLibrary.h"

namespace tdlx {
namespace {

// Every entry of the library, in the order they are looked up.
constexpr const char16_t* kEntryNames[] = {
    u"AtiCore_SetupGraphicWindow",
    u"AtiCore_GetFrontBufferPitchOffset",
    u"AtiCore_ProcessAttach",
    u"AtiCore_ProcessDetach",
    u"AtiCore_ProcessAttachMinimal",
    u"AtiCore_ProcessDetachMinimal",
    u"AtiCore_AllocOverlay",
    u"AtiCore_SetOverlayOnOff",
    u"AtiCore_SetupOverlay",
    u"AtiCore_SetupOverlayExtended",
    u"AtiCore_SetOverlayPos",
    u"AtiCore_ReleaseOverlay",
    u"AtiCore_AllocateSurface",
    u"AtiCore_DestroySurface",
    u"AtiCore_SetupMemoryTransfer",
    u"AtiCore_TerminateMemoryTransfer",
    u"AtiCore_BitBlt",
    u"AtiCore_BitBltFilpRotate",
    u"AtiCore_DrawPixel",
    u"AtiCore_ReadMem",
    u"AtiCore_ReadReg",
    u"AtiCore_SetFrontBuffer",
    u"AtiCore_WaitComplete",
    u"AtiCore_SetSrcPitchOffset",
    u"AtiCore_SetDstPitchOffset",
    u"AtiCore_SetRopOperation",
    u"AtiCore_SetSrcType",
    u"AtiCore_SetDstType",
};

enum Entry {
  kAttach = 2,
  kDetach = 3,
  kAllocOverlay = 6,
  kSetOverlayOnOff = 7,
  kSetupOverlay = 8,
  kSetOverlayPos = 10,
  kReleaseOverlay = 11,
  kAllocateSurface = 12,
  kDestroySurface = 13,
  kSetupMemoryTransfer = 14,
  kTerminateMemoryTransfer = 15,
  kWaitComplete = 22,
};

}  // namespace

ImageonLibrary::ImageonLibrary() : library_(u"CoreLinkLib.dll") {
  for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i] = library_.entry<void()>(kEntryNames[i]);
}

bool ImageonLibrary::canAllocate() const { return entry<Allocate>(kAllocateSurface) && entry<NewId>(kAllocOverlay); }

bool ImageonLibrary::attach() const {
  auto* call = entry<Action>(kAttach);
  return call && call();
}

bool ImageonLibrary::detach() const {
  auto* call = entry<Action>(kDetach);
  return call && call();
}

bool ImageonLibrary::allocateSurface(std::uint32_t& surface, std::uint32_t width, std::uint32_t height) const {
  auto* call = entry<Allocate>(kAllocateSurface);
  return call && call(&surface, width, height);
}

void ImageonLibrary::destroySurface(std::uint32_t surface) const {
  if (auto* call = entry<WithId>(kDestroySurface)) call(surface);
}

bool ImageonLibrary::allocOverlay(std::uint32_t& overlay) const {
  auto* call = entry<NewId>(kAllocOverlay);
  return call && call(&overlay);
}

bool ImageonLibrary::setupOverlay(std::uint32_t overlay, std::uint32_t surface) const {
  auto* call = entry<Pair>(kSetupOverlay);
  return call && call(overlay, surface);
}

bool ImageonLibrary::setOverlayPos(std::uint32_t overlay, std::int32_t x, std::int32_t y) const {
  auto* call = entry<Position>(kSetOverlayPos);
  return call && call(overlay, x, y);
}

bool ImageonLibrary::setOverlayOnOff(std::uint32_t overlay, bool on) const {
  auto* call = entry<Switch>(kSetOverlayOnOff);
  return call && call(overlay, on);
}

void ImageonLibrary::releaseOverlay(std::uint32_t overlay) const {
  if (auto* call = entry<WithId>(kReleaseOverlay)) call(overlay);
}

bool ImageonLibrary::waitComplete(std::uint32_t milliseconds) const {
  auto* call = entry<WithId>(kWaitComplete);
  return !call || call(milliseconds);
}

void* ImageonLibrary::setupMemoryTransfer(std::uint32_t surface) const {
  void* pixels = nullptr;
  auto* call = entry<Transfer>(kSetupMemoryTransfer);
  if (!call || !call(surface, &pixels)) return nullptr;
  return pixels;
}

void ImageonLibrary::terminateMemoryTransfer() const {
  if (auto* call = entry<Action>(kTerminateMemoryTransfer)) call();
}

}  // namespace tdlx
