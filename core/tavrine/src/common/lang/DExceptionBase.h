#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "lang/ExceptionCode.h"

namespace qel::lang {

// One argument of a formatted exception message: a text for %s, a number
// for %d, %x and %c.
class DFormatArg {
public:
  template <std::integral T>
  DFormatArg(T value) : number_(static_cast<int64_t>(value)) {}
  DFormatArg(const char16_t* text) : text_(text ? std::u16string_view(text) : std::u16string_view()) {}
  DFormatArg(std::u16string_view text) : text_(text) {}
  // A smart pointer to a string (DStringPtr); null appends nothing.
  template <class StringPtr>
  requires requires(const StringPtr& s) { s.get()->view(); }
  DFormatArg(const StringPtr& text) : text_(text.get() ? text.get()->view() : std::u16string_view()) {}

  int64_t number() const { return number_; }
  std::u16string_view text() const { return text_; }

private:
  int64_t number_ = 0;
  std::u16string_view text_;
};

// The one exception record of the framework: thrown by value, caught by
// reference, recognised by its class bits.
//
//   try { ... } catch (DExceptionBase& e) { e.rethrowUnless(ExceptionCode::IO); ... }
class DExceptionBase {
public:
  static constexpr int MessageCapacity = 124;  // units, terminator included

  explicit DExceptionBase(uint32_t code);

  // Message from a format with %s, %c, %d, %x and %%; other directives are
  // dropped without consuming an argument. Missing arguments append nothing.
  template <class... Args>
  DExceptionBase(uint32_t code, const char16_t* format, const Args&... args) : DExceptionBase(code) {
    formatMessage(format, {DFormatArg(args)...});
  }

  uint32_t code() const { return code_; }
  std::u16string_view message() const { return std::u16string_view(message_, length_); }

  // True when this record belongs to class cls: (code & cls) == cls.
  bool is(uint32_t cls) const { return (code_ & cls) == cls; }

  // For use inside a catch block: rethrows the exception being handled
  // unless it belongs to class cls.
  void rethrowUnless(uint32_t cls) const {
    if (!is(cls)) throw;
  }

private:
  void formatMessage(const char16_t* format, std::initializer_list<DFormatArg> args);
  void append(std::u16string_view text);
  void append(char16_t unit);

  uint32_t code_;
  int length_ = 0;
  char16_t message_[MessageCapacity] = {};
};

// Throws a record of the given code with an empty message.
[[noreturn]] void throwException(uint32_t code);

}  // namespace qel::lang
