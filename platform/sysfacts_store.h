// Facts of the simulated machine that tests and tools set (version, user
// rights, locale, directories, environment). They live in one small text
// file in the machine folder, so every process of the machine sees the same
// facts, and a new machine starts from the defaults. Internal to platform/.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plat::facts {

// The value of a fact, or nothing when it is not set or no machine is set.
std::optional<std::string> Read(std::string_view key);

// Sets a fact (a value) or removes it (nothing). Keys hold no '=' and no
// line break, values no line break. False when no machine is set, the key
// or value is not storable, or the file cannot be written; the file is then
// unchanged.
bool Write(std::string_view key, std::optional<std::string_view> value);

// UTF-8 <-> UTF-16 for facts and host paths. Unpaired surrogates and bad
// UTF-8 sequences become U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace plat::facts
