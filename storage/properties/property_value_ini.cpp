// One setting to and from an INI file, or to and from a script image of one
// section. Text settings are kept as their text; numbers as decimal text:
// unsigned for the unsigned kinds, signed for the others, and 0 or 1 for a
// single bit. A number read back must be decimal text (a sign, then digits,
// at most 15 characters) that the setting's kind can hold (0 or 1 for a
// bit); anything else is refused and the setting kept, never cut to its
// width. A
// missing key leaves any setting as it was; an empty text value empties a
// text setting.
#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_properties.h"
#include "storage/properties/property_codec.h"
#include "storage/ini/profile.h"
#if !KESM_KERNEL_MODE
#include "storage/ini/ini_script.h"
#endif

namespace {

// A number is read as at most this many characters.
constexpr DWORD kNumberChars = 15;
// A missing text key reads as this many characters more than the setting
// holds.
constexpr DWORD kMissingMarks = 9;

bool IsWideKind(DWORD kind) { return kind == kKindWide || kind == kKindWide8; }

// Characters a text setting holds, its terminator included.
DWORD TextCapacity(const SFCB& record) {
  const DWORD size = SettingSizeOf(record.descriptor);
  return IsWideKind(SettingKindOf(record.descriptor)) ? size / sizeof(WCHAR) : size;
}

// Parses "[+|-]digits" of at most 15 characters as a whole; false for
// anything else.
bool ParseDecimal(const WCHAR* text, long long* value) {
  std::array<char, kNumberChars + 1> ascii{};
  std::size_t length = 0;
  for (; text[length] != 0; ++length) {
    if (length == kNumberChars || text[length] > 0x7F) return false;
    ascii[length] = static_cast<char>(text[length]);
  }
  const char* first = ascii.data();
  const char* last = first + length;
  bool negative = false;
  if (first != last && (*first == '-' || *first == '+')) negative = *first++ == '-';
  if (first == last || *first == '-' || *first == '+') return false;
  unsigned long long magnitude = 0;
  const auto [end, error] = std::from_chars(first, last, magnitude);
  if (error != std::errc() || end != last) return false;
  *value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
  return true;
}

// Whether a number fits the setting's kind as the writer formats it:
// unsigned kinds from 0, signed kinds within their width, bits 0 or 1.
bool FitsKind(DWORD kind, long long value) {
  auto within = [value](long long low, long long high) { return value >= low && value <= high; };
  switch (kind) {
    case kKindI8: return within(-0x80, 0x7F);
    case kKindU8: return within(0, 0xFF);
    case kKindI16: return within(-0x8000, 0x7FFF);
    case kKindU16: return within(0, 0xFFFF);
    case kKindI32: return within(-0x80000000LL, 0x7FFFFFFF);
    case kKindU32: return within(0, 0xFFFFFFFFLL);
    default: return !SettingKindIsBit(kind) || within(0, 1);
  }
}

#if !KESM_KERNEL_MODE
std::u16string FormatNumber(const UCB* ucb, const SFCB& record) {
  const LONG_PTR value = GetDevmodeValueDirect(ucb, &record);
  char text[24] = {};
  char* end = text;
  switch (SettingKindOf(record.descriptor)) {
    case kKindU8:
    case kKindU16:
    case kKindU32:
      end = std::to_chars(text, text + sizeof text, static_cast<DWORD>(value)).ptr;
      break;
    default:  // the signed kinds and the bits
      end = std::to_chars(text, text + sizeof text, static_cast<LONG>(value)).ptr;
      break;
  }
  return std::u16string(text, end);
}
#endif

}  // namespace

namespace storage {

bool IsAbsoluteIniPath(LPCWSTR path) { return path != nullptr && path[0] != 0 && path[1] == u':'; }

namespace {

// Text read from an INI file, at most as long as the work area's scratch.
using TextBuffer = std::array<WCHAR, kScratchChars>;

// Reads the key's text, at most chars - 1 characters, into text: from the
// script body when one is given, else from the file under the record's
// section or the printer's name. False when the key is missing. The user-mode
// readers hand out the default for a missing key, so it is told by the
// default coming back; the kernel-mode reader says so in its result and
// leaves the text alone. Script images are a configuration-library form:
// the rendering library reads INI files only.
bool ReadText(UCB* ucb, const SFCB& record, LPCWSTR iniPath, [[maybe_unused]] LPCSTR script,
              [[maybe_unused]] PLONG position, LPCWSTR defaultText, TextBuffer& text, DWORD chars) {
  LPCWSTR section = record.iniSection != nullptr ? record.iniSection : GetPrinterName(ucb);
#if KESM_KERNEL_MODE
  return KM_UM_GetPrivateProfileString(section, record.iniKey, defaultText, text.data(), chars, iniPath) != 0;
#else
  if (script != nullptr) {
    LONG start = 0;
    GetScriptString(record.iniKey, defaultText, text.data(), chars, script,
                    position != nullptr ? position : &start);
  } else {
    KM_UM_GetPrivateProfileString(section, record.iniKey, defaultText, text.data(), chars, iniPath);
  }
  return std::u16string_view(defaultText) != text.data();
#endif
}

}  // namespace

IniRead ReadIniSetting(UCB* ucb, SFCB* record, LPCWSTR iniPath, LPCSTR script, PLONG position) {
  if (record == nullptr) return IniRead::kRefused;
  if (!IsAbsoluteIniPath(iniPath) || record->iniKey == nullptr) return IniRead::kSkipped;
#if KESM_KERNEL_MODE
  if (script != nullptr) return IniRead::kSkipped;
#endif
  TextBuffer text{};
  if (SettingKindIsString(SettingKindOf(record->descriptor))) {
    // The default is longer than any value the setting can hold, so that a
    // missing key is told from an empty value: the one leaves the setting
    // as it was, the other empties it. Every text setting is read so, not
    // only the one whose empty text is a choice of its own (524): a file
    // that lacks a key, older or written by hand, keeps the text as numbers
    // keep theirs, instead of losing it.
    const DWORD capacity = TextCapacity(*record);
    const DWORD marks = capacity + kMissingMarks;
    if (capacity == 0 || marks + 1 > text.size()) return IniRead::kRefused;
    TextBuffer missing{};
    std::fill_n(missing.begin(), marks, u'*');
    if (!ReadText(ucb, *record, iniPath, script, position, missing.data(), text, marks + 1)) {
      return IniRead::kMissing;
    }
    return SetDevmodeStringBySFCB(ucb, record, text.data()) != nullptr ? IniRead::kStored : IniRead::kRefused;
  }
  // One character more than a number may have, so that a longer text is
  // refused rather than cut into another number. An empty number is missing.
  if (!ReadText(ucb, *record, iniPath, script, position, u"", text, kNumberChars + 2) || text[0] == 0) {
    return IniRead::kMissing;
  }
  long long value = 0;
  if (!ParseDecimal(text.data(), &value) || !FitsKind(SettingKindOf(record->descriptor), value)) {
    return IniRead::kRefused;
  }
  return SetDevmodeValueDirect(ucb, record, static_cast<LONG_PTR>(value)) ? IniRead::kStored
                                                                           : IniRead::kRefused;
}

}  // namespace storage

BOOL GetDevmodeValueFromIni(UCB* ucb, SFCB* record, LPCWSTR iniPath, LPCSTR script, PLONG position) {
  return storage::ReadIniSetting(ucb, record, iniPath, script, position) != storage::IniRead::kRefused;
}

BOOL SetDevmodeValueToIni(HANDLE, UCB* ucb, SFCB* record, LPCWSTR iniPath, LPSTR script,
                          DWORD scriptSize, LPDWORD position) {
  if (record == nullptr) return FALSE;
  if (!storage::IsAbsoluteIniPath(iniPath) || record->iniKey == nullptr) return TRUE;
#if KESM_KERNEL_MODE
  (void)ucb;
  (void)script;
  (void)scriptSize;
  (void)position;
  return FALSE;  // the rendering library writes no INI file
#else
  std::u16string text;
  if (SettingKindIsString(SettingKindOf(record->descriptor))) {
    std::array<WCHAR, kScratchChars + 1> field{};
    if (TextCapacity(*record) > kScratchChars) return FALSE;
    if (GetDevmodeStringBySFCB(ucb, record, field.data()) == nullptr) return FALSE;
    text = field.data();
  } else {
    if (GetDevmodeAddressBySFCB(ucb, record) == nullptr) return FALSE;
    text = FormatNumber(ucb, *record);
  }
  if (script != nullptr) {
    return position != nullptr && WriteScriptString(position, record->iniKey, text.c_str(), script, scriptSize);
  }
  LPCWSTR section = record->iniSection != nullptr ? record->iniSection : GetPrinterName(ucb);
  return KM_UM_WritePrivateProfileString(section, record->iniKey, text.c_str(), iniPath);
#endif
}
