#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/system/SharedPages.h"

namespace wce {
namespace {

// Sizes and addresses follow the page size the system reports, which is not
// 4 KiB under every kernel.
TEST(SharedPagesTest, RoundToTheHostPageSize) {
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  EXPECT_EQ(hostPageSize(), page);
  struct Row {
    std::size_t bytes;
    std::size_t alignment;
    std::size_t size;
    std::size_t addressMultiple;
  };
  const Row rows[] = {
      {0, 0, page, page},
      {1, 1024, page, page},
      {page, page, page, page},
      {page + 1, page, 2 * page, page},
      {3 * page - 1, 0x80000, 3 * page, std::max<std::size_t>(page, 0x80000)},
  };
  for (const Row& row : rows) {
    SharedPages pages(row.bytes, row.alignment);
    EXPECT_EQ(pages.size(), row.size) << row.bytes;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(pages.data()) % row.addressMultiple, 0u) << row.bytes;
    EXPECT_EQ(pages.data()[pages.size() - 1], 0) << row.bytes;
  }
  EXPECT_EQ(wholeHostPages(page + 1), 2 * page);
}

}  // namespace
}  // namespace wce
