#pragma once
// "CoreLinkLib.dll", the Imageon display chip's library. The chip keeps
// surfaces in its own memory; an overlay shows one surface on the panel at a
// position. The CPU reaches a surface between SetupMemoryTransfer and
// TerminateMemoryTransfer; when a transfer ends, and when the overlay is
// switched on or moved, the panel shows the overlay's surface again.

#include <cstdint>

namespace wce {

bool AtiCore_ProcessAttach();
bool AtiCore_ProcessDetach();
// A surface of width x height 16-bit pixels, pitch width * 2.
bool AtiCore_AllocateSurface(std::uint32_t* surface, std::uint32_t width, std::uint32_t height);
bool AtiCore_DestroySurface(std::uint32_t surface);
bool AtiCore_AllocOverlay(std::uint32_t* overlay);
bool AtiCore_SetupOverlay(std::uint32_t overlay, std::uint32_t surface);
bool AtiCore_SetOverlayPos(std::uint32_t overlay, std::int32_t x, std::int32_t y);
bool AtiCore_SetOverlayOnOff(std::uint32_t overlay, bool on);
bool AtiCore_ReleaseOverlay(std::uint32_t overlay);
// True when the chip is idle; busy answers follow the device profile.
bool AtiCore_WaitComplete(std::uint32_t milliseconds);
bool AtiCore_SetupMemoryTransfer(std::uint32_t surface, void** pixels);
bool AtiCore_TerminateMemoryTransfer();

void registerCoreLinkEntries();

}  // namespace wce
