// Windows command lines: splitting into arguments as the C runtime does,
// and the program names CreateProcessW tries when no application name is
// given. Internal to platform/.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Arguments of a command line. The first (the program) ends at the first
// blank outside quotes, and quotes in it only group; in the others, 2n
// backslashes before a quote give n backslashes and the quote groups, 2n+1
// give n backslashes and a literal quote, and "" inside quotes is a literal
// quote. Other backslashes are literal.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

// Program names to try for a command line, in order: the quoted first
// token alone; otherwise each prefix that ends before a blank, the longest
// last (so "C:\Program Files\a b" tries "C:\Program", "C:\Program Files\a"
// and the whole). Empty for an empty line.
std::vector<std::u16string> ProgramCandidates(std::u16string_view line);

}  // namespace plat
