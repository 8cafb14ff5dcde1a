#include "render/header/kpjl_callbacks.h"

#include <cstdio>
#include <cstring>

#include "platform/base/winerror.h"
#include "platform/engine/eng_printer.h"
#include "render/header/kpjl_walk.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"

namespace {

constexpr std::string_view kDateHead = "@PJL SET DATE = ";
constexpr std::string_view kDriverNameHead = "@PJL SET KESMDRIVERNAME = ";
constexpr std::string_view kLineEnd = " \r\n";
constexpr std::string_view kDllEnding = "DLL";

constexpr WORD kFuncDstResolution = 38;
constexpr WORD kFuncShiftDir = 95;
constexpr ULONGLONG kBaseResolution = 1200;
constexpr LONG_PTR kShiftXNegated[] = {2, 4};
constexpr LONG_PTR kShiftYNegated[] = {3, 4};

// Bytes of the printer-data read of the log-file name, and of its buffer.
constexpr DWORD kLogNameReadBytes = 260;
constexpr DWORD kLogNameBufferChars = 260;

AnsiPath LogFileName(UCB* ucb) {
  WCHAR name[kLogNameBufferChars] = {};
  if (!GetLogFileNameFromReg(name, kLogNameReadBytes, ucb)) name[0] = 0;
  return ToAnsiPath(name, kLogNameBufferChars);
}

int EmitPath(const AnsiPath& path, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  if (!path.view().empty()) CommandSizeProc(ucb->pBKPD, group, path.view(), HeaderText::kOutside, sink);
  return 1;
}

}  // namespace

void GetTimeStamp(LPSTR buffer, BOOL date, const ENG_TIME_FIELDS& time) {
  if (date) {
    std::snprintf(buffer, kTimeStampBytes, "\"%04u/%02u/%02u\"", unsigned{time.usYear}, unsigned{time.usMonth}, unsigned{time.usDay});
  } else {
    std::snprintf(buffer, kTimeStampBytes, "\"%02u:%02u:%02u\"", unsigned{time.usHour}, unsigned{time.usMinute},
                  unsigned{time.usSecond});
  }
}

BOOL GetLogFileNameFromReg(LPWSTR buffer, DWORD bytes, UCB* ucb) {
  if (buffer == nullptr || bytes == 0 || ucb == nullptr) return FALSE;
  DWORD type = 0;
  DWORD needed = 0;
  return EngGetPrinterData(ucb->hPrinter, u"LogFileName", &type, reinterpret_cast<LPBYTE>(buffer), bytes, &needed) ==
                 ERROR_SUCCESS
             ? TRUE
             : FALSE;
}

int iKPJLCBTime(BOOL date, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  ENG_TIME_FIELDS now{};
  if (sink->snapshot != nullptr) {
    now = sink->snapshot->time;
  } else {
    EngQueryLocalTime(&now);
  }
  char stamp[kTimeStampBytes];
  GetTimeStamp(stamp, date, now);
  if (date) {
    EmitText(sink, kDateHead);
    EmitText(sink, stamp);
    EmitText(sink, kLineEnd);
  } else {
    CommandSizeProc(ucb->pBKPD, group, stamp, HeaderText::kDescription, sink);
  }
  return 1;
}

int iKPJLCBChgDefRes(LONG_PTR value, const UiGroup* group, HeaderSink* sink, BOOL negate, UCB* ucb) {
  const UiNumericValue* numbers = BkpdNumericValue(ucb->pBKPD, group);
  if (numbers == nullptr) return 1;
  // The resolution is a 16-bit count of dots per inch.
  const auto resolution = static_cast<WORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncDstResolution, nullptr));
  const ULONGLONG numerator = ULONGLONG{static_cast<WORD>(numbers->seventh)} * resolution;
  const ULONGLONG denominator = ULONGLONG{static_cast<WORD>(numbers->eighth)} * kBaseResolution;
  LONG scaled = 0;
  if (!ScaleHeaderNumber(negate ? -value : value, numerator, denominator, &scaled)) return 1;
  char digits[16];
  std::snprintf(digits, sizeof(digits), "%d", scaled);
  CommandSizeProc(ucb->pBKPD, group, digits, HeaderText::kDescription, sink);
  return 1;
}

int iKPJLCBPrinterName(BOOL driver, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  if (driver) {
    const AnsiPath name = ToAnsiPath(GetRealDriverName(ucb), MAX_PATH);
    if (!name.view().empty()) {
      EmitText(sink, kDriverNameHead);
      EmitQuotedOutsideText(sink, name.view());
      EmitText(sink, kLineEnd);
    }
  } else {
    const AnsiPath name = ToAnsiPath(GetPrinterName(ucb), MAX_PATH);
    if (!name.view().empty()) CommandSizeProc(ucb->pBKPD, group, name.view(), HeaderText::kQuotedOutside, sink);
  }
  return 1;
}

int iKPJLCBIniFileName(LONG_PTR, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  const WCHAR* path = ucb->pWork != nullptr ? ucb->pWork->szIniFilePath : nullptr;
  return EmitPath(ToAnsiPath(path, MAX_PATH), group, sink, ucb);
}

int iKPJLCBLogFileName(LONG_PTR, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  return EmitPath(LogFileName(ucb), group, sink, ucb);
}

int iKPJLCBDrvFileName(LONG_PTR, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  AnsiPath name = LogFileName(ucb);
  const std::size_t length = name.view().size();
  if (length > kDllEnding.size()) kDllEnding.copy(name.text + length - kDllEnding.size(), kDllEnding.size());
  return EmitPath(name, group, sink, ucb);
}

int iKPJLCBAddInstDir(const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  return EmitPath(ToAnsiPath(GetInstallDirectory(ucb), MAX_PATH), group, sink, ucb);
}

int iKPJLCBTellNoConv(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  const SFCB* own = group != nullptr ? GetSFCBbyFuncID(ucb, group->funcId) : nullptr;
  const DWORD bytes = own != nullptr ? SettingSizeOf(own->descriptor) : 0;
  if (value == 0 || bytes == 0) return 1;
  // The text is the group's own ANSI setting, read within its size.
  const std::string_view text = BoundedText(reinterpret_cast<const void*>(value), bytes - 1);
  auto kept = NewMemBlock<char>(bytes);
  if (!kept) return 1;
  std::size_t length = 0;
  for (const char c : text) {
    if (c != '-' && c != '(' && c != ')') kept.get()[length++] = c;
  }
  if (length > 0) CommandSizeProc(ucb->pBKPD, group, std::string_view(kept.get(), length), HeaderText::kOutside, sink);
  return 1;
}

int iKPJLCBReplaceStr(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  PCBKPD bkpd = ucb->pBKPD;
  const UiOption* option = nullptr;
  for (const UiOption* o = BkpdFirstOption(bkpd, group); o != nullptr; o = BkpdNext(bkpd, o)) {
    if (o->value == static_cast<WORD>(value)) {
      option = o;
      break;
    }
  }
  LPCSTR own = option != nullptr ? BkpdAnsi(bkpd, option->command) : nullptr;
  if (own == nullptr) return 1;
  if (sink->snapshot != nullptr) {
    for (const REPLACESTRING& entry : sink->snapshot->replace.entries) {
      if (entry.key == 0) break;
      if (entry.key != option->value) continue;
      // An entry whose text was never sent replaces nothing.
      const AnsiPath text = ToAnsiPath(entry.text, kReplaceTextChars);
      if (text.view().empty()) break;
      CommandSizeProc(bkpd, group, text.view(), HeaderText::kOutside, sink);
      return 1;
    }
  }
  CommandSizeProc(bkpd, group, own, HeaderText::kDescription, sink);
  return 1;
}

int CoreCallBack(UCB* ucb, const SFCB* sfcb, LONG_PTR value, const UiGroup* group, HeaderSink* sink) {
  if (ucb == nullptr || sfcb == nullptr || sink == nullptr) return 0;
  switch (sfcb->jobHeaderCallback) {
    case 1:
      iKPJLCBTime(TRUE, group, sink, ucb);
      return iKPJLCBTime(FALSE, group, sink, ucb);
    case 2:
      return iKPJLCBChgDefRes(value, group, sink, FALSE, ucb);
    case 3:
      iKPJLCBPrinterName(TRUE, group, sink, ucb);
      return iKPJLCBPrinterName(FALSE, group, sink, ucb);
    case 5:
      return iKPJLCBIniFileName(value, group, sink, ucb);
    case 6:
      return iKPJLCBLogFileName(value, group, sink, ucb);
    case 7:
      return iKPJLCBDrvFileName(value, group, sink, ucb);
    case 8: {
      // Only an ANSI string setting has a text to read, and it is read
      // within the group's setting: the setting must be at least as long.
      const DWORD kind = SettingKindOf(sfcb->descriptor);
      const bool ansi = SettingKindIsString(kind) && kind != kKindWide && kind != kKindString13 && kind != kKindWide8;
      const SFCB* own = group != nullptr ? GetSFCBbyFuncID(ucb, group->funcId) : nullptr;
      const bool fits = own != nullptr && SettingSizeOf(sfcb->descriptor) >= SettingSizeOf(own->descriptor);
      return iKPJLCBTellNoConv(ansi && fits ? value : 0, group, sink, ucb);
    }
    case 9:
      return iKPJLCBChgDefRes(value, group, sink, iKPJLChkActiveValue(ucb, kFuncShiftDir, 2, kShiftXNegated), ucb);
    case 10:
      return iKPJLCBChgDefRes(value, group, sink, iKPJLChkActiveValue(ucb, kFuncShiftDir, 2, kShiftYNegated), ucb);
    case 11:
      return iKPJLCBChapterPrint(value, group, sink, ucb);
    case 12:
      return iKPJLCBAddInstDir(group, sink, ucb);
    case 13:
      return iKPJLCBReplaceStr(value, group, sink, ucb);
    default:
      return UserCallBack(ucb, sfcb, value, group, sink);
  }
}

int UserCallBack(UCB* ucb, const SFCB* sfcb, LONG_PTR value, const UiGroup* group, HeaderSink* sink) {
  if (ucb == nullptr || sfcb == nullptr || sink == nullptr) return 0;
  switch (sfcb->jobHeaderCallback) {
    case 101:
      return iKPJLCBColorProfile(value, group, sink, ucb);
    case 102:
      return iKPJLCBColorProfileExt(value, group, sink, ucb);
    default:
      return 0;
  }
}
