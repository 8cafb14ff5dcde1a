// The context's free-size table: filled from the store, from the driver's
// defaults or from the settings, and moved back into the settings.
#if !KESM_KERNEL_MODE
#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string>

#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "storage/ini/ansi_text.h"
#include "storage/ini/profile.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/store_ini.h"
#include "ui/resource_dll.h"

namespace {

// The settings of one free size: name, width, length, tray, orientation.
struct FreeSizeSettings {
  WORD name, width, length, tray, orient;
};
constexpr FreeSizeSettings kEdited = {752, 753, 754, 755, 756};
constexpr FreeSizeSettings kSource = {757, 758, 759, 760, 761};
// The DEVMODE's user size and print size: width, length, tray, orientation.
constexpr std::array<WORD, 4> kUserSize = {340, 341, 342, 343};
constexpr std::array<WORD, 4> kPrintSize = {344, 345, 346, 347};
constexpr WORD kFuncPaperSize = 8;

// The driver's default of an entry, and the key the driver INI gives it.
struct DefaultValue {
  LPCWSTR key;
  INT value;
};
constexpr DefaultValue kDefaultWidth = {u"wdmFreeSizeWidth", 9921};   // A4 in 1/1200 inch
constexpr DefaultValue kDefaultLength = {u"wdmFreeSizeLength", 14031};
constexpr DefaultValue kDefaultTray = {u"wdmFreeSizeTray", 4};
constexpr DefaultValue kDefaultOrient = {u"wdmFreeSizeOrient", 1};

FREESIZEINFO* Entry(UCB* ucb, int n) {
  if (ucb == nullptr || ucb->pWork == nullptr || n < 0 || n >= kFreeSizeEntries) return nullptr;
  return &ucb->pWork->aFreeSizeInfo[n];
}

LONG_PTR Value(UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }

// Wide text into an ANSI field, cut to whole characters and terminated.
void StoreAnsi(std::span<CHAR> field, std::u16string_view text) {
  std::string ansi;
  storage::ToAnsi(text, &ansi);
  const std::size_t length = storage::WholeCharacters(ansi, field.size() - 1);
  std::fill(field.begin(), field.end(), '\0');
  std::copy_n(ansi.begin(), length, field.begin());
}

std::u16string ResourceText(UCB* ucb, UINT id, BOOL withValues) {
  std::array<WCHAR, kScratchChars> text{};
  LoadStringFromResDll(ucb, id, text.data(), static_cast<int>(text.size()), withValues);
  return text.data();
}

void LoadListTexts(UCB* ucb, FREESIZEINFO& entry, UINT id) {
  StoreAnsi(entry.szListText, ResourceText(ucb, id, FALSE));
  StoreAnsi(entry.szListTextValues, ResourceText(ucb, id, TRUE));
}

BOOL ToSettings(UCB* ucb, int n, const FreeSizeSettings& ids) {
  const FREESIZEINFO* entry = Entry(ucb, n);
  if (entry == nullptr) return FALSE;
  const std::u16string name = storage::FromAnsi(std::string_view(entry->szName, strnlen(entry->szName, sizeof entry->szName)));
  storage::SetSettingText(ucb, ids.name, name.c_str());
  SetDevmodeValueDirectByFuncID(ucb, ids.width, entry->dwWidth);
  SetDevmodeValueDirectByFuncID(ucb, ids.length, entry->dwLength);
  SetDevmodeValueDirectByFuncID(ucb, ids.tray, entry->wTray);
  SetDevmodeValueDirectByFuncID(ucb, ids.orient, entry->wOrient);
  return TRUE;
}

BOOL FromSettings(UCB* ucb, int n, const FreeSizeSettings& ids) {
  FREESIZEINFO* entry = Entry(ucb, n);
  if (entry == nullptr) return FALSE;
  StoreAnsi(entry->szName, storage::SettingText(ucb, ids.name));
  entry->dwWidth = static_cast<DWORD>(Value(ucb, ids.width));
  entry->dwLength = static_cast<DWORD>(Value(ucb, ids.length));
  entry->wTray = static_cast<WORD>(Value(ucb, ids.tray));
  entry->wOrient = static_cast<WORD>(Value(ucb, ids.orient));
  LoadListTexts(ucb, *entry, kStringFreeSizeFirst + static_cast<UINT>(n));
  return TRUE;
}

INT DriverDefault(UCB* ucb, LPCWSTR section, const DefaultValue& value, LPCWSTR key = nullptr) {
  LPCWSTR ini = storage::DriverIniOf(ucb);
  if (ini == nullptr) return value.value;
  return static_cast<INT>(KM_UM_GetPrivateProfileInt(section, key != nullptr ? key : value.key, value.value, ini));
}

}  // namespace

BOOL MoveFreesizeInfoToUiTemp(UCB* ucb, int n) { return ToSettings(ucb, n, kEdited); }

BOOL MoveSrcFreesizeInfoToWork(UCB* ucb, int n) { return ToSettings(ucb, n, kSource); }

BOOL MoveFreesizeInfoFromUiTemp(UCB* ucb, int n) { return FromSettings(ucb, n, kEdited); }

BOOL MoveSrcFreesizeInfoFromWork(UCB* ucb, int n) { return FromSettings(ucb, n, kSource); }

BOOL ReadFreesizeInfoAll(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  if ((GetRequestCode(ucb) & kRequestFreeSizesRead) != 0) return TRUE;
  BackupPrivateDevmode(ucb);
  for (int n = 0; n < kFreeSizeEntries; ++n) {
    ReadFreesizeByID(ucb, n);
    MoveFreesizeInfoFromUiTemp(ucb, n);
  }
  RestorePrivateDevmode(ucb, TRUE);
  KesmRequestForUiCore(ucb, kRequestFreeSizesRead);
  return TRUE;
}

BOOL WriteFreesizeInfoAll(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  BackupPrivateDevmode(ucb);
  BOOL written = TRUE;
  for (int n = 0; n < kFreeSizeEntries; ++n) {
    if (!MoveFreesizeInfoToUiTemp(ucb, n) || !WriteFreesizeByID(ucb, n)) written = FALSE;
  }
  RestorePrivateDevmode(ucb, TRUE);
  return written;
}

BOOL SetDefaultFreesizeInfoAll(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  const SFCB* width = GetSFCBbyFuncID(ucb, kEdited.width);
  for (int n = 0; n < kFreeSizeEntries; ++n) {
    FREESIZEINFO& entry = *Entry(ucb, n);
    const UINT id = kStringFreeSizeFirst + static_cast<UINT>(n);
    LoadListTexts(ucb, entry, id);
    StoreAnsi(entry.szName, ResourceText(ucb, id, FALSE));
    std::array<WCHAR, storage::kStoreKeyChars> section{};
    MakeFreesizeKey(section.data(), n, 0, ucb);
    entry.dwWidth = static_cast<DWORD>(DriverDefault(ucb, section.data(), kDefaultWidth,
                                                     width != nullptr ? width->name : nullptr));
    entry.dwLength = static_cast<DWORD>(DriverDefault(ucb, section.data(), kDefaultLength));
    entry.wTray = static_cast<WORD>(DriverDefault(ucb, section.data(), kDefaultTray));
    entry.wOrient = static_cast<WORD>(DriverDefault(ucb, section.data(), kDefaultOrient));
  }
  return TRUE;
}

BOOL GetFreeSizeInfoNoRegist(UCB* ucb, WORD paperId, int n) {
  FREESIZEINFO* entry = Entry(ucb, n);
  if (entry == nullptr || (paperId != kPaperUser && paperId != kPaperPrintFreeSize)) return FALSE;
  const bool user = paperId == kPaperUser;
  const auto& ids = user ? kUserSize : kPrintSize;
  LoadListTexts(ucb, *entry, user ? kStringPaperUser : kStringPrintFreeSize);
  entry->dwWidth = static_cast<DWORD>(Value(ucb, ids[0]));
  entry->dwLength = static_cast<DWORD>(Value(ucb, ids[1]));
  entry->wTray = static_cast<WORD>(Value(ucb, ids[2]));
  entry->wOrient = static_cast<WORD>(Value(ucb, ids[3]));
  return TRUE;
}

BOOL IsUsePaperINCHSize(UCB* ucb) { return Value(ucb, kFuncPaperSize) == kPaperUser && !IsDispUnitMM(ucb); }

BOOL IsUsePaperMMSize(UCB* ucb) { return Value(ucb, kFuncPaperSize) == kPaperUser && IsDispUnitMM(ucb); }
#endif
