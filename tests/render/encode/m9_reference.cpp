#include "tests/render/encode/m9_reference.h"

#include <cstddef>

namespace kesm_test {

namespace {

void PutExtension(std::vector<std::uint8_t>& out, std::size_t rest) {
  for (; rest >= 255; rest -= 255) out.push_back(255);
  out.push_back(static_cast<std::uint8_t>(rest));
}

}  // namespace

std::vector<std::uint8_t> M9ReferenceEncode(std::span<const std::uint8_t> in) {
  std::vector<std::uint8_t> out;
  const std::size_t n = in.size();
  std::size_t i = 0;
  for (;;) {
    // 1. The zero skip; trailing zero bytes produce nothing.
    std::size_t skip = 0;
    while (i < n && in[i] == 0) ++i, ++skip;
    if (i == n) break;
    // 2. How many of the following bytes equal b.
    const std::uint8_t b = in[i];
    std::size_t following = 0;
    while (i + 1 + following < n && in[i + 1 + following] == b) ++following;
    // 3. A run of three or more is a repeat over the whole run.
    const bool repeat = following >= 2;
    std::size_t length = following + 1;
    if (!repeat) {
      // 4. A literal from b over non-zero bytes, checked byte by byte.
      std::size_t j = i + 1;
      for (; j < n; ++j) {
        if (in[j] == 0) break;
        if (j + 3 < n && in[j + 1] == in[j] && in[j + 2] == in[j] && (in[j + 3] == in[j] || in[j + 3] == 0)) break;
      }
      length = j - i;
    }
    // 5. Command byte, skip extension, count extension, data.
    const std::size_t count = repeat ? length - 2 : length - 1;
    out.push_back(static_cast<std::uint8_t>((repeat ? 0x80 : 0) | (skip < 15 ? skip : 15) << 3 | (count < 7 ? count : 7)));
    if (skip >= 15) PutExtension(out, skip - 15);
    if (count >= 7) PutExtension(out, count - 7);
    if (repeat) {
      out.push_back(b);
    } else {
      out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(i), in.begin() + static_cast<std::ptrdiff_t>(i + length));
    }
    // 6. On after the bytes covered.
    i += length;
  }
  return out;
}

}  // namespace kesm_test
