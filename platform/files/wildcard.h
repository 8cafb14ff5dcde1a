// File-name patterns with the rules Windows applies when finding files.
// Internal to platform/.
#pragma once

#include <string_view>

namespace plat {

// Whether name matches pattern, ignoring case. "*" matches any run of
// characters and "?" any one character. The dot rules of Windows apply: a
// "*" before a dot stops at the name's last dot; a "?" at a dot or at the
// end of the name matches nothing; a dot followed by "*", "?" or the end of
// the pattern also matches the end of a name without one. So "*.*" and "*"
// match every name, "*." the names without an extension, and "a.*" the name
// "a" as well as "a.txt".
bool MatchesPattern(std::u16string_view pattern, std::u16string_view name);

}  // namespace plat
