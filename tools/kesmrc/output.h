// What kesmrc writes: the resource table bytes (platform/modules/resformat.h), the
// C++ source that holds them, and the dependency list for the build.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kesmrc/script.h"

namespace kesmrc {

// The table of the script's resources; nothing when it would exceed the
// 32-bit offsets of the layout.
std::optional<std::vector<std::byte>> BuildTable(const Script& script);

// C++ source defining the exported table symbol in its own section; with a
// symbol name, a hidden array of that name (a built-in module's table).
std::string TableSource(const std::vector<std::byte>& table, const std::string& scriptName,
                        const std::string& symbol = "");
// Whether text is a C identifier (a name --symbol accepts).
bool IsIdentifier(std::string_view text);

// A make-style dependency line: target, then the script and its data files.
std::string DependencyLine(const std::filesystem::path& target, const std::filesystem::path& script,
                           const std::vector<std::filesystem::path>& inputs);

}  // namespace kesmrc
