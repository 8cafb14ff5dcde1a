#include "ui/replace_strings.h"

#if !KESM_KERNEL_MODE
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "features/custom_modules.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "platform/modules/winresource.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "settings/values/units.h"
#include "ui/resource_dll.h"

namespace {

constexpr UINT kUnitMmString = 153;
constexpr UINT kUnitInchString = 154;
constexpr int kUnitChars = 16;
constexpr int kTrayNameChars = 64;
constexpr int kFreeSizeNameChars = 64;
// Free sizes 11 and 12: the paper free size and the print free size.
constexpr WORD kFreeSizeSettings[2][2] = {{340, 341}, {344, 345}};
// The dialogs whose free-size range the range formats show.
constexpr WORD kFreeSizeDialog = 1017;
constexpr WORD kPaperFreeDialog = 1041;

std::u16string ResourceString(UCB* ucb, UINT id, int chars) {
  std::u16string text(static_cast<std::size_t>(chars), u'\0');
  const HMODULE module = GetResDll(ucb);
  const int n = module != nullptr ? LoadStringW(module, id, text.data(), chars) : 0;
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return text;
}

std::u16string UnitString(UCB* ucb) {
  return ResourceString(ucb, IsDispUnitMM(ucb) ? kUnitMmString : kUnitInchString, kUnitChars);
}

std::u16string Widen(const char* text) {
  std::u16string wide;
  for (const char* p = text; *p != 0; ++p) wide.push_back(static_cast<unsigned char>(*p));
  return wide;
}

std::u16string AnsiText(const char* text, int chars) {
  std::u16string wide(static_cast<std::size_t>(chars) + 1, u'\0');
  std::string terminated(text, static_cast<std::size_t>(chars));
  CopyStr2Unicode(wide.data(), terminated.c_str(), chars);
  wide.resize(std::char_traits<char16_t>::length(wide.c_str()));
  return wide;
}

// A display length with its decimals: tenths of a millimetre or hundredths
// of an inch.
std::u16string Decimal(const UCB* ucb, LONG dots, bool dropZeroTenth) {
  const LONG value = ConvertDevmodeValueToSize(ucb, 0, dots);
  char text[32];
  if (IsDispUnitMM(ucb)) {
    if (dropZeroTenth && value % 10 == 0) {
      std::snprintf(text, sizeof text, "%ld", static_cast<long>(value / 10));
    } else {
      std::snprintf(text, sizeof text, "%ld.%01d", static_cast<long>(value / 10), static_cast<int>(value % 10));
    }
  } else {
    std::snprintf(text, sizeof text, "%ld.%02d", static_cast<long>(value / 100), static_cast<int>(value % 100));
  }
  return Widen(text);
}

std::u16string Dimensions(const UCB* ucb, LONG width, LONG length) {
  return u"(" + Decimal(ucb, width, false) + u" x " + Decimal(ucb, length, false);
}

// The allowed free-size range of a tray and orientation in dots, for the
// width (length false) or the length; false when the table has no row.
bool FreeSizeRangeOf(const UCB* ucb, LONG tray, LONG orientation, bool length, LONG* min, LONG* max) {
  const bool mm = IsDispUnitMM(ucb) != 0;
  for (const FreeSizeRange* row = GetPtrFreeSizeRangeTable(); row->tray != 0; ++row) {
    if (row->tray != tray || row->orientation != orientation) continue;
    if (length) {
      *max = mm ? row->lengthMaxMM : row->lengthMaxInch;
      *min = mm ? row->lengthMinMM : row->lengthMinInch;
    } else {
      *max = mm ? row->widthMaxMM : row->widthMaxInch;
      *min = mm ? row->widthMinMM : row->widthMinInch;
    }
    return true;
  }
  return false;
}

LONG Value(const UCB* ucb, WORD funcId) {
  return static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}

std::u16string TrayName(UCB* ucb, WORD funcId) {
  WCHAR name[kTrayNameChars + 1] = {};
  const SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
  if (sfcb == nullptr || GetDevmodeStringBySFCB(ucb, sfcb, name) == nullptr) return {};
  name[kTrayNameChars] = 0;
  return name;
}

std::u16string FreeSize(UCB* ucb, const RESID2FUNCID& row, std::u16string text) {
  if (row.parameter >= 1 && row.parameter <= kFreeSizeEntries && ucb->pWork != nullptr) {
    const FREESIZEINFO& slot = ucb->pWork->aFreeSizeInfo[row.parameter - 1];
    auto width = static_cast<LONG>(slot.dwWidth);
    auto length = static_cast<LONG>(slot.dwLength);
    LONG min = 0;
    LONG max = 0;
    if (FreeSizeRangeOf(ucb, slot.wTray, slot.wOrient, false, &min, &max)) {
      width = std::clamp(width, min, std::max(min, max));
    }
    if (FreeSizeRangeOf(ucb, slot.wTray, slot.wOrient, true, &min, &max)) {
      length = std::clamp(length, min, std::max(min, max));
    }
    // A slot not given a name keeps the text it was loaded with ("Free
    // size 3"), so that no entry of a list starts with its size alone.
    const std::u16string name = AnsiText(slot.szName, kFreeSizeNameChars);
    text = (name.empty() ? text : name) + Dimensions(ucb, width, length);
  } else if (row.parameter == 11 || row.parameter == 12) {
    const WORD* settings = kFreeSizeSettings[row.parameter - 11];
    text += Dimensions(ucb, Value(ucb, settings[0]), Value(ucb, settings[1]));
  }
  return text + UnitString(ucb) + u")";
}

// The range a free-size control of the current dialog allows, in dots;
// false outside the free-size dialogs.
bool CurrentRange(const UCB* ucb, bool length, LONG* min, LONG* max) {
  if (ucb->wCurrentDialog == kFreeSizeDialog) {
    return FreeSizeRangeOf(ucb, Value(ucb, 755), Value(ucb, 756), length, min, max);
  }
  if (ucb->wCurrentDialog == kPaperFreeDialog) {
    const bool paper = Value(ucb, 855) == 1;
    return FreeSizeRangeOf(ucb, Value(ucb, paper ? 342 : 346), Value(ucb, paper ? 343 : 347), length, min, max);
  }
  return false;
}

// The format with "%s" taking the arguments in order and "%%" a percent
// sign; any other directive is kept as it stands, so that a translated text
// can never read arguments that are not there.
std::u16string FormatTwo(std::u16string_view format, const std::u16string& first, const std::u16string& second) {
  std::u16string out;
  int used = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      if (format[i + 1] == u'%') {
        out.push_back(u'%');
        ++i;
        continue;
      }
      if (format[i + 1] == u's' && used < 2) {
        out += used++ == 0 ? first : second;
        ++i;
        continue;
      }
    }
    out.push_back(format[i]);
  }
  return out;
}

std::u16string RangeFormat(UCB* ucb, UINT id, const std::u16string& format) {
  const bool length = id == 13273 || id == 13274;
  LONG min = 0;
  LONG max = 0;
  if (!CurrentRange(ucb, length, &min, &max)) {
    const std::u16string zero = IsDispUnitMM(ucb) ? u"0" : u"0.00";
    return FormatTwo(format, zero, zero);
  }
  return FormatTwo(format, Decimal(ucb, min, true), Decimal(ucb, max, true));
}

// A colour profile's name from the feature modules, written into the
// caller's buffer itself so that the name is cut to it. A module that does
// not know the id leaves the text as loaded.
std::u16string ProfileName(UCB* ucb, UINT id, LPWSTR text, int limit) {
  CustomReplaceString record{static_cast<WORD>(id), text, limit};
  KesmCustomFunction(ucb, kCustomReplaceString, &record);
  text[limit - 1] = 0;
  return text;
}

}  // namespace

const RESID2FUNCID* FindResId2FuncId(UINT id) {
  for (const RESID2FUNCID* row = stResId2FuncId; row->id != 0; ++row) {
    if (row->id == id) return row;
  }
  return nullptr;
}

int UserCallbackReplaceString(UCB* ucb, UINT id, LPWSTR text, int limit) {
  if (text == nullptr || limit <= 0) return 0;
  text[limit - 1] = 0;
  std::u16string value(text);
  const RESID2FUNCID* row = FindResId2FuncId(id);
  if (row != nullptr && ucb != nullptr) {
    switch (row->kind) {
      case ReplaceKind::kTrayName:
        value += u":" + TrayName(ucb, static_cast<WORD>(row->parameter));
        break;
      case ReplaceKind::kFreeSize:
        value = FreeSize(ucb, *row, value);
        break;
      case ReplaceKind::kUnit:
        value = UnitString(ucb);
        break;
      case ReplaceKind::kRangeFormat:
        value = RangeFormat(ucb, id, value);
        break;
      case ReplaceKind::kProfileName:
        value = ProfileName(ucb, id, text, limit);
        break;
      case ReplaceKind::kNone:
        break;
    }
  }
  const std::size_t length = std::min(value.size(), static_cast<std::size_t>(limit - 1));
  std::copy_n(value.begin(), length, text);
  text[length] = 0;
  return static_cast<int>(length);
}
#endif
