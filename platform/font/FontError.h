#pragma once

#include <stdexcept>
#include <string>

namespace wce {

// Raised when a face cannot be found, opened or sized.
class FontError : public std::runtime_error {
public:
  explicit FontError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace wce
