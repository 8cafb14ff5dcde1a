// The hidden functions: Ctrl, Shift and a right double-click over the
// version dialog's greyed text open them when the sheet edits the
// printer's defaults, and their OK tells the sheet that the page it shows
// holds a change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/features/other/other_sheet.h"

namespace other_test {
namespace {

constexpr int kVersionButton = 3435;
constexpr int kHiddenFunctionsText = 2361;
constexpr WPARAM kGesture = MK_CONTROL | MK_SHIFT;

// The pages the sheet is told hold changes, heard in front of its own
// window procedure (the sheet shows no Apply button that would tell).
struct ChangesHeard {
  static std::vector<HWND>& pages() {
    static std::vector<HWND> heard;
    return heard;
  }
  static WNDPROC& sheetProcedure() {
    static WNDPROC kept = nullptr;
    return kept;
  }
  static LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PSM_CHANGED) pages().push_back(reinterpret_cast<HWND>(wParam));
    return CallWindowProcW(sheetProcedure(), window, message, wParam, lParam);
  }
  static void Start(HWND sheet) {
    pages().clear();
    sheetProcedure() = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChangesHeard::Listen)));
  }
};

class HiddenFunctions : public OtherSheet {
 protected:
  const char* Description() const override { return "kesm_w2_other2.kpd"; }
  static WindowRef Version() { return WindowRef::Top(u"Version information"); }
  static WindowRef Functions() { return WindowRef::Top(u"Hidden functions"); }
  // The version dialog opened from the Others page, and the gesture over
  // its greyed text.
  static void OpenFunctions(UiScript& script) {
    script.tab(Sheet(), kOthersTab).click(PageItem(kVersionButton));
    script.check("listening", [] { ChangesHeard::Start(Sheet().Resolve()); });
    const WindowRef text = WindowRef::Item(Version(), kHiddenFunctionsText);
    script.click(text, plat::window::MouseButton::kRight, kGesture)
        .click(text, plat::window::MouseButton::kRight, kGesture);
  }
  // The document sheet of the printer's defaults, or of a document.
  LONG RunSheet(DWORD fMode) {
    Bytes out = Filled(kDriverDevmode);
    LONG result = -1;
    return HookedDocumentSheet(out, fMode, {}, &result);
  }
};

// OK in the hidden functions tells the sheet that the Others page holds a
// change; Cancel tells it nothing.
TEST_F(HiddenFunctions, TheirOkTellsTheSheetOfAChange) {
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    UiScript script;
    OpenFunctions(script);
    script.check("open over the version", [] { EXPECT_NE(Functions().Resolve(), nullptr); });
    script.click(WindowRef::Item(Functions(), button)).check("after the hidden functions", [button] {
      EXPECT_EQ(Functions().Resolve(), nullptr);
      EXPECT_NE(Version().Resolve(), nullptr);
      if (button == IDOK) {
        EXPECT_THAT(ChangesHeard::pages(), ::testing::Contains(WindowRef::Page(Sheet()).Resolve()));
      } else {
        EXPECT_TRUE(ChangesHeard::pages().empty());
      }
    });
    script.click(WindowRef::Item(Version(), IDOK)).press(Sheet(), IDCANCEL);
    EXPECT_EQ(RunSheet(DM_USER_DEFAULT | DM_COPY), CPSUI_OK);
    EXPECT_TRUE(script.done());
  }
}

// A document's sheet has none: the gesture opens nothing.
TEST_F(HiddenFunctions, ADocumentsSheetHasNone) {
  UiScript script;
  OpenFunctions(script);
  script.check("no hidden functions", [] { EXPECT_EQ(Functions().Resolve(), nullptr); });
  script.click(WindowRef::Item(Version(), IDOK)).press(Sheet(), IDCANCEL);
  EXPECT_EQ(RunSheet(DM_COPY), CPSUI_OK);
  EXPECT_TRUE(script.done());
}

}  // namespace
}  // namespace other_test
