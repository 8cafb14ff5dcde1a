// The clipboard's blocks under one lock; the thread that opened it is the
// only one that may change or read it until it closes it.
#include <map>
#include <mutex>
#include <thread>

#include "platform/base/winerror.h"
#include "platform/runtime/winmem.h"
#include "platform/window/winuser_clipboard.h"

namespace plat::window {
namespace {

struct Clipboard {
  std::mutex lock;
  bool open = false;
  std::thread::id opener;
  HWND owner = nullptr;
  std::map<UINT, HANDLE> data;
};

Clipboard& TheClipboard() {
  static Clipboard* clipboard = new Clipboard;  // lives until process exit
  return *clipboard;
}

bool OpenedHere(const Clipboard& c) { return c.open && c.opener == std::this_thread::get_id(); }

void FreeAll(Clipboard& c) {
  for (auto& [format, handle] : c.data) GlobalFree(static_cast<HGLOBAL>(handle));
  c.data.clear();
}

}  // namespace

void ResetClipboard() {
  Clipboard& c = TheClipboard();
  std::lock_guard guard(c.lock);
  FreeAll(c);
  c.open = false;
  c.owner = nullptr;
}

}  // namespace plat::window

using plat::window::TheClipboard;

BOOL OpenClipboard(HWND owner) {
  auto& c = TheClipboard();
  std::lock_guard guard(c.lock);
  if (c.open && c.opener != std::this_thread::get_id()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  c.open = true;
  c.opener = std::this_thread::get_id();
  c.owner = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  auto& c = TheClipboard();
  std::lock_guard guard(c.lock);
  if (!plat::window::OpenedHere(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  c.open = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  auto& c = TheClipboard();
  std::lock_guard guard(c.lock);
  if (!plat::window::OpenedHere(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  plat::window::FreeAll(c);
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  auto& c = TheClipboard();
  std::lock_guard guard(c.lock);
  if (!plat::window::OpenedHere(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  if (data == nullptr || GlobalSize(static_cast<HGLOBAL>(data)) == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto it = c.data.find(format);
  if (it != c.data.end() && it->second != data) GlobalFree(static_cast<HGLOBAL>(it->second));
  c.data[format] = data;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  auto& c = TheClipboard();
  std::lock_guard guard(c.lock);
  if (!plat::window::OpenedHere(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  auto it = c.data.find(format);
  return it != c.data.end() ? it->second : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  auto& c = TheClipboard();
  std::lock_guard guard(c.lock);
  return c.data.count(format) != 0 ? TRUE : FALSE;
}
