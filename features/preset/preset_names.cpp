#include "features/preset/preset_names.h"

#include <string>
#include <vector>

#include "platform/window/winuser_dialogs.h"
#include "settings/context/context_names.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/stores/preset_store.h"

#if !KESM_KERNEL_MODE
namespace {

constexpr int kNameEdit = 2145;
// Names are held against each other up to this length.
constexpr DWORD kNameChars = 260;
constexpr int kKeyChars = 64;
constexpr int kKeyName = 1;

std::u16string PresetName(UCB* ucb, int index) {
  WCHAR key[kKeyChars] = {};
  WCHAR name[kNameChars] = {};
  MakePresetKey(key, index, kKeyName);
  KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), key, u"", name, kNameChars, GetIniFilePath(ucb));
  return name;
}

std::vector<std::u16string> PresetNames(UCB* ucb) {
  std::vector<std::u16string> names;
  const int count = ReadPresetCount(ucb);
  for (int i = 0; i < count; ++i) names.push_back(PresetName(ucb, i));
  return names;
}

int LaterOfFirstSharedPair(const std::vector<std::u16string>& names) {
  for (std::size_t later = 1; later < names.size(); ++later) {
    for (std::size_t earlier = 0; earlier < later; ++earlier) {
      if (names[earlier] == names[later]) return static_cast<int>(later);
    }
  }
  return -1;
}

}  // namespace

int CheckPresetName(UCB* ucb, LPCWSTR name, int preferred) {
  if (ucb == nullptr || name == nullptr) return -1;
  const std::vector<std::u16string> names = PresetNames(ucb);
  int first = -1;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] != name) continue;
    if (static_cast<int>(i) == preferred) return preferred;
    if (first < 0) first = static_cast<int>(i);
  }
  return first;
}

int CheckPresetName2WithoutMsg(UCB* ucb, HWND dialog, int index) {
  if (ucb == nullptr) return -1;
  const std::vector<std::u16string> names = PresetNames(ucb);
  if (index == -1) return LaterOfFirstSharedPair(names);
  WCHAR edited[kNameChars] = {};
  GetDlgItemTextW(dialog, kNameEdit, edited, static_cast<int>(kNameChars));
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (static_cast<int>(i) == index || names[i] != edited) continue;
    return index > 0 ? index : static_cast<int>(i);
  }
  return -1;
}

int CheckPresetName2(UCB* ucb, HWND dialog, int index) {
  const int shared = CheckPresetName2WithoutMsg(ucb, dialog, index);
  if (shared >= 0 && dialog != nullptr) PostMessageW(dialog, kMsgPresetNameShared, static_cast<WPARAM>(shared), 0);
  return shared;
}
#endif
