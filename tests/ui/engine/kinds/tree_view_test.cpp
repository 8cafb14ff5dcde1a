// The settings tree of the address dialog lists every page of the context
// in table order, each item under its page as its group keyword and the
// value it edits now; a person opens the pages and picks items, which
// changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "jobsettings/devmode/devmode_layout.h"
#include "platform/window/commctrl_treeview.h"
#include "tests/ui/engine/kinds/button_machine.h"

namespace ui_test {
namespace {

constexpr WORD kAddressDialog = 1035;
constexpr WORD kTree = 2490;
constexpr WORD kCopies = 12;

class TreeView : public ButtonMachine {
 protected:
  // The texts of the nodes under parent (null: the roots), top to bottom,
  // as the tree shows them.
  std::vector<std::u16string> Nodes(HTREEITEM parent) const {
    std::vector<std::u16string> texts;
    const HWND tree = host_.control(kTree);
    auto node = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, parent != nullptr ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    while (node != nullptr) {
      WCHAR text[128]{};
      TVITEMW item{};
      item.mask = TVIF_TEXT;
      item.hItem = node;
      item.pszText = text;
      item.cchTextMax = 128;
      SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      texts.emplace_back(text);
      node = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node)));
    }
    return texts;
  }
  HTREEITEM Root(std::size_t index) const {
    const HWND tree = host_.control(kTree);
    auto node = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; index > 0 && node != nullptr; --index) {
      node = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node)));
    }
    return node;
  }

  // The tree is small: with the tree focused, a person goes to the page's node with the arrow
  // keys, opens it, goes down to the item until it shows, picks it, and
  // closes the page again.
  void Find(kesm_test::UiScript& script, HWND tree, WORD dialog, WORD control, std::u16string node) {
    int page = 0;
    while (ucb_->pTL->pTCB[page].tabId != dialog) ++page;
    const TCB& tab = ucb_->pTL->pTCB[page];
    int item = 0;
    while (tab.pICB[item].itemId != control) ++item;
    const std::string keyword = tab.keyword;
    const std::u16string root(keyword.begin(), keyword.end());
    script.key(VK_HOME);
    for (int i = 0; i < page; ++i) script.key(VK_DOWN);
    script.key(VK_RIGHT);
    for (int i = 0; i <= item; ++i) script.key(VK_DOWN);
    script.pickNode(tree, {root, std::move(node)}).key(VK_LEFT).key(VK_LEFT);
  }
};

TEST_F(TreeView, EveryPageIsARootInTableOrderWithANodePerItem) {
  ASSERT_TRUE(host_.Open(ucb_, kAddressDialog));
  const std::vector<std::u16string> roots = Nodes(nullptr);
  ASSERT_EQ(roots.size(), static_cast<std::size_t>(ucb_->pTL->count));
  for (int t = 0; t < ucb_->pTL->count; ++t) {
    const TCB& tab = ucb_->pTL->pTCB[t];
    const std::string keyword = tab.keyword;
    EXPECT_EQ(roots[t], std::u16string(keyword.begin(), keyword.end()));
    EXPECT_EQ(Nodes(Root(t)).size(), tab.itemCount) << keyword;
  }
  // A text setting's value is no number: the preset name shows 0.
  const std::vector<std::u16string> basic = Nodes(Root(1));
  EXPECT_NE(std::find(basic.begin(), basic.end(), u"KPD_IDC_MAINTENANCE_PRESETNAME\xFF1A" u"0"), basic.end());
}

TEST_F(TreeView, APersonFindsEachItemWithItsValueAndPickingChangesNothing) {
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, kCopies, 3));
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, kOrientation, kLandscape));
  ASSERT_TRUE(host_.Open(ucb_, kAddressDialog));
  const BYTE* devmode = reinterpret_cast<const BYTE*>(ucb_->pDCB);
  const std::vector<BYTE> before(devmode, devmode + kSizeofKesmDM);
  const HWND tree = host_.control(kTree);
  kesm_test::UiScript script;
  script.click(tree);
  // A number, a list's option id and an item that edits nothing.
  Find(script, tree, kPresetPage, 2029, u"KPD_IDC_PRESET_COPIES\xFF1A" u"3");
  Find(script, tree, kPresetPage, kPortrait, u"KPD_RADIOLIST_1\xFF1A" u"2027");
  Find(script, tree, kSortDialog, 3531, u"KPD_IDC_SORT_ITEM04\xFF1A" u"0");
  script.check("the picks left the settings alone", [&] {
    EXPECT_EQ(std::memcmp(before.data(), devmode, before.size()), 0);
  });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
