// The display text of a setting's current value: a choice's resource
// string, a Boolean's on or off text, a number (a length in the display
// unit) with its unit, a string setting's text, or the watermark names.
// Every text is cut to the caller's buffer.
#include <algorithm>
#include <string>
#include <vector>

#include "settings/bkpd/bkpd_access.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/constraints/ui_status.h"
#include "settings/values/units.h"
#include "ui/resource_dll.h"

namespace {

constexpr WORD kUiMajorTypeMask = 0x00FF;
constexpr UINT kStrBooleanOn = 370;
constexpr UINT kStrBooleanOff = 371;
constexpr UINT kStrNoWatermark = 96;
constexpr WORD kFuncWmKind = 117;
constexpr WORD kFuncWmId = 118;

// Choices whose value text is shown with another string.
struct ReplaceValueText {
  WORD from;
  WORD to;
};
constexpr ReplaceValueText tblReplaceValue2Text[] = {
    {2284, 261},   {2285, 262},   {2286, 263},   {2431, 1012},  {2435, 1013},  {2436, 1014},
    {2447, 1018},  {2448, 1019},  {2747, 1130},  {2746, 1131},  {2745, 1132},  {2856, 1143},
    {2857, 1144},  {2122, 60401}, {2126, 60402}, {2127, 60403}, {2128, 60404}, {2481, 491},
    {2565, 60405}, {2883, 13014}, {2131, 60407}, {2132, 60405},
};

// Watermark kinds 1-3: their names, and the control holding the chosen
// watermark's name.
struct WatermarkKind {
  LONG_PTR kind;
  const WCHAR* name;
  WORD nameItemId;
};
constexpr WatermarkKind kWatermarkKinds[] = {
    {1, u"文字ｽﾀﾝﾌﾟ", 2310},
    {2, u"ｲﾒｰｼﾞｽﾀﾝﾌﾟ", 2339},
    {3, u"合成", 2584},
};

const WatermarkKind* FindWatermarkKind(LONG_PTR kind) {
  for (const WatermarkKind& w : kWatermarkKinds) {
    if (w.kind == kind) {
      return &w;
    }
  }
  return nullptr;
}

// Output of one display text, bounded by the caller's buffer.
class TextOut {
 public:
  TextOut(LPWSTR buffer, int cch) : buffer_(buffer), cch_(cch) { buffer_[0] = 0; }
  void Append(std::u16string_view text) {
    for (WCHAR c : text) {
      if (length_ + 1 >= cch_) {
        break;
      }
      buffer_[length_++] = c;
    }
    buffer_[length_] = 0;
  }
  void AppendResource(const UCB* ucb, UINT id) {
    const int room = cch_ - length_;
    if (room > 1) {
      length_ += LoadStringFromResDll(ucb, id, buffer_ + length_, room, TRUE);
      buffer_[length_] = 0;
    }
  }
  int length() const { return length_; }

 private:
  LPWSTR buffer_;
  int cch_;
  int length_ = 0;
};

std::u16string Decimal(LONG_PTR v) {
  const std::string s = std::to_string(v);
  return {s.begin(), s.end()};
}

// "%ld.%01d" or "%ld.%02d" of a length in tenths or hundredths.
std::u16string FixedPoint(LONG v, bool tenths) {
  const LONG scale = tenths ? 10 : 100;
  std::u16string fraction = Decimal(v % scale);
  if (!tenths && fraction.size() < 2) {
    fraction.insert(fraction.begin(), u'0');
  }
  return Decimal(v / scale) + u"." + fraction;
}

void PickText(const UCB* ucb, LONG_PTR value, TextOut& out) {
  LONG_PTR id = value;
  for (const ReplaceValueText& r : tblReplaceValue2Text) {
    if (r.from == id) {
      id = r.to;
    }
  }
  out.AppendResource(ucb, static_cast<UINT>(id));
  if (out.length() == 0) {
    out.Append(Decimal(id) + u" is not string-ID");
  }
}

void NumericText(UCB* ucb, const SFCB* sfcb, const UiGroup* group, LONG_PTR value, TextOut& out) {
  if (sfcb != nullptr && (sfcb->uiRequest & kSfcbLengthInDots) != 0) {
    const LONG size = ConvertDevmodeValueToSize(ucb, 0, static_cast<LONG>(value));
    out.Append(FixedPoint(size, IsDispUnitMM(ucb) != FALSE));
  } else {
    out.Append(Decimal(static_cast<LONG>(value)));
  }
  const UiNumericValue* numeric = BkpdNumericValue(reinterpret_cast<PCBKPD>(ucb->pBKPD), group);
  if (numeric != nullptr) {
    out.AppendResource(ucb, static_cast<WORD>(numeric->lead));
  }
}

// A string setting's text, read into a buffer of the setting's own size.
void SettingText(const UCB* ucb, const SFCB* sfcb, TextOut& out) {
  if (sfcb == nullptr) {
    return;
  }
  std::vector<WCHAR> text(SettingSizeOf(sfcb->descriptor) + 8, 0);
  if (GetDevmodeStringBySFCB(ucb, sfcb, text.data()) != nullptr) {
    out.Append(text.data());
  }
}

void OtherText(const UCB* ucb, const SFCB* sfcb, LONG_PTR value, TextOut& out) {
  const WORD funcId = sfcb != nullptr ? sfcb->funcId : 0;
  if (funcId == kFuncWmKind) {
    const WatermarkKind* kind = FindWatermarkKind(value);
    if (kind != nullptr) {
      out.Append(kind->name);
    } else {
      out.AppendResource(ucb, kStrNoWatermark);
    }
  } else if (funcId == kFuncWmId) {
    const WatermarkKind* kind = FindWatermarkKind(GetDevmodeValueByFuncID(ucb, kFuncWmKind, nullptr));
    const ICB* icb = kind != nullptr ? GetICBbyItemID(ucb, nullptr, kind->nameItemId) : nullptr;
    if (icb != nullptr) {
      SettingText(ucb, icb->pSFCB, out);
    } else {
      out.AppendResource(ucb, kStrNoWatermark);
    }
  } else {
    out.Append(Decimal(static_cast<LONG>(value)));
  }
}

}  // namespace

int GetDevmodeTextByGroupID(UCB* ucb, WORD groupId, LPWSTR buffer, int cch) {
  if (buffer == nullptr || cch <= 0) {
    return 0;
  }
  TextOut out(buffer, cch);
  if (ucb == nullptr) {
    return 0;
  }
  SFCB* sfcb = nullptr;
  const LONG_PTR value = GetDevmodeValueByGroupID(ucb, groupId, &sfcb);
  const UiGroup* group = GetUiGroupFromGroupID(ucb, groupId);
  switch (group != nullptr ? group->type & kUiMajorTypeMask : 0) {
    case kUiPickOne:
    case kUiPickMany:
      PickText(ucb, value, out);
      break;
    case kUiBoolean:
      out.AppendResource(ucb, value != 0 ? kStrBooleanOn : kStrBooleanOff);
      break;
    case kUiNumeric:
      NumericText(ucb, sfcb, group, value, out);
      break;
    case kUiString:
      SettingText(ucb, sfcb, out);
      break;
    default:
      OtherText(ucb, sfcb, value, out);
      break;
  }
  return out.length();
}
