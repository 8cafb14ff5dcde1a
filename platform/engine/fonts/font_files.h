// Where the engine's TrueType fonts come from: the DejaVu faces installed on
// the host, found in a fixed folder first and then through fontconfig.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plat::eng {

// The font file of a face name ("DejaVu Sans", "DejaVu Sans Mono",
// "DejaVu Serif", compared without regard to case), regular or bold; empty
// for any other name or when the file is not installed.
std::optional<std::filesystem::path> FindFontFile(std::u16string_view faceName, bool bold);

// The folder searched before fontconfig is asked.
inline constexpr const char* kFixedFontFolder = "/usr/share/fonts/truetype/dejavu";

}  // namespace plat::eng
