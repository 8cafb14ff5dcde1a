// The tree view's record and what its files share: the nodes and their
// notifications (treeview.cpp), rows, painting and input
// (treeview_view.cpp). Internal to platform/window/.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/window/commctrl/commctrl_internal.h"

namespace plat::window::treeview {

using NodeId = std::uintptr_t;  // 0: the invisible root
inline constexpr NodeId kRoot = 0;

struct Node {
  NodeId parent = kRoot;
  std::vector<NodeId> children;
  std::u16string text;
  LPARAM param = 0;
  UINT state = 0;  // TVIS_ bits; TVIS_SELECTED follows the selection
  int image = 0;
  int selectedImage = 0;
  int childrenFlag = 0;  // TVITEMW.cChildren as set (1: shown as having children)
};

struct TreeView {
  std::map<NodeId, Node> nodes;  // every node but the root
  std::vector<NodeId> roots;
  NodeId next = 1;  // handles are never reused
  NodeId selected = kRoot;
  NodeId firstVisible = kRoot;
  NodeId pressed = kRoot;
  bool pressPending = false;
};

TreeView* StateOf(HWND hwnd);
inline HTREEITEM HandleOf(NodeId id) { return reinterpret_cast<HTREEITEM>(id); }
// The node of a handle; null for a handle that names none.
Node* Find(TreeView& s, HTREEITEM item);
const std::vector<NodeId>& ChildrenOf(const TreeView& s, NodeId id);
bool HasChildren(const TreeView& s, NodeId id);
bool Expanded(const TreeView& s, NodeId id);

// Makes `id` the selection (kRoot: none), telling TVN_SELCHANGING (which may
// refuse) and TVN_SELCHANGED with how it came about; its ancestors open to
// show it. False when refused or gone.
bool Select(HWND hwnd, NodeId id, UINT action, POINT at = POINT{});
// Opens or closes a node for the user, telling TVN_ITEMEXPANDING (which may
// refuse) and TVN_ITEMEXPANDED.
bool UserExpand(HWND hwnd, NodeId id, UINT how);
// Opens or closes a node without telling; a selection it hides moves to
// the node. False for a node without children or no change.
bool Expand(HWND hwnd, NodeId id, UINT how);

// The shown rows, top to bottom: every node whose ancestors are open.
std::vector<NodeId> ShownRows(const TreeView& s);
int Depth(const TreeView& s, NodeId id);
int RowHeight();
// The row of a node, or its label alone; false when it is not shown.
bool NodeRect(HWND hwnd, const TreeView& s, NodeId id, bool labelOnly, RECT* out);
// What lies under a client point.
NodeId HitTestAt(HWND hwnd, const TreeView& s, POINT p, UINT* flags);
void EnsureShown(HWND hwnd, NodeId id);

LRESULT Paint(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonUp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DoubleClick(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT KeyDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plat::window::treeview
