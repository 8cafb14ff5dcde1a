// Loading a compiled description: a block read from the cache file (or
// just packed) is input, and it is checked whole before anything reads it.
// Every offset, count, record size, chain, string terminator and judge
// (its whole token run) is checked, and the constraint data must lie in its
// own section, before every group, string and command record; a block that
// fails is refused and the caller compiles the text.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_access.h"

// Why a block was refused.
enum class BkpdFault : BYTE {
  kNone,
  kBlockSize,    // smaller than the header, larger than allowed, or not the header's total
  kAlignment,    // a record or string offset that is not 4-aligned
  kBounds,       // a record that does not lie inside the block after the header
  kLink,         // a link of the wrong encoding (tagged where plain is due, or the reverse)
  kVersion,      // the version is not terminated within its 16 characters
  kString,       // a string without its terminator inside the block
  kJudge,        // a judge that is not a well-formed postfix expression
  kChain,        // a next link out of the order the layout gives (so no cycle can pass)
  kCount,        // a count that disagrees with its array
  kGroupType,    // a group type word that names no layout
  kKindClash,    // one offset reached as two different records, or an array reached twice
  kDepth,        // command groups nested deeper than kBkpdMaxCommandDepth
  kSlot,         // a header slot that does not name a group of its function id
  kCommandType,  // a command entry of an unknown type
  kSection,      // a record outside its section (constraint data above a group, string or command record)
  kMemory,       // no memory for the check itself
};
inline constexpr SIZE_T kBkpdFaultCount = static_cast<SIZE_T>(BkpdFault::kMemory) + 1;

// Text of a fault, for logs and test messages.
LPCSTR BkpdFaultName(BkpdFault fault);

struct BkpdCheckResult {
  BkpdFault fault;
  DWORD offset;  // where the check failed (0 for the header)
};

// Checks a block of `size` bytes; TRUE when it is sound. The result, when
// given, receives the first fault.
BOOL BKPDCheck(LPCVOID block, SIZE_T size, BkpdCheckResult* result);

// The block as a loaded description when BKPDCheck accepts it, else null.
// The block is not changed and stays with the caller.
PCBKPD UnpackPpdData(LPCVOID block, SIZE_T size);
