// The prefixed form's rows: which high bytes of a UTF-16 code have a prefix
// byte, given here as runs of rows taking consecutive prefixes.
#include "render/fonts/char_codes.h"

namespace {

struct PrefixRun {
  int firstRow;
  int lastRow;
  int firstPrefix;
  USHORT mapping;
};

constexpr PrefixRun kRuns[] = {
    {0x00, 0x06, 0x81, kRowMapped}, {0x09, 0x0E, 0x88, kRowMapped}, {0x10, 0x10, 0x8E, kRowMapped},
    {0x1E, 0x27, 0x8F, kRowMapped}, {0x30, 0x33, 0x99, kRowMapped}, {0xFA, 0xFA, 0x9D, kRowLowHalf},
    {0xFF, 0xFF, 0x9E, kRowMapped},
};

constexpr std::array<USHORT, 256> Make() {
  std::array<USHORT, 256> t{};
  for (const PrefixRun& run : kRuns) {
    for (int row = run.firstRow; row <= run.lastRow; ++row) {
      t[row] = static_cast<USHORT>((run.firstPrefix + row - run.firstRow) << 8 | run.mapping);
    }
  }
  return t;
}

}  // namespace

constexpr std::array<USHORT, 256> spunicode = Make();
