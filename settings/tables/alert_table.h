// Alert records: one per constraint message of the printer description.
#pragma once

#include "platform/base/wintypes.h"

struct AP {
  WORD alertId;      // group keyword id of the alert
  WORD messageId;    // message string id in the resource DLL
  DWORD titleId;     // caption string id, 0 for none
  LPCSTR keyword;    // "KPD_...Message"
  DWORD reserved;
};

// Counted head of the alert records.
struct APL {
  SHORT count;
  const AP* pAP;  // shared by every context, never written
};

inline constexpr int kAlertCount = 42;
inline constexpr WORD kAlertFirstId = 313;
inline constexpr WORD kAlertLastId = 354;

extern const AP fgAP[kAlertCount];
extern const APL fgAPL;
