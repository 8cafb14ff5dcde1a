// A text file paged as it is read: the first byte picks how many bytes are
// read at a time (1 to 256), the rest is the file. Checked: the pages made
// are as many as the first read counted, and no line is longer than a
// page is wide or lower than a page is long.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/printhost/text_pages.h"

namespace {

std::string FilePath() {
  static const std::string path = "/tmp/kesm-fuzz-text-" + std::to_string(getpid()) + ".txt";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  {
    std::ofstream out(FilePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  printhost::TextPages pages(std::size_t{data[0]} + 1);
  std::string error;
  if (!pages.Open(FilePath(), error)) return 0;
  std::size_t count = 0;
  printhost::Page page;
  while (pages.Next(page, error)) {
    ++count;
    for (const auto& command : page.commands) {
      const auto& text = std::get<printhost::Text>(command);
      if (text.text.size() > 80 || text.at.y > 720 + 60 * 240) __builtin_trap();
    }
  }
  if (!error.empty() || count != pages.PageCount() || count == 0) __builtin_trap();
  return 0;
}
