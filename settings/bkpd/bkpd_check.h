// The checker behind UnpackPpdData: shared state of the section checks.
#pragma once

#include <vector>

#include "settings/bkpd/bkpd_load.h"

// What a checked offset holds; one mark per 4-byte unit of the block.
enum class Mark : BYTE {
  kFree,
  kGroup,
  kCommandPair,
  kOption,
  kPageOption,
  kSlotOption,
  kFontTblOption,
  kPageArea,
  kBoolean,
  kNumeric,
  kString,
  kAnsi,
  kWide,
  kJudge,
  kJudgeBody,  // the tokens of a judge after its first: no link may point here
  kItem,
  kAction,
  kTransact,
  kAlertAction,
  kAlert,
  kExclusive,
  kCommandGroup,
  kCommandEntry,
  kPool,
  kFont,
  kArray,
};

// Outcome of claiming an offset for a record.
enum class Claim { kNew, kSeen, kFailed };

struct BkpdChecker {
  const BYTE* base;
  DWORD size;
  std::vector<Mark> marks;
  BkpdCheckResult result{BkpdFault::kNone, 0};
  // The exclusive section comes first: every record of it must end before
  // the first record of the UI-group and other sections begins.
  ULONGLONG exclusiveEnd = kBkpdHeaderSize;  // end of the furthest constraint record
  DWORD exclusiveEndAt = 0;                  // and where that record starts
  DWORD otherStart = 0xFFFFFFFFu;            // start of the first other record

  const BKPDHEADER& header() const { return *reinterpret_cast<const BKPDHEADER*>(base); }

  bool Fail(BkpdFault fault, DWORD at);
  // Whether `bytes` from `offset` lie after the header inside the block,
  // at a 4-aligned offset.
  bool Fits(DWORD offset, ULONGLONG bytes);
  // Marks the record of `bytes` at `offset` as `kind`. kSeen when it was
  // already checked as that kind and shared use is allowed.
  Claim ClaimRecord(DWORD offset, ULONGLONG bytes, Mark kind, bool shared);

  template <class T>
  const T* At(DWORD offset) const {
    return reinterpret_cast<const T*>(base + offset);
  }

  // Notes the extent of a checked record for the section check.
  void NoteExtent(DWORD offset, ULONGLONG bytes, Mark kind);
  // Whether every constraint record lies before every other record.
  bool CheckSections();

  bool CheckAnsi(DWORD offset);  // 0 allowed
  bool CheckWide(DWORD offset);  // 0 allowed
  bool CheckJudge(DWORD tagged);  // 0 allowed
  // A DWORD array of `count` entries at `offset`; count 0 goes with offset 0.
  bool CheckArray(DWORD offset, DWORD count, ULONGLONG entryBytes);
};

bool BkpdCheckExclusive(BkpdChecker& c);
bool BkpdCheckUiGroups(BkpdChecker& c);
bool BkpdCheckOther(BkpdChecker& c);
