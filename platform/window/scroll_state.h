// A scroll bar's state: range, page, position, disabled arrows and the
// thumb being dragged. Scroll bar controls keep one in their record; every
// window keeps one for each of its own bars (SB_HORZ, SB_VERT). Internal
// to platform/window/.
#pragma once

#include "platform/base/wintypes.h"

namespace plat::window {

struct ScrollState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  UINT disabledArrows = 0;  // ESB_DISABLE_LTUP, ESB_DISABLE_RTDN
  bool tracking = false;    // the thumb is being dragged
  int trackPos = 0;
  int grabOffset = 0;  // where the thumb was taken, from its start
  bool pressed = false;  // a window's own bar holds the mouse
};

}  // namespace plat::window
