// The machine's short (8.3) names. The drive keeps none; each is made from
// the long name and its folder whenever it is asked for, so one name has
// the same short name as long as its folder holds the same names.
// Internal to platform/.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plat {

// The short name of a file or folder. A name that already is one (at most
// eight characters, at most one dot and three after it, no blank, only the
// characters short names allow) is its own. Any other is made from its
// upper-cased characters without blanks and dots, those a short name
// forbids becoming '_': the first six (fewer when the number needs room)
// of the part before the last dot, '~' and a number, then the first three
// of the part after the last dot. The number is the name's place, from 1,
// among the names of its folder (siblings, which include it) that are not
// short names themselves and get the same six-character stem and
// extension, ordered ignoring case.
std::u16string ShortName(std::u16string_view name, std::span<const std::u16string> siblings);
bool IsShortName(std::u16string_view name);
// The entry of the host folder dir whose made short name equals wide
// (ignoring case); nothing for a name without '~' or when none has it.
std::optional<std::filesystem::path> FindByShortName(const std::filesystem::path& dir, std::u16string_view wide);

}  // namespace plat
