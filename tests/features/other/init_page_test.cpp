// The initial-settings page of the document sheet with the printer's
// device behind the stand-in port-monitor library: the status fetched at
// once (2160) and the versions refreshed (2112), when the device answers
// and when it does not; and the status query the sheet runs as it opens,
// with its progress window.
#include <gtest/gtest.h>

#include <vector>

#include "devicecomm/bidi/bidi_ui.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "tests/features/other/other_sheet.h"
#include "ui/alerts/alert_message.h"
#include "ui/alerts/progress_window.h"

namespace other_test {
namespace {

constexpr int kDeviceVersionButton = 2112;
constexpr int kDeviceStatusButton = 2160;
constexpr WORD kFuncSystemVersion = 10271;
constexpr DWORD kMaskVersion = 0x104;
constexpr DWORD kMaskFull = 0x2011C;
constexpr const char16_t* kNoAnswer = u"The printer did not answer.";

// How the progress windows of the queries stood while the query ran, and
// whether each went again.
struct Progress {
  HWND window;
  bool visible;
  bool painted;  // the window and its text, before the query ran
  bool ended = false;
};
bool Painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetUpdateRect(child, nullptr, FALSE)) return false;
  }
  return true;
}
std::vector<Progress>& Shown() {
  static std::vector<Progress> shown;
  return shown;
}
HWND WatchStart(UCB* ucb, HWND owner, UINT messageId) {
  const HWND window = StartWindow(ucb, owner, messageId);
  if (window != nullptr) Shown().push_back({window, IsWindowVisible(window) != FALSE, Painted(window)});
  return window;
}
void WatchEnd(UCB* ucb, HWND window) {
  for (Progress& p : Shown()) p.ended = p.ended || p.window == window;
  EndWindow(ucb, window);
}
int WatchAlert(UCB* ucb, HWND owner, UINT messageId) { return _ShowAlertMsgEx11(ucb, owner, messageId); }
constexpr BidiUiHooks kWatching{WatchStart, WatchEnd, WatchAlert};

class InitPage : public OtherSheet {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(OtherSheet::SetUp());
    Shown().clear();
    RegisterBidiUiHooks(&kWatching);
    device().items[8] = portmonlib::Text("V1.23");
  }
  void TearDown() override {
    RegisterBidiUiHooks(nullptr);
    OtherSheet::TearDown();
  }
  portmonlib::Device& device() { return lib().devices[kPrinter]; }
  int Requests(DWORD mask) const {
    int n = 0;
    for (const portmonlib::Call& call : lib_->calls) n += call.op == "request" && call.number == mask ? 1 : 0;
    return n;
  }
  static UCB* SheetContext() { return ContextOfPage(WindowRef::Page(Sheet()).Resolve()); }
  static std::string SystemVersion() {
    std::array<WCHAR, 80> text{};
    UCB* ucb = SheetContext();
    GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncSystemVersion), text.data());
    return Narrow(text.data());
  }
};

// The device answers: the status comes at once and nothing is told; the
// versions are asked for alone.
TEST_F(InitPage, TheDevicesStatusAndVersionsComeOnTheButtons) {
  UiScript script;
  script.tab(Sheet(), kInitTab).check("the start's answer", [this] {
    EXPECT_EQ(Requests(kMaskFull), 1);
    lib().calls.clear();
    device().items[8] = portmonlib::Text("V2.00");
  });
  script.click(PageItem(kDeviceStatusButton)).check("status fetched", [this] {
    EXPECT_EQ(Requests(kMaskFull), 1);
    EXPECT_EQ(GetKDMBiDirect(SheetContext()), 1u);
    EXPECT_EQ(SystemVersion(), "V2.00");
    device().items[8] = portmonlib::Text("V3.00");
  });
  script.click(PageItem(kDeviceVersionButton)).check("versions refreshed", [this] {
    EXPECT_EQ(Requests(kMaskVersion), 1);
    EXPECT_EQ(SystemVersion(), "V3.00");
  });
  script.press(Sheet(), IDOK);
  EXPECT_EQ(RunDocumentSheet(), IDOK);
  EXPECT_TRUE(script.done());
  // Every query, the sheet's start among them, showed its progress window
  // with its text while it talked to the device, and took it away again.
  ASSERT_EQ(Shown().size(), 3u);
  for (const Progress& p : Shown()) {
    EXPECT_TRUE(p.visible);
    EXPECT_TRUE(p.painted);
    EXPECT_TRUE(p.ended);
  }
}

// The device does not answer: the fetch is told and the settings do not
// claim to be the device's; the versions are cleared without a word.
TEST_F(InitPage, ADeviceThatDoesNotAnswerIsToldAndClaimsNothing) {
  UiScript script;
  script.tab(Sheet(), kInitTab).check("the device goes quiet", [this] {
    EXPECT_EQ(SystemVersion(), "V1.23");
    lib().failures.push_back({"model", 0, false, 31});
  });
  script.click(PageItem(kDeviceStatusButton)).answerBox(kNoAnswer, IDOK).check("told", [] {
    EXPECT_EQ(GetKDMBiDirect(SheetContext()), 0u);
    EXPECT_EQ(SystemVersion(), "");
  });
  script.check("versions once more", [] {
    SetDevmodeStringBySFCB(SheetContext(), GetSFCBbyFuncID(SheetContext(), kFuncSystemVersion), u"V9");
  });
  script.click(PageItem(kDeviceVersionButton)).check("versions cleared", [] { EXPECT_EQ(SystemVersion(), ""); });
  script.press(Sheet(), IDOK);
  RunDocumentSheet();
  EXPECT_TRUE(script.done());
}

}  // namespace
}  // namespace other_test
