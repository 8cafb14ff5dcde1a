// Whether a set file is one that a preset or a print quality of the
// context uses. Paths are compared in one spelling: full, every component
// as on disk (short names, "." and ".." resolved) and ignoring case. The
// files are only looked at, never written.
#include <array>
#include <string>

#include "platform/files/winfile.h"
#include "platform/text/wintext.h"
#include "settings/context/context_names.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/stores/preset_store.h"
#include "ui/engine/sub_dialogs.h"

namespace {

constexpr int kKeyChars = 64;

// The one spelling of a path; empty for a path the machine cannot have.
std::u16string Spelling(LPCWSTR path) {
  std::array<WCHAR, MAX_PATH> full{};
  const DWORD n = GetFullPathNameW(path, MAX_PATH, full.data(), nullptr);
  if (n == 0 || n >= MAX_PATH) return {};
  std::array<WCHAR, MAX_PATH> spelled{};
  const DWORD m = GetLongPathNameW(full.data(), spelled.data(), MAX_PATH);
  // A file that is not there keeps its full spelling.
  return m > 0 && m < MAX_PATH ? std::u16string(spelled.data(), m) : std::u16string(full.data(), n);
}

bool SameFile(UCB* ucb, LPCWSTR key, const std::u16string& candidate) {
  std::array<WCHAR, MAX_PATH> file{};
  KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), key, u"", file.data(), MAX_PATH, GetIniFilePath(ucb));
  if (file[0] == 0) return false;
  const std::u16string used = Spelling(file.data());
  return !used.empty() && lstrcmpiW(used.c_str(), candidate.c_str()) == 0;
}

}  // namespace

BOOL IsAlreadyUsed(UCB* ucb, LPCWSTR path) {
  if (ucb == nullptr || path == nullptr || path[0] == 0) return FALSE;
  const std::u16string candidate = Spelling(path);
  if (candidate.empty()) return FALSE;
  std::array<WCHAR, kKeyChars> key{};
  for (int i = 0; i < ReadPresetCount(ucb); ++i) {
    if (SameFile(ucb, MakePresetKey(key.data(), i, 0), candidate)) return TRUE;
  }
  for (int i = 0; i < ReadQualityCount(ucb); ++i) {
    if (SameFile(ucb, MakeQualityKey(key.data(), i), candidate)) return TRUE;
  }
  return FALSE;
}
