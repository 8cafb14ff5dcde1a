// Check of the other section: the resource library names, the five command
// trees and the two font tables. Command entries are stored last-first,
// after the nested group they hold, and a group after its two lists, so
// every link inside a tree points backwards; nesting is bounded.
#include <iterator>

#include "settings/bkpd/bkpd_check.h"

namespace {

bool CheckCommandGroup(BkpdChecker& c, DWORD offset, DWORD depth);

// Record size of each command entry type.
struct EntryLayout {
  WORD type;
  ULONGLONG bytes;
};

constexpr EntryLayout kEntryLayouts[] = {
    {kCmdGroupType, sizeof(CmdGroupEntry)},
    {kCmdStringType, sizeof(CmdStringEntry)},
    {kCmdNested, sizeof(CmdNestedEntry)},
    {kCmdFontType, sizeof(CmdFontEntry)},
};
static_assert(std::size(kEntryLayouts) == 4);

ULONGLONG EntryBytes(WORD type) {
  for (const EntryLayout& row : kEntryLayouts) {
    if (row.type == type) {
      return row.bytes;
    }
  }
  return 0;
}

// The pool bytes of a string entry: in the block, ending with their zero.
bool CheckPoolText(BkpdChecker& c, const CmdStringEntry& e) {
  if ((e.length == 0) != (e.text == 0)) {
    return c.Fail(BkpdFault::kCount, e.text);
  }
  if (e.length == 0) {
    return true;
  }
  if (c.ClaimRecord(e.text, e.length, Mark::kPool, true) == Claim::kFailed) {
    return false;
  }
  if (c.base[e.text + e.length - 1] != 0) {
    return c.Fail(BkpdFault::kString, e.text);
  }
  return true;
}

bool CheckEntry(BkpdChecker& c, DWORD offset, DWORD depth) {
  if (!c.Fits(offset, sizeof(CmdEntryHead))) {
    return false;
  }
  const WORD type = c.At<CmdEntryHead>(offset)->type;
  const ULONGLONG bytes = EntryBytes(type);
  if (bytes == 0) {
    return c.Fail(BkpdFault::kCommandType, offset);
  }
  if (c.ClaimRecord(offset, bytes, Mark::kCommandEntry, false) != Claim::kNew) {
    return false;
  }
  if (type == kCmdStringType) {
    return CheckPoolText(c, *c.At<CmdStringEntry>(offset));
  }
  if (type == kCmdNested) {
    const DWORD group = c.At<CmdNestedEntry>(offset)->group;
    if (group == 0) {
      return true;
    }
    if (group >= offset) {
      return c.Fail(BkpdFault::kChain, offset);
    }
    return CheckCommandGroup(c, group, depth + 1);
  }
  return true;
}

// A list stored before its group record (at `before`), last entry first.
bool CheckEntries(BkpdChecker& c, DWORD first, DWORD before, DWORD depth) {
  DWORD limit = before;
  for (DWORD offset = first; offset != 0; offset = c.At<CmdEntryHead>(offset)->next) {
    if (offset >= limit) {
      return c.Fail(BkpdFault::kChain, offset);
    }
    if (!CheckEntry(c, offset, depth)) {
      return false;
    }
    limit = offset;
  }
  return true;
}

bool CheckCommandGroup(BkpdChecker& c, DWORD offset, DWORD depth) {
  if (offset == 0) {
    return true;
  }
  if (depth >= kBkpdMaxCommandDepth) {
    return c.Fail(BkpdFault::kDepth, offset);
  }
  // A group belongs to one place, so its depth is the one met here.
  if (c.ClaimRecord(offset, sizeof(BKPDCOMMANDGROUP), Mark::kCommandGroup, false) != Claim::kNew) {
    return false;
  }
  const BKPDCOMMANDGROUP& g = *c.At<BKPDCOMMANDGROUP>(offset);
  return c.CheckJudge(g.judge) && CheckEntries(c, g.mainList, offset, depth) &&
         CheckEntries(c, g.elseList, offset, depth);
}

bool CheckFonts(BkpdChecker& c, DWORD table, DWORD count) {
  if (!c.CheckArray(table, count, sizeof(DWORD))) {
    return false;
  }
  // Every entry is checked, also past an empty one, so no reader can meet
  // an unchecked record whatever way it walks the table.
  for (DWORD i = 0; i < count; ++i) {
    const DWORD font = c.At<DWORD>(table)[i];
    if (font == 0) {
      continue;
    }
    const Claim claim = c.ClaimRecord(font, sizeof(BKPDFONT), Mark::kFont, true);
    if (claim == Claim::kFailed || (claim == Claim::kNew && !c.CheckAnsi(c.At<BKPDFONT>(font)->name))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool BkpdCheckOther(BkpdChecker& c) {
  const BKPDHEADER& h = c.header();
  if (!c.CheckWide(h.uiResDllName) || !c.CheckWide(h.excDepDllName)) {
    return false;
  }
  for (DWORD group : h.commandGroups) {
    if (!CheckCommandGroup(c, group, 0)) {
      return false;
    }
  }
  return CheckFonts(c, h.deviceFontTable, h.deviceFontCount) && CheckFonts(c, h.optionFontTable, h.optionFontCount);
}
