#include <gtest/gtest.h>

#include "tests/support/fake_platform.h"
#include "ui/mouse.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

class MouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MouseEvent = MouseEventRecord{};
    MouseClicked = false;
  }
  FakePlatform fake;
};

TEST_F(MouseTest, OnlyAPressIsAClickAndGivesItsOneBasedCell) {
  fake.console.PushPress(1, 1);
  PollMouse();
  EXPECT_TRUE(MouseClicked);
  EXPECT_EQ(MouseEventCol(), 1);
  EXPECT_EQ(MouseEventRow(), 1);

  fake.console.PushPress(80, 25, 2);  // right button, bottom-right cell
  PollMouse();
  EXPECT_TRUE(MouseClicked);
  EXPECT_EQ(MouseEventCol(), 80);
  EXPECT_EQ(MouseEventRow(), 25);

  fake.console.PushRelease(12, 4);
  PollMouse();
  EXPECT_FALSE(MouseClicked);
  EXPECT_EQ(MouseEventCol(), 12);  // the release is the last event taken
  EXPECT_EQ(MouseEventRow(), 4);

  fake.console.PushMove(30, 9, 1);  // dragging with a button held
  PollMouse();
  EXPECT_FALSE(MouseClicked);
  EXPECT_EQ(MouseEventCol(), 30);

  fake.console.PushPress(5, 5);
  PollMouse();
  ASSERT_TRUE(MouseClicked);
  PollMouse();  // nothing waits
  EXPECT_FALSE(MouseClicked);
  EXPECT_EQ(MouseEventCol(), 5);
  EXPECT_EQ(MouseEventRow(), 5);
}

TEST_F(MouseTest, TakesOneEventPerPollAndLeavesKeysWaiting) {
  fake.console.PushKey('a');
  fake.console.PushPress(2, 2);
  fake.console.PushExtendedKey(72);
  fake.console.PushPress(3, 3);
  PollMouse();
  EXPECT_EQ(MouseEventCol(), 2);
  EXPECT_EQ(fake.console.PendingMouseEvents(), 1);
  PollMouse();
  PollMouse();
  EXPECT_EQ(MouseEventCol(), 3);
  EXPECT_EQ(fake.console.PendingKeys(), 3);
  EXPECT_EQ(fake.console.ReadKey(), 'a');
  EXPECT_EQ(fake.console.ReadKey(), '\0');
  EXPECT_EQ(fake.console.ReadKey(), 72);
}

}  // namespace
}  // namespace hopdir
