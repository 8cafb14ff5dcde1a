#if !KESM_KERNEL_MODE
#include "storage/install/kesm_inst.h"

#include <array>
#include <optional>
#include <string>

#include "devicecomm/usercodes/user_codes.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/system/winsys.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/files/file_helpers.h"
#include "storage/files/path_builders.h"
#include "storage/ini/section_names.h"
#include "storage/install/install_ini.h"
#include "storage/stores/store_ini.h"

namespace {

constexpr const WCHAR* kKeyDone = u"KesmInstDone";
constexpr const WCHAR* kKeyLanguage = u"DispLang";
constexpr const WCHAR* kKeyPaper = u"DefPaper";
constexpr const WCHAR* kKeyUnit = u"DefUnit";
constexpr INT kAbsent = 0x7FFF;

constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncLanguage = 169;
constexpr WORD kFuncDspLanguage = 170;
constexpr WORD kFuncDspUnit = 171;
constexpr WORD kFuncLocale = 172;
constexpr WORD kFuncLogCodeUse = 10002;
constexpr WORD kFuncLogCode = 10003;

constexpr WORD kPaperLetter = 1;
constexpr WORD kPaperA4 = 9;
constexpr WORD kUnitMillimetre = 0;
constexpr WORD kUnitInch = 1;

// The model's paper flag (the first of the six flags of the driver
// parameters): 0 makes A4 the default paper whatever the locale says.
DWORD PaperFlag(const UCB* ucb) { return (ucb->pDP != nullptr ? *ucb->pDP : fgDP).adwFlags[0]; }

struct Ini {
  std::array<WCHAR, MAX_PATH> path{};
  LPCWSTR section = nullptr;
  bool ok = false;
};

Ini InstallIni(LPCWSTR name, UCB* ucb) {
  Ini ini;
  ini.section = name != nullptr ? name : GetKesmInstSectionName(ucb);
  ini.ok = ini.section != nullptr && ini.section[0] != 0 &&
           AddSystemDirToFileNameEx2(ini.path.data(), MAX_PATH, kUserCodeIniName, ucb) != nullptr;
  return ini;
}

BOOL Write(const Ini& ini, LPCWSTR key, LPCWSTR value) {
  return storage::WriteStoreText(ini.section, key, value, ini.path.data());
}
BOOL WriteNumber(const Ini& ini, LPCWSTR key, LONG value) {
  return Write(ini, key, storage::DecimalText(value).c_str());
}

WORD Word(const Ini& ini, LPCWSTR key) { return static_cast<WORD>(storage::ReadIniInt(ini.section, key, 0, ini.path.data())); }

LONG_PTR Value(UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }

// The locale rule for a locale id.
void ApplyLocaleRule(INSTALLRECORD& record, WORD locale) {
  record.wLocaleID = locale;
  record.wDefPaper = locale != 0 ? kPaperLetter : kPaperA4;
  record.wDefUnit = locale != 0 ? kUnitInch : kUnitMillimetre;
}

}  // namespace

WORD GetLocalePrimaryID(UCB* /*ucb*/) {
  std::array<WCHAR, 8> country{};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, country.data(), static_cast<int>(country.size())) <= 0) {
    return 0;
  }
  const WCHAR first = country[0];
  return first == u'1' || first == u'2' || first == u'5' ? static_cast<WORD>(first - u'0') : 0;
}

BOOL SetLocalePrimaryID(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  INSTALLRECORD& record = ucb->pWork->install;
  ApplyLocaleRule(record, GetLocalePrimaryID(ucb));
  return SetDevmodeValueDirectByFuncID(ucb, kFuncLocale, record.wLocaleID);
}

BOOL ReadKesmInstFile(LPCWSTR name, UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  const Ini ini = InstallIni(name, ucb);
  if (!ini.ok || !_IsFileExist(ini.path.data())) return FALSE;
  if (storage::ReadIniInt(ini.section, kKeyDone, kAbsent, ini.path.data()) != 0) return FALSE;
  const std::optional<std::u16string> language = storage::ReadWholeValue(ini.section, kKeyLanguage, ini.path.data(), 16);
  if (!language.has_value() || language->empty()) return FALSE;
  INSTALLRECORD& record = ucb->pWork->install;
  const std::optional<std::u16string> code =
      storage::ReadWholeValue(ini.section, kUserCodeKeyText, ini.path.data(), kUserCodeLongest);
  record.wUserCode = code.has_value() ? Word(ini, kUserCodeKeyInUse) : 0;
  record.wUserCodeFIX = code.has_value() ? Word(ini, kUserCodeKeyFixed) : 0;
  record.szUserCode[0] = 0;
  if (code.has_value()) code->copy(record.szUserCode, code->size());
  record.szUserCode[code.has_value() ? code->size() : 0] = 0;
  record.wDispLang = Word(ini, kKeyLanguage);
  // A paper or unit that is no choice of the set-up program falls back to
  // the locale rule.
  INSTALLRECORD locale{};
  ApplyLocaleRule(locale, GetLocalePrimaryID(ucb));
  const WORD paper = Word(ini, kKeyPaper);
  const WORD unit = Word(ini, kKeyUnit);
  record.wDefPaper = paper != 0 ? paper : locale.wDefPaper;
  record.wDefUnit = unit == kUnitMillimetre || unit == kUnitInch ? unit : locale.wDefUnit;
  Write(ini, kKeyDone, u"1");
  return TRUE;
}

BOOL GetKesmInstDefault(LPCWSTR /*name*/, UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  INSTALLRECORD& record = ucb->pWork->install;
  WORD language = GetKDMLanguageIDFromLocale();
  if (language == 0xFFFF) language = GetLanguageID(ucb);
  record.wDispLang = language;
  ApplyLocaleRule(record, GetLocalePrimaryID(ucb));
  return TRUE;
}

BOOL KesmInstProcForInstall(LPCWSTR name, UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  const Ini ini = InstallIni(name, ucb);
  INSTALLRECORD& record = ucb->pWork->install;
  if (ReadKesmInstFile(name, ucb)) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncLogCodeUse, record.wUserCode);
    storage::SetSettingText(ucb, kFuncLogCode, record.szUserCode);
    SetKDMUserCodeFIX(ucb, record.wUserCodeFIX);
    record.wLocaleID = GetLocalePrimaryID(ucb);
  } else {
    GetKesmInstDefault(name, ucb);
    if (ini.ok) {
      WriteNumber(ini, kKeyLanguage, record.wDispLang);
      WriteNumber(ini, kKeyPaper, record.wDefPaper);
      WriteNumber(ini, kKeyUnit, record.wDefUnit);
    }
  }
  const WORD described = GetLanguageID(ucb);
  if (record.wDispLang != described) {
    record.wDispLang = described;
    if (described == 0) {
      record.wDefPaper = kPaperA4;
      record.wDefUnit = kUnitMillimetre;
    }
    if (ini.ok) {
      WriteNumber(ini, kKeyLanguage, record.wDispLang);
      if (described == 0) {
        WriteNumber(ini, kKeyPaper, record.wDefPaper);
        WriteNumber(ini, kKeyUnit, record.wDefUnit);
      }
    }
  }
  if (PaperFlag(ucb) == 0) {
    record.wDefPaper = kPaperA4;
    if (ini.ok) WriteNumber(ini, kKeyPaper, record.wDefPaper);
  }
  SetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, record.wDispLang);
  SetDevmodeValueDirectByFuncID(ucb, kFuncDspLanguage, record.wDispLang);
  SetDevmodeValueDirectByFuncID(ucb, kFuncLocale, record.wLocaleID);
  SetDevmodeValueDirectByFuncID(ucb, kFuncDspUnit, record.wDefUnit);
  SetDevmodeValueDirectByFuncID(ucb, kFuncPaperSize, record.wDefPaper);
  return TRUE;
}

BOOL WriteKesmInstFile(LPCWSTR name, DWORD type, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const Ini ini = InstallIni(name, ucb);
  if (!ini.ok) return FALSE;
  if (type == kKesmInstWriteReset) {
    Write(ini, kUserCodeKeyInUse, u"0");
    Write(ini, kUserCodeKeyFixed, u"0");
    Write(ini, kUserCodeKeyText, u"");
  } else if (type == kKesmInstWriteNoCode) {
    return Write(ini, kUserCodeKeyInUse, u"0") && Write(ini, kUserCodeKeyFixed, u"0");
  }
  const std::u16string code = storage::SettingText(ucb, kFuncLogCode);
  if (Value(ucb, kFuncLogCodeUse) != 0 && !code.empty()) {
    Write(ini, kUserCodeKeyInUse, u"1");
    Write(ini, kUserCodeKeyFixed, u"1");
    Write(ini, kUserCodeKeyText, code.c_str());
    if (type == kKesmInstWriteCode) {
      storage::WriteStoreText(kUserCodeMruSection, kUserCodeKeyMru, code.c_str(), ini.path.data());
    }
  }
  return TRUE;
}

BOOL RefreshKesmInstFile(LPCWSTR name, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const Ini ini = InstallIni(name, ucb);
  if (!ini.ok) return FALSE;
  const LONG_PTR locale = Value(ucb, kFuncLocale);
  WriteNumber(ini, kKeyLanguage, static_cast<LONG>(Value(ucb, kFuncLanguage)));
  WriteNumber(ini, kKeyPaper, locale == 1 || locale == 2 || locale == 5 ? kPaperLetter : kPaperA4);
  WriteNumber(ini, kKeyUnit, static_cast<LONG>(Value(ucb, kFuncDspUnit)));
  WriteKesmInstFile(name, kKesmInstWriteReset, ucb);
  Write(ini, kKeyDone, u"0");
  return ReadKesmInstFile(name, ucb);
}
#endif
