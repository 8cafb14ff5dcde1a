// The compiler's keyword lookups: the static GK and SP tables searched with
// a word of a value text, which is a bounded view rather than a
// NUL-terminated string.
#pragma once

#include <string_view>

#include "settings/tables/keyword_tables.h"

// The first record with exactly that keyword, or null.
const GK* KpdGKbyKeyWord(std::string_view keyword);
const SP* KpdSPbyKeyWord(std::string_view keyword);
