// The names of the file dialogs' hook: the name edit, extensions, and the
// paths built from the folder list.
#include <array>

#include "platform/files/winfile.h"
#include "platform/window/commdlg/commdlg.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/subdialogs/file_hook_internal.h"

namespace filehook {
namespace {

// Where the name part of a path starts.
std::size_t NameStart(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string_view::npos ? 0 : slash + 1;
}

bool HasExtension(std::u16string_view name) { return name.find(u'.', NameStart(name)) != std::u16string_view::npos; }

// ".rst" of the kind's "*.rst".
std::u16string_view KindExtension(const Hook& hook) {
  const std::u16string_view pattern = GetFileDialogDefaultExt(hook.tcb);
  return pattern.empty() ? pattern : pattern.substr(1);
}

}  // namespace

std::u16string NameText(const Hook& hook) {
  std::array<WCHAR, kFileDialogChars> text{};
  const UINT n = GetDlgItemTextW(hook.dialog, kFileNameEditId, text.data(), static_cast<int>(text.size()));
  return std::u16string(text.data(), n);
}

void SetNameText(const Hook& hook, std::u16string_view text) {
  SetDlgItemTextW(hook.dialog, kFileNameEditId, std::u16string(text).c_str());
}

bool HasWildcard(std::u16string_view name) { return name.find_first_of(u"*?") != std::u16string_view::npos; }

std::u16string WithDefaultExtension(const Hook& hook, std::u16string_view name) {
  std::u16string result(name);
  if (!name.empty() && !HasExtension(name)) result += KindExtension(hook);
  return result;
}

std::u16string WithKindExtension(const Hook& hook, std::u16string_view name) {
  const std::size_t dot = name.find_last_of(u'.');
  const bool cut = dot != std::u16string_view::npos && dot >= NameStart(name);
  return std::u16string(cut ? name.substr(0, dot) : name) + std::u16string(KindExtension(hook));
}

bool HasKindExtension(const Hook& hook, std::u16string_view name) {
  if (name.size() < 4) return false;
  const std::u16string lastFour(name.substr(name.size() - 4));
  return CheckFileExt(hook.tcb, lastFour.c_str()) != FALSE;
}

std::u16string ShownFolder(HWND dialog) {
  std::u16string folder;
  const LRESULT selected = SendDlgItemMessageW(dialog, kFolderListId, LB_GETCURSEL, 0, 0);
  for (LRESULT i = 0; i <= selected; ++i) {
    const LRESULT length = SendDlgItemMessageW(dialog, kFolderListId, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0 || length >= static_cast<LRESULT>(kFileDialogChars)) return {};
    std::array<WCHAR, kFileDialogChars> entry{};
    SendDlgItemMessageW(dialog, kFolderListId, LB_GETTEXT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(entry.data()));
    folder += entry.data();
    if (i > 0) folder += u'\\';
  }
  return folder;
}

std::optional<std::u16string> FullPath(const Hook& hook, std::u16string_view name) {
  const bool whole = (!name.empty() && name[0] == u'\\') || (name.size() > 1 && name[1] == u':');
  std::u16string path = whole ? std::u16string(name) : ShownFolder(hook.dialog) + std::u16string(name);
  if (path.size() > kLongestChosenPath) return std::nullopt;
  return path;
}

bool IsFolder(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace filehook
