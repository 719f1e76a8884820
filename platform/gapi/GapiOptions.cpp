#include "platform/gapi/GapiOptions.h"

namespace wce {
namespace {

GapiOptions& current() {
  static GapiOptions options;
  return options;
}

}  // namespace

const GapiOptions& gapiOptions() { return current(); }

ScopedGapiOptions::ScopedGapiOptions(const GapiOptions& options) : previous_(current()) { current() = options; }

ScopedGapiOptions::~ScopedGapiOptions() { current() = previous_; }

}  // namespace wce
