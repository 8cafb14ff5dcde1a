// The job-code kinds the driver exchanges with the job-code library, each
// with its mask bit, the setting it comes from or goes to and the buffer of
// the exchange. Operations that take a kind mask walk the table in order
// and act on every kind whose bit is set.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr DWORD kJCKindUserCode = 1;
inline constexpr DWORD kJCKindOwnerName = 2;
inline constexpr DWORD kJCKindJobPassword = 3;
inline constexpr DWORD kJCKindUserId = 4;
inline constexpr DWORD kJCKindDocumentName = 5;
inline constexpr DWORD kJCKindTelNo = 6;
inline constexpr DWORD kJCKindTelLine = 7;
inline constexpr DWORD kJCKindStoredPassword = 8;
inline constexpr DWORD kJCKindProduct = 256;
inline constexpr DWORD kJCKindDriverVersion = 257;
inline constexpr DWORD kJCKindLanguage = 258;

// The masks the callers use.
inline constexpr DWORD kJCMaskDevmodeCodes = 0x9F;  // kinds 1-5 and 8
inline constexpr DWORD kJCMaskGivenCodes = 0x9E;    // the same without the user code
inline constexpr DWORD kJCMaskUserCode = 0x1;
inline constexpr DWORD kJCMaskDriverWords = 0x700;  // kinds 256-258
inline constexpr DWORD kJCMaskAllDevmodeKinds = 0xFF;  // kinds 1-8

struct JCCODE {
  DWORD dwKind;
  DWORD dwMask;
  WORD wFuncId;    // the setting; 0 for the product and language words
  WORD cbBuffer;   // bytes of the buffer passed to the library
  DWORD dwType;    // kJCTypeText or kJCTypeNumber
  BOOL fSendOnly;  // the driver sends the kind but never takes it back
};

inline constexpr int kJCCodeCount = 11;
inline constexpr int kJCMaxBufferBytes = 130;
extern const JCCODE DrvJCCodeTbl[kJCCodeCount];

// The row of a kind, null for a kind outside the table.
const JCCODE* DrvJCFindCode(DWORD kind);
// Kinds 1-8: the codes a DEVMODE carries.
inline bool IsDevmodeJobCodeKind(DWORD kind) { return kind >= kJCKindUserCode && kind <= kJCKindStoredPassword; }

// The driver's answer for a kind outside the table.
inline constexpr DWORD kJCUnknownKind = 0x20000001;

// Runs operation(kind) for each kind of the mask, in table order. The first
// non-zero status, after every kind was tried; 0 when none failed.
template <class Operation>
DWORD DrvJCForEachKind(DWORD mask, Operation operation) {
  DWORD first = 0;
  for (const JCCODE& code : DrvJCCodeTbl) {
    if ((code.dwMask & mask) == 0) continue;
    const DWORD status = operation(code.dwKind);
    if (first == 0) first = status;
  }
  return first;
}
