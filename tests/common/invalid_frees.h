// Every test program fails a test after which the machine counted a free of
// something that was not a live block (plat::InvalidFrees): the sanitizers
// cannot see such a free, since the stand-in keeps its own registry of
// blocks and refuses it. A test that frees wrongly on purpose, to test that
// refusal, says how many such frees it makes.
#pragma once

#include <cstddef>

namespace kesm_test {

// The running test makes exactly `count` invalid frees on purpose.
void ExpectInvalidFrees(std::size_t count);

}  // namespace kesm_test
