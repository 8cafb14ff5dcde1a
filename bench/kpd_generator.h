// A large printer description for the compiler benchmarks: every group
// keyword that has value keywords becomes a PickOne group with all of them
// as options, each with its command text, and numbered command strings fill
// the text up to the size asked for. The text compiles without a fault, so
// its per-byte cost compares with other description compilers'.
#pragma once

#include <cstddef>
#include <string>

namespace kesm_bench {

std::string GenerateLargeDescription(std::size_t targetBytes);

}  // namespace kesm_bench
