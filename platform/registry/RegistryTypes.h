#pragma once

#include <cstdint>

namespace wce {

using LONG = std::int32_t;
using DWORD = std::uint32_t;
using BYTE = std::uint8_t;

// A registry key handle: one of the two roots, or a small id given out by
// RegOpenKeyExW / RegCreateKeyExW. The zero handle is the null key.
enum class HKEY : std::uint32_t {};

inline constexpr HKEY HKEY_NULL = HKEY{0};
inline constexpr HKEY HKEY_CURRENT_USER = HKEY{0x80000001u};
inline constexpr HKEY HKEY_LOCAL_MACHINE = HKEY{0x80000002u};

inline constexpr DWORD REG_BINARY = 3;

inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;
inline constexpr LONG ERROR_CANTOPEN = 1011;
inline constexpr LONG ERROR_CANTREAD = 1012;
inline constexpr LONG ERROR_CANTWRITE = 1013;
inline constexpr LONG ERROR_KEY_DELETED = 1018;
inline constexpr LONG ERROR_NOT_FOUND = 1168;

}  // namespace wce
