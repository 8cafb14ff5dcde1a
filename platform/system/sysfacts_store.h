// Facts of the simulated machine that tests and tools set (version, user
// rights, locale, directories, environment) and other small per-machine
// records. They live in small text files (stores) in the machine folder, so
// every process of the machine sees the same facts, and a new machine
// starts from the defaults. Internal to platform/.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plat::facts {

// The value of a key in a store, or nothing when it is not set or no
// machine is set.
std::optional<std::string> ReadIn(std::string_view store, std::string_view key);

// Sets a key (a value) or removes it (nothing). Keys hold no tab and no
// line break, values no line break. False when no machine is set, the key
// or value is not storable, or the file cannot be written; the file is then
// unchanged.
bool WriteIn(std::string_view store, std::string_view key, std::optional<std::string_view> value);

// What keeps one of the machine's fact stores from being read, naming its
// file or lock file; empty when nothing does (or no machine is set).
std::string Diagnose();

// The store of system facts.
inline std::optional<std::string> Read(std::string_view key) { return ReadIn("facts", key); }
inline bool Write(std::string_view key, std::optional<std::string_view> value) {
  return WriteIn("facts", key, value);
}

}  // namespace plat::facts
