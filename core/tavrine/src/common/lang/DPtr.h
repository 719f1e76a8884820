#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace qel::lang {

class DString;

// Throws the null-reference exception (0x05000080, empty message).
[[noreturn]] void throwNullPointer();

// Intrusive smart pointer over a DObject-derived class. A holder owns
// exactly one count of the object it holds; dereferencing an empty holder
// throws the null-reference exception.
template <class T>
class DPtr {
public:
  DPtr() noexcept = default;
  DPtr(std::nullptr_t) noexcept {}
  DPtr(T* object) : object_(object) {
    if (object_) object_->addRef();
  }
  DPtr(const DPtr& other) : DPtr(other.object_) {}
  DPtr(DPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> DPtr(const DPtr<U>& other) : DPtr(other.get()) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> DPtr(DPtr<U>&& other)
  noexcept : object_(other.detach()) {}

  // A new DString from a wide literal (DStringPtr only).
  template <class U = T>
  requires std::is_same_v<U, DString> DPtr(const char16_t* literal) : DPtr(literal ? new U(literal) : nullptr) {}

  ~DPtr() { release(); }

  DPtr& operator=(const DPtr& other) {
    assignRaw(other.object_);
    return *this;
  }
  DPtr& operator=(DPtr&& other) noexcept {
    if (this != &other) {
      T* previous = std::exchange(object_, std::exchange(other.object_, nullptr));
      if (previous) previous->releaseRef();
    }
    return *this;
  }

  // Stores object and counts it, then releases the previous one.
  void assignRaw(T* object) {
    if (object) object->addRef();
    T* previous = std::exchange(object_, object);
    if (previous) previous->releaseRef();
  }

  // Empties the holder, then releases what it held.
  void release() {
    T* previous = std::exchange(object_, nullptr);
    if (previous) previous->releaseRef();
  }

  // Hands the held count over to the caller; the holder becomes empty.
  T* detach() noexcept { return std::exchange(object_, nullptr); }

  T* get() const noexcept { return object_; }
  bool isNull() const noexcept { return object_ == nullptr; }
  explicit operator bool() const noexcept { return object_ != nullptr; }

  T* operator->() const { return checked(); }
  T& operator*() const { return *checked(); }

  // Checked element access for array classes: null array, then index.
  template <class U = T>
  decltype(auto) operator[](int index) const requires requires(U& array) {
    array.at(0);
  }
  { return checked()->at(index); }
  template <class U = T>
  decltype(auto) at(int index) const requires requires(U& array) {
    array.at(0);
  }
  { return checked()->at(index); }

  friend bool operator==(const DPtr& a, const DPtr& b) noexcept { return a.object_ == b.object_; }
  friend bool operator==(const DPtr& a, std::nullptr_t) noexcept { return a.object_ == nullptr; }

private:
  T* checked() const {
    if (!object_) throwNullPointer();
    return object_;
  }

  T* object_ = nullptr;
};

// The held object as a U, or null when it is none.
template <class U, class T>
DPtr<U> dynamicPtrCast(const DPtr<T>& ptr) {
  return DPtr<U>(dynamic_cast<U*>(ptr.get()));
}

}  // namespace qel::lang
