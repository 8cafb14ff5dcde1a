#if !KESM_KERNEL_MODE
#include "storage/install/bidi_install.h"

#include <array>
#include <optional>
#include <string>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/path_builders.h"
#include "storage/files/text_out.h"
#include "storage/install/install_ini.h"
#include "storage/stores/store_ini.h"

namespace {

constexpr const WCHAR* kSectionModels = u"Models";
constexpr const WCHAR* kDatabaseIni = u"taldb.ini";
constexpr DWORD kValueChars = MAX_PATH - 1;

bool DatabaseIni(std::array<WCHAR, MAX_PATH>& path) {
  return AddWindowsDirToFileName(path.data(), MAX_PATH, kDatabaseIni) != nullptr;
}

}  // namespace

LPCWSTR GetBidiModelNameForINI(LPCWSTR name) {
  if (name == nullptr) return nullptr;
  while (*name == u' ' || *name == u'\t') ++name;
  return name;
}

LPCWSTR GetBidiModelName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pWork->install.szBidiModel[0] == 0) return nullptr;
  return ucb->pWork->install.szBidiModel;
}

BOOL BidiForInstall(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  WCHAR* field = ucb->pWork->install.szBidiModel;
  field[0] = 0;
  LPCWSTR driverIni = storage::DriverIniOf(ucb);
  LPCWSTR driver = GetRealDriverName(ucb);
  if (driverIni == nullptr || driver == nullptr || driver[0] == 0) return FALSE;
  const std::optional<std::u16string> raw = storage::ReadWholeValue(kSectionModels, driver, driverIni, kValueChars);
  if (!raw.has_value()) return FALSE;
  const std::u16string model(GetBidiModelNameForINI(raw->c_str()));
  if (model.empty() || storage::CopyOut(field, kBidiModelChars, model) == 0) return FALSE;
  const DP& params = ucb->pDP != nullptr ? *ucb->pDP : fgDP;
  if (params.pszDataDll == nullptr || params.pszDataDll[0] == 0) return TRUE;
  std::array<WCHAR, MAX_PATH> database{};
  LPCWSTR installIni = GetKESMSETIniFilePath(ucb);
  if (!DatabaseIni(database)) return TRUE;
  const std::pair<LPCWSTR, LPCWSTR> copied[] = {{u"LoadDll", u"LoadDll32"}, {u"Version", u"Version32"}};
  for (const auto& [key, source] : copied) {
    const std::optional<std::u16string> value = storage::ReadWholeValue(field, source, installIni, kValueChars);
    if (value.has_value() && !value->empty()) storage::WriteStoreText(field, key, value->c_str(), database.data());
  }
  storage::WriteStoreText(field, u"ResDll", params.pszDataDll, database.data());
  return TRUE;
}

BOOL GetTalResInfo(LPWSTR dll, DWORD dllSize, LPWSTR version, DWORD versionSize, UCB* ucb) {
  storage::ClearOut(dll, dllSize);
  storage::ClearOut(version, versionSize);
  LPCWSTR model = GetBidiModelName(ucb);
  std::array<WCHAR, MAX_PATH> database{};
  if (model == nullptr || dll == nullptr || version == nullptr || !DatabaseIni(database)) return FALSE;
  const std::optional<std::u16string> name = storage::ReadWholeValue(model, u"ResDll", database.data(), kValueChars);
  const std::optional<std::u16string> number = storage::ReadWholeValue(model, u"Version", database.data(), kValueChars);
  if (!name.has_value() || !number.has_value() || name->empty() || number->empty()) return FALSE;
  return storage::CopyOut(dll, dllSize, *name) > 0 && storage::CopyOut(version, versionSize, *number) > 0;
}
#endif
