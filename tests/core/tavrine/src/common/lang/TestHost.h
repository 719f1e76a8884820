#pragma once

#include <cstdint>

#include "lang/DString.h"
#include "lang/Host.h"

namespace qel::lang {

// A host installed for its lifetime: active, drawn at single size, with no
// window, no timers and no application properties unless a test's own host
// says otherwise.
class TestHost : public Host {
public:
  TestHost() { install(this); }
  ~TestHost() override { uninstall(this); }

  bool setTimer(int32_t, uint32_t) override { return false; }
  void killTimer(int32_t) override {}
  DStringPtr appProperty(const DStringPtr&) override { return DStringPtr(); }
  bool isInactive() override { return false; }
  bool isScale2x() const override { return false; }
  wce::HWND getWindow() const override { return nullptr; }
};

// A host whose application property "app.name" is name.
class ApplicationNameHost final : public TestHost {
public:
  explicit ApplicationNameHost(const char16_t* name) : name_(name) {}

  DStringPtr appProperty(const DStringPtr& key) override {
    return key->equals(u"app.name") ? DStringPtr(name_) : DStringPtr();
  }

private:
  const char16_t* name_;
};

}  // namespace qel::lang
