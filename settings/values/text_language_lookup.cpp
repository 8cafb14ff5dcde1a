// Lookups in the language table, and the language of a printer context.
#include <string_view>

#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/system/driver_reg_values.h"
#include "storage/files/file_names.h"
#if !KESM_KERNEL_MODE
#include "platform/system/winsys.h"
#endif

namespace {

// The rows of the table, without the closing one.
template <class Visit>
const LANGINFO* FindRow(Visit matches) {
  for (const LANGINFO* row = GetLangInfoList(); row->wLanguage != kLangEnd || row->wWinPrimary != kLangEnd;
       ++row) {
    if (matches(*row)) {
      return row;
    }
  }
  return nullptr;
}

const LANGINFO* RowOfCode(LPCWSTR code) {
  if (code == nullptr) {
    return nullptr;
  }
  return FindRow([code](const LANGINFO& row) { return lstrcmpiW(row.pszCode, code) == 0; });
}

const LANGINFO* RowOfNumber(int number) {
  const WORD wanted = static_cast<WORD>(number);
  return FindRow([wanted](const LANGINFO& row) { return row.wLanguage == wanted; });
}

// The two characters before the extension dot of a file name, as a
// terminated code; false when the name has no extension or fewer than two
// characters before its dot.
bool HelpFileCode(LPCWSTR fileName, WCHAR (&code)[3]) {
  const LPCWSTR name = GetFileNamePtr(fileName);
  DWORD length = 0;
  const LPCWSTR ext = GetFileNameExt(fileName, &length);
  if (name == nullptr || ext == nullptr || ext == name || ext - name < 3 || ext[-1] != u'.') {
    return false;
  }
  code[0] = ext[-3];
  code[1] = ext[-2];
  code[2] = 0;
  return true;
}

// The language number stored in the context's kdmLanguageID.
constexpr WORD kLanguageSetting = 169;

bool StoredLanguageNumber(const UCB* ucb, int* number) {
  if (ucb == nullptr || ucb->pDCB == nullptr) {
    return false;
  }
  *number = static_cast<int>(GetDevmodeValueByFuncID(ucb, kLanguageSetting, nullptr));
  return true;
}

// The work area's scratch text, filled by a help-file reader.
template <class Read>
LPCWSTR ScratchHelpFile(UCB* ucb, Read read) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  LPWSTR scratch = ucb->pWork->szScratch;
  scratch[0] = 0;
  if (!read(scratch)) {
    scratch[0] = 0;
    return nullptr;
  }
  return scratch;
}

LPCWSTR PrinterHelpFile(UCB* ucb) {
  return ScratchHelpFile(ucb, [ucb](LPWSTR scratch) {
    return GetHelpFileNameFromReg2(scratch, kScratchChars, ucb) != 0;
  });
}

#if !KESM_KERNEL_MODE
LPCWSTR DriverHelpFile(UCB* ucb) {
  return ScratchHelpFile(ucb, [ucb](LPWSTR scratch) {
    const LPCWSTR driver = GetRealDriverName(ucb);
    return driver != nullptr && driver[0] != 0 &&
           GetHelpFileNameFromReg(driver, scratch, kScratchChars, ucb) != 0;
  });
}
#endif

}  // namespace

WORD GetLanguageIDFromStr(LPCWSTR code) {
  const LANGINFO* row = RowOfCode(code);
  return row == nullptr ? kLangUS : row->wLanguage;
}

LPCWSTR GetLanguageStrFromStr(LPCWSTR code) {
  const LANGINFO* row = RowOfCode(code);
  return row == nullptr ? gtLangUS : row->pszCode;
}

LPCWSTR GetLanguageStrFromID(int number) {
  const LANGINFO* row = RowOfNumber(number);
  return row == nullptr ? gtLangUS : row->pszCode;
}

BOOL IsValidateLanguageID(int number) { return RowOfNumber(number) != nullptr ? 1 : 0; }

WORD GetLanguageIDFromHelpFile(LPCWSTR fileName) {
  WCHAR code[3];
  return HelpFileCode(fileName, code) ? GetLanguageIDFromStr(code) : kLangUS;
}

LPCWSTR GetLanguageStrFromHelpFile(LPCWSTR fileName) {
  WCHAR code[3];
  return HelpFileCode(fileName, code) ? GetLanguageStrFromStr(code) : gtLangUS;
}

#if !KESM_KERNEL_MODE
WORD GetLanguageID(UCB* ucb) { return GetLanguageIDFromHelpFile(DriverHelpFile(ucb)); }
LPCWSTR GetLanguageStr(UCB* ucb) { return GetLanguageStrFromHelpFile(DriverHelpFile(ucb)); }
#endif

WORD GetLanguageID2(UCB* ucb) { return GetLanguageIDFromHelpFile(PrinterHelpFile(ucb)); }
LPCWSTR GetLanguageStr2(UCB* ucb) { return GetLanguageStrFromHelpFile(PrinterHelpFile(ucb)); }

LPCWSTR GetLanguageStrFromKDM(UCB* ucb) {
  int number = 0;
  return StoredLanguageNumber(ucb, &number) ? GetLanguageStrFromID(number) : gtLangUS;
}

#if !KESM_KERNEL_MODE
WORD GetKDMLanguageIDFromLocale() { return _GetKDMLanguageIDFromLocale(GetUserDefaultLCID()); }
#endif

WORD _GetKDMLanguageIDFromLocale(LCID locale) {
  const WORD language = static_cast<WORD>(locale & 0xFFFF);
  return GetKDMLangIDFromLangID(language & 0x3FF, (language >> 10) & 0x3F);
}

WORD GetKDMLangIDFromLangID(WORD primary, WORD sublanguage) {
  const LANGINFO* row = FindRow([primary, sublanguage](const LANGINFO& r) {
    return r.wWinPrimary == primary && (sublanguage == 0 || r.wWinSub == sublanguage);
  });
  return row == nullptr ? kNoKdmLanguage : row->wLanguage;
}

BYTE GetWinLangIDFromKdmLangID2(int number, WORD* sublanguage) {
  if (sublanguage != nullptr) {
    *sublanguage = 0;
  }
  const LANGINFO* row = RowOfNumber(number);
  if (row == nullptr) {
    return 0;
  }
  if (sublanguage != nullptr && row->wWinSub != 0) {
    *sublanguage = row->wWinSub;
  }
  return static_cast<BYTE>(row->wWinPrimary);
}

BYTE GetWinLangIDFromKdmLangID(int number) { return GetWinLangIDFromKdmLangID2(number, nullptr); }
