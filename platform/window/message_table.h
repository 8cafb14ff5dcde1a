// A window class as a table of messages: one row per message the class
// handles, each row a small procedure; messages without a row go to a
// fallback (DefWindowProcW unless the class says otherwise).
#pragma once

#include <algorithm>
#include <cstddef>

#include "platform/window/winuser.h"

namespace plat::window {

struct MessageRow {
  UINT message;
  WNDPROC handle;
};

struct MessageTable {
  std::size_t count;
  const MessageRow* rows;
  WNDPROC fallback;
};

template <std::size_t N>
constexpr MessageTable TableOf(const MessageRow (&rows)[N], WNDPROC fallback = DefWindowProcW) {
  return MessageTable{N, rows, fallback};
}

// The answer of the message's row, or of the fallback.
inline LRESULT DispatchByTable(const MessageTable& table, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const MessageRow* end = table.rows + table.count;
  const MessageRow* row = std::find_if(table.rows, end, [&](const MessageRow& r) { return r.message == message; });
  if (row != end) return row->handle(hwnd, message, wParam, lParam);
  return table.fallback != nullptr ? table.fallback(hwnd, message, wParam, lParam) : 0;
}

}  // namespace plat::window
