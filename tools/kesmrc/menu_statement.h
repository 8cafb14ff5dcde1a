// The MENU statement of resource scripts and the menu template it makes:
//
//   100 MENU
//   BEGIN
//     POPUP "&File"
//     BEGIN
//       MENUITEM "&Open", 101
//       MENUITEM SEPARATOR
//       MENUITEM "E&xit", 102, GRAYED
//     END
//   END
//
// Options after an item: GRAYED, INACTIVE, CHECKED. The template is the
// standard one: a header of two zero words, then per item its flags
// (MF_POPUP, MF_END on each level's last item, the options), a command id
// for plain items, and the text with its terminating zero.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "tools/kesmrc/lexer.h"

namespace kesmrc {

// How the menu parser reads the script: the current token, the step to the
// next, and a failure (with the line) that stops the parse.
struct TokenReader {
  std::function<const Token&()> current;
  std::function<void()> advance;
  std::function<void(int line, std::string message)> fail;
  std::function<bool()> ok;
};

// Parses the menu's body from its BEGIN to its END (the END taken) into a
// template; false after a failure was reported.
bool ParseMenu(TokenReader& reader, std::vector<std::byte>& out);

}  // namespace kesmrc
