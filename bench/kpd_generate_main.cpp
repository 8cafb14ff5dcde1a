// Writes the generated benchmark description to a file, for comparing the
// per-byte cost of other description compilers on the same text:
//   kpd_generate <file> [bytes, default 300000]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/kpd_generator.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file> [bytes]\n", argv[0]);
    return 2;
  }
  const std::size_t bytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 300000;
  const std::string text = kesm_bench::GenerateLargeDescription(bytes);
  std::ofstream out(argv[1], std::ios::binary);
  out << text;
  return out ? 0 : 1;
}
