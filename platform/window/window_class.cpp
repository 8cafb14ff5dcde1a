// RegisterClassExW and its kin over the class registry.
#include "platform/window/window_class.h"

#include <algorithm>

#include "platform/base/winerror.h"
#include "platform/gdi/wingdi.h"
#include "platform/modules/winresource.h"
#include "platform/text/wintext.h"
#include "platform/window/propsheet/sheet_internal.h"

namespace plat::window {
namespace {

constexpr ATOM kFirstAtom = 0xC000;

struct Registry {
  std::vector<std::shared_ptr<WindowClass>> classes;  // application and system
  ATOM nextAtom = kFirstAtom;
  bool systemMade = false;
};

bool SameName(const std::u16string& a, LPCWSTR b) {
  return lstrcmpiW(reinterpret_cast<LPCWSTR>(a.c_str()), b) == 0;
}

bool Names(const WindowClass& c, LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return c.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
  return SameName(c.name, name);
}

// With the lock held: the registry, with the system classes entered.
Registry& LockedRegistry() {
  static Registry* registry = new Registry;  // lives until process exit
  if (!registry->systemMade) {
    registry->systemMade = true;
    // The standard controls' table, then the tab control of property sheets.
    for (const SystemClassTable table : {SystemClasses(), TabControlClasses()}) {
    for (std::size_t i = 0; i < table.count; ++i) {
      const SystemClassRow& row = table.rows[i];
      auto c = std::make_shared<WindowClass>();
      c->name = row.name;
      c->atom = row.atom != 0 ? row.atom : registry->nextAtom++;
      c->style = row.style | CS_GLOBALCLASS;
      c->proc = row.proc;
      c->wndExtra = row.wndExtra;
      c->cursor = row.cursor != 0 ? LoadCursorW(nullptr, MAKEINTRESOURCEW(row.cursor)) : nullptr;
      c->background = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(row.background));
      c->system = true;
      registry->classes.push_back(std::move(c));
    }
    }
  }
  return *registry;
}

enum class Scope { kLocal, kGlobal, kSystem };

Scope ScopeOf(const WindowClass& c) {
  if (c.system) return Scope::kSystem;
  return (c.style & CS_GLOBALCLASS) != 0 ? Scope::kGlobal : Scope::kLocal;
}

std::shared_ptr<WindowClass> LockedFind(LPCWSTR name, HINSTANCE instance) {
  const Registry& registry = LockedRegistry();
  for (Scope scope : {Scope::kLocal, Scope::kGlobal, Scope::kSystem}) {
    for (const auto& c : registry.classes) {
      if (ScopeOf(*c) != scope || !Names(*c, name)) continue;
      if (scope == Scope::kLocal && c->instance != instance) continue;
      return c;
    }
  }
  return nullptr;
}

bool ValidName(LPCWSTR name) { return name != nullptr && (IS_INTRESOURCE(name) || name[0] != 0); }

}  // namespace

std::shared_ptr<WindowClass> FindClass(LPCWSTR name, HINSTANCE instance) {
  std::shared_ptr<WindowClass> found;
  if (ValidName(name)) {
    std::lock_guard guard(UserLock());
    found = LockedFind(name, instance);
  }
  if (found == nullptr) SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
  return found;
}

void UnregisterApplicationClasses() {
  std::lock_guard guard(UserLock());
  auto& classes = LockedRegistry().classes;
  classes.erase(std::remove_if(classes.begin(), classes.end(), [](const auto& c) { return !c->system; }),
                classes.end());
}

}  // namespace plat::window

using plat::window::WindowClass;

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
  if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXW) || wc->lpfnWndProc == nullptr ||
      IS_INTRESOURCE(wc->lpszClassName) || wc->lpszClassName[0] == 0 || wc->cbWndExtra < 0 ||
      wc->cbClsExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::lock_guard guard(plat::window::UserLock());
  auto& registry = plat::window::LockedRegistry();
  const bool global = (wc->style & CS_GLOBALCLASS) != 0;
  for (const auto& c : registry.classes) {
    if (c->system || !plat::window::SameName(c->name, wc->lpszClassName)) continue;
    // A global name is taken by any application class of that name; a local
    // one by a global class or a local class of the same instance.
    const bool clash = global || (c->style & CS_GLOBALCLASS) != 0 || c->instance == wc->hInstance;
    if (clash) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  }
  auto c = std::make_shared<WindowClass>();
  c->name = reinterpret_cast<const char16_t*>(wc->lpszClassName);
  c->atom = registry.nextAtom++;
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->clsExtra = wc->cbClsExtra;
  c->wndExtra = wc->cbWndExtra;
  c->instance = wc->hInstance;
  c->icon = wc->hIcon;
  c->iconSm = wc->hIconSm;
  c->cursor = wc->hCursor;
  c->background = wc->hbrBackground;
  registry.classes.push_back(c);
  return c->atom;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
  std::lock_guard guard(plat::window::UserLock());
  auto& classes = plat::window::LockedRegistry().classes;
  auto it = std::find_if(classes.begin(), classes.end(), [&](const auto& c) {
    return !c->system && plat::window::Names(*c, className) &&
           ((c->style & CS_GLOBALCLASS) != 0 || c->instance == instance);
  });
  if (it == classes.end()) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if ((*it)->windows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  classes.erase(it);
  return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR className, LPWNDCLASSEXW wc) {
  if (wc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto c = plat::window::FindClass(className, instance);
  if (c == nullptr) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  wc->style = c->style;
  wc->lpfnWndProc = c->proc;
  wc->cbClsExtra = c->clsExtra;
  wc->cbWndExtra = c->wndExtra;
  wc->hInstance = c->instance;
  wc->hIcon = c->icon;
  wc->hCursor = c->cursor;
  wc->hbrBackground = c->background;
  wc->lpszMenuName = nullptr;
  wc->lpszClassName = className;
  wc->hIconSm = c->iconSm;
  return c->atom;  // non-zero: Windows answers the class atom
}

int GetClassNameW(HWND hwnd, LPWSTR className, int maxCount) {
  if (className == nullptr || maxCount <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string name;
  {
    std::lock_guard guard(plat::window::UserLock());
    const auto* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return 0;
    name = w->cls->name;
  }
  lstrcpynW(className, reinterpret_cast<LPCWSTR>(name.c_str()), maxCount);
  return lstrlenW(className);
}
