// Helpers of the compiler tests: compiling a fixture, packing and loading
// the result, and reading groups back through the accessors.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/kpd/kpd_compile.h"
#include "settings/tables/keyword_tables.h"

namespace kpdtest {

inline std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(KESM_TEST_DATA) + "/kpd/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline WorkBKPD* CompileText(const std::string& text, KpdCompileReport* report) {
  return WorkBKPD_CreateFromText(reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()),
                                 report);
}

// The faults a compile noted, in order.
inline std::vector<KpdFault> Faults(const KpdCompileReport& r) {
  std::vector<KpdFault> out;
  for (DWORD i = 0; i < r.faultCount && i < kKpdReportedFaults; ++i) out.push_back(r.faults[i].fault);
  return out;
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

// Puts text into a parser buffer as the reader would leave it.
inline void Put(BUFOBJ& b, std::string_view text) {
  BUFOBJ_Reset(&b);
  for (const char ch : text) {
    ASSERT_EQ(BUFOBJ_AddCharGrow(&b, static_cast<BYTE>(ch)), kKpdOk);
  }
}

// A work description fed entry by entry, bypassing the reader, so that a
// value may hold what no reader would hand over (an unmatched bracket, a
// cut-off text). The work and every block it holds go with the feed.
class EntryFeed {
 public:
  EntryFeed() : work_(WorkBKPD_Entry()), parser_(PARSEROBJ_Create()) {}
  EntryFeed(const EntryFeed&) = delete;
  EntryFeed& operator=(const EntryFeed&) = delete;
  ~EntryFeed() {
    PARSEROBJ_Free(parser_);
    WorkBKPD_Free(work_);
  }

  // The fault of the entry; kNone when a handler took it.
  KpdFault Feed(std::string_view keyword, std::string_view option1, std::string_view value,
                std::string_view option2 = "") {
    Put(parser_->keyword, keyword);
    Put(parser_->option1, option1);
    Put(parser_->option2, option2);
    Put(parser_->value, value);
    KpdCompileReport report{};
    WorkBKPD_InterpretEntryWithReport(work_, parser_, &report);
    return report.faultCount == 0 ? KpdFault::kNone : report.faults[report.faultCount - 1].fault;
  }

  WorkBKPD* work() const { return work_; }
  // Hands the work over (to pack it); the feed keeps nothing.
  WorkBKPD* Release() {
    WorkBKPD* w = work_;
    work_ = nullptr;
    return w;
  }

 private:
  WorkBKPD* work_;
  PARSEROBJ* parser_;
};

// Value index of a value keyword and group id of a group keyword.
inline WORD V(std::string_view keyword) {
  for (const SP& s : fgSP) {
    if (keyword == s.keyword) return s.valueIndex;
  }
  ADD_FAILURE() << keyword;
  return 0;
}
inline WORD G(std::string_view keyword) {
  for (const GK& g : fgGK) {
    if (keyword == g.keyword) return g.groupId;
  }
  ADD_FAILURE() << keyword;
  return 0;
}

// Text with "{v:KEYWORD}" replaced by the value index of a value keyword
// and "{g:KEYWORD}" by the group id of a group keyword.
inline std::string Fill(std::string text) {
  for (size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1)) {
    if (at + 3 > text.size() || text[at + 2] != ':' || (text[at + 1] != 'v' && text[at + 1] != 'g')) continue;
    const size_t end = text.find('}', at);
    const std::string keyword = text.substr(at + 3, end - at - 3);
    text.replace(at, end - at + 1, std::to_string(text[at + 1] == 'v' ? V(keyword) : G(keyword)));
  }
  return text;
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
