#include "devicecomm/jobcodes/jc_codes.h"

#if !KESM_KERNEL_MODE
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "devicecomm/jobcodes/jc_binding.h"
#include "devicecomm/jobcodes/jc_code_table.h"
#include "platform/base/winerror.h"
#include "settings/bkpd/description_queries.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"

namespace {

constexpr WORD kFuncLanguageId = 169;  // kdmLanguageID
constexpr WORD kFuncTelLine = 232;     // kdmTelLine
constexpr const WCHAR* kProductWord = u"KESM";
// No code needs more than this; a library that asks for more is refused.
constexpr DWORD kMaxValueBytes = 0x10000;
constexpr BYTE kMaxTelLine = 255;

using Buffer = std::array<WCHAR, kJCMaxBufferBytes / sizeof(WCHAR)>;

// A telephone line as the library gives it: decimal digits, blanks around
// them allowed. A number that does not fit the 1-byte setting is refused,
// never wrapped.
std::optional<BYTE> ParseTelLine(std::u16string_view text) {
  constexpr std::u16string_view kBlanks = u" \t";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::u16string_view::npos) return std::nullopt;
  text.remove_prefix(first);
  text.remove_suffix(text.size() - (text.find_last_not_of(kBlanks) + 1));
  unsigned value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - u'0');
    if (value > kMaxTelLine) return std::nullopt;
  }
  return static_cast<BYTE>(value);
}

// The description's default telephone line, 0 when it does not fit.
BYTE DefaultTelLine(UCB* ucb) {
  const LONG value = BKPDGetGroupDefaultByFuncID(kFuncTelLine, ucb);
  return value >= 0 && value <= kMaxTelLine ? static_cast<BYTE>(value) : 0;
}

DWORD LanguageWord(UCB* ucb, WORD* primary, WORD* sublanguage) {
  const auto number = static_cast<int>(GetDevmodeValueDirectByFuncID(ucb, kFuncLanguageId, nullptr));
  WORD sub = 0;
  const BYTE prim = GetWinLangIDFromKdmLangID2(number, &sub);
  if (primary != nullptr) *primary = prim;
  if (sublanguage != nullptr) *sublanguage = sub;
  return static_cast<DWORD>(sub) << 10 | prim;
}

// Stores a fetched text in the kind's setting.
DWORD StoreText(UCB* ucb, const JCCODE& code, LPCWSTR text) {
  SFCB* record = GetSFCBbyFuncID(ucb, code.wFuncId);
  if (record == nullptr) return kJCUnknownKind;
  if (code.dwKind == kJCKindTelLine) {
    const std::optional<BYTE> line = ParseTelLine(text);
    if (!line) return kJCValueRefused;
    SetDevmodeValueDirect(ucb, record, *line);
    return kJCSuccess;
  }
  SetDevmodeStringBySFCB(ucb, record, text);
  return kJCSuccess;
}

// Empties the kind's setting before a clearing set.
void ClearSetting(UCB* ucb, const JCCODE& code) {
  SFCB* record = code.wFuncId != 0 ? GetSFCBbyFuncID(ucb, code.wFuncId) : nullptr;
  if (record == nullptr || code.fSendOnly) return;
  if (code.dwKind == kJCKindTelLine) {
    SetDevmodeValueDirect(ucb, record, DefaultTelLine(ucb));
  } else {
    SetDevmodeStringBySFCB(ucb, record, u"");
  }
}

// The kind's value as text in the buffer.
void FillText(UCB* ucb, const JCCODE& code, Buffer& buffer) {
  if (code.dwKind == kJCKindProduct) {
    std::u16string_view(kProductWord).copy(buffer.data(), buffer.size() - 1);
    return;
  }
  SFCB* record = GetSFCBbyFuncID(ucb, code.wFuncId);
  if (record == nullptr) return;
  if (code.dwKind == kJCKindTelLine) {
    KesmInt2Str(buffer.data(), static_cast<int>(buffer.size()), 1, static_cast<LONG>(GetDevmodeValueDirect(ucb, record)));
    return;
  }
  GetDevmodeStringBySFCB(ucb, record, buffer.data());
}

// The no-value status and a query without the value flag mean the library
// has nothing for the kind: not a failure.
DWORD UnlessNoValue(DWORD status) { return status == kJCNoValue ? kJCSuccess : status; }

}  // namespace

DWORD DrvJCGetCode(UCB* ucb, DWORD kind) {
  const DWORD handle = DrvJCHandle(ucb);
  if (handle == 0) return kJCSuccess;
  const JCCODE* code = DrvJCFindCode(kind);
  if (code == nullptr) return kJCUnknownKind;
  if (code->fSendOnly) return kJCSuccess;
  const JCINTERFACE* iface = DrvJCInterface(ucb);

  DWORD flags = 0;
  DWORD status = iface->QueryKind(handle, kind, &flags);
  if (status != kJCSuccess || (flags & kJCQueryHasValue) == 0) return UnlessNoValue(status);
  DWORD needed = 0;
  status = iface->GetValue(handle, kind, kJCTypeText, nullptr, 0, &needed);
  if (status != kJCSuccess && status != kJCMoreData) return UnlessNoValue(status);
  if (needed == 0) return kJCSuccess;
  if (needed > kMaxValueBytes) return kJCValueRefused;

  // Room for what the library needs and at least the kind's buffer, in
  // whole characters; the text taken is cut to the kind's buffer.
  std::vector<WCHAR> value((std::max<DWORD>(needed, code->cbBuffer) + 1) / sizeof(WCHAR), 0);
  status = iface->GetValue(handle, kind, kJCTypeText, value.data(),
                           static_cast<DWORD>(value.size() * sizeof(WCHAR)), &needed);
  if (status != kJCSuccess) return UnlessNoValue(status);
  value[code->cbBuffer / sizeof(WCHAR) - 1] = 0;
  if (value[0] == 0) return kJCSuccess;
  return StoreText(ucb, *code, value.data());
}

DWORD DrvJCSetCode(UCB* ucb, DWORD kind, DWORD operation) {
  const DWORD handle = DrvJCHandle(ucb);
  if (handle == 0) return kJCSuccess;
  const JCCODE* code = DrvJCFindCode(kind);
  if (code == nullptr) return kJCUnknownKind;
  if (code->fSendOnly && DrvJCRecord(ucb)->wVersion < kJCVersion258) return kJCSuccess;
  if (operation == kJCSetClears) ClearSetting(ucb, *code);

  const JCINTERFACE* iface = DrvJCInterface(ucb);
  if (code->dwType == kJCTypeNumber) {
    const DWORD word = LanguageWord(ucb, nullptr, nullptr);
    return iface->SetValue(handle, kind, kJCTypeNumber, &word, sizeof(word));
  }
  Buffer buffer{};
  FillText(ucb, *code, buffer);
  return iface->SetValue(handle, kind, kJCTypeText, buffer.data(), code->cbBuffer);
}

DWORD DrvJCDeleteCode(UCB* ucb, DWORD kind) {
  const DWORD handle = DrvJCHandle(ucb);
  return handle != 0 ? DrvJCInterface(ucb)->DeleteValue(handle, kind) : kJCSuccess;
}

DWORD DrvJCLaunchUtility(UCB* ucb, DWORD argument) {
  const DWORD handle = DrvJCHandle(ucb);
  if (handle == 0) return kJCSuccess;
  JCLANGBLOCK language{sizeof(JCLANGBLOCK), 0, 0};
  LanguageWord(ucb, &language.wPrimary, &language.wSubLanguage);
  return DrvJCInterface(ucb)->LaunchUtility(handle, argument, &language);
}
#endif
