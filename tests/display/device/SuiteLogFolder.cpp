#include "tests/display/LogFolderEnvironment.h"

namespace {

[[maybe_unused]] auto* const kLogFolder = ::testing::AddGlobalTestEnvironment(new tdlx::testing::LogFolderEnvironment);

}  // namespace
