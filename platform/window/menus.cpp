// Menu objects, menu templates and popup menu tracking.
#include "platform/window/menus.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "platform/base/winerror.h"
#include "platform/modules/winresource.h"
#include "platform/window/modal_loop.h"

namespace plat::window {
namespace {

struct MenuItem {
  UINT flags = 0;  // MF_ state and kind bits
  UINT id = 0;
  std::u16string text;
  HMENU sub = nullptr;
};

struct Menu {
  std::vector<MenuItem> items;
};

struct MenuTable {
  std::mutex lock;
  std::map<HMENU, Menu> menus;
  ULONG_PTR next = 0x00C60000;
  std::vector<TrackedMenu> tracked;
};

MenuTable& Menus() {
  static auto* table = new MenuTable;  // menus live as long as the process or until destroyed
  return *table;
}

// The menu being tracked on this thread, innermost last.
struct Tracking {
  HMENU menu;
  bool answered = false;
  UINT picked = 0;
};
thread_local std::vector<Tracking*> t_tracking;

HMENU NewMenu(MenuTable& table) {
  HMENU handle = reinterpret_cast<HMENU>(table.next);
  table.next += 4;
  table.menus.emplace(handle, Menu{});
  return handle;
}

// The item of a menu at a position (MF_BYPOSITION) or with an id, searched
// through its popups; null when there is none.
MenuItem* LockedItem(MenuTable& table, HMENU menu, UINT item, bool byPosition) {
  auto it = table.menus.find(menu);
  if (it == table.menus.end()) return nullptr;
  auto& items = it->second.items;
  if (byPosition) return item < items.size() ? &items[item] : nullptr;
  for (MenuItem& m : items) {
    if (m.sub == nullptr && m.id == item && (m.flags & MF_SEPARATOR) == 0) return &m;
    if (m.sub != nullptr) {
      if (MenuItem* found = LockedItem(table, m.sub, item, false)) return found;
    }
  }
  return nullptr;
}

// Reads the items of one level of a menu template into menu; the position
// after them, or 0 when the template is cut short.
std::size_t ReadLevel(MenuTable& table, HMENU menu, const BYTE* data, std::size_t size, std::size_t at, int depth) {
  if (depth > 16) return 0;  // templates nest no deeper than people can follow
  for (;;) {
    WORD flags = 0;
    if (at + 2 > size) return 0;
    std::memcpy(&flags, data + at, 2);
    at += 2;
    MenuItem item;
    item.flags = flags & ~(MF_END | MF_POPUP);
    if ((flags & MF_POPUP) == 0) {
      WORD id = 0;
      if (at + 2 > size) return 0;
      std::memcpy(&id, data + at, 2);
      at += 2;
      item.id = id;
    }
    for (;;) {
      if (at + 2 > size) return 0;
      char16_t c = 0;
      std::memcpy(&c, data + at, 2);
      at += 2;
      if (c == 0) break;
      item.text.push_back(c);
    }
    if ((flags & MF_POPUP) == 0 && item.id == 0 && item.text.empty()) item.flags |= MF_SEPARATOR;
    if (flags & MF_POPUP) {
      item.sub = NewMenu(table);
      at = ReadLevel(table, item.sub, data, size, at, depth + 1);
      if (at == 0) return 0;
    }
    table.menus[menu].items.push_back(std::move(item));
    if (flags & MF_END) return at;
  }
}

void LockedDestroy(MenuTable& table, HMENU menu) {
  auto it = table.menus.find(menu);
  if (it == table.menus.end()) return;
  std::vector<HMENU> subs;
  for (const MenuItem& m : it->second.items) {
    if (m.sub != nullptr) subs.push_back(m.sub);
  }
  table.menus.erase(it);
  for (HMENU sub : subs) LockedDestroy(table, sub);
}

}  // namespace

bool AnswerTrackedMenu(UINT id, std::string* error) {
  if (t_tracking.empty()) {
    *error = "no popup menu is open";
    return false;
  }
  Tracking& open = *t_tracking.back();
  if (id != 0) {
    MenuTable& table = Menus();
    std::lock_guard guard(table.lock);
    const MenuItem* item = LockedItem(table, open.menu, id, false);
    if (item == nullptr) {
      *error = "the open popup menu has no item " + std::to_string(id);
      return false;
    }
    if (item->flags & (MF_GRAYED | MF_DISABLED)) {
      *error = "item " + std::to_string(id) + " of the open popup menu is disabled";
      return false;
    }
  }
  open.answered = true;
  open.picked = id;
  return true;
}

std::vector<TrackedMenu> TakeTrackedMenus() {
  MenuTable& table = Menus();
  std::lock_guard guard(table.lock);
  std::vector<TrackedMenu> taken;
  taken.swap(table.tracked);
  return taken;
}

}  // namespace plat::window

using plat::window::Menus;

HMENU CreatePopupMenu() {
  auto& table = Menus();
  std::lock_guard guard(table.lock);
  return plat::window::NewMenu(table);
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
  auto& table = Menus();
  std::lock_guard guard(table.lock);
  auto it = table.menus.find(menu);
  if (it == table.menus.end()) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  plat::window::MenuItem item;
  item.flags = flags & ~MF_POPUP;
  if (flags & MF_POPUP) item.sub = reinterpret_cast<HMENU>(idOrPopup);
  else item.id = static_cast<UINT>(idOrPopup);
  if (text != nullptr && (flags & MF_SEPARATOR) == 0) item.text = text;
  it->second.items.push_back(std::move(item));
  return TRUE;
}

BOOL DestroyMenu(HMENU menu) {
  auto& table = Menus();
  std::lock_guard guard(table.lock);
  if (table.menus.count(menu) == 0) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  plat::window::LockedDestroy(table, menu);
  return TRUE;
}

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) {
  HRSRC found = FindResourceW(instance, name, RT_MENU);
  if (found == nullptr) return nullptr;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
  const std::size_t size = SizeofResource(instance, found);
  constexpr std::size_t kHeader = 4;  // version and header size, both 0
  auto& table = Menus();
  std::lock_guard guard(table.lock);
  HMENU menu = plat::window::NewMenu(table);
  if (data == nullptr || size < kHeader || plat::window::ReadLevel(table, menu, data, size, kHeader, 0) == 0) {
    plat::window::LockedDestroy(table, menu);
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return menu;
}

namespace {

// A copy of the item at a position; false when there is none.
bool ItemAt(HMENU menu, int position, plat::window::MenuItem* out) {
  auto& table = Menus();
  std::lock_guard guard(table.lock);
  const auto* item = position < 0 ? nullptr : plat::window::LockedItem(table, menu, static_cast<UINT>(position), true);
  if (item != nullptr) *out = *item;
  return item != nullptr;
}

}  // namespace

HMENU GetSubMenu(HMENU menu, int position) {
  plat::window::MenuItem item;
  return ItemAt(menu, position, &item) ? item.sub : nullptr;
}

int GetMenuItemCount(HMENU menu) {
  auto& table = Menus();
  std::lock_guard guard(table.lock);
  auto it = table.menus.find(menu);
  if (it == table.menus.end()) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return -1;
  }
  return static_cast<int>(it->second.items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
  plat::window::MenuItem item;
  return ItemAt(menu, position, &item) && item.sub == nullptr ? item.id : static_cast<UINT>(-1);
}

namespace {

// Changes the state bits of an item; the old bits, or -1 for no such item.
DWORD ChangeState(HMENU menu, UINT item, UINT how, UINT mask) {
  auto& table = Menus();
  std::lock_guard guard(table.lock);
  auto* found = plat::window::LockedItem(table, menu, item, (how & MF_BYPOSITION) != 0);
  if (found == nullptr) return static_cast<DWORD>(-1);
  const DWORD old = found->flags & mask;
  found->flags = (found->flags & ~mask) | (how & mask);
  return old;
}

}  // namespace

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  return static_cast<BOOL>(ChangeState(menu, item, enable, MF_GRAYED | MF_DISABLED));
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) { return ChangeState(menu, item, check, MF_CHECKED); }

UINT GetMenuState(HMENU menu, UINT item, UINT how) {
  auto& table = Menus();
  std::lock_guard guard(table.lock);
  const auto* found = plat::window::LockedItem(table, menu, item, (how & MF_BYPOSITION) != 0);
  if (found == nullptr) return static_cast<UINT>(-1);
  return found->flags | (found->sub != nullptr ? MF_POPUP : 0);
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int, int, int, HWND owner, const RECT*) {
  plat::window::TrackedMenu record;
  record.owner = owner;
  {
    auto& table = Menus();
    std::lock_guard guard(table.lock);
    auto it = table.menus.find(menu);
    if (it == table.menus.end()) {
      SetLastError(ERROR_INVALID_MENU_HANDLE);
      return FALSE;
    }
    for (const auto& item : it->second.items) {
      record.ids.push_back(item.sub != nullptr ? 0 : item.id);
      record.texts.push_back(item.text);
    }
  }
  if (!IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  plat::window::Tracking tracking{menu};
  plat::window::t_tracking.push_back(&tracking);
  plat::window::ModalLoop loop;
  loop.window = owner;
  loop.what = u"popup menu";
  loop.context = &tracking;
  loop.finished = [](void* context) { return static_cast<plat::window::Tracking*>(context)->answered; };
  plat::window::RunModalLoop(loop);
  plat::window::t_tracking.pop_back();
  record.picked = tracking.answered ? tracking.picked : 0;
  {
    auto& table = Menus();
    std::lock_guard guard(table.lock);
    table.tracked.push_back(record);
  }
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(record.picked);
  if (record.picked != 0) PostMessageW(owner, WM_COMMAND, record.picked, 0);
  return record.picked != 0 ? TRUE : FALSE;
}
