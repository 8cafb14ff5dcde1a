// A seeded monkey on the W2 printer's document and printer sheets (the
// sample with the most pages and options) for thousands of steps, the
// sheet opened again whenever the monkey closes it: nothing crashes or
// hangs, no context is left open, and after each sheet's end the DEVMODE
// it handed out is one the printer's validation keeps as it stands and
// the printer data reads back. The one change validation may make is to
// a kind of finishing whose function is off: such a value does not count,
// and validation puts it back to its default. (The number edits are
// still open: see NumberEditSettings.) KESM_MONKEY_STEPS and
// KESM_MONKEY_SEED change the walk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_devmode.h"
#include "jobsettings/validate/validate_flags.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/sheet_monkey.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

std::size_t FromEnvironment(const char* name, std::size_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != 0 ? std::strtoull(text, nullptr, 10) : fallback;
}

constexpr std::size_t kStepsPerSheet = 250;

// The finishing kinds that count only while their function is on:
// {kind, function}.
struct SwitchedKind {
  WORD kind;
  WORD function;
};
constexpr SwitchedKind kSwitchedKinds[] = {
    {94, 58},    // duplex type, duplex
    {120, 62},   // punch type, punching
    {121, 63},   // staple type, stapling
    {511, 78},   // fold type, folding
    {522, 516},  // tile mask, mask pattern
};

// The settings of the number edits, which still store a typed value
// outside their range: printed, not failed, until the number kinds hold
// their ranges.
std::vector<WORD> NumberEditSettings(const UCB* ucb) {
  std::vector<WORD> ids;
  for (int t = 0; ucb->pTL != nullptr && t < ucb->pTL->count; ++t) {
    const TCB& tab = ucb->pTL->pTCB[t];
    for (int i = 0; i < tab.itemCount; ++i) {
      const SFCB* sfcb = tab.pICB[i].kind == kCtlEditNum ? GetSFCBbyGroupID(ucb, tab.pICB[i].groupId) : nullptr;
      if (sfcb != nullptr && std::find(ids.begin(), ids.end(), sfcb->funcId) == ids.end()) ids.push_back(sfcb->funcId);
    }
  }
  return ids;
}

// Puts the kept value of one setting into `devmode` (the block the
// context's DEVMODE was validated from); true when it differed.
bool TakeKept(const UCB* ucb, const DEVMODEW* kept, WORD funcId, Bytes& devmode) {
  const SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
  const BYTE* at = sfcb != nullptr ? GetDevmodeAddressBySFCB(ucb, sfcb) : nullptr;
  if (at == nullptr) return false;
  const auto offset = static_cast<std::size_t>(at - reinterpret_cast<const BYTE*>(kept));
  const std::size_t size = SettingSizeOf(sfcb->descriptor);
  if (offset + size > devmode.size()) return false;
  const auto into = devmode.begin() + static_cast<std::ptrdiff_t>(offset);
  const bool differed = !std::equal(at, at + size, into);
  std::copy(at, at + size, into);
  return differed;
}

class SheetMonkey : public SheetMachine {
 protected:
  std::string openNumbers_;  // the open numbers validation changed

  // The DEVMODE validated into a fresh context comes back byte for byte,
  // but for the run-time flags that every call sets.
  void ExpectKeptByValidation(Bytes devmode) {
    FreeStoredUcb(TRUE);
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    ASSERT_EQ(ValidateDevmode(ucb, Dm(devmode), devmode.size(), kValidateModify), 1);
    const DEVMODEW* kept = GetDocumentDevmode(ucb);
    ASSERT_NE(kept, nullptr);
    ASSERT_EQ(std::size_t(kept->dmSize) + kept->dmDriverExtra, devmode.size());
    Bytes again(reinterpret_cast<const BYTE*>(kept), reinterpret_cast<const BYTE*>(kept) + devmode.size());
    for (const SwitchedKind& k : kSwitchedKinds) {
      if (GetDevmodeValueDirectByFuncID(ucb, k.function, nullptr) == 0) TakeKept(ucb, kept, k.kind, devmode);
    }
    for (const WORD id : NumberEditSettings(ucb)) {
      if (TakeKept(ucb, kept, id, devmode)) openNumbers_ += " " + std::to_string(id);
    }
    FreeUcb(ucb);
    for (int flag = 0; flag < kRunTimeFlagCount; ++flag) {
      SetKDMRunTimeFlagByDM(Dm(devmode), static_cast<KdmRunTimeFlag>(flag), 0);
      SetKDMRunTimeFlagByDM(Dm(again), static_cast<KdmRunTimeFlag>(flag), 0);
    }
    std::string differing;
    for (std::size_t i = 0; i < devmode.size(); ++i) {
      if (again[i] != devmode[i]) {
        differing += " " + std::to_string(i) + ":" + std::to_string(devmode[i]) + "->" + std::to_string(again[i]);
      }
    }
    EXPECT_EQ(differing, "") << "validation changes (offset:out->kept)";
  }

  // The printer data the printer sheet writes reads back, and a context
  // opens on it.
  void ExpectPrinterDataReadsBack(bool printerSheet) {
    DWORD type = 0, value = 0, needed = 0;
    if (printerSheet) {
      EXPECT_EQ(GetPrinterDataW(printer_, u"Permission", &type, reinterpret_cast<LPBYTE>(&value), sizeof value,
                                &needed),
                static_cast<DWORD>(ERROR_SUCCESS));
      EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    }
    FreeStoredUcb(TRUE);
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    FreeUcb(ucb);
  }
};

TEST_F(SheetMonkey, ThousandsOfRandomStepsOnBothSheets) {
  const std::size_t total = FromEnvironment("KESM_MONKEY_STEPS", 3000);
  kesm_test::SeededChoices choices(FromEnvironment("KESM_MONKEY_SEED", 49));
  kesm_test::MonkeyCount count;
  const DWORD open = OpenContexts();
  for (int round = 0; count.steps < total && !HasFatalFailure(); ++round) {
    SCOPED_TRACE("sheet " + std::to_string(round) + " after " + std::to_string(count.steps) + " steps");
    const bool document = choices.Below(2) == 0;
    UiScript script;
    script.budget(100000, 5000000);
    kesm_test::AddMonkey(script, choices, std::min(kStepsPerSheet, total - count.steps), count);
    if (document) {
      Bytes out = Filled(kDriverDevmode);
      const LONG answer = DocumentSheet(out, nullptr, DM_COPY);
      ASSERT_TRUE(answer == IDOK || answer == IDCANCEL) << answer;
      if (answer == IDOK) ExpectKeptByValidation(out);
    } else {
      PrinterProperties(nullptr, printer_);
    }
    ExpectPrinterDataReadsBack(!document);
    EXPECT_EQ(OpenContexts(), open);
  }
  EXPECT_GE(count.steps, total);
  RecordProperty("answers", std::to_string(count.answers));
  RecordProperty("ends", std::to_string(count.ends));
  if (!openNumbers_.empty()) std::cout << "[ monkey   ] numbers out of range, by setting:" << openNumbers_ << '\n';
}

}  // namespace
}  // namespace ui_test
