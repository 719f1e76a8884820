#include "lang/TextCodec.h"

#include "platform/files/Text.h"

namespace qel::lang {

std::u16string widenLatin1(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (char byte : bytes) text.push_back(static_cast<char16_t>(static_cast<unsigned char>(byte)));
  return text;
}

std::string toMultiByte(std::u16string_view text) { return wce::toUtf8Lossy(text, U'?'); }

std::u16string fromMultiByte(std::string_view bytes) { return wce::fromUtf8(bytes); }

}  // namespace qel::lang
