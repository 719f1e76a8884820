#pragma once

#include <cstdint>

// Class codes of DExceptionBase. Codes are bit sets: a handler for class X
// catches every code c with (c & X) == X.
namespace qel::lang::ExceptionCode {

inline constexpr uint32_t Exception = 0x04000000;
inline constexpr uint32_t Media = 0x04000010;
inline constexpr uint32_t RecordStore = 0x04200000;
inline constexpr uint32_t InvalidRecordID = 0x04200001;
inline constexpr uint32_t RecordStoreNotFound = 0x04200004;
inline constexpr uint32_t RecordStoreNotOpen = 0x04200008;
inline constexpr uint32_t Runtime = 0x05000000;
inline constexpr uint32_t NullPointer = 0x05000080;
inline constexpr uint32_t IllegalState = 0x05000100;
inline constexpr uint32_t IllegalArgument = 0x05400000;
inline constexpr uint32_t NumberFormat = 0x05400002;
inline constexpr uint32_t IndexOutOfBounds = 0x05800000;
inline constexpr uint32_t ArrayIndexOutOfBounds = 0x05800001;
inline constexpr uint32_t StringIndexOutOfBounds = 0x05800002;
inline constexpr uint32_t IO = 0x06000000;
inline constexpr uint32_t EndOfFile = 0x06000002;
inline constexpr uint32_t UTFDataFormat = 0x06000010;

}  // namespace qel::lang::ExceptionCode
