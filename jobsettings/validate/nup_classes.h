// The N-up types whose pages class the validators know: the one table that
// GetNUPPOSTKindFromNUPType reads, and that the value lists are checked
// against.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

struct NupClass {
  LONG type;   // kdmNUPType
  int pages;   // 1 one page a side and the 2-up kinds, 2, 3, 4 the 4, 9 and
               // 16 classes, 9 the posters
  LONG kind;   // the kdmNUPPOSTKind the type implies
};

inline constexpr std::size_t kNupClassCount = 18;
extern const NupClass kNupClasses[kNupClassCount];
