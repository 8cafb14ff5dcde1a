// The script driver's steps on the common controls. Each finds its control
// when it runs and works it with the mouse through the real routing, as a
// person would: the list view's cell is clicked, the tree's closed nodes
// are opened by their boxes before the node's label is clicked, and the
// trackbar's thumb is dragged, pixel by pixel near the end, until it shows
// the wanted position.
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/window/commctrl.h"
#include "platform/window/script_driver.h"

namespace plat::window {
namespace {

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool Inside(HWND window, const RECT& r) {
  RECT client{};
  GetClientRect(window, &client);
  return r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom && r.left < r.right;
}

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// The child of `parent` (null: a root) with this text.
HTREEITEM ChildByText(HWND tree, HTREEITEM parent, const std::u16string& text) {
  auto node = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, parent != nullptr ? TVGN_CHILD : TVGN_ROOT,
                                                       reinterpret_cast<LPARAM>(parent)));
  while (node != nullptr) {
    WCHAR buffer[260] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = buffer;
    item.cchTextMax = 260;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (text == reinterpret_cast<const char16_t*>(buffer)) return node;
    node = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node)));
  }
  return nullptr;
}

bool IsOpen(HWND tree, HTREEITEM node) {
  TVITEMW item{};
  item.mask = TVIF_STATE;
  item.hItem = node;
  item.stateMask = TVIS_EXPANDED;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return (item.state & TVIS_EXPANDED) != 0;
}

bool LabelOf(HWND tree, HTREEITEM node, RECT* label) {
  std::memcpy(label, &node, sizeof(node));
  return SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(label)) != 0;
}

// The point of the node's box, found as a person finds it: left of the
// label, where the tree says a press lands on the box.
bool BoxOf(HWND tree, const RECT& label, POINT* at) {
  for (LONG x = label.left - 1; x >= 0; --x) {
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, (label.top + label.bottom) / 2};
    SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.flags == TVHT_ONITEMBUTTON) {
      *at = hit.pt;
      return true;
    }
  }
  return false;
}

bool VerticalBar(HWND bar) { return (GetWindowLongW(bar, GWL_STYLE) & TBS_VERT) != 0; }

// The client point of the channel that stands for a position.
POINT ChannelPoint(HWND bar, int position) {
  RECT channel{};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const auto min = static_cast<int>(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0));
  const auto max = static_cast<int>(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0));
  const int range = std::max(1, max - min);
  if (VerticalBar(bar)) {
    const auto y = channel.top + static_cast<LONG>(static_cast<long long>(channel.bottom - channel.top) * (position - min) / range);
    return POINT{(channel.left + channel.right) / 2, y};
  }
  const auto x = channel.left + static_cast<LONG>(static_cast<long long>(channel.right - channel.left) * (position - min) / range);
  return POINT{x, (channel.top + channel.bottom) / 2};
}

}  // namespace

Script& Script::listView(WindowRef list, int item, int column, bool doubleClick) {
  return add([this, list, item, column, doubleClick] {
    HWND window = list.Resolve();
    RECT cell{};
    cell.top = column;
    cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
    const UINT message = column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT;
    if (window == nullptr || item < 0 || column < 0 ||
        SendMessageW(window, message, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell)) == 0) {
      fail("listView: " + list.name() + " has no item " + std::to_string(item) + " column " + std::to_string(column));
      return false;
    }
    if (!Inside(window, cell)) {
      fail("listView: item " + std::to_string(item) + " column " + std::to_string(column) + " of " + list.name() +
           " is not shown");
      return false;
    }
    pressAndRelease(window, Centre(cell), MouseButton::kLeft, 0);
    if (doubleClick) pressAndRelease(window, Centre(cell), MouseButton::kLeft, 0);
    return true;
  });
}

Script& Script::pickNode(WindowRef tree, std::vector<std::u16string> path) {
  auto step = std::make_shared<Step>();
  auto tries = std::make_shared<std::size_t>(0);
  std::string named;
  for (const std::u16string& part : path) named += (named.empty() ? "" : "/") + Narrow(part);
  *step = [this, tree, path, named, tries, self = std::weak_ptr<Step>(step)] {
    HWND window = tree.Resolve();
    if (window == nullptr || path.empty() || ++*tries > 2 * path.size() + 1) {
      fail("pickNode: " + tree.name() + " cannot show the node " + named);
      return false;
    }
    HTREEITEM at = nullptr;
    for (std::size_t i = 0; i < path.size(); ++i) {
      HTREEITEM node = ChildByText(window, at, path[i]);
      if (node == nullptr) {
        fail("pickNode: " + tree.name() + " has no node " + named);
        return false;
      }
      at = node;
      if (i + 1 == path.size() || IsOpen(window, node)) continue;
      RECT label{};
      if (!LabelOf(window, node, &label) || !Inside(window, label)) break;
      // Open it, then look again.
      addFront({[again = self.lock()] { return (*again)(); }});
      POINT box{};
      if (BoxOf(window, label, &box)) {
        pressAndRelease(window, box, MouseButton::kLeft, 0);
      } else {
        pressAndRelease(window, Centre(label), MouseButton::kLeft, 0);
        pressAndRelease(window, Centre(label), MouseButton::kLeft, 0);
      }
      return true;
    }
    RECT label{};
    if (!LabelOf(window, at, &label) || !Inside(window, label)) {
      fail("pickNode: the node " + named + " of " + tree.name() + " is not shown");
      return false;
    }
    pressAndRelease(window, Centre(label), MouseButton::kLeft, 0);
    return true;
  };
  return add([step] { return (*step)(); });
}

Script& Script::slide(WindowRef trackbar, int position) {
  return add([this, trackbar, position] {
    HWND bar = trackbar.Resolve();
    const auto min = bar != nullptr ? static_cast<int>(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0)) : 0;
    const auto max = bar != nullptr ? static_cast<int>(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0)) : -1;
    if (position < min || position > max) {
      fail("slide: " + trackbar.name() + " has no position " + std::to_string(position));
      return false;
    }
    RECT thumb{};
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    POINT grip = Centre(thumb);
    POINT target = ChannelPoint(bar, position);
    ClientToScreen(bar, &grip);
    ClientToScreen(bar, &target);
    const bool vertical = VerticalBar(bar);
    // Near the end the thumb is moved a pixel at a time until it shows the
    // position; a thumb that jumps past it cannot be stopped there.
    auto adjust = std::make_shared<Step>();
    auto lastStep = std::make_shared<int>(0);
    *adjust = [this, bar, position, vertical, lastStep, name = trackbar.name(), self = std::weak_ptr<Step>(adjust)] {
      POINT cursor{};
      GetCursorPos(&cursor);
      const auto now = static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0));
      const int step = now < position ? 1 : (now > position ? -1 : 0);
      if (step == 0 || (*lastStep != 0 && step != *lastStep)) {
        InjectMouseButton(MouseButton::kLeft, false, cursor);
        if (step != 0) fail("slide: " + name + " cannot be dragged to " + std::to_string(position));
        return step == 0;
      }
      *lastStep = step;
      (vertical ? cursor.y : cursor.x) += step;
      InjectMouseMove(cursor);
      addFront({[again = self.lock()] { return (*again)(); }});
      return true;
    };
    addFront({[grip] {
                InjectMouseMove(grip);
                InjectMouseButton(MouseButton::kLeft, true, grip);
                return true;
              },
              [target] {
                InjectMouseMove(target);
                return true;
              },
              [adjust] { return (*adjust)(); }});
    return true;
  });
}

Script& Script::pageTrack(WindowRef trackbar, WORD code) {
  return add([this, trackbar, code] {
    HWND bar = trackbar.Resolve();
    RECT thumb{};
    RECT channel{};
    if (bar != nullptr) {
      SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
      SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    }
    const bool vertical = bar != nullptr && VerticalBar(bar);
    const LONG start = vertical ? channel.top : channel.left;
    const LONG end = vertical ? channel.bottom : channel.right;
    const LONG low = vertical ? thumb.top : thumb.left;
    const LONG high = vertical ? thumb.bottom : thumb.right;
    const bool up = code == TB_PAGEUP;
    if (bar == nullptr || (code != TB_PAGEUP && code != TB_PAGEDOWN) || (up ? low <= start : high >= end)) {
      fail("pageTrack: " + trackbar.name() + " cannot be clicked for code " + std::to_string(code));
      return false;
    }
    const LONG along = up ? (start + low) / 2 : (high + end) / 2;
    const LONG across = vertical ? (channel.left + channel.right) / 2 : (channel.top + channel.bottom) / 2;
    pressAndRelease(bar, vertical ? POINT{across, along} : POINT{along, across}, MouseButton::kLeft, 0);
    return true;
  });
}

}  // namespace plat::window
