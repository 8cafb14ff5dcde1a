// The pixels of a module's icon: the image of its icon file closest to a
// wanted size, read from the DIB of that image (colour bits and the AND
// mask) with every read checked against the resource's size. Internal to
// platform/window/.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window/winuser.h"

namespace plat::window {

struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> color;  // 0xAARRGGBB, top-down
  std::vector<std::uint8_t> masked;  // 1 where the AND mask keeps the background
  bool alpha = false;                // the colours carry their own opacity
};

// False (ERROR_INVALID_CURSOR_HANDLE) for a handle that is not a module's
// icon, or (ERROR_INVALID_DATA) when its data is not a readable image.
bool ReadIconPixels(HICON icon, int wantedWidth, IconPixels* out);

}  // namespace plat::window
