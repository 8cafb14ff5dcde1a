// The compiler's keyword lookups go straight to the tables' indexes, which
// take a bounded view.
#include "settings/kpd/kpd_compile_lookup.h"

#include "settings/tables/keyword_index.h"

const GK* KpdGKbyKeyWord(std::string_view keyword) { return FindGroupKeyword(keyword); }

const SP* KpdSPbyKeyWord(std::string_view keyword) { return FindValueKeyword(keyword); }
