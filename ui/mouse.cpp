#include "ui/mouse.h"

#include "platform/platform.h"

namespace hopdir {

MouseEventRecord MouseEvent;
bool MouseClicked = false;
bool MouseDoubleClicked = false;

namespace {

// The press before the last one, for telling double clicks.
MouseEventRecord LastPress;
bool HadPress = false;

bool SecondOfDoubleClick(const MouseEventRecord& press) {
  if (!HadPress) return false;
  const auto limit = static_cast<uint32_t>(Os().console.DoubleClickMilliseconds());
  return press.Buttons == LastPress.Buttons && press.Col == LastPress.Col &&
         press.Row == LastPress.Row && press.Time - LastPress.Time <= limit;
}

}  // namespace

void StartMouse() {
  HadPress = false;
  Os().console.EnableMouse();
}

void StopMouse() { Os().console.DisableMouse(); }

void PollMouse() {
  MouseEventRecord event;
  MouseDoubleClicked = false;
  if (!Os().console.TakeMouseEvent(event)) {
    MouseClicked = false;
    return;
  }
  MouseEvent = event;
  MouseClicked = MouseEvent.Buttons != 0 && MouseEvent.Action == kMousePressed;
  if (!MouseClicked) return;
  // Three quick presses are a double click and a single one.
  MouseDoubleClicked = SecondOfDoubleClick(event);
  LastPress = event;
  HadPress = !MouseDoubleClicked;
}

int16_t MouseEventCol() { return static_cast<int16_t>(MouseEvent.Col + 1); }

int16_t MouseEventRow() { return static_cast<int16_t>(MouseEvent.Row + 1); }

int MouseWheelTurn() { return MouseEvent.Action == kMouseWheeled ? MouseEvent.Wheel : 0; }

}  // namespace hopdir
