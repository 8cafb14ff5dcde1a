// The tree view class: nodes with a text, a parameter and a state, under
// the invisible root, opened and closed, one of them selected. Handles are
// never reused, so a stale handle names nothing and its message fails. The
// program's changes of the selection are told like the user's
// (TVN_SELCHANGING, which may refuse, then TVN_SELCHANGED, with action
// TVC_UNKNOWN); TVM_EXPAND opens and closes without telling. A deleted
// node is told as TVN_DELETEITEM; when it held the selection, nothing is
// selected afterwards.
#include <algorithm>
#include <cstring>

#include "platform/text/wintext.h"
#include "platform/window/commctrl/treeview_internal.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/message_table.h"

namespace plat::window::treeview {

TreeView* StateOf(HWND hwnd) { return RecordOf<TreeView>(hwnd); }

Node* Find(TreeView& s, HTREEITEM item) {
  auto it = s.nodes.find(reinterpret_cast<NodeId>(item));
  return it == s.nodes.end() ? nullptr : &it->second;
}

const std::vector<NodeId>& ChildrenOf(const TreeView& s, NodeId id) {
  if (id == kRoot) return s.roots;
  return s.nodes.at(id).children;
}

bool HasChildren(const TreeView& s, NodeId id) {
  const Node& n = s.nodes.at(id);
  return !n.children.empty() || n.childrenFlag > 0;
}

bool Expanded(const TreeView& s, NodeId id) { return id == kRoot || (s.nodes.at(id).state & TVIS_EXPANDED) != 0; }

namespace {

// A node as the notifications describe it.
TVITEMW Describe(const TreeView& s, NodeId id) {
  TVITEMW item{};
  if (id == kRoot) return item;
  const Node& n = s.nodes.at(id);
  item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  item.hItem = HandleOf(id);
  item.state = n.state;
  item.stateMask = ~0u;
  item.lParam = n.param;
  return item;
}

LRESULT Tell(HWND hwnd, UINT code, UINT action, NodeId before, NodeId after, POINT at) {
  TreeView* s = StateOf(hwnd);
  if (s == nullptr) return 0;
  NMTREEVIEWW nm{};
  nm.action = action;
  nm.itemOld = Describe(*s, before);
  nm.itemNew = Describe(*s, after);
  nm.ptDrag = at;
  return SendNotify(hwnd, code, &nm);
}

bool Known(const TreeView& s, NodeId id) { return id == kRoot || s.nodes.count(id) != 0; }

bool IsBelow(const TreeView& s, NodeId id, NodeId ancestor) {
  for (NodeId at = id; at != kRoot; at = s.nodes.at(at).parent) {
    if (at == ancestor) return true;
  }
  return false;
}

void SetSelected(TreeView& s, NodeId id) {
  if (s.selected != kRoot) s.nodes.at(s.selected).state &= ~TVIS_SELECTED;
  s.selected = id;
  if (id != kRoot) s.nodes.at(id).state |= TVIS_SELECTED;
}

}  // namespace

bool Select(HWND hwnd, NodeId id, UINT action, POINT at) {
  TreeView* s = StateOf(hwnd);
  if (s == nullptr || !Known(*s, id)) return false;
  const NodeId before = s->selected;
  if (before == id) return true;
  if (Tell(hwnd, TVN_SELCHANGINGW, action, before, id, at) != 0) return false;
  s = StateOf(hwnd);
  if (s == nullptr || !Known(*s, id) || !Known(*s, before)) return false;
  SetSelected(*s, id);
  if (id != kRoot) EnsureShown(hwnd, id);
  InvalidateRect(hwnd, nullptr, TRUE);
  Tell(hwnd, TVN_SELCHANGEDW, action, before, id, at);
  return true;
}

bool Expand(HWND hwnd, NodeId id, UINT how) {
  TreeView* s = StateOf(hwnd);
  if (s == nullptr || id == kRoot || s->nodes.count(id) == 0 || !HasChildren(*s, id)) return false;
  if ((how & TVE_TOGGLE) == 0) return false;
  Node& n = s->nodes.at(id);
  const bool open = (n.state & TVIS_EXPANDED) != 0;
  const bool wantOpen = (how & TVE_TOGGLE) == TVE_TOGGLE ? !open : (how & TVE_EXPAND) != 0;
  if (wantOpen == open) return true;
  n.state = wantOpen ? (n.state | TVIS_EXPANDED | TVIS_EXPANDEDONCE) : (n.state & ~TVIS_EXPANDED);
  InvalidateRect(hwnd, nullptr, TRUE);
  if (!wantOpen && s->selected != kRoot && s->selected != id && IsBelow(*s, s->selected, id)) {
    Select(hwnd, id, TVC_UNKNOWN);
  }
  return true;
}

bool UserExpand(HWND hwnd, NodeId id, UINT how) {
  TreeView* s = StateOf(hwnd);
  if (s == nullptr || s->nodes.count(id) == 0 || !HasChildren(*s, id)) return false;
  const bool open = Expanded(*s, id);
  const UINT action = (how & TVE_TOGGLE) == TVE_TOGGLE ? (open ? TVE_COLLAPSE : TVE_EXPAND) : how;
  if ((action == TVE_EXPAND) == open) return false;
  if (Tell(hwnd, TVN_ITEMEXPANDINGW, action, kRoot, id, POINT{}) != 0) return false;
  if (!Expand(hwnd, id, action)) return false;
  Tell(hwnd, TVN_ITEMEXPANDEDW, action, kRoot, id, POINT{});
  return true;
}

namespace {

using Handler = LRESULT (*)(HWND, TreeView&, WPARAM, LPARAM);
template <Handler H>
constexpr WNDPROC With = WithRecord<TreeView, H, 0>;

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new TreeView));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Apply(Node& n, const TVITEMW& in) {
  if ((in.mask & TVIF_TEXT) != 0) n.text = TextFrom(in.pszText);
  if ((in.mask & TVIF_PARAM) != 0) n.param = in.lParam;
  if ((in.mask & TVIF_IMAGE) != 0) n.image = in.iImage;
  if ((in.mask & TVIF_SELECTEDIMAGE) != 0) n.selectedImage = in.iSelectedImage;
  if ((in.mask & TVIF_CHILDREN) != 0) n.childrenFlag = in.cChildren;
  // The selection is the control's own: TVM_SELECTITEM moves it.
  const UINT mask = in.stateMask & ~TVIS_SELECTED;
  if ((in.mask & TVIF_STATE) != 0) n.state = (n.state & ~mask) | (in.state & mask);
}

NodeId ParentOf(const TreeView& s, HTREEITEM parent, bool* ok) {
  if (parent == nullptr || parent == TVI_ROOT) return kRoot;
  const auto id = reinterpret_cast<NodeId>(parent);
  *ok = s.nodes.count(id) != 0;
  return id;
}

// Where among its siblings a new node goes; false for an insert-after
// handle that is no sibling.
bool Position(TreeView& s, const std::vector<NodeId>& siblings, HTREEITEM after, const std::u16string& text,
              std::size_t* at) {
  if (after == TVI_FIRST) {
    *at = 0;
  } else if (after == TVI_LAST || after == nullptr) {
    *at = siblings.size();
  } else if (after == TVI_SORT) {
    *at = 0;
    while (*at < siblings.size() && lstrcmpiW(reinterpret_cast<LPCWSTR>(s.nodes.at(siblings[*at]).text.c_str()),
                                              reinterpret_cast<LPCWSTR>(text.c_str())) <= 0) {
      ++*at;
    }
  } else {
    auto it = std::find(siblings.begin(), siblings.end(), reinterpret_cast<NodeId>(after));
    if (it == siblings.end()) return false;
    *at = static_cast<std::size_t>(it - siblings.begin()) + 1;
  }
  return true;
}

LRESULT InsertItem(HWND hwnd, TreeView& s, WPARAM, LPARAM lParam) {
  const auto* in = reinterpret_cast<const TVINSERTSTRUCTW*>(lParam);
  if (in == nullptr) return 0;
  bool ok = true;
  const NodeId parent = ParentOf(s, in->hParent, &ok);
  if (!ok) return 0;
  Node n;
  n.parent = parent;
  Apply(n, in->item);
  std::vector<NodeId>& siblings = parent == kRoot ? s.roots : s.nodes.at(parent).children;
  std::size_t at = 0;
  if (!Position(s, siblings, in->hInsertAfter, n.text, &at)) return 0;
  const NodeId id = s.next++;
  s.nodes.emplace(id, std::move(n));
  siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(at), id);
  if (s.firstVisible == kRoot) s.firstVisible = s.roots.front();
  InvalidateRect(hwnd, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(HandleOf(id));
}

void Collect(const TreeView& s, NodeId id, std::vector<NodeId>* out) {
  if (id != kRoot) out->push_back(id);
  for (NodeId child : ChildrenOf(s, id)) Collect(s, child, out);
}

// The node and everything under it, each told as TVN_DELETEITEM first;
// lParam TVI_ROOT or null deletes every node.
LRESULT DeleteItem(HWND hwnd, TreeView& s, WPARAM, LPARAM lParam) {
  const auto item = reinterpret_cast<HTREEITEM>(lParam);
  const NodeId top = item == nullptr || item == TVI_ROOT ? kRoot : reinterpret_cast<NodeId>(item);
  if (!Known(s, top)) return FALSE;
  std::vector<NodeId> doomed;
  Collect(s, top, &doomed);
  for (NodeId id : doomed) Tell(hwnd, TVN_DELETEITEMW, 0, id, kRoot, POINT{});
  TreeView* now = StateOf(hwnd);
  if (now == nullptr) return FALSE;
  if (top != kRoot && now->nodes.count(top) != 0) {
    const NodeId parent = now->nodes.at(top).parent;
    std::vector<NodeId>& siblings = parent == kRoot ? now->roots : now->nodes.at(parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), top), siblings.end());
  }
  if (top == kRoot) now->roots.clear();
  for (NodeId id : doomed) {
    now->nodes.erase(id);
    if (now->selected == id) now->selected = kRoot;
    if (now->firstVisible == id) now->firstVisible = kRoot;
  }
  if (now->firstVisible == kRoot && !now->roots.empty()) now->firstVisible = now->roots.front();
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT ExpandMessage(HWND hwnd, TreeView&, WPARAM wParam, LPARAM lParam) {
  return Expand(hwnd, static_cast<NodeId>(lParam), static_cast<UINT>(wParam)) ? TRUE : FALSE;
}

// TVGN_CARET moves the selection (null: none); TVGN_FIRSTVISIBLE scrolls
// the node to the top.
LRESULT SelectItem(HWND hwnd, TreeView& s, WPARAM wParam, LPARAM lParam) {
  const auto id = static_cast<NodeId>(lParam);
  if (!Known(s, id)) return FALSE;
  if (wParam == TVGN_CARET) return Select(hwnd, id, TVC_UNKNOWN) ? TRUE : FALSE;
  if (wParam == TVGN_FIRSTVISIBLE && id != kRoot) {
    EnsureShown(hwnd, id);
    if (TreeView* now = StateOf(hwnd)) now->firstVisible = id;
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
  }
  return FALSE;
}

NodeId Sibling(const TreeView& s, NodeId id, int step) {
  const std::vector<NodeId>& siblings = ChildrenOf(s, s.nodes.at(id).parent);
  const auto at = std::find(siblings.begin(), siblings.end(), id) - siblings.begin() + step;
  return at >= 0 && at < static_cast<std::ptrdiff_t>(siblings.size()) ? siblings[static_cast<std::size_t>(at)] : kRoot;
}

NodeId ShownStep(const TreeView& s, NodeId id, int step) {
  const std::vector<NodeId> rows = ShownRows(s);
  const auto it = std::find(rows.begin(), rows.end(), id);
  if (it == rows.end()) return kRoot;
  const auto at = it - rows.begin() + step;
  return at >= 0 && at < static_cast<std::ptrdiff_t>(rows.size()) ? rows[static_cast<std::size_t>(at)] : kRoot;
}

LRESULT GetNextItem(HWND, TreeView& s, WPARAM wParam, LPARAM lParam) {
  const auto id = static_cast<NodeId>(lParam);
  const bool node = s.nodes.count(id) != 0;
  NodeId found = kRoot;
  switch (wParam) {
    case TVGN_ROOT: found = s.roots.empty() ? kRoot : s.roots.front(); break;
    case TVGN_CARET: found = s.selected; break;
    case TVGN_FIRSTVISIBLE: found = s.firstVisible; break;
    case TVGN_NEXT: found = node ? Sibling(s, id, 1) : kRoot; break;
    case TVGN_PREVIOUS: found = node ? Sibling(s, id, -1) : kRoot; break;
    case TVGN_PARENT: found = node ? s.nodes.at(id).parent : kRoot; break;
    case TVGN_CHILD:
      if (node || lParam == 0 || reinterpret_cast<HTREEITEM>(lParam) == TVI_ROOT) {
        const std::vector<NodeId>& kids = ChildrenOf(s, node ? id : kRoot);
        found = kids.empty() ? kRoot : kids.front();
      }
      break;
    case TVGN_NEXTVISIBLE: found = node ? ShownStep(s, id, 1) : kRoot; break;
    case TVGN_PREVIOUSVISIBLE: found = node ? ShownStep(s, id, -1) : kRoot; break;
    default: break;
  }
  return reinterpret_cast<LRESULT>(HandleOf(found));
}

LRESULT GetItem(HWND, TreeView& s, WPARAM, LPARAM lParam) {
  auto* out = reinterpret_cast<TVITEMW*>(lParam);
  const Node* n = out != nullptr ? Find(s, out->hItem) : nullptr;
  if (n == nullptr) return FALSE;
  if ((out->mask & TVIF_TEXT) != 0) CopyText(n->text, out->pszText, out->cchTextMax);
  if ((out->mask & TVIF_PARAM) != 0) out->lParam = n->param;
  if ((out->mask & TVIF_STATE) != 0) out->state = n->state & out->stateMask;
  if ((out->mask & TVIF_IMAGE) != 0) out->iImage = n->image;
  if ((out->mask & TVIF_SELECTEDIMAGE) != 0) out->iSelectedImage = n->selectedImage;
  if ((out->mask & TVIF_CHILDREN) != 0) out->cChildren = n->children.empty() ? n->childrenFlag : 1;
  return TRUE;
}

LRESULT SetItem(HWND hwnd, TreeView& s, WPARAM, LPARAM lParam) {
  const auto* in = reinterpret_cast<const TVITEMW*>(lParam);
  Node* n = in != nullptr ? Find(s, in->hItem) : nullptr;
  if (n == nullptr) return FALSE;
  Apply(*n, *in);
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT GetCount(HWND, TreeView& s, WPARAM, LPARAM) { return static_cast<LRESULT>(s.nodes.size()); }

// lParam: a rectangle whose first bytes hold the node's handle; wParam TRUE
// asks for the label alone.
LRESULT GetItemRect(HWND hwnd, TreeView& s, WPARAM wParam, LPARAM lParam) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (rect == nullptr) return FALSE;
  HTREEITEM item = nullptr;
  std::memcpy(&item, rect, sizeof(item));
  if (Find(s, item) == nullptr) return FALSE;
  return NodeRect(hwnd, s, reinterpret_cast<NodeId>(item), wParam != 0, rect) ? TRUE : FALSE;
}

LRESULT HitTest(HWND hwnd, TreeView& s, WPARAM, LPARAM lParam) {
  auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
  if (info == nullptr) return 0;
  info->hItem = HandleOf(HitTestAt(hwnd, s, info->pt, &info->flags));
  return reinterpret_cast<LRESULT>(info->hItem);
}

LRESULT EnsureVisibleMessage(HWND hwnd, TreeView& s, WPARAM, LPARAM lParam) {
  const auto id = static_cast<NodeId>(lParam);
  if (s.nodes.count(id) == 0) return FALSE;
  EnsureShown(hwnd, id);
  return TRUE;
}

LRESULT OnDialogCode(HWND, UINT, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_NCDESTROY, FreeRecord<TreeView>},
    {TVM_INSERTITEMW, With<InsertItem>},
    {TVM_DELETEITEM, With<DeleteItem>},
    {TVM_EXPAND, With<ExpandMessage>},
    {TVM_SELECTITEM, With<SelectItem>},
    {TVM_GETNEXTITEM, With<GetNextItem>},
    {TVM_GETITEMW, With<GetItem>},
    {TVM_SETITEMW, With<SetItem>},
    {TVM_GETCOUNT, With<GetCount>},
    {TVM_GETITEMRECT, With<GetItemRect>},
    {TVM_HITTEST, With<HitTest>},
    {TVM_ENSUREVISIBLE, With<EnsureVisibleMessage>},
    {WM_PAINT, Paint},
    {WM_LBUTTONDOWN, ButtonDown},
    {WM_LBUTTONUP, ButtonUp},
    {WM_LBUTTONDBLCLK, DoubleClick},
    {WM_KEYDOWN, KeyDown},
    {WM_SETFOCUS, FocusChange},
    {WM_KILLFOCUS, FocusChange},
    {WM_GETDLGCODE, OnDialogCode},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace
}  // namespace plat::window::treeview

namespace plat::window {

LRESULT TreeViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(treeview::kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
