#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::lang {

// Immutable UTF-16 text with a cached hash.
//
//   DStringPtr a = u"literal";                        // from a wide literal
//   DStringPtr b = new DString("bytes");              // 8-bit text, widened as Latin-1
//   DStringPtr c = new DString(fromMultiByte(utf8));  // UTF-8 (lang/TextCodec.h)
class DString final : public DObject {
public:
  DString() = default;
  DString(const char16_t* text);
  // Exactly n units (n < 0 read as 0).
  DString(const char16_t* text, int32_t n);
  explicit DString(std::u16string_view text);
  explicit DString(std::u16string&& text);
  // 8-bit NUL-terminated text, one unit per byte (Latin-1).
  explicit DString(const char* text);
  DString(const DString& other);

  int32_t length() const { return static_cast<int32_t>(text_.size()); }
  // Index < 0 or >= length throws 0x05800002.
  char16_t charAt(int32_t index) const;
  // The units followed by a terminator.
  const char16_t* chars() const { return text_.c_str(); }
  std::u16string_view view() const { return text_; }

  std::string getClassName() const override { return "DString"; }
  // The string itself.
  DStringPtr toString() const override;
  // h = 31 * h + unit over the units, 32-bit wrap-around; cached.
  int32_t hashCode() const override;
  // Equal when the other's toString has the same units; false for null.
  bool equals(const DObject* other) const override;
  bool equals(const char16_t* text) const;
  bool equals(std::nullptr_t) const { return false; }
  // -1, 0 or 1 by the first differing unit, then by length.
  int32_t compareTo(const DStringPtr& other) const;
  bool startsWith(const DStringPtr& prefix) const;
  bool endsWith(const DStringPtr& suffix) const;
  int32_t indexOf(char16_t unit) const;
  int32_t indexOf(char16_t unit, int32_t from) const;
  int32_t indexOf(const DStringPtr& text) const;
  int32_t indexOf(const DStringPtr& text, int32_t from) const;
  int32_t lastIndexOf(char16_t unit) const;

  // Units [begin, end); begin < 0, end > length or begin > end throw 0x05800002.
  DStringPtr substring(int32_t begin, int32_t end) const;
  DStringPtr substring(int32_t begin) const;

  // Concatenations; a null operand reads as "null".
  static DStringPtr concat(const DStringPtr& a, const DStringPtr& b);
  static DStringPtr concat(const DStringPtr& a, const char16_t* b);
  static DStringPtr concat(const char16_t* a, const DStringPtr& b);
  static DStringPtr concat(const char16_t* a, const char16_t* b);
  static DStringPtr concat(const DStringPtr& a, int32_t n);

  // Without the units below 33 at both ends; the string itself when
  // nothing is removed.
  DStringPtr trim() const;
  DStringPtr toLowerCase() const;
  DStringPtr toUpperCase() const;
  static DStringPtr valueOf(int32_t n);
  // A copy with every oldUnit replaced; the empty string returns itself.
  DStringPtr replace(char16_t oldUnit, char16_t newUnit) const;
  // Every occurrence of target replaced, left to right; the string itself
  // when there is none or target is empty.
  DStringPtr replace(const DStringPtr& target, const DStringPtr& replacement) const;

  // UTF-8 bytes, with one extra 0 byte when terminate is set.
  DbyteArrayPtr getBytes(bool terminate) const;
  // Modified UTF-8: U+0000 as C0 80, surrogates one unit at a time.
  DbyteArrayPtr getBytesUTF8() const;
  // Decodes modified UTF-8; malformed input throws 0x06000010.
  static DStringPtr fromUTF8(const DbyteArrayPtr& bytes);
  static DStringPtr decodeUTF8(const uint8_t* bytes, int32_t n);
  // Percent-encoding of the modified UTF-8 bytes (mode 0) or of the
  // getBytes bytes (mode 1).
  DStringPtr urlEncode(int mode) const;

  // 0 when text matches pattern ('*', '?', '\' escapes unless flags & 2), else 1.
  static int wildcardMatch(const char16_t* pattern, const char16_t* text, int flags);

private:
  DStringPtr self() const;

  std::u16string text_;
  mutable int32_t hash_ = 0;
};

DStringPtr operator+(const DStringPtr& a, const DStringPtr& b);
DStringPtr operator+(const DStringPtr& a, const char16_t* b);
DStringPtr operator+(const DStringPtr& a, int32_t n);

}  // namespace qel::lang
