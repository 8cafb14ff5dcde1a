// Linear lookups in table order; the first match wins, compared
// case-sensitively.
#include "settings/kpd_compile_pending.h"

const GK* KpdPendingGKbyKeyWord(std::string_view keyword) {
  for (const GK& g : fgGK) {
    if (keyword == g.keyword) {
      return &g;
    }
  }
  return nullptr;
}

const SP* KpdPendingSPbyKeyWord(std::string_view keyword) {
  for (const SP& s : fgSP) {
    if (keyword == s.keyword) {
      return &s;
    }
  }
  return nullptr;
}
