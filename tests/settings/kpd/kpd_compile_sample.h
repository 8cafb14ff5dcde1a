// Helpers of the compiler tests: compiling a fixture, packing and loading
// the result, and reading groups back through the accessors.
#pragma once

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/kpd/kpd_compile.h"

namespace kpdtest {

inline std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(KESM_TEST_DATA) + "/kpd/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline WorkBKPD* CompileText(const std::string& text, KpdCompileReport* report) {
  return WorkBKPD_CreateFromText(reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()),
                                 report);
}

// A packed description the test owns; empty when packing failed.
struct Packed {
  std::vector<BYTE> bytes;
  PCBKPD Load() const { return bytes.empty() ? nullptr : UnpackPpdData(bytes.data(), bytes.size()); }
};

// Packs the work description and frees it.
inline Packed PackAndFree(WorkBKPD* work) {
  Packed p;
  DWORD size = 0;
  if (work != nullptr && BKPDGetWriteSize(work, &size)) {
    p.bytes.resize(size);
    if (!PackPpdData(p.bytes.data(), size, work)) {
      p.bytes.clear();
    }
  }
  WorkBKPD_Free(work);
  return p;
}

inline const UiGroup* FindGroup(PCBKPD b, WORD groupId, WORD subGroupId) {
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    if (g->groupId == groupId && g->subGroupId == subGroupId) {
      return g;
    }
  }
  return nullptr;
}

inline std::string Text(LPCSTR s) { return s == nullptr ? "-" : s; }

// Each option as "value:command".
inline std::vector<std::string> Options(PCBKPD b, const UiGroup* g) {
  std::vector<std::string> out;
  for (const UiOption* o = BkpdFirstOption(b, g); o != nullptr; o = BkpdNext(b, o)) {
    out.push_back(std::to_string(o->value) + ":" + Text(BkpdAnsi(b, o->command)));
  }
  return out;
}

inline const UiOption* FindOption(PCBKPD b, const UiGroup* g, WORD value) {
  for (const UiOption* o = BkpdFirstOption(b, g); o != nullptr; o = BkpdNext(b, o)) {
    if (o->value == value) {
      return o;
    }
  }
  return nullptr;
}

inline std::wstring Wide(LPCWSTR s) {
  std::wstring out;
  for (; s != nullptr && *s != 0; ++s) {
    out.push_back(static_cast<wchar_t>(*s));
  }
  return out;
}

}  // namespace kpdtest
