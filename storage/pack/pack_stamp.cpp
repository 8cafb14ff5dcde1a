#include "storage/pack/pack_stamp.h"

#include <string_view>

namespace {

constexpr std::u16string_view kDigits = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kStampDigits = kStampChars - 1;

// 1970-01-01 00:00 in hours of the 31-day-month calendar.
constexpr DWORD kEpochHours = 1970u * 8928u + 1u * 744u + 1u * 24u;
static_assert(kEpochHours == 17588928u);

int DigitValue(WCHAR c) {
  const std::size_t at = kDigits.find(c);
  return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

bool IsStamp(LPCWSTR stamp) {
  if (stamp == nullptr) return false;
  for (int i = 0; i < kStampDigits; ++i) {
    if (DigitValue(stamp[i]) < 0) return false;
  }
  return stamp[kStampDigits] == 0;
}

// Steps the stamp by +1 or -1 from its last digit on.
BOOL StepStamp(LPWSTR stamp, int step) {
  if (!IsStamp(stamp)) return FALSE;
  const int base = static_cast<int>(kDigits.size());
  for (int i = kStampDigits - 1; i >= 0; --i) {
    const int value = DigitValue(stamp[i]) + step;
    stamp[i] = kDigits[static_cast<std::size_t>((value + base) % base)];
    if (value >= 0 && value < base) break;
  }
  return TRUE;
}

}  // namespace

DWORD CnvTimeToDWORD(const SYSTEMTIME& t) {
  const DWORD hours = DWORD{t.wYear} * 8928u + DWORD{t.wMonth} * 744u + DWORD{t.wDay} * 24u + DWORD{t.wHour};
  return ((hours - kEpochHours) * 60u + t.wMinute) * 60u + t.wSecond;
}

void CnvTimeToSTR36(DWORD value, LPWSTR out) {
  if (out == nullptr) return;
  for (int i = kStampDigits - 1; i >= 0; --i) {
    out[i] = kDigits[value % kDigits.size()];
    value /= static_cast<DWORD>(kDigits.size());
  }
  out[kStampDigits] = 0;
}

BOOL NextCnvTimeToSTR36(LPWSTR stamp) { return StepStamp(stamp, 1); }
BOOL BeforeCnvTimeToSTR36(LPWSTR stamp) { return StepStamp(stamp, -1); }

WCHAR PackIndexChar(int index) {
  return index >= 0 && index < static_cast<int>(kDigits.size()) ? kDigits[static_cast<std::size_t>(index)] : 0;
}
