// The keyword table and the dispatch of one entry. Option and default lines
// of the open group are recognised first (their keyword is the group's own);
// every other keyword goes through the table.
#include <algorithm>
#include <array>
#include <iterator>

#include "settings/kpd/kpd_compile_internal.h"

namespace {

struct KeywordRow {
  std::string_view keyword;
  KpdHandler handler;
};

// Sorted by keyword for the binary search.
constexpr std::array<KeywordRow, 23> keywordTable = {{
    {"Action", ActionUiProc},
    {"Alert", AlertUiProc},
    {"AlertAction", AlertActionUiProc},
    {"CloseUI", CloseUiProc},
    {"CommandGroup", CommandGroupProc},
    {"CommandString", CommandStringProc},
    {"DeviceFonts", DeviceFontProc},
    {"ExcDepDLLName", ExcDepDLLNameProc},
    {"Exclusive", ExclusiveUiProc},
    {"FileVersion", VersionProc},
    {"FontCartridge", OptionFontProc},
    {"Item", ItemUiProc},
    {"Judge", JudgeUiProc},
    {"NumericValue", OptionNumericProc},
    {"OpenUI", OpenUiProc},
    {"OptionCommand", OptionCommandProc},
    {"PageMMValue", OptionPageMMProc},
    {"PageValue", OptionPageProc},
    {"SlotPaper", OptionSlotProc},
    {"StringValue", OptionStringProc},
    {"TTFS", FontConvTblProc},
    {"Transact", TransactUiProc},
    {"UIResDLLName", UIResDLLNameProc},
}};

constexpr bool IsSorted() {
  for (size_t i = 1; i < keywordTable.size(); ++i) {
    if (!(keywordTable[i - 1].keyword < keywordTable[i].keyword)) {
      return false;
    }
  }
  return true;
}
static_assert(IsSorted(), "keywordTable must stay sorted and free of repeats");

constexpr std::string_view kDefaultPrefix = "Default";

}  // namespace

KpdHandler KpdFindHandler(WorkBKPD* work, std::string_view keyword) {
  const DWORD cached = work->keywordCache;
  if (cached != 0 && cached <= keywordTable.size() && keywordTable[cached - 1].keyword == keyword) {
    return keywordTable[cached - 1].handler;
  }
  const auto row = std::lower_bound(keywordTable.begin(), keywordTable.end(), keyword,
                                    [](const KeywordRow& r, std::string_view k) { return r.keyword < k; });
  if (row == keywordTable.end() || row->keyword != keyword) {
    work->keywordCache = 0;
    return nullptr;
  }
  work->keywordCache = static_cast<DWORD>(std::distance(keywordTable.begin(), row) + 1);
  return row->handler;
}

namespace {

KpdFault Interpret(KpdCompiler& c) {
  WorkBKPD* work = c.work;
  const std::string_view keyword = KpdText(c.parser->keyword);
  KpdFault fault = KpdFault::kNone;
  bool tried = false;
  if (work->openGroupKeyword != nullptr) {
    const std::string_view open = work->openGroupKeyword;
    if (keyword == open) {
      fault = OptionCommonProc(c);
      tried = true;
    } else if (keyword.size() == kDefaultPrefix.size() + open.size() && keyword.starts_with(kDefaultPrefix) &&
               keyword.substr(kDefaultPrefix.size()) == open) {
      fault = OptionDefaultProc(c);
      tried = true;
    }
    if (tried && fault == KpdFault::kNone) {
      return KpdFault::kNone;
    }
  }
  const KpdHandler handler = KpdFindHandler(work, keyword);
  if (handler == nullptr) {
    return tried ? fault : KpdFault::kUnknownKeyword;
  }
  return handler(c);
}

}  // namespace

KpdFault KpdInterpret(KpdCompiler& c) {
  return KpdCatchNoMemory([&] { return Interpret(c); });
}

int WorkBKPD_InterpretEntry(WorkBKPD* work, PARSEROBJ* parser) {
  return WorkBKPD_InterpretEntryWithReport(work, parser, nullptr);
}

int WorkBKPD_InterpretEntryWithReport(WorkBKPD* work, PARSEROBJ* parser, KpdCompileReport* report) {
  if (work == nullptr || work->header == nullptr || parser == nullptr) {
    return kKpdSyntax;
  }
  KpdCompiler c{work, parser, report, 0};
  const KpdFault fault = KpdInterpret(c);
  KpdNote(c, fault);
  return fault == KpdFault::kNone ? kKpdOk : kKpdSyntax;
}
