#include "devicecomm/bidi/bidi_map.h"

#include "devicecomm/bidi/bidi_events.h"
#include "features/custom_modules.h"

namespace {

bool IsEmpty(const BIDIINFO* table) { return table[0].wFirst == 0 && table[0].dwCode == 0; }

WORD FromPair(DWORD code, const BIDIINFO* primary, const BIDIINFO* base) {
  return GetFidFromBidiData(code, IsEmpty(primary) ? base : primary);
}

WORD ValueOrNone(WORD value) { return value == kBidiNoValue || value == kBidiNoPaper ? 0 : value; }

bool Find(DWORD code, const BIDIINFO* table, WORD* value) {
  for (; table->wFirst != 0; ++table) {
    if (table->dwCode == code) {
      *value = table->wFirst;
      return true;
    }
  }
  return false;
}

WORD AskChapterTray(DWORD bits, DWORD index, UCB* ucb) {
  CustomBidiChapterTray record{bits, index, 0};
  KesmCustomFunction(ucb, kCustomBidiChapterTray, &record);
  return static_cast<WORD>(record.answer);
}

}  // namespace

WORD GetFidFromBidiData(DWORD code, const BIDIINFO* table) {
  WORD value = 0;
  return table != nullptr && Find(code, table, &value) ? value : 0;
}

WORD GetFidFromBidiDataTrayAvailable(DWORD code) {
  return FromPair(code, GetBidiTrayInfoBit2(), GetBidiTrayInfoBit());
}
WORD GetFidFromBidiDataOrientAvailable(DWORD code) {
  return FromPair(code, GetBidiOrientInfoBit2(), GetBidiOrientInfoBit());
}
WORD GetFidFromBidiDataTray(DWORD code) { return FromPair(code, GetBidiTrayInfo2(), GetBidiTrayInfo()); }
WORD GetFidFromBidiDataTrayMedia(DWORD code) {
  return FromPair(code, GetBidiTrayInfoMedia2(), GetBidiTrayInfoMedia());
}
WORD GetFidFromBidiDataTrayTrayLock(DWORD code) {
  return FromPair(code, GetBidiTrayTrayLockInfoBit2(), GetBidiTrayTrayLockInfoBit());
}
WORD GetFidFromBidiDataTrayDefTray(DWORD code) {
  return FromPair(code, GetBidiTrayDefTrayInfo2(), GetBidiTrayDefTrayInfo());
}

WORD GetFidFromBidiDataPaper(DWORD code, DWORD* landscape) {
  WORD value = 0;
  DWORD turned = 0;
  if (!Find(code, GetBidiPaperInfoPortrait(), &value)) {
    turned = 1;
    Find(code, GetBidiPaperInfoLandscape(), &value);
  }
  if (landscape != nullptr) *landscape = turned;
  return ValueOrNone(value);
}

WORD GetFidFromBidiDataMedia(DWORD code) {
  WORD value = 0;
  Find(code, GetBidiMediaInfo(), &value);
  return ValueOrNone(value);
}

WORD GetFidFromBidiDataTrayLock(DWORD bits) { return static_cast<WORD>(bits & 0x1); }
WORD GetFidFromBidiDataCoverDefTray(DWORD bits) { return static_cast<WORD>((bits >> 2) & 0x1); }
WORD GetFidFromBidiDataMPDefTray(DWORD bits) { return static_cast<WORD>((bits >> 3) & 0x1); }
WORD GetFidFromBidiDataReverseCoverDefTray(DWORD bits) { return static_cast<WORD>((bits >> 9) & 0x1); }

WORD GetFidFromBidiDataChapterDefTray(DWORD bits, UCB* ucb) { return AskChapterTray(bits, 0, ucb); }
WORD GetFidFromBidiDataChapterDefTray1(DWORD bits, UCB* ucb) { return AskChapterTray(bits, 1, ucb); }
WORD GetFidFromBidiDataChapterDefTray2(DWORD bits, UCB* ucb) { return AskChapterTray(bits, 2, ucb); }
WORD GetFidFromBidiDataChapterDefTray3(DWORD bits, UCB* ucb) { return AskChapterTray(bits, 3, ucb); }

WORD GetFidFromBidiDataOptionDevice(DWORD code, UCB* ucb) {
  return GetFidFromBidiData(code, GetBidiOptionInfo(ucb));
}
