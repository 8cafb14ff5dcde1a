// Host spelling of Windows paths for the module loader, the engine's module
// mapping and the user profile: drive letters map into the machine folder and
// each existing component is matched ignoring case, as on NTFS. Private to
// the stand-in.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plat::modpath {

// UTF-8 form of UTF-16 text (host file names); an unpaired surrogate becomes
// U+FFFD.
std::string ToUtf8(std::u16string_view text);

// Case folding of one UTF-16 unit (the stand-in's simple upper-casing), and
// comparison of two names with it.
char16_t FoldCase(char16_t c);
bool EqualNoCase(std::u16string_view a, std::u16string_view b);

// True for "X:\..." (either separator).
bool IsAbsolute(std::u16string_view winPath);

// Host path of an absolute Windows path. "." and ".." are resolved (".." stops
// at the drive root); every component that exists is taken in its on-disk
// spelling, the rest is appended as given. Nothing for a relative or UNC path
// or an empty component name.
std::optional<std::filesystem::path> HostPath(std::u16string_view winPath);

// HostPath of an existing regular file, or nothing.
std::optional<std::filesystem::path> ExistingFile(std::u16string_view winPath);

}  // namespace plat::modpath
