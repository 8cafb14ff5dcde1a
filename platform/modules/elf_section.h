// Sections of an ELF shared object read as plain bytes (a module file mapped
// as data, not loaded). Private to the module services.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace plat::res {

// The file bytes of the named section of a 64-bit little-endian ELF image, or
// nothing when the image is not one, has no such section (or only an empty
// one), or any header points outside it.
std::optional<std::span<const std::byte>> FindElfSection(std::span<const std::byte> image,
                                                         std::string_view name);

}  // namespace plat::res
