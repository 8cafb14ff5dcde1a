// The M9 encoding done step by step, a byte at a time, exactly as the
// format's encoding rules read: the oracle that the fast encoder must match
// byte for byte (any valid encoding decodes, but only this one is M9's).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kesm_test {

std::vector<std::uint8_t> M9ReferenceEncode(std::span<const std::uint8_t> input);

}  // namespace kesm_test
