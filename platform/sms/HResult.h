#pragma once
// Result codes of the emulated messaging libraries: negative means failure.

#include <cstdint>

namespace wce {

using HRESULT = std::int32_t;

inline constexpr HRESULT makeResult(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOTIMPL = makeResult(0x80004001u);
inline constexpr HRESULT E_FAIL = makeResult(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = makeResult(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = makeResult(0x80070057u);

inline constexpr bool succeeded(HRESULT result) { return result >= 0; }
inline constexpr bool failed(HRESULT result) { return result < 0; }

}  // namespace wce
