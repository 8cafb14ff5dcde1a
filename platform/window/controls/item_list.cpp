// Items shared by list boxes and combo boxes.
#include "platform/window/controls/item_list.h"

#include <algorithm>
#include <cstring>

namespace plat::window {
namespace {

char16_t Folded(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool StartsWith(const std::u16string& text, const std::u16string& prefix, bool exact) {
  if (exact ? text.size() != prefix.size() : text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Folded(text[i]) != Folded(prefix[i])) return false;
  }
  return true;
}

bool Before(const std::u16string& a, const std::u16string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Folded(x) < Folded(y); });
}

}  // namespace

LRESULT ItemList::Insert(LRESULT index, LPARAM lParam) {
  ListItem item;
  if (hasStrings) {
    if (lParam == 0) return -1;
    item.text = reinterpret_cast<const char16_t*>(lParam);
  } else {
    item.data = static_cast<ULONG_PTR>(lParam);
  }
  std::size_t at = items.size();
  if (index == -1 && sorted && hasStrings) {
    at = static_cast<std::size_t>(std::upper_bound(items.begin(), items.end(), item,
                                                   [](const ListItem& x, const ListItem& y) {
                                                     return Before(x.text, y.text);
                                                   }) - items.begin());
  } else if (index >= 0) {
    if (static_cast<std::size_t>(index) > items.size()) return -1;
    at = static_cast<std::size_t>(index);
  }
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  return static_cast<LRESULT>(at);
}

LRESULT ItemList::Delete(WPARAM index) {
  if (!Valid(index)) return -1;
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
  return static_cast<LRESULT>(items.size());
}

LRESULT ItemList::CopyText(WPARAM index, LPARAM buffer) const {
  if (!Valid(index) || buffer == 0) return -1;
  const ListItem& item = items[index];
  if (!hasStrings) {
    std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof(item.data));
    return static_cast<LRESULT>(sizeof(item.data));
  }
  auto* out = reinterpret_cast<char16_t*>(buffer);
  std::copy(item.text.begin(), item.text.end(), out);
  out[item.text.size()] = 0;
  return static_cast<LRESULT>(item.text.size());
}

LRESULT ItemList::TextLength(WPARAM index) const {
  if (!Valid(index)) return -1;
  return hasStrings ? static_cast<LRESULT>(items[index].text.size()) : static_cast<LRESULT>(sizeof(ULONG_PTR));
}

LRESULT ItemList::Find(WPARAM start, LPARAM text, bool exact) const {
  if (items.empty() || text == 0) return -1;
  const std::u16string wanted(reinterpret_cast<const char16_t*>(text));
  const std::size_t n = items.size();
  const std::size_t first = static_cast<INT_PTR>(start) < 0 || start >= n ? 0 : (start + 1) % n;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = (first + k) % n;
    if (hasStrings ? StartsWith(items[i].text, wanted, exact) : items[i].data == static_cast<ULONG_PTR>(text)) {
      return static_cast<LRESULT>(i);
    }
  }
  return -1;
}

void MeasureAddedItem(HWND control, UINT type, ItemList& list, LRESULT index, int fixed) {
  if (index < 0 || !list.Valid(static_cast<WPARAM>(index))) return;
  ListItem& item = list.items[static_cast<std::size_t>(index)];
  MEASUREITEMSTRUCT mi{type, static_cast<UINT>(GetDlgCtrlID(control)), static_cast<UINT>(index), 0,
                       static_cast<UINT>(fixed), item.data};
  SendMessageW(GetParent(control), WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
  // The item may have gone while the owner answered.
  if (list.Valid(static_cast<WPARAM>(index))) {
    const UINT height = std::min(mi.itemHeight, 255u);  // the most an item may be
    list.items[static_cast<std::size_t>(index)].height = height > 0 ? static_cast<int>(height) : fixed;
  }
}

}  // namespace plat::window
