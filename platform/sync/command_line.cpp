// Command-line splitting with the C runtime's rules.
#include "platform/sync/command_line.h"

namespace plat {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

void SkipBlanks(std::u16string_view line, std::size_t& i) {
  while (i < line.size() && IsBlank(line[i])) ++i;
}

std::u16string ProgramArgument(std::u16string_view line, std::size_t& i) {
  std::u16string arg;
  bool quoted = false;
  for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
    if (line[i] == u'"') {
      quoted = !quoted;
    } else {
      arg += line[i];
    }
  }
  return arg;
}

std::u16string NextArgument(std::u16string_view line, std::size_t& i) {
  std::u16string arg;
  bool quoted = false;
  while (i < line.size() && (quoted || !IsBlank(line[i]))) {
    std::size_t slashes = 0;
    while (i < line.size() && line[i] == u'\\') {
      ++slashes;
      ++i;
    }
    if (i < line.size() && line[i] == u'"') {
      arg.append(slashes / 2, u'\\');
      if (slashes % 2 == 1) {
        arg += u'"';
      } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
        arg += u'"';
        ++i;
      } else {
        quoted = !quoted;
      }
      ++i;
    } else {
      arg.append(slashes, u'\\');
      if (slashes == 0 && i < line.size()) arg += line[i++];
    }
  }
  return arg;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> args;
  std::size_t i = 0;
  SkipBlanks(line, i);
  if (i == line.size()) return args;
  args.push_back(ProgramArgument(line, i));
  for (SkipBlanks(line, i); i < line.size(); SkipBlanks(line, i)) {
    args.push_back(NextArgument(line, i));
  }
  return args;
}

std::vector<std::u16string> ProgramCandidates(std::u16string_view line) {
  std::size_t i = 0;
  SkipBlanks(line, i);
  line.remove_prefix(i);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  if (line.empty()) return {};
  if (line[0] == u'"') {
    std::size_t end = line.find(u'"', 1);
    return {std::u16string(line.substr(1, end == std::u16string_view::npos ? end : end - 1))};
  }
  std::vector<std::u16string> candidates;
  for (std::size_t k = 0; k <= line.size(); ++k) {
    if (k == line.size() || (IsBlank(line[k]) && k > 0 && !IsBlank(line[k - 1]))) {
      candidates.emplace_back(line.substr(0, k));
    }
  }
  return candidates;
}

}  // namespace plat
