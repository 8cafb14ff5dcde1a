// Words are copied into a terminated string for the table lookups.
#include "settings/kpd/kpd_compile_lookup.h"

#include <string>

#include "settings/values/setting_lookup.h"

const GK* KpdGKbyKeyWord(std::string_view keyword) { return GetGKbyKeyWord(std::string(keyword).c_str()); }

const SP* KpdSPbyKeyWord(std::string_view keyword) { return GetSPbyKeyWord(std::string(keyword).c_str()); }
