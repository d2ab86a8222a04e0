#include "ui/mouse.h"

#include "platform/platform.h"

namespace hopdir {

MouseEventRecord MouseEvent;
bool MouseClicked = false;

void StartMouse() { Os().console.EnableMouse(); }

void StopMouse() { Os().console.DisableMouse(); }

void PollMouse() {
  MouseEventRecord event;
  if (!Os().console.TakeMouseEvent(event)) {
    MouseClicked = false;
    return;
  }
  MouseEvent = event;
  MouseClicked = MouseEvent.Buttons != 0 && MouseEvent.Action == kMousePressed;
}

int16_t MouseEventCol() { return static_cast<int16_t>(MouseEvent.Col + 1); }

int16_t MouseEventRow() { return static_cast<int16_t>(MouseEvent.Row + 1); }

}  // namespace hopdir
