// Keyword lookups of the static GK and SP tables, kept here until the
// setting-lookup functions are merged; the compiler calls only these two.
#pragma once

#include <string_view>

#include "settings/keyword_tables.h"

// The first record with exactly that keyword, or null.
const GK* KpdPendingGKbyKeyWord(std::string_view keyword);
const SP* KpdPendingSPbyKeyWord(std::string_view keyword);
