#pragma once
// "CoreLinkLib.dll", the Imageon 100 chip library, with the entry points the
// driver uses; every entry the library offers is looked up by name.

#include <array>
#include <cstddef>
#include <cstdint>

#include "display/device/LoadedLibrary.h"

namespace tdlx {

class ImageonLibrary {
public:
  ImageonLibrary();

  bool loaded() const { return library_.loaded(); }
  // The surface and overlay allocation the driver needs.
  bool canAllocate() const;

  bool attach() const;
  bool detach() const;
  bool allocateSurface(std::uint32_t& surface, std::uint32_t width, std::uint32_t height) const;
  void destroySurface(std::uint32_t surface) const;
  bool allocOverlay(std::uint32_t& overlay) const;
  bool setupOverlay(std::uint32_t overlay, std::uint32_t surface) const;
  bool setOverlayPos(std::uint32_t overlay, std::int32_t x, std::int32_t y) const;
  bool setOverlayOnOff(std::uint32_t overlay, bool on) const;
  void releaseOverlay(std::uint32_t overlay) const;
  bool waitComplete(std::uint32_t milliseconds) const;
  void* setupMemoryTransfer(std::uint32_t surface) const;
  void terminateMemoryTransfer() const;

private:
  using Action = bool();
  using Allocate = bool(std::uint32_t*, std::uint32_t, std::uint32_t);
  using WithId = bool(std::uint32_t);
  using NewId = bool(std::uint32_t*);
  using Pair = bool(std::uint32_t, std::uint32_t);
  using Position = bool(std::uint32_t, std::int32_t, std::int32_t);
  using Switch = bool(std::uint32_t, bool);
  using Transfer = bool(std::uint32_t, void**);

  template <typename Function>
  Function* entry(int index) const {
    return reinterpret_cast<Function*>(entries_[static_cast<std::size_t>(index)]);
  }

  LoadedLibrary library_;
  std::array<void (*)(), 28> entries_{};
};

}  // namespace tdlx
