// A text file paged as it is read: the first byte picks how many bytes are
// read at a time (below 16: one more than its value; else the usual
// piece), the rest is the file. Checked: the pages made
// are as many as the first read counted, and no line is longer than a
// page is wide or lower than a page is long.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/printhost/text_pages.h"

namespace {

// In memory where the system has a memory folder.
std::string FilePath() {
  static const std::string path =
      (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path()) /
      ("kesm-fuzz-text-" + std::to_string(getpid()) + ".txt");
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  {
    std::ofstream out(FilePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  printhost::TextPages pages(data[0] < 16 ? std::size_t{data[0]} + 1 : printhost::TextPages::kPieceBytes);
  std::string error;
  if (!pages.Open(FilePath(), error)) return 0;
  std::size_t count = 0;
  while (const printhost::Page* page = pages.Next(error)) {
    ++count;
    for (const auto& command : page->commands) {
      const auto& text = std::get<printhost::Text>(command);
      if (text.text.size() > 80 || text.at.y > 720 + 60 * 240) __builtin_trap();
    }
  }
  if (!error.empty() || count != pages.PageCount() || count == 0) __builtin_trap();
  return 0;
}
