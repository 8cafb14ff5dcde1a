// Paths a printer context answers: the settings, driver and install INI
// files, the driver directory, and the resource library, bitmap library and
// help file in it.
#include <string_view>

#include "platform/spooler/winspool.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/context/context_names_text.h"
#include "settings/bkpd/description_queries.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"
#include "storage/files/directories.h"
#include "storage/system/driver_reg_values.h"
#include "storage/files/file_names.h"
#include "storage/system/printer_info.h"
#include "storage/system/system_info.h"
#if KESM_KERNEL_MODE
#include "render/platform/directories.h"
#endif

namespace {

using names::BoundedText;
using names::StoreField;
using names::View;

constexpr DWORD kModeSharedIni = 0x40000;  // mode word: settings INI in the shared directory
[[maybe_unused]] constexpr std::u16string_view kFallbackDriverFolder = u"\\spool\\drivers\\w32x86\\2\\";

const DP& Params(const UCB* ucb) { return ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

// A name that is already a full path ("C:...").
bool IsAbsolute(std::u16string_view name) { return name.size() > 1 && name[1] == u':'; }

// Where the two language letters of a library name stand: the two
// characters before the extension dot of its name part. npos when the name
// has no extension or fewer than two characters before the dot.
std::size_t LanguageLetters(std::u16string_view path) {
  const std::size_t nameStart = path.rfind(u'\\') == std::u16string_view::npos ? 0 : path.rfind(u'\\') + 1;
  const std::size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos || dot < nameStart + 2) {
    return std::u16string_view::npos;
  }
  return dot - 2;
}

// Appends the driver directory with its trailing "\" to text; false when
// it cannot be had.
template <std::size_t N>
bool DriverDirectory(UCB* ucb, BoundedText<N>& text) {
#if KESM_KERNEL_MODE
  WCHAR folder[MAX_PATH] = {};
  if (KMGetDriverDirectory(folder, MAX_PATH, ucb) == 0) {
    return false;
  }
  text.Append(folder).Append(u"\\");
  return true;
#else
  auto* info = static_cast<DRIVER_INFO_3W*>(GetPrinterDriverInfo(ucb->hPrinter, 3));
  if (info != nullptr && info->pDriverPath != nullptr) {
    const LPCWSTR name = GetFileNamePtr(info->pDriverPath);
    const std::size_t length = static_cast<std::size_t>(name - info->pDriverPath);
    text.Append(std::u16string_view(info->pDriverPath, length));
    FreeMemPtr(info);
    return length > 0;
  }
  FreeMemPtr(info);
  WCHAR system[MAX_PATH] = {};
  if (KM_UM_GetSystemDirectory(system, MAX_PATH, ucb) == 0) {
    return false;
  }
  text.Append(system).Append(kFallbackDriverFolder);
  return true;
#endif
}

// Stores the driver directory followed by a name in a field; empty when the
// directory cannot be had or the path does not fit.
template <std::size_t N>
LPWSTR StoreInDriverDirectory(UCB* ucb, WCHAR (&field)[N], std::u16string_view name) {
  BoundedText<N> text;
  const bool found = DriverDirectory(ucb, text);
  text.Append(name);
  return StoreField(field, text.view(), found && text.fits());
}

// The description's resource library name with its language letters set
// from kdmLanguageID; false when there is no usable name.
bool LocalizedResDll(UCB* ucb, BoundedText<MAX_PATH>& out) {
  out.Append(View(BKPDGetUIResDll(ucb)));
  const std::size_t at = LanguageLetters(out.view());
  if (!out.fits() || at == std::u16string_view::npos) {
    return false;
  }
  const LPCWSTR code = GetLanguageStrFromKDM(ucb);
  out.data()[at] = code[0];
  out.data()[at + 1] = code[1];
  return true;
}

}  // namespace

LPWSTR GetIniFilePath(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  WCHAR(&field)[MAX_PATH] = ucb->pWork->szIniFilePath;
#if KESM_KERNEL_MODE
  if (field[0] != 0) {
    return field;  // kept as user mode sent it
  }
#endif
  const std::u16string_view name = View(Params(ucb).pszIniFileName);
  if (IsAbsolute(name)) {
    return StoreField(field, name);
  }
  WCHAR directory[MAX_PATH] = {};
  DWORD length = 0;
  if (IsSupportIniAccessPerUser(ucb) && (ucb->pWork->dwMode & kModeSharedIni) == 0) {
    length = KM_UM_GetProfileDirectory(directory, MAX_PATH, ucb);
  }
  if (length == 0) {
    length = KM_UM_GetSystemDirectoryEx(directory, MAX_PATH, ucb);
  }
  if (length == 0) {
    return StoreField(field, u"");
  }
  BoundedText<MAX_PATH> text;
  text.Append(directory).Append(u"\\").Append(name);
  return StoreField(field, text.view(), text.fits());
}

#if !KESM_KERNEL_MODE
BOOL GetIniFilePathWithoutUCB(LPWSTR destination, DWORD, DWORD where, HANDLE printer) {
  if (destination == nullptr) {
    return FALSE;
  }
  destination[0] = 0;
  WCHAR directory[MAX_PATH] = {};
  const DWORD length = where == 1 ? UM_GetProfileDirectoryWithoutUCB(directory, MAX_PATH)
                                  : UM_GetSystemDirectoryExWithoutUCB(directory, MAX_PATH, printer);
  if (length == 0) {
    return FALSE;
  }
  BoundedText<MAX_PATH> text;
  text.Append(directory).Append(u"\\").Append(View(GetStaticUcb()->pDP->pszIniFileName));
  if (!text.fits()) {
    return FALSE;
  }
  text.view().copy(destination, text.view().size());
  destination[text.view().size()] = 0;
  return TRUE;
}
#endif

LPWSTR GetDriverIniFilePath(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  const std::u16string_view name = View(Params(ucb).pszDriverIniName);
  if (IsAbsolute(name)) {
    return StoreField(ucb->pWork->szDriverIniPath, name);
  }
  return StoreInDriverDirectory(ucb, ucb->pWork->szDriverIniPath, name);
}

LPWSTR GetKESMSETIniFilePath(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  return StoreInDriverDirectory(ucb, ucb->pWork->szInstallIniPath, View(Params(ucb).pszInstallIniName));
}

LPWSTR GetInstallDirectory(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  return StoreInDriverDirectory(ucb, ucb->pWork->szInstallDirectory, u"");
}

#if !KESM_KERNEL_MODE
void GetInstallDirectoryWithoutUCB(HANDLE printer, LPWSTR destination, DWORD) {
  if (destination == nullptr) {
    return;
  }
  destination[0] = 0;
  BoundedText<MAX_PATH> text;
  auto* info = static_cast<DRIVER_INFO_3W*>(GetPrinterDriverInfo(printer, 3));
  if (info != nullptr && info->pDriverPath != nullptr) {
    const LPCWSTR name = GetFileNamePtr(info->pDriverPath);
    text.Append(std::u16string_view(info->pDriverPath, static_cast<std::size_t>(name - info->pDriverPath)));
  } else {
    WCHAR system[MAX_PATH] = {};
    if (KM_UM_GetSystemDirectory(system, MAX_PATH, nullptr) == 0) {
      FreeMemPtr(info);
      return;
    }
    text.Append(system).Append(u"\\");
  }
  FreeMemPtr(info);
  if (text.fits() && !text.view().empty()) {
    text.view().copy(destination, text.view().size());
    destination[text.view().size()] = 0;
  }
}
#endif

LPWSTR GetResDllName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  BoundedText<MAX_PATH> name;
  if (!LocalizedResDll(ucb, name)) {
    return StoreField(ucb->pWork->szInstallDirectory, u"");
  }
  return StoreInDriverDirectory(ucb, ucb->pWork->szInstallDirectory, name.view());
}

LPWSTR GetBmpDllName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  BoundedText<MAX_PATH> name;
  name.Append(View(BKPDGetUIResDll(ucb)));
  const std::size_t length = name.view().size();
  if (!name.fits() || length < 8) {
    return StoreField(ucb->pWork->szInstallDirectory, u"");
  }
  name.data()[length - 8] = u'C';
  name.data()[length - 6] = u'X';
  name.data()[length - 5] = u'X';
  return StoreInDriverDirectory(ucb, ucb->pWork->szInstallDirectory, name.view());
}

LPWSTR GetHelpFileName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  WCHAR(&field)[MAX_PATH] = ucb->pWork->szInstallDirectory;
  WCHAR help[MAX_PATH] = {};
  if (GetHelpFileNameFromReg2(help, MAX_PATH, ucb) && help[0] != 0) {
    return StoreInDriverDirectory(ucb, field, help);
  }
  GetResDllName(ucb);
  const std::size_t length = View(field).size();
  if (length < 3) {
    return StoreField(field, u"");
  }
  field[length - 3] = u'h';
  field[length - 2] = u'l';
  field[length - 1] = u'p';
  return field;
}

BOOL IsDOM(UCB* ucb) {
  const std::u16string_view name = View(BKPDGetUIResDll(ucb));
  const std::size_t at = LanguageLetters(name);
  if (at == std::u16string_view::npos) {
    return 0;
  }
  const WCHAR first = CharLowerW1(name[at]);
  const WCHAR second = CharLowerW1(name[at + 1]);
  return first == u'j' && second == u'p' ? 1 : 0;
}
