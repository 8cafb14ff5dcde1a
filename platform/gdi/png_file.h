// Pictures written as PNG files with libpng, for people to look at.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/base/wintypes.h"

namespace plat::gdi {

// Writes a top-down image of 0x00RRGGBB pixels as an 8-bit RGB PNG file.
// The file is written beside its place and renamed into it, so that a
// reader never sees half of it; false when it cannot be written.
bool WritePng(const std::filesystem::path& file, const std::vector<std::uint32_t>& pixels, SIZE size);

}  // namespace plat::gdi
