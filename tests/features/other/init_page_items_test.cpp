// The initial-settings page's other items: the job-code library's utility
// shown on its button, the warning that a new print area moves the pages'
// printing, and the tray line that the model without room for it puts in
// the place of the last.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "platform/window/winuser_controls.h"
#include "tests/features/other/other_sheet.h"
#include "tests/jobcodelib/install_library.h"

namespace other_test {
namespace {

constexpr int kJobCodeButton = 2570;
constexpr int kPrintAreaChoice = 2152;
constexpr int kMovedTrayLine = 2411;
constexpr int kLastTrayLine = 2540;
constexpr WORD kFuncExtPrintArea = 173;
constexpr const char16_t* kPrintAreaWarning = u"A new print area changes where the pages are printed.";

class InitPageItems : public OtherSheet {
 protected:
  const char* Description() const override { return "kesm_w2_other2.kpd"; }
  void TearDown() override {
    if (codes_ != nullptr) {
      EXPECT_EQ(codes_->interfacesOut, 0) << "an interface was not given back";
    }
    if (jobCodes_ != nullptr) FreeLibrary(jobCodes_);
    OtherSheet::TearDown();
  }
  // The stand-in job-code library in the system folder, the printer
  // registered with it.
  void InstallJobCodes() {
    codes_ = jobcodelib::LoadStandIn(&jobCodes_);
    ASSERT_NE(codes_, nullptr);
    codes_->printers[kPrinter].values = {{1, jobcodelib::Text(u"4711")}};
  }
  static UCB* SheetContext() { return ContextOfPage(WindowRef::Page(Sheet()).Resolve()); }
  static LONG_PTR PrintArea() { return GetDevmodeValueDirectByFuncID(SheetContext(), kFuncExtPrintArea, nullptr); }
  // No box stands over the sheet: a check runs in the sheet's own loop.
  static void NoBox(UiScript& script, const std::string& when) {
    script.check("no box " + when, [] { EXPECT_EQ(GetActiveWindow(), Sheet().Resolve()); });
  }
  // Where an item of the page lies in the page.
  static RECT PlaceOf(int id) {
    HWND page = WindowRef::Page(Sheet()).Resolve();
    RECT place{};
    GetWindowRect(GetDlgItem(page, id), &place);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
    return place;
  }

  HMODULE jobCodes_ = nullptr;
  jobcodelib::State* codes_ = nullptr;
};

// The button shows the library's utility for the printer, in the user's
// language, on an interface opened for it and given back at once.
TEST_F(InitPageItems, TheJobCodeButtonShowsTheLibrarysUtility) {
  ASSERT_NO_FATAL_FAILURE(InstallJobCodes());
  UiScript script;
  script.tab(Sheet(), kInitTab).check("before the button", [this] { codes_->calls.clear(); });
  script.click(PageItem(kJobCodeButton)).check("the utility shown", [this] {
    const std::vector<jobcodelib::Call> launches = codes_->CallsOf("launch");
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].argument, 1u);
    const std::vector<jobcodelib::Call> opens = codes_->CallsOf("open");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(Narrow(opens[0].printer), Narrow(kPrinter));
    const std::vector<jobcodelib::Call> closes = codes_->CallsOf("close");
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].handle, launches[0].handle);
    EXPECT_EQ(codes_->interfacesOut, 0);
    EXPECT_TRUE(codes_->open.empty());
  });
  script.press(Sheet(), IDCANCEL);
  RunDocumentSheet();
  EXPECT_TRUE(script.done());
}

// The print areas are named; one other than the one set is warned of,
// and taken; picking the one set says nothing.
TEST_F(InitPageItems, ANewPrintAreaIsWarnedOfAndTaken) {
  UiScript script;
  script.tab(Sheet(), kInitTab).check("the standard area", [] {
    EXPECT_EQ(PrintArea(), 0);
    HWND choice = PageItem(kPrintAreaChoice).Resolve();
    ASSERT_EQ(SendMessageW(choice, CB_GETCOUNT, 0, 0), 2);
    std::array<WCHAR, 64> text{};
    for (const auto& [index, name] : {std::pair{0, "Standard"}, std::pair{1, "Wide"}}) {
      SendMessageW(choice, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
      EXPECT_EQ(Narrow(text.data()), name);
    }
  });
  script.pick(PageItem(kPrintAreaChoice), 1).answerBox(kPrintAreaWarning, IDOK);
  script.check("the other area", [] { EXPECT_EQ(PrintArea(), 1); });
  script.pick(PageItem(kPrintAreaChoice), 1);
  NoBox(script, "for the area set");
  script.pick(PageItem(kPrintAreaChoice), 0).answerBox(kPrintAreaWarning, IDOK);
  script.check("back to the standard area", [] { EXPECT_EQ(PrintArea(), 0); });
  script.press(Sheet(), IDCANCEL);
  RunDocumentSheet();
  EXPECT_TRUE(script.done());
}

// Model 140 puts the second tray line where the last one is; others
// leave it in its place.
TEST_F(InitPageItems, TheSecondTrayLineTakesTheLastsPlaceOnModel140) {
  for (const BYTE model : {BYTE{140}, BYTE{169}}) {
    SCOPED_TRACE(model);
    UiScript script;
    script.tab(Sheet(), kInitTab).check("the tray lines", [model] {
      const RECT moved = PlaceOf(kMovedTrayLine);
      const RECT last = PlaceOf(kLastTrayLine);
      const bool same = moved.left == last.left && moved.top == last.top && moved.right == last.right &&
                        moved.bottom == last.bottom;
      EXPECT_EQ(same, model == 140);
      EXPECT_LT(moved.left, moved.right);
      EXPECT_LT(moved.top, moved.bottom);
    });
    script.press(Sheet(), IDCANCEL);
    Bytes out = Filled(kDriverDevmode);
    ui_test::SheetHooks hooks;
    hooks.afterInit = [model](UCB* ucb) { ucb->pDP->bMachineID = model; };
    LONG result = -1;
    EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, hooks, &result), CPSUI_OK);
    EXPECT_TRUE(script.done());
  }
}

}  // namespace
}  // namespace other_test
