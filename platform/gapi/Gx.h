#pragma once
// The built-in "gx.dll": direct access to the screen for full-screen games.
// The display properties describe the screen as the system shows it now (its
// width and height, and the byte steps to the next pixel of a row and to the
// next row over the panel); GXBeginDraw hands out the address of its pixel
// (0, 0). Window thread only.

#include <cstdint>

#include "platform/window/WindowTypes.h"

namespace wce {

inline constexpr DWORD GX_FULLSCREEN = 0x01;
inline constexpr DWORD kfLandscape = 0x08;
inline constexpr DWORD kfDirect = 0x20;
inline constexpr DWORD kfDirect565 = 0x80;

struct GXDisplayProperties {
  DWORD cxWidth = 0;
  DWORD cyHeight = 0;
  std::int32_t cbxPitch = 0;
  std::int32_t cbyPitch = 0;
  std::int32_t cBPP = 0;
  DWORD ffFormat = 0;
};

// Non-zero on success; fails for a dead window or while the display is open.
int GXOpenDisplay(HWND window, DWORD flags);
int GXCloseDisplay();
GXDisplayProperties GXGetDisplayProperties();
// Null while the display is closed or suspended.
void* GXBeginDraw();
// With a DRAM buffer, writes the viewport rows of it to the panel.
int GXEndDraw();
int GXSuspend();
int GXResume();
// The rows (of the screen as the system shows it) that GXEndDraw writes out;
// a height of 0 means down to the last row. GXOpenDisplay resets it to all rows.
int GXSetViewport(DWORD top, DWORD height, DWORD reserved1, DWORD reserved2);
bool GXIsDisplayDRAMBuffer();
// Between the two the device's keys go to the program, not to the shell.
int GXOpenInput();
int GXCloseInput();

// Adds the entries above to "gx.dll" in the module table.
void registerGxEntries();

}  // namespace wce
