// The tree view on screen and under the user's hands. Each shown node is a
// row: indented by its depth, with the lines joining it to its parent and
// siblings (TVS_HASLINES), a box with a plus or minus for a node with
// children (TVS_HASBUTTONS), both also at the roots under TVS_LINESATROOT,
// then its label. A press on a box opens or closes the node; a click on a
// label is told as NM_CLICK and then, unless the parent answers non-zero,
// selects the node (TVC_BYMOUSE); a double click is told as NM_DBLCLK and
// then opens or closes the node. Keys are told as TVN_KEYDOWN, then move
// the selection (TVC_BYKEYBOARD): up and down through the shown rows,
// Home and End, Left closes or goes to the parent, Right opens or goes to
// the first child.
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/window/commctrl/treeview_internal.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/winuser_draw.h"

namespace plat::window::treeview {
namespace {

constexpr int kRowHeight = 18;
constexpr int kIndent = 19;
constexpr int kBox = 9;
constexpr int kLabelPad = 2;

bool Has(HWND hwnd, DWORD style) { return (StyleOf(hwnd) & style) != 0; }

void AddShown(const TreeView& s, NodeId id, std::vector<NodeId>* rows) {
  for (NodeId child : ChildrenOf(s, id)) {
    rows->push_back(child);
    if (Expanded(s, child)) AddShown(s, child, rows);
  }
}

// The left edge of a node's label area at a depth; its lines and box lie
// in the indent just before it.
int LeftOf(HWND hwnd, int depth) { return (depth + (Has(hwnd, TVS_LINESATROOT) ? 1 : 0)) * kIndent; }

int FirstIndex(const std::vector<NodeId>& rows, NodeId first) {
  const auto it = std::find(rows.begin(), rows.end(), first);
  return it == rows.end() ? 0 : static_cast<int>(it - rows.begin());
}

RECT LabelRect(HWND hwnd, const TreeView& s, NodeId id, int row) {
  const int left = LeftOf(hwnd, Depth(s, id)) + kLabelPad;
  const int y = row * kRowHeight;
  return RECT{left, y, left + TextWidthIn(hwnd, s.nodes.at(id).text) + 2 * kLabelPad, y + kRowHeight};
}

bool ShowsBox(HWND hwnd, const TreeView& s, NodeId id) {
  return Has(hwnd, TVS_HASBUTTONS) && HasChildren(s, id) && (Depth(s, id) > 0 || Has(hwnd, TVS_LINESATROOT));
}

// The centre of the node's box (and of its lines' joint).
POINT JointOf(HWND hwnd, const TreeView& s, NodeId id, int row) {
  return POINT{LeftOf(hwnd, Depth(s, id)) - kIndent / 2, row * kRowHeight + kRowHeight / 2};
}

NodeId NextSibling(const TreeView& s, NodeId id) {
  const std::vector<NodeId>& siblings = ChildrenOf(s, s.nodes.at(id).parent);
  const auto it = std::find(siblings.begin(), siblings.end(), id);
  return it + 1 < siblings.end() ? *(it + 1) : kRoot;
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void PaintLines(HWND hwnd, const TreeView& s, HDC dc, NodeId id, int row) {
  const int depth = Depth(s, id);
  if (depth == 0 && !Has(hwnd, TVS_LINESATROOT)) return;
  const POINT joint = JointOf(hwnd, s, id, row);
  const int top = row * kRowHeight;
  const bool firstRoot = depth == 0 && !s.roots.empty() && s.roots.front() == id;
  Line(dc, joint.x, firstRoot ? joint.y : top, joint.x, NextSibling(s, id) != kRoot ? top + kRowHeight : joint.y);
  Line(dc, joint.x, joint.y, LeftOf(hwnd, depth), joint.y);
  // Ancestors with later siblings pass their line through this row.
  for (NodeId up = s.nodes.at(id).parent; up != kRoot; up = s.nodes.at(up).parent) {
    const int upDepth = Depth(s, up);
    if (NextSibling(s, up) == kRoot || (upDepth == 0 && !Has(hwnd, TVS_LINESATROOT))) continue;
    const int x = LeftOf(hwnd, upDepth) - kIndent / 2;
    Line(dc, x, top, x, top + kRowHeight);
  }
}

void PaintBox(HWND hwnd, const TreeView& s, HDC dc, NodeId id, int row) {
  const POINT c = JointOf(hwnd, s, id, row);
  RECT box{c.x - kBox / 2, c.y - kBox / 2, c.x + kBox / 2 + 1, c.y + kBox / 2 + 1};
  FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(dc, &box, GetSysColorBrush(COLOR_3DSHADOW));
  Line(dc, c.x - 2, c.y, c.x + 3, c.y);
  if (!Expanded(s, id)) Line(dc, c.x, c.y - 2, c.x, c.y + 3);
}

void PaintLabel(HWND hwnd, const TreeView& s, HDC dc, NodeId id, int row) {
  RECT label = LabelRect(hwnd, s, id, row);
  const bool focused = GetFocus() == hwnd;
  const bool selected = s.selected == id && (focused || Has(hwnd, TVS_SHOWSELALWAYS));
  if (selected) FillRect(dc, &label, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(selected && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::u16string& text = s.nodes.at(id).text;
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &label,
            DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (s.selected == id && focused) DrawFocusRect(dc, &label);
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

int RowHeight() { return kRowHeight; }

int Depth(const TreeView& s, NodeId id) {
  int depth = 0;
  for (NodeId up = s.nodes.at(id).parent; up != kRoot; up = s.nodes.at(up).parent) ++depth;
  return depth;
}

std::vector<NodeId> ShownRows(const TreeView& s) {
  std::vector<NodeId> rows;
  AddShown(s, kRoot, &rows);
  return rows;
}

bool NodeRect(HWND hwnd, const TreeView& s, NodeId id, bool labelOnly, RECT* out) {
  const std::vector<NodeId> rows = ShownRows(s);
  const auto it = std::find(rows.begin(), rows.end(), id);
  if (it == rows.end()) return false;
  const int row = static_cast<int>(it - rows.begin()) - FirstIndex(rows, s.firstVisible);
  if (labelOnly) {
    *out = LabelRect(hwnd, s, id, row);
  } else {
    RECT client{};
    GetClientRect(hwnd, &client);
    *out = RECT{0, row * kRowHeight, client.right, (row + 1) * kRowHeight};
  }
  return true;
}

NodeId HitTestAt(HWND hwnd, const TreeView& s, POINT p, UINT* flags) {
  *flags = TVHT_NOWHERE;
  const std::vector<NodeId> rows = ShownRows(s);
  if (p.y < 0) return kRoot;
  const int row = static_cast<int>(p.y) / kRowHeight;
  const int index = FirstIndex(rows, s.firstVisible) + row;
  if (index >= static_cast<int>(rows.size())) return kRoot;
  const NodeId id = rows[static_cast<std::size_t>(index)];
  const RECT label = LabelRect(hwnd, s, id, row);
  const POINT joint = JointOf(hwnd, s, id, row);
  if (p.x >= label.left && p.x < label.right) {
    *flags = TVHT_ONITEMLABEL;
  } else if (ShowsBox(hwnd, s, id) && std::abs(p.x - joint.x) <= kBox / 2 + 1) {
    *flags = TVHT_ONITEMBUTTON;
  } else {
    *flags = p.x < label.left ? TVHT_ONITEMINDENT : TVHT_ONITEMRIGHT;
  }
  return id;
}

void EnsureShown(HWND hwnd, NodeId id) {
  TreeView* s = StateOf(hwnd);
  if (s == nullptr || s->nodes.count(id) == 0) return;
  for (NodeId up = s->nodes.at(id).parent; up != kRoot; up = s->nodes.at(up).parent) {
    s->nodes.at(up).state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  }
  const std::vector<NodeId> rows = ShownRows(*s);
  RECT client{};
  GetClientRect(hwnd, &client);
  const int page = std::max(1, static_cast<int>(client.bottom) / kRowHeight);
  const int first = FirstIndex(rows, s->firstVisible);
  const int at = FirstIndex(rows, id);
  if (at < first) s->firstVisible = id;
  if (at >= first + page) s->firstVisible = rows[static_cast<std::size_t>(at - page + 1)];
  InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT Paint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldPen = SelectObject(dc, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW)));
  if (const TreeView* s = StateOf(hwnd)) {
    const std::vector<NodeId> rows = ShownRows(*s);
    for (std::size_t i = static_cast<std::size_t>(FirstIndex(rows, s->firstVisible)); i < rows.size(); ++i) {
      const int row = static_cast<int>(i) - FirstIndex(rows, s->firstVisible);
      if (row * kRowHeight >= client.bottom) break;
      if (Has(hwnd, TVS_HASLINES)) PaintLines(hwnd, *s, dc, rows[i], row);
      if (ShowsBox(hwnd, *s, rows[i])) PaintBox(hwnd, *s, dc, rows[i], row);
      PaintLabel(hwnd, *s, dc, rows[i], row);
    }
  }
  DeleteObject(SelectObject(dc, oldPen));
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT ButtonDown(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  SetFocus(hwnd);
  TreeView* s = StateOf(hwnd);
  if (s == nullptr) return 0;
  UINT flags = 0;
  const NodeId id = HitTestAt(hwnd, *s, PointOf(lParam), &flags);
  if (flags == TVHT_ONITEMBUTTON) {
    UserExpand(hwnd, id, TVE_TOGGLE);
    s = StateOf(hwnd);
    if (s == nullptr) return 0;
  }
  s->pressed = flags == TVHT_ONITEMLABEL ? id : kRoot;
  s->pressPending = true;
  SetCapture(hwnd);
  return 0;
}

LRESULT ButtonUp(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  TreeView* s = StateOf(hwnd);
  if (s == nullptr || !s->pressPending) return 0;
  s->pressPending = false;
  const NodeId pressed = s->pressed;
  if (GetCapture() == hwnd) ReleaseCapture();
  if (SendNotifyCode(hwnd, NM_CLICK) != 0 || pressed == kRoot) return 0;
  Select(hwnd, pressed, TVC_BYMOUSE, PointOf(lParam));
  return 0;
}

LRESULT DoubleClick(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  TreeView* s = StateOf(hwnd);
  if (s == nullptr) return 0;
  UINT flags = 0;
  const NodeId id = HitTestAt(hwnd, *s, PointOf(lParam), &flags);
  if (SendNotifyCode(hwnd, NM_DBLCLK) != 0 || flags != TVHT_ONITEMLABEL) return 0;
  UserExpand(hwnd, id, TVE_TOGGLE);
  return 0;
}

namespace {

// The node a navigation key selects, or kRoot to leave the selection.
NodeId KeyTarget(HWND hwnd, const TreeView& s, WPARAM key) {
  const std::vector<NodeId> rows = ShownRows(s);
  if (rows.empty()) return kRoot;
  const int at = s.selected == kRoot ? -1 : FirstIndex(rows, s.selected);
  const auto last = static_cast<int>(rows.size()) - 1;
  switch (key) {
    case VK_UP: return rows[static_cast<std::size_t>(std::max(0, at - 1))];
    case VK_DOWN: return rows[static_cast<std::size_t>(std::min(last, at + 1))];
    case VK_HOME: return rows.front();
    case VK_END: return rows.back();
    case VK_LEFT:
      if (s.selected == kRoot) return kRoot;
      if (Expanded(s, s.selected) && HasChildren(s, s.selected)) {
        UserExpand(hwnd, s.selected, TVE_COLLAPSE);
        return kRoot;
      }
      return s.nodes.at(s.selected).parent;
    case VK_RIGHT:
      if (s.selected == kRoot || !HasChildren(s, s.selected)) return kRoot;
      if (!Expanded(s, s.selected)) {
        UserExpand(hwnd, s.selected, TVE_EXPAND);
        return kRoot;
      }
      return s.nodes.at(s.selected).children.empty() ? kRoot : s.nodes.at(s.selected).children.front();
    default: return kRoot;
  }
}

}  // namespace

LRESULT KeyDown(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  NMTVKEYDOWN nm{};
  nm.wVKey = static_cast<WORD>(wParam);
  SendNotify(hwnd, TVN_KEYDOWN, &nm);
  TreeView* s = StateOf(hwnd);
  if (s == nullptr) return 0;
  const NodeId target = KeyTarget(hwnd, *s, wParam);
  if (target != kRoot) Select(hwnd, target, TVC_BYKEYBOARD);
  return 0;
}

}  // namespace plat::window::treeview
