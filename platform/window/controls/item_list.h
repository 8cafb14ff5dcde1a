// The items of a list box or combo box: texts (or, for owner-drawn lists
// without strings, item data alone), their data and selection, with the
// answers and errors of the LB_ and CB_ messages that share them.
// Internal to platform/window/.
#pragma once

#include <string>
#include <vector>

#include "platform/window/winuser_controls.h"

namespace plat::window {

struct ListItem {
  std::u16string text;
  ULONG_PTR data = 0;
  bool selected = false;
  int height = 0;  // a variable-height item's own height; 0 takes the list's
};

struct ItemList {
  std::vector<ListItem> items;
  bool hasStrings = true;  // texts are kept (else lParam is the item's data)
  bool sorted = false;

  // The index the item went to, or the error answer (-1 for an index out of range).
  LRESULT Insert(LRESULT index, LPARAM lParam);
  LRESULT Add(LPARAM lParam) { return Insert(-1, lParam); }
  // The count left, or -1.
  LRESULT Delete(WPARAM index);
  bool Valid(WPARAM index) const { return index < items.size(); }
  // Copies the text (or the data) into buffer; its length, or -1.
  LRESULT CopyText(WPARAM index, LPARAM buffer) const;
  LRESULT TextLength(WPARAM index) const;
  // The first item at or after start + 1 (wrapping) whose text begins with
  // (or, exact, equals) the text regardless of case; -1 when none.
  LRESULT Find(WPARAM start, LPARAM text, bool exact) const;
  // An item's height: its own, or the list's fixed one.
  int HeightOf(std::size_t index, int fixed) const {
    return index < items.size() && items[index].height > 0 ? items[index].height : fixed;
  }
  // The offset of an item's top below the top of item `from`.
  int OffsetOf(std::size_t from, std::size_t index, int fixed) const {
    int y = 0;
    for (std::size_t i = from; i < index; ++i) y += HeightOf(i, fixed);
    return y;
  }
};

// Asks the owner of a variable-height list box or combo box for the height
// of the item just added (WM_MEASUREITEM with its index and data) and keeps
// it.
void MeasureAddedItem(HWND control, UINT type, ItemList& list, LRESULT index, int fixed);

// Message rows the list box and the combo box share, on a record that holds
// its items as `list` (LB_ERR and CB_ERR are both -1).
template <class S>
LRESULT ItemCount(HWND, S& s, WPARAM, LPARAM) {
  return static_cast<LRESULT>(s.list.items.size());
}
template <class S>
LRESULT ItemText(HWND, S& s, WPARAM wParam, LPARAM lParam) {
  return s.list.CopyText(wParam, lParam);
}
template <class S>
LRESULT ItemTextLength(HWND, S& s, WPARAM wParam, LPARAM) {
  return s.list.TextLength(wParam);
}
template <class S>
LRESULT ItemFind(HWND, S& s, WPARAM wParam, LPARAM lParam) {
  return s.list.Find(wParam, lParam, false);
}
template <class S>
LRESULT ItemFindExact(HWND, S& s, WPARAM wParam, LPARAM lParam) {
  return s.list.Find(wParam, lParam, true);
}
template <class S>
LRESULT ItemData(HWND, S& s, WPARAM wParam, LPARAM) {
  return s.list.Valid(wParam) ? static_cast<LRESULT>(s.list.items[wParam].data) : -1;
}
template <class S>
LRESULT SetItemData(HWND, S& s, WPARAM wParam, LPARAM lParam) {
  if (!s.list.Valid(wParam)) return -1;
  s.list.items[wParam].data = static_cast<ULONG_PTR>(lParam);
  return TRUE;
}

}  // namespace plat::window
