#pragma once
// The handheld's virtual-memory calls over its physical memory: a reservation
// of address space, a view of physical pages in it, and its release. The
// physical memory is what the device profile declares: the LCD controller's
// registers and the frame it scans (see LcdControllerEmulation.h); any other
// address has nothing behind it.

#include <cstdint>

#include "platform/system/WinTypes.h"

namespace wce {

inline constexpr DWORD MEM_RESERVE = 0x2000;
inline constexpr DWORD MEM_RELEASE = 0x8000;
inline constexpr DWORD PAGE_NOACCESS = 0x01;
inline constexpr DWORD PAGE_READWRITE = 0x04;
inline constexpr DWORD PAGE_NOCACHE = 0x200;
// The source of VirtualCopy is a physical address divided by 256.
inline constexpr DWORD PAGE_PHYSICAL = 0x400;
inline constexpr std::uintptr_t kHighestDirectPhysical = 0x1FFFFFFF;

// Only MEM_RESERVE with PAGE_NOACCESS at an address of the system's choice
// (null); answers the reservation, aligned to and rounded up to host pages
// (hostPageSize), or null.
void* VirtualAlloc(void* address, DWORD size, DWORD type, DWORD protect);
// Shows the physical pages from source on at destination, an address inside
// a reservation; both the physical start and destination lie on host pages.
// Only in kernel mode, with PAGE_READWRITE, over physical memory that exists;
// false otherwise. Without
// PAGE_PHYSICAL the source is a physical address of at most
// kHighestDirectPhysical.
bool VirtualCopy(void* destination, std::uintptr_t source, DWORD size, DWORD protect);
// Releases a whole reservation (size 0, MEM_RELEASE); false for anything else.
bool VirtualFree(void* address, DWORD size, DWORD type);

}  // namespace wce
