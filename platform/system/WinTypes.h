#pragma once
// Small handle and parameter types shared by the emulated handheld's calls.

#include <cstdint>

namespace wce {

struct Window;
struct Module;

using HWND = Window*;
using HMODULE = Module*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;

// The type every exported entry is handed out as; callers cast it to the
// entry's own signature.
using FARPROC = void (*)();

}  // namespace wce
