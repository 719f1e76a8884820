#pragma once
// The executable's bitmap resources. The program registers the bytes of each
// bitmap file (a Windows BMP, 24 or 32 bits per pixel, uncompressed) under its
// id before it loads any; LoadBitmapW turns one into a DIB section.

#include <cstdint>
#include <span>

#include "platform/gdi/GdiTypes.h"

namespace wce {

// The splash picture the host paints while it starts.
inline constexpr UINT IDB_SPLASH = 101;

// Keeps a copy of the file's bytes under id, replacing an earlier one.
void registerBitmapResource(UINT id, std::span<const std::uint8_t> bmpFile);
void unregisterBitmapResource(UINT id);

// A new bitmap of the resource; null for an unknown id or a file that is not
// a bitmap this loader reads. Deleted with DeleteObject.
HBITMAP LoadBitmapW(HINSTANCE instance, UINT id);

// Fills a BITMAP record of a bitmap; answers the bytes written, 0 for any
// other object or a record smaller than BITMAP.
int GetObjectW(HGDIOBJ object, int size, void* record);

}  // namespace wce
