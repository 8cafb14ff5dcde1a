// Core of the block checker, the header check and UnpackPpdData.
#include <cstring>
#include <iterator>
#include <new>

#include "settings/bkpd/bkpd_check.h"

namespace {

constexpr LPCSTR kFaultNames[] = {
    "no fault",
    "block size",
    "misaligned offset",
    "offset out of bounds",
    "link of the wrong encoding",
    "version not terminated",
    "string not terminated",
    "malformed judge",
    "next link out of order",
    "count and array disagree",
    "group type names no layout",
    "one offset reached as two records",
    "command groups nested too deep",
    "slot names a wrong group",
    "unknown command entry",
    "record outside its section",
    "no memory for the check",
};
static_assert(std::size(kFaultNames) == kBkpdFaultCount);

bool CheckHeader(BkpdChecker& c, SIZE_T size) {
  if (size < kBkpdHeaderSize || size > kBkpdMaxSize) {
    return c.Fail(BkpdFault::kBlockSize, 0);
  }
  if (reinterpret_cast<UINT_PTR>(c.base) % kBkpdAlign != 0) {
    return c.Fail(BkpdFault::kAlignment, 0);
  }
  if (c.header().totalSize != size) {
    return c.Fail(BkpdFault::kBlockSize, 32);
  }
  for (WCHAR ch : c.header().version) {
    if (ch == 0) {
      return true;
    }
  }
  return c.Fail(BkpdFault::kVersion, 0);
}

}  // namespace

bool BkpdChecker::Fail(BkpdFault fault, DWORD at) {
  if (result.fault == BkpdFault::kNone) {
    result = {fault, at};
  }
  return false;
}

bool BkpdChecker::Fits(DWORD offset, ULONGLONG bytes) {
  if (offset % kBkpdAlign != 0) {
    return Fail(BkpdFault::kAlignment, offset);
  }
  if (offset < kBkpdHeaderSize || offset > size || size - offset < bytes) {
    return Fail(BkpdFault::kBounds, offset);
  }
  return true;
}

Claim BkpdChecker::ClaimRecord(DWORD offset, ULONGLONG bytes, Mark kind, bool shared) {
  if (!Fits(offset, bytes)) {
    return Claim::kFailed;
  }
  Mark& mark = marks[offset / kBkpdAlign];
  if (mark == Mark::kFree) {
    mark = kind;
    NoteExtent(offset, bytes, kind);
    return Claim::kNew;
  }
  if (mark == kind && shared) {
    return Claim::kSeen;
  }
  Fail(BkpdFault::kKindClash, offset);
  return Claim::kFailed;
}

void BkpdChecker::NoteExtent(DWORD offset, ULONGLONG bytes, Mark kind) {
  switch (kind) {
    case Mark::kJudge:
    case Mark::kJudgeBody:
    case Mark::kItem:
    case Mark::kAction:
    case Mark::kTransact:
    case Mark::kAlertAction:
    case Mark::kAlert:
    case Mark::kExclusive:
      if (offset + bytes > exclusiveEnd) {
        exclusiveEnd = offset + bytes;
        exclusiveEndAt = offset;
      }
      return;
    default:
      otherStart = offset < otherStart ? offset : otherStart;
      return;
  }
}

bool BkpdChecker::CheckSections() {
  if (exclusiveEnd > otherStart) {
    return Fail(BkpdFault::kSection, exclusiveEndAt);
  }
  return true;
}

bool BkpdChecker::CheckAnsi(DWORD offset) {
  if (offset == 0) {
    return true;
  }
  const Claim claim = ClaimRecord(offset, 1, Mark::kAnsi, true);
  if (claim != Claim::kNew) {
    return claim == Claim::kSeen;
  }
  if (std::memchr(base + offset, 0, size - offset) == nullptr) {
    return Fail(BkpdFault::kString, offset);
  }
  return true;
}

bool BkpdChecker::CheckWide(DWORD offset) {
  if (offset == 0) {
    return true;
  }
  const Claim claim = ClaimRecord(offset, sizeof(WCHAR), Mark::kWide, true);
  if (claim != Claim::kNew) {
    return claim == Claim::kSeen;
  }
  const DWORD units = (size - offset) / sizeof(WCHAR);
  const auto* text = At<WCHAR>(offset);
  for (DWORD i = 0; i < units; ++i) {
    if (text[i] == 0) {
      return true;
    }
  }
  return Fail(BkpdFault::kString, offset);
}

bool BkpdChecker::CheckJudge(DWORD tagged) {
  if (tagged == 0) {
    return true;
  }
  if (!BkpdIsTagged(tagged)) {
    return Fail(BkpdFault::kLink, 0);
  }
  const DWORD offset = BkpdUntag(tagged);
  const Claim claim = ClaimRecord(offset, sizeof(JudgeToken), Mark::kJudge, true);
  if (claim != Claim::kNew) {
    return claim == Claim::kSeen;
  }
  const DWORD available = (size - offset) / sizeof(JudgeToken);
  const DWORD count = BkpdJudgeTokenCount(At<JudgeToken>(offset), available);
  if (count == 0) {
    return Fail(BkpdFault::kJudge, offset);
  }
  // The whole token run belongs to this judge: a link into its middle (a
  // judge that starts at an operator, or another record) clashes, and no
  // token is ever counted twice.
  for (DWORD i = 1; i < count; ++i) {
    Mark& mark = marks[offset / kBkpdAlign + i];
    if (mark != Mark::kFree) {
      return Fail(BkpdFault::kKindClash, offset + i * static_cast<DWORD>(sizeof(JudgeToken)));
    }
    mark = Mark::kJudgeBody;
  }
  NoteExtent(offset, static_cast<ULONGLONG>(count) * sizeof(JudgeToken), Mark::kJudge);
  return true;
}

bool BkpdChecker::CheckArray(DWORD offset, DWORD count, ULONGLONG entryBytes) {
  if ((count == 0) != (offset == 0)) {
    return Fail(BkpdFault::kCount, offset);
  }
  // An array belongs to one record: a second claim fails, which also keeps
  // the checking time linear in the block size.
  return count == 0 || ClaimRecord(offset, count * entryBytes, Mark::kArray, false) == Claim::kNew;
}

LPCSTR BkpdFaultName(BkpdFault fault) {
  const auto i = static_cast<SIZE_T>(fault);
  return i < kBkpdFaultCount ? kFaultNames[i] : "unknown fault";
}

BOOL BKPDCheck(LPCVOID block, SIZE_T size, BkpdCheckResult* result) {
  BkpdChecker c{static_cast<const BYTE*>(block), static_cast<DWORD>(size), {}};
  bool sound = block != nullptr && CheckHeader(c, size);
  if (block == nullptr) {
    c.Fail(BkpdFault::kBlockSize, 0);
  }
  if (sound) {
    try {
      c.marks.assign(size / kBkpdAlign + 1, Mark::kFree);
    } catch (const std::bad_alloc&) {
      sound = c.Fail(BkpdFault::kMemory, 0);
    }
  }
  // Exclusive records first: the UI groups link to them.
  sound = sound && BkpdCheckExclusive(c) && BkpdCheckUiGroups(c) && BkpdCheckOther(c) && c.CheckSections();
  if (result != nullptr) {
    *result = c.result;
  }
  return sound ? TRUE : FALSE;
}

PCBKPD UnpackPpdData(LPCVOID block, SIZE_T size) {
  return BKPDCheck(block, size, nullptr) ? static_cast<PCBKPD>(block) : nullptr;
}
