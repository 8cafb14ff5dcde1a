// The chosen-file buffer of the preset module and the import of the set
// files a file dialog chose into the preset list.
#include "ui/subdialogs/preset_import.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/stores/preset_store.h"
#include "ui/alerts/alert_message.h"
#include "ui/subdialogs/file_dialogs.h"

namespace {

constexpr WORD kFuncPresetNo = 37;          // kdmPresetNo, shown as 119 + index
constexpr LONG_PTR kFirstPreset = 119;
constexpr WORD kPresetNameItem = 2145;      // the name edit of the preset dialogs
constexpr const WCHAR* kNameKey = u"wdmPresetName";
constexpr const WCHAR* kCommentKey = u"wdmPresetComment";
constexpr UINT kMessageNameRefused = 10024;
constexpr DWORD kTextChars = 1025;

// The key the name of a preset has in a set file: the save key of the
// setting the name edit shows.
LPCWSTR NameKey(UCB* ucb) {
  const ICB* icb = GetICBbyItemID(ucb, nullptr, kPresetNameItem);
  const SFCB* sfcb = icb != nullptr ? GetSFCBbyGroupID(ucb, icb->groupId) : nullptr;
  return sfcb != nullptr && sfcb->name != nullptr ? sfcb->name : kNameKey;
}

std::u16string ReadText(UCB* ucb, LPCWSTR key, LPCWSTR path) {
  std::array<WCHAR, kTextChars> text{};
  KM_UM_GetPrivateProfileString(GetPrinterName(ucb), key, u"", text.data(), kTextChars, path);
  return text.data();
}

// The file's name without its folder, cut at its last dot.
std::u16string BaseName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u'\\');
  std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of(u'.');
  return std::u16string(dot == std::u16string_view::npos ? name : name.substr(0, dot));
}

}  // namespace

LPWSTR GetPresetFileBuffer(UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->dialog.szChosenFile : nullptr;
}

void SetFileOffset(UCB* ucb, WORD offset) {
  if (ucb != nullptr && ucb->pWork != nullptr) ucb->pWork->dialog.wFileOffset = offset;
}

WORD GetFileOffset(const UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->dialog.wFileOffset : 0;
}

BOOL ImportPresetFile(UCB* ucb, LPCWSTR path) {
  if (ucb == nullptr || path == nullptr || path[0] == 0) return FALSE;
  std::u16string name = ReadText(ucb, NameKey(ucb), path);
  const std::u16string comment = ReadText(ucb, kCommentKey, path);
  if (name.empty()) name = BaseName(path);
  if (!AddPresetData(ucb, path, name.c_str(), comment.c_str())) return FALSE;
  const int last = ReadPresetCount(ucb) - 1;
  ReadPresetByID(ucb, last);
  SetDevmodeValueByFuncID(ucb, kFuncPresetNo, kFirstPreset + last);
  return TRUE;
}

int MultiFileNameEx(UCB* ucb, HWND owner) {
  LPCWSTR buffer = GetPresetFileBuffer(ucb);
  if (buffer == nullptr) return 0;
  const std::u16string_view chosen(buffer, std::char_traits<WCHAR>::length(buffer));
  const WORD offset = GetFileOffset(ucb);
  if (offset == 0 || offset > chosen.size()) return 0;
  // The folder ends before the blank that parts it from the first name.
  std::u16string folder(chosen.substr(0, offset - 1));
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  int added = 0;
  for (const std::u16string& name : ChosenNames(chosen.substr(offset))) {
    if (ReadPresetCount(ucb) >= kPresetSlots) break;
    const std::u16string path = folder + name;
    if (path.size() > kLongestChosenPath) {
      _ShowAlertMsgEx11(ucb, owner, kMessageNameRefused);
      continue;
    }
    if (ImportPresetFile(ucb, path.c_str())) ++added;
  }
  return added;
}
