// Keyword tables shared by the description compiler and the constraint
// engine: group keywords (GK) name the description's groups, value keywords
// (SP) name the values of a group. Static and shared by every context.
#pragma once

#include "platform/base/wintypes.h"

// Group keyword: a setting, tab, control or alert group of the description.
struct GK {
  WORD funcId;      // setting of the group, 0 for tabs, alerts and controls without one
  WORD groupId;     // 1..kGroupKeywordCount, unique
  LPCSTR keyword;   // "KPD_..."
};

// Value keyword: one value a description may name for a group.
struct SP {
  WORD funcId;      // setting, 0 for option keywords
  WORD groupId;
  WORD valueIndex;  // option id: the value's string id where the setting has a value list
  WORD zero;
  DWORD flag;       // 1: an option the user interface offers; 0: accepted only
  LPCSTR keyword;
  DWORD value;      // the stored value
};

struct GKL {
  SHORT count;
  const GK* pGK;
};
struct SPL {
  SHORT count;
  const SP* pSP;
};

inline constexpr int kGroupKeywordCount = 1489;
inline constexpr int kValueKeywordCount = 3327;

// Group id ranges.
inline constexpr WORD kGroupAlertFirst = 313;
inline constexpr WORD kGroupAlertLast = 354;
inline constexpr WORD kGroupTabFirst = 355;
inline constexpr WORD kGroupTabLast = 417;
inline constexpr WORD kGroupItemFirst = 418;

extern const GK fgGK[kGroupKeywordCount];
extern const GKL fgGKL;
extern const SP fgSP[kValueKeywordCount];
extern const SPL fgSPL;
