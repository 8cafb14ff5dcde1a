// Lookups of the static keyword tables by keyword. Each table gets a hash
// index built once, at the first lookup; a keyword found answers with the
// first record of the table that carries it, as a scan in table order
// would (the value-keyword table names some keywords more than once).
#pragma once

#include <string_view>

#include "settings/tables/keyword_tables.h"

// The first group-keyword record with exactly that keyword, or null.
const GK* FindGroupKeyword(std::string_view keyword);
// The first value-keyword record with exactly that keyword, or null.
const SP* FindValueKeyword(std::string_view keyword);
