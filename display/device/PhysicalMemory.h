#pragma once
// Physical memory reached through the system's virtual-memory calls, in
// kernel mode for the length of each call.

#include <cstddef>
#include <cstdint>

namespace tdlx {

// Addresses above this one are passed to VirtualCopy divided by 256.
inline constexpr std::uint64_t kHighestDirectPhysical = 0x1FFFFFFF;

// A view of size bytes at the physical address (any alignment), uncached
// unless cached; null when it cannot be mapped.
void* mapPhysical(std::uint64_t address, std::uint32_t size, bool cached);
// Releases a view mapPhysical answered; null is ignored.
void unmapPhysical(void* view);

// One view, released with the object.
class PhysicalMapping {
public:
  PhysicalMapping() = default;
  PhysicalMapping(std::uint64_t address, std::uint32_t size, bool cached) : view_(mapPhysical(address, size, cached)) {}
  ~PhysicalMapping() { unmapPhysical(view_); }
  PhysicalMapping(PhysicalMapping&& other) noexcept : view_(other.view_) { other.view_ = nullptr; }
  PhysicalMapping& operator=(PhysicalMapping&& other) noexcept {
    if (this != &other) {
      unmapPhysical(view_);
      view_ = other.view_;
      other.view_ = nullptr;
    }
    return *this;
  }

  explicit operator bool() const { return view_ != nullptr; }
  void* view() const { return view_; }
  // The 32-bit word at index, read from the device each time.
  std::uint32_t word(std::size_t index) const { return static_cast<const volatile std::uint32_t*>(view_)[index]; }

private:
  void* view_ = nullptr;
};

}  // namespace tdlx
