// DIALOG and DIALOGEX statements: parsed into a dialog and written in the
// documented binary layout (the classic template for DIALOG, the extended
// one for DIALOGEX). See script.h for the syntax.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "tools/kesmrc/lexer.h"
#include "tools/kesmrc/script.h"

namespace kesmrc {

inline constexpr std::uint32_t kDialogType = 5;

// Parses a dialog whose id has been read; `token` is the DIALOG or DIALOGEX
// word on entry and the token after the dialog's END on success. The
// resource gets type 5 and the id.
bool ParseDialog(std::uint32_t id, Lexer& lexer, Token& token, DataResource& out, ScriptError& error);

// The value of a style name written in capitals, or nothing.
std::optional<std::uint32_t> StyleValue(std::string_view upperName);

}  // namespace kesmrc
