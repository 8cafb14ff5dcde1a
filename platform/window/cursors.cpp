// System cursors and the cursor shown. Each system cursor is one handle for
// the life of the process; resource cursors of modules come with the
// resource loader.
#include <iterator>
#include <mutex>

#include "platform/base/winerror.h"
#include "platform/modules/winresource.h"
#include "platform/window/input_control.h"

namespace {

constexpr WORD kSystemCursors[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                   32644, 32645, 32646, 32648, 32649, 32650, 32651};
constexpr ULONG_PTR kCursorBase = 0x00C30000;

HCURSOR HandleOf(std::size_t index) { return reinterpret_cast<HCURSOR>(kCursorBase + 4 * index); }

struct Shown {
  std::mutex lock;
  HCURSOR cursor = HandleOf(0);  // the arrow
};

Shown& TheShown() {
  static Shown* shown = new Shown;  // lives until process exit
  return *shown;
}

}  // namespace

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (instance == nullptr && IS_INTRESOURCE(name)) {
    const auto id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    for (std::size_t i = 0; i < std::size(kSystemCursors); ++i) {
      if (kSystemCursors[i] == id) return HandleOf(i);
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  std::lock_guard guard(TheShown().lock);
  HCURSOR old = TheShown().cursor;
  TheShown().cursor = cursor;
  return old;
}

HCURSOR GetCursor() {
  std::lock_guard guard(TheShown().lock);
  return TheShown().cursor;
}

namespace plat::window {

WORD SystemCursorId(HCURSOR cursor) {
  const auto value = reinterpret_cast<ULONG_PTR>(cursor);
  if (value < kCursorBase || (value - kCursorBase) % 4 != 0) return 0;
  const std::size_t index = (value - kCursorBase) / 4;
  return index < std::size(kSystemCursors) ? kSystemCursors[index] : 0;
}

}  // namespace plat::window
