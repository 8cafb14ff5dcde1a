// The list view's record and what its files share: the model and its
// notifications (listview.cpp), geometry and painting (listview_paint.cpp),
// mouse and keys (listview_input.cpp). Internal to platform/window/.
#pragma once

#include <string>
#include <vector>

#include "platform/window/commctrl/commctrl_internal.h"

namespace plat::window::listview {

struct Column {
  int fmt = LVCFMT_LEFT;
  int cx = 0;
  std::u16string text;
  int subItem = 0;
};

struct Item {
  std::vector<std::u16string> texts;  // by sub-item
  LPARAM param = 0;
  UINT state = 0;
};

struct ListView {
  std::vector<Column> columns;
  std::vector<Item> items;
  DWORD exStyle = 0;
  int rowHeight = 0;
  int top = 0;               // the first item shown
  bool clickPending = false;  // a press awaiting its release (NM_CLICK)
  int pressItem = -1;
  int pressSubItem = -1;
  POINT pressPoint{};
};

ListView* StateOf(HWND hwnd);
bool Valid(const ListView& s, WPARAM index);
bool SingleSelection(HWND hwnd);
bool OwnerDrawn(HWND hwnd);

// Moves the state bits of `mask` on item `index` to `state`, telling the
// parent LVN_ITEMCHANGING (which may refuse) and LVN_ITEMCHANGED; a single
// selection or the focus leaves the other items first. False when the
// parent refused or the item is gone.
bool ChangeState(HWND hwnd, int index, UINT state, UINT mask);
// The user's choice of an item (-1: none): it alone is focused and
// selected.
void UserSelect(HWND hwnd, int index);

// Geometry of report view (client coordinates).
int HeaderHeight(HWND hwnd);
int RowsPerPage(HWND hwnd, const ListView& s);
RECT RowRect(HWND hwnd, const ListView& s, int index);
RECT CellRect(HWND hwnd, const ListView& s, int index, int column);
// The item and column under a point; -1 for none.
int ItemAt(HWND hwnd, const ListView& s, POINT p);
int ColumnAt(const ListView& s, POINT p);
bool EnsureVisible(HWND hwnd, ListView& s, int index);

LRESULT Paint(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonUp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DoubleClick(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT KeyDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plat::window::listview
