#include "lang/DString.h"

#include <algorithm>

#include "lang/CaseMapping.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DbyteArray.h"
#include "lang/TextCodec.h"

namespace qel::lang {

namespace {

constexpr std::u16string_view kNull = u"null";

std::u16string_view textOrNull(const DStringPtr& s) { return s ? s->view() : kNull; }
std::u16string_view textOrNull(const char16_t* s) { return s ? std::u16string_view(s) : kNull; }

DStringPtr joined(std::u16string_view a, std::u16string_view b) {
  std::u16string text;
  text.reserve(a.size() + b.size());
  text.append(a).append(b);
  return new DString(std::move(text));
}

bool isUrlSafe(uint8_t byte) {
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9')) return true;
  return std::u16string_view(u"-_.!~*'()").find(static_cast<char16_t>(byte)) != std::u16string_view::npos;
}

int modifiedUtf8Size(char16_t unit) {
  if (unit >= 0x0001 && unit <= 0x007F) return 1;
  if (unit <= 0x07FF) return 2;
  return 3;
}

bool matchWildcard(const char16_t* pattern, const char16_t* text, bool escaping) {
  while (true) {
    char16_t unit = *pattern;
    if (unit == 0) return *text == 0;
    if (unit == u'*') {
      while (*pattern == u'*' || *pattern == u'?') {
        if (*pattern == u'?') {
          if (*text == 0) return false;
          ++text;
        }
        ++pattern;
      }
      if (*pattern == 0) return true;
      char16_t next = *pattern;
      if (next == u'\\' && escaping && pattern[1] != 0) next = pattern[1];
      if (*text == 0) return false;
      for (; *text; ++text) {
        if (*text == next && matchWildcard(pattern, text, escaping)) return true;
      }
      return false;
    }
    if (unit == u'?') {
      if (*text == 0) return false;
    } else {
      if (unit == u'\\' && escaping && pattern[1] != 0) unit = *++pattern;
      if (*text != unit) return false;
    }
    ++pattern;
    ++text;
  }
}

}  // namespace

DString::DString(const char16_t* text) : text_(text ? text : u"") {}

DString::DString(const char16_t* text, int32_t n) {
  if (text && n > 0) text_.assign(text, static_cast<size_t>(n));
}

DString::DString(std::u16string_view text) : text_(text) {}

DString::DString(std::u16string&& text) : text_(std::move(text)) {}

DString::DString(const char* text) : text_(widenLatin1(text ? text : "")) {}

DString::DString(const DString& other) : DObject(), text_(other.text_), hash_(other.hash_) {}

DStringPtr DString::self() const { return DStringPtr(const_cast<DString*>(this)); }

char16_t DString::charAt(int32_t index) const {
  if (index < 0 || index >= length()) throwException(ExceptionCode::StringIndexOutOfBounds);
  return text_[index];
}

DStringPtr DString::toString() const { return self(); }

int32_t DString::hashCode() const {
  if (hash_ == 0) {
    uint32_t h = 0;
    for (char16_t unit : text_) h = 31 * h + unit;
    hash_ = static_cast<int32_t>(h);
  }
  return hash_;
}

bool DString::equals(const DObject* other) const {
  if (!other) return false;
  if (auto* string = dynamic_cast<const DString*>(other)) return string->text_ == text_;
  DStringPtr text = other->toString();
  return text && text->text_ == text_;
}

bool DString::equals(const char16_t* text) const { return text && view() == std::u16string_view(text); }

int32_t DString::compareTo(const DStringPtr& other) const {
  std::u16string_view a = view();
  std::u16string_view b = other->view();
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool DString::startsWith(const DStringPtr& prefix) const { return view().starts_with(prefix->view()); }

bool DString::endsWith(const DStringPtr& suffix) const { return view().ends_with(suffix->view()); }

int32_t DString::indexOf(char16_t unit) const { return indexOf(unit, 0); }

int32_t DString::indexOf(char16_t unit, int32_t from) const {
  if (from < 0) from = 0;
  if (from >= length()) return -1;
  size_t found = text_.find(unit, static_cast<size_t>(from));
  return found == std::u16string::npos ? -1 : static_cast<int32_t>(found);
}

int32_t DString::indexOf(const DStringPtr& text) const { return indexOf(text, 0); }

int32_t DString::indexOf(const DStringPtr& text, int32_t from) const {
  std::u16string_view needle = text->view();
  if (from < 0) from = 0;
  if (from > length()) return -1;
  size_t found = text_.find(needle.data(), static_cast<size_t>(from), needle.size());
  return found == std::u16string::npos ? -1 : static_cast<int32_t>(found);
}

int32_t DString::lastIndexOf(char16_t unit) const {
  size_t found = text_.rfind(unit);
  return found == std::u16string::npos ? -1 : static_cast<int32_t>(found);
}

DStringPtr DString::substring(int32_t begin, int32_t end) const {
  if (begin < 0 || end > length() || begin > end) throwException(ExceptionCode::StringIndexOutOfBounds);
  return new DString(view().substr(begin, end - begin));
}

DStringPtr DString::substring(int32_t begin) const { return substring(begin, length()); }

DStringPtr DString::concat(const DStringPtr& a, const DStringPtr& b) { return joined(textOrNull(a), textOrNull(b)); }

DStringPtr DString::concat(const DStringPtr& a, const char16_t* b) { return joined(textOrNull(a), textOrNull(b)); }

DStringPtr DString::concat(const char16_t* a, const DStringPtr& b) { return joined(textOrNull(a), textOrNull(b)); }

DStringPtr DString::concat(const char16_t* a, const char16_t* b) { return joined(textOrNull(a), textOrNull(b)); }

DStringPtr DString::concat(const DStringPtr& a, int32_t n) {
  return joined(textOrNull(a), DInteger::toString(n)->view());
}

DStringPtr DString::trim() const {
  size_t begin = 0;
  size_t end = text_.size();
  while (begin < end && text_[begin] < 33) ++begin;
  while (end > begin && text_[end - 1] < 33) --end;
  if (begin == 0 && end == text_.size()) return self();
  return new DString(view().substr(begin, end - begin));
}

DStringPtr DString::toLowerCase() const {
  std::u16string text = text_;
  for (char16_t& unit : text) unit = toLowerUnit(unit);
  return new DString(std::move(text));
}

DStringPtr DString::toUpperCase() const {
  std::u16string text = text_;
  for (char16_t& unit : text) unit = toUpperUnit(unit);
  return new DString(std::move(text));
}

DStringPtr DString::valueOf(int32_t n) { return DInteger::toString(n); }

DStringPtr DString::replace(char16_t oldUnit, char16_t newUnit) const {
  if (text_.empty()) return self();
  std::u16string text = text_;
  std::replace(text.begin(), text.end(), oldUnit, newUnit);
  return new DString(std::move(text));
}

DStringPtr DString::replace(const DStringPtr& target, const DStringPtr& replacement) const {
  std::u16string_view needle = target->view();
  std::u16string_view with = replacement->view();
  if (needle.empty()) return self();
  std::u16string text;
  size_t position = 0;
  bool matched = false;
  while (position < text_.size()) {
    size_t found = text_.find(needle.data(), position, needle.size());
    if (found == std::u16string::npos) break;
    matched = true;
    text.append(view().substr(position, found - position)).append(with);
    position = found + needle.size();
  }
  if (!matched) return self();
  text.append(view().substr(position));
  return new DString(std::move(text));
}

DbyteArrayPtr DString::getBytes(bool terminate) const {
  std::string bytes = toMultiByte(text_);
  DbyteArrayPtr array = new DbyteArray(static_cast<int32_t>(bytes.size()) + (terminate ? 1 : 0));
  std::copy(bytes.begin(), bytes.end(), array->data());
  return array;
}

DbyteArrayPtr DString::getBytesUTF8() const {
  int32_t size = 0;
  for (char16_t unit : text_) size += modifiedUtf8Size(unit);
  DbyteArrayPtr array = new DbyteArray(size);
  int8_t* out = array->data();
  auto put = [&out](unsigned value) { *out++ = static_cast<int8_t>(value); };
  for (char16_t unit : text_) {
    switch (modifiedUtf8Size(unit)) {
      case 1: put(unit); break;
      case 2:
        put(0xC0 | (unit >> 6));
        put(0x80 | (unit & 0x3F));
        break;
      default:
        put(0xE0 | (unit >> 12));
        put(0x80 | ((unit >> 6) & 0x3F));
        put(0x80 | (unit & 0x3F));
    }
  }
  return array;
}

DStringPtr DString::fromUTF8(const DbyteArrayPtr& bytes) {
  return decodeUTF8(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->length());
}

DStringPtr DString::decodeUTF8(const uint8_t* bytes, int32_t n) {
  std::u16string text;
  text.reserve(n > 0 ? n : 0);
  auto continuation = [](uint8_t byte) {
    if ((byte & 0xC0) != 0x80) throwException(ExceptionCode::UTFDataFormat);
    return static_cast<unsigned>(byte & 0x3F);
  };
  int32_t i = 0;
  while (i < n) {
    uint8_t lead = bytes[i];
    switch (lead >> 4) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
      case 6:
      case 7:
        text.push_back(lead);
        i += 1;
        break;
      case 12:
      case 13:
        if (i + 2 > n) throwException(ExceptionCode::UTFDataFormat);
        text.push_back(static_cast<char16_t>(((lead & 0x1F) << 6) | continuation(bytes[i + 1])));
        i += 2;
        break;
      case 14:
        if (i + 3 > n) throwException(ExceptionCode::UTFDataFormat);
        text.push_back(static_cast<char16_t>(((lead & 0x0F) << 12) | (continuation(bytes[i + 1]) << 6) |
                                             continuation(bytes[i + 2])));
        i += 3;
        break;
      default: throwException(ExceptionCode::UTFDataFormat);
    }
  }
  return new DString(std::move(text));
}

DStringPtr DString::urlEncode(int mode) const {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  DbyteArrayPtr bytes = mode == 0 ? getBytesUTF8() : getBytes(false);
  std::u16string text;
  for (int32_t i = 0; i < bytes->length(); ++i) {
    uint8_t byte = static_cast<uint8_t>(bytes->data()[i]);
    if (isUrlSafe(byte)) {
      text.push_back(byte);
    } else {
      text.push_back(u'%');
      text.push_back(kHex[byte >> 4]);
      text.push_back(kHex[byte & 0xF]);
    }
  }
  return new DString(std::move(text));
}

int DString::wildcardMatch(const char16_t* pattern, const char16_t* text, int flags) {
  if (!pattern || !text) throwException(ExceptionCode::NullPointer);
  return matchWildcard(pattern, text, (flags & 2) == 0) ? 0 : 1;
}

DStringPtr operator+(const DStringPtr& a, const DStringPtr& b) { return DString::concat(a, b); }

DStringPtr operator+(const DStringPtr& a, const char16_t* b) { return DString::concat(a, b); }

DStringPtr operator+(const DStringPtr& a, int32_t n) { return DString::concat(a, n); }

}  // namespace qel::lang
