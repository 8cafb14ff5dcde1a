#include "bench/kpd_generator.h"

#include <map>
#include <vector>

#include "settings/tables/keyword_tables.h"

namespace kesm_bench {
namespace {

// The value keywords of each group keyword that names a setting, in table
// order.
std::map<WORD, std::vector<const SP*>> ValuesByGroup() {
  std::map<WORD, std::vector<const SP*>> values;
  for (int i = 0; i < fgSPL.count; ++i) {
    const SP& sp = fgSPL.pSP[i];
    if (sp.funcId != 0 && sp.keyword != nullptr) values[sp.groupId].push_back(&sp);
  }
  return values;
}

void AppendGroup(std::string& out, const GK& gk, const std::vector<const SP*>& values) {
  const std::string group = gk.keyword;
  out += "*OpenUI *" + group + ": PickOne\n";
  out += "*Default" + group + ": " + values.front()->keyword + "\n";
  out += "*OptionCommand: { \"@PJL SET " + group + "=\" \"<0D0A>\" }\n";
  for (const SP* sp : values) {
    out += "*" + group + " " + sp->keyword + ": \"@PJL SET " + group + "=" + sp->keyword + "<0D0A>\"\n";
  }
  out += "*CloseUI: *" + group + "\n\n";
}

}  // namespace

std::string GenerateLargeDescription(std::size_t targetBytes) {
  std::string out =
      "*% A generated description of a fictional model for the compiler benchmarks.\n"
      "*FileVersion: 4.88\n*UIResDLLName: \"kesmbench.dll\"\n\n";
  const auto values = ValuesByGroup();
  for (int i = 0; i < fgGKL.count && out.size() < targetBytes; ++i) {
    const GK& gk = fgGKL.pGK[i];
    const auto found = values.find(gk.groupId);
    if (gk.funcId == 0 || found == values.end()) continue;
    AppendGroup(out, gk, found->second);
  }
  for (int n = 1; out.size() < targetBytes; ++n) {
    out += "*CommandString " + std::to_string(n) + ": \"@PJL COMMENT %\"generated command string " +
           std::to_string(n) + " of the benchmark description%\"<0D0A>\"\n";
  }
  return out;
}

}  // namespace kesm_bench
