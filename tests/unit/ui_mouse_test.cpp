#include <gtest/gtest.h>

#include <string>

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
  // Polls once: whether that was a click, and the 1-based cell of the last
  // event taken.
  static std::string Polled() {
    PollMouse();
    return (MouseClicked ? "click " : "none ") + std::to_string(MouseEventCol()) + "," +
           std::to_string(MouseEventRow());
  }
  FakePlatform fake;
};

TEST_F(MouseTest, OnlyAPressIsAClickAndGivesItsOneBasedCell) {
  fake.console.PushPress(1, 1);
  EXPECT_EQ(Polled(), "click 1,1");
  fake.console.PushPress(80, 25, 2);  // right button, bottom-right cell
  EXPECT_EQ(Polled(), "click 80,25");
  fake.console.PushRelease(12, 4);
  EXPECT_EQ(Polled(), "none 12,4");
  fake.console.PushMove(30, 9, 1);  // dragging with a button held
  EXPECT_EQ(Polled(), "none 30,9");
  fake.console.PushPress(5, 5);
  EXPECT_EQ(Polled(), "click 5,5");
  EXPECT_EQ(Polled(), "none 5,5");  // nothing waits: the position is kept
}

TEST_F(MouseTest, TakesOneEventPerPollAndLeavesKeysWaiting) {
  fake.console.PushKey('a');
  fake.console.PushPress(2, 2);
  fake.console.PushExtendedKey(72);
  fake.console.PushPress(3, 3);
  EXPECT_EQ(Polled(), "click 2,2");
  EXPECT_EQ(fake.console.PendingMouseEvents(), 1);
  EXPECT_EQ(Polled(), "click 3,3");
  EXPECT_EQ(Polled(), "none 3,3");
  EXPECT_EQ(fake.console.PendingKeys(), 3);
  EXPECT_EQ(fake.console.ReadKey(), 'a');
  EXPECT_EQ(fake.console.ReadKey(), '\0');
  EXPECT_EQ(fake.console.ReadKey(), 72);
}

}  // namespace
}  // namespace hopdir
