#pragma once

#include <cstddef>
#include <gtest/gtest.h>
#include <string>

namespace tdlx {

// A test run once for each kernel set that sets() lists (entries with a name
// and whether this processor runs them), skipped where it cannot. Instantiate
// with INSTANTIATE_KERNEL_SETS.
template <auto sets>
class KernelSetTest : public testing::TestWithParam<std::size_t> {
public:
  static auto everySet() { return testing::Range<std::size_t>(0, sets().size()); }
  static std::string setName(const testing::TestParamInfo<std::size_t>& info) { return sets()[info.param].name; }

protected:
  void SetUp() override {
    if (!set().available) GTEST_SKIP() << "this processor cannot run " << set().name;
  }
  const auto& set() const { return sets()[GetParam()]; }
};

#define INSTANTIATE_KERNEL_SETS(Fixture) \
  INSTANTIATE_TEST_SUITE_P(EverySet, Fixture, Fixture::everySet(), Fixture::setName)

}  // namespace tdlx
