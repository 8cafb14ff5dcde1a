// What the engine asks of a TCB's file kind: whether it is a file dialog at
// all, its default pattern and the extension check against it; and whether
// a file is there to be read.
#include <string_view>

#include "platform/files/winfile.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/subdialogs/file_dialogs.h"

namespace {

constexpr WORD kOverlayDialog = 1037;
constexpr const WCHAR* kSetFilePattern = u"*.rst";
constexpr const WCHAR* kOverlayPattern = u"*.rpo";

WCHAR Upper(WCHAR c) { return c >= u'a' && c <= u'z' ? static_cast<WCHAR>(c - u'a' + u'A') : c; }

}  // namespace

BOOL IsFileDialog(const TCB* tcb) {
  const FILEDIALOGINFO* row = GetFileDialogInfo(tcb);
  return row != nullptr ? TRUE : FALSE;
}

BOOL MustDoEndDialog(const TCB* tcb) { return IsFileDialog(tcb) ? FALSE : TRUE; }

LPCWSTR GetFileDialogDefaultExt(const TCB* tcb) {
  const FILEDIALOGINFO* row = GetFileDialogInfo(tcb);
  if (row != nullptr && row->pattern != nullptr) return row->pattern;
  return tcb != nullptr && tcb->tabId == kOverlayDialog ? kOverlayPattern : kSetFilePattern;
}

BOOL CheckFileExt(const TCB* tcb, LPCWSTR lastFour) {
  const std::u16string_view pattern = GetFileDialogDefaultExt(tcb);
  if (pattern.size() > 2 && pattern[2] == u'*') return TRUE;  // "*.*" takes any name
  if (lastFour == nullptr) return FALSE;
  const std::u16string_view extension = pattern.substr(1);  // ".xyz"
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const WCHAR c = lastFour[i];
    if (c != extension[i] && c != Upper(extension[i])) return FALSE;
  }
  return TRUE;
}

BOOL IsFile(LPCWSTR path) {
  if (path == nullptr || path[0] == 0) return FALSE;
  // Opened by its wide name, so that a name outside the code page is found;
  // shared as the classic read-only open shares.
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  CloseHandle(file);
  return TRUE;
}
