// The settings tree: one root node per page of the context, in table
// order, and under it one node per item: its group keyword and the value
// it edits now. The tree only shows; it reacts to nothing.
#include <string>

#include "platform/text/wintext.h"
#include "platform/window/commctrl_treeview.h"
#include "platform/window/winuser.h"
#include "settings/context/context_block.h"
#include "settings/tables/keyword_tables.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_handlers.h"

namespace {

constexpr int kNodeChars = 128;

// The keywords are plain ASCII.
std::u16string Widened(LPCSTR text) {
  std::u16string wide;
  for (; text != nullptr && *text != '\0'; ++text) wide += static_cast<char16_t>(static_cast<unsigned char>(*text));
  return wide;
}

HTREEITEM Insert(HWND tree, HTREEITEM parent, const std::u16string& text, UCB* ucb) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<LPWSTR>(text.c_str());
  insert.item.lParam = reinterpret_cast<LPARAM>(ucb);
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

// A string setting's value is the place of its text, no number: it shows 0.
LONG_PTR Shown(UCB* ucb, const ICB& icb) {
  if (icb.pSFCB != nullptr && SettingKindIsString(SettingKindOf(icb.pSFCB->descriptor))) return 0;
  return GetDevmodeValueByICB(ucb, &icb);
}

std::u16string ItemNode(UCB* ucb, const ICB& icb) {
  const GK* gk = GetGKbyGroupID(icb.groupId);
  if (gk == nullptr || gk->keyword == nullptr) return u"none";
  WCHAR value[kNodeChars]{};
  wnsprintfW(value, kNodeChars, u"\xFF1A%d", static_cast<int>(Shown(ucb, icb)));
  return Widened(gk->keyword) + value;
}

}  // namespace

int InitTreeView(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || ucb->pTL == nullptr || icb == nullptr || icb->hWnd == nullptr) return 0;
  const HWND tree = icb->hWnd;
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  const TL& tabs = *ucb->pTL;
  for (int t = 0; t < tabs.count; ++t) {
    const TCB& tab = tabs.pTCB[t];
    const HTREEITEM root = Insert(tree, TVI_ROOT, Widened(tab.keyword), ucb);
    if (root == nullptr) continue;
    for (int i = 0; i < tab.itemCount; ++i) Insert(tree, root, ItemNode(ucb, tab.pICB[i]), ucb);
  }
  return 1;
}

int PMsgTreeView(UCB*, TCB*, ICB*, UINT, WPARAM, LPARAM) { return 0; }
