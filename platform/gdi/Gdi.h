#pragma once
// The GDI slice: device contexts, DIB sections and BitBlt onto the device
// screen. Window thread only.

#include "platform/gdi/GdiTypes.h"

namespace wce {

// A null window gives the screen's DC; null for a dead window. Each DC is
// given back with ReleaseDC.
HDC GetDC(HWND window);
// Answers 1 for a window or screen DC, else 0.
int ReleaseDC(HWND window, HDC dc);
// A memory DC holding the 1 x 1 default bitmap.
HDC CreateCompatibleDC(HDC dc);
bool DeleteDC(HDC dc);

// 16 bits per pixel: BI_RGB is RGB555; BI_BITFIELDS takes the masks 0xF800,
// 0x07E0, 0x001F (RGB565) or 0x7C00, 0x03E0, 0x001F (RGB555). 32 bits per
// pixel with BI_RGB is XRGB8888. Rows are padded to 4 bytes; a negative height
// means top-down rows. Pixels start black. Null, with *bits null, for anything
// else or a side above 8192.
HBITMAP CreateDIBSection(HDC dc, const BitmapInfo* info, UINT usage, void** bits, void* section, DWORD offset);
// Bitmaps go into memory DCs only, one DC at a time; brushes into any DC.
// Answers the object it replaced, or null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Stock objects are left alone (true); a bitmap selected into a DC is refused.
bool DeleteObject(HGDIOBJ object);
// WHITE_BRUSH .. NULL_BRUSH.
HGDIOBJ GetStockObject(int index);

// SRCCOPY from a memory DC's DIB section to a memory DC, a window (its client
// area on the screen, when visible) or the screen, clipped to both sides.
bool BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD operation);

// HORZRES, VERTRES (the screen at the current orientation), BITSPIXEL (16),
// PLANES (1), LOGPIXELSX and LOGPIXELSY (the profile's dots per inch).
int GetDeviceCaps(HDC dc, int index);

// A DC of the window with what waited for painting; the window counts as painted.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
bool EndPaint(HWND window, const PAINTSTRUCT* paint);

}  // namespace wce
