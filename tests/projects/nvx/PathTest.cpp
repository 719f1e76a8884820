#include <gtest/gtest.h>

#include "nvx/src/world/Path.h"

using nvx::Path;

TEST(PathTest, FieldsPackIndependently) {
  Path step(3, 5, 1, 2, 0);
  EXPECT_EQ(step.x, 3);
  EXPECT_EQ(step.y, 5);
  EXPECT_EQ(step.getAction(), 1);
  EXPECT_EQ(step.getDirection(), 2);
  EXPECT_EQ(step.getItemSlot(), 0);
  step.setDirection(3);
  EXPECT_EQ(step.getAction(), 1);
  EXPECT_EQ(step.getDirection(), 3);
  EXPECT_EQ(step.getItemSlot(), 0);
}

TEST(PathTest, PlantWithTheThirdSlotSouthPacksTo0x5D) {
  Path step(0, 0, 5, 3, 0);
  step.setItemSlot(2);
  EXPECT_EQ(step.packed(), 0x5D);
  step.setAction(Path::Walk);
  EXPECT_EQ(step.packed(), 0x59);
  EXPECT_EQ(step.getItemSlot(), 2);
}

TEST(PathTest, CellsAreSignedBytes) {
  Path step(-1, 200, 0, 0, 0);
  EXPECT_EQ(step.x, -1);
  EXPECT_EQ(step.y, -56);
}
