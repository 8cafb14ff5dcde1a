// The W2 printer with the refresh tests' description (tests/data/kpd/
// kesm_w2_refresh.kpd: scaling off greys out the scale, its centering, the
// booklet and the preview picture; a watermark hides the booklet, and no
// watermark greys out its choice; more than one copy fixes the option list
// and paper size of the option page), one context open with the pages'
// pictures in place, and a recording feature module in front of the
// context's own modules: it sees which items are initialised (WM_INITDIALOG)
// and which the refresh paints (WM_PAINT), as every module does.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "features/module_table/custom_table.h"
#include "platform/files/winpath.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"

namespace ui_test {

// Controls of the basic page 1002 and the option page 1011.
inline constexpr WORD kBasicPage = 1002;
inline constexpr WORD kScaleH = 3326;         // greyed while scaling is off
inline constexpr WORD kScaleCentering = 3328; // greyed while scaling is off
inline constexpr WORD kScaleOn = 3329;
inline constexpr WORD kWatermarkOn = 3330;
inline constexpr WORD kBooklet = 3331;        // greyed while scaling is off, hidden under a watermark
inline constexpr WORD kPreview = 2039;        // greyed while scaling is off
inline constexpr WORD kPresetCombo = 2036;    // the tab stop after the centring box
inline constexpr WORD kButtonItem1 = 2038;    // a push button a person may click (2037 opens the presets)
inline constexpr WORD kOptionPage = 1011;
inline constexpr WORD kOptionList = 2164;     // fixed while more than one copy is asked for, yet never greyed
inline constexpr WORD kOptionPaper = 2168;    // fixed while more than one copy is asked for
inline constexpr WORD kOptionItem2 = 2176;    // a push button

inline constexpr WORD kSomeHint = 40007;       // a string of the resource DLL

inline constexpr WORD kFuncCopies = 12;
inline constexpr WORD kFuncScaleOn = 55;
inline constexpr WORD kFuncScaleH = 89;
inline constexpr WORD kFuncWatermarkOn = 60;

// What the recording module saw.
struct Offered {
  const ICB* icb;
  UINT message;
};

class RefreshMachine : public UiMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_w2_refresh.kpd"));
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
    // The pictures of the pages, the hint icon's among them.
    const auto bitmaps = plat::HostPathOf(GetBmpDllName(ucb_));
    ASSERT_TRUE(bitmaps.has_value());
    std::filesystem::copy_file(KESM_UI_BITMAPS, *bitmaps, std::filesystem::copy_options::overwrite_existing);
    Recorder() = this;
    saved_ = ucb_->pWork->pCustom;
    rows_.push_back(CUSTOMROW{0, nullptr, nullptr, &Record, nullptr, nullptr});
    if (saved_ != nullptr) rows_.insert(rows_.end(), saved_->rows, saved_->rows + saved_->count);
    table_ = {static_cast<LONG>(rows_.size()), rows_.data()};
    ucb_->pWork->pCustom = &table_;
  }
  void TearDown() override {
    for (PageHost& host : hosts_) host.Close();
    if (ucb_ != nullptr) {
      ucb_->pWork->pCustom = saved_;
      FreeUcb2(ucb_, 1);
    }
    ucb_ = nullptr;
    Recorder() = nullptr;
    UiMachine::TearDown();
  }

  // Opens a page in host n (0 or 1); the second host's frame stands below
  // the first one's, so that a click on either lands where it is aimed.
  bool Open(WORD dialogId, int n = 0) {
    if (!hosts_[n].Open(ucb_, dialogId)) return false;
    if (n == 1) SetWindowPos(hosts_[n].frame(), nullptr, 0, 570, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
  }
  PageHost& host(int n = 0) { return hosts_[n]; }
  HWND control(WORD id, int n = 0) { return hosts_[n].control(id); }
  ICB* item(WORD id, int n = 0) { return hosts_[n].item(id); }

  LONG_PTR Value(WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb_, funcId, nullptr); }
  std::string Text(WORD funcId) {
    const char* text = reinterpret_cast<const char*>(GetDevmodeValueDirectByFuncID(ucb_, funcId, nullptr));
    return text != nullptr ? text : "";
  }

  // Gives an item of the context's tables an explanation for its hint
  // icon, before its page opens.
  void GiveHint(WORD dialogId, WORD controlId, WORD hintId = kSomeHint) {
    ICB* icb = GetICBbyItemID(ucb_, GetTCBbyTabID(ucb_, dialogId), controlId);
    ASSERT_NE(icb, nullptr);
    icb->hintId = hintId;
  }
  // The hint icons beside an item of host n's page.
  std::vector<HWND> HintsOf(WORD controlId, int n = 0) const {
    std::vector<HWND> hints;
    const ICB* icb = hosts_[n].item(controlId);
    HWND page = hosts_[n].page();
    for (HWND w = page != nullptr ? GetWindow(page, GW_CHILD) : nullptr; w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w != icb->hWnd && GetWindowLongPtrW(w, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(icb)) hints.push_back(w);
    }
    return hints;
  }

  // How often the module was offered that message for the item since the
  // record was last cleared.
  int Seen(WORD controlId, UINT message, int n = 0) const {
    const ICB* icb = hosts_[n].item(controlId);
    return static_cast<int>(std::count_if(seen_.begin(), seen_.end(), [&](const Offered& o) {
      return o.icb != nullptr && o.icb == icb && o.message == message;
    }));
  }
  void Forget() { seen_.clear(); }

  // A module step of the test's own at one message for one item: it may
  // answer (1 ends the dispatch) or do what a module does.
  std::function<INT_PTR(TCB*, ICB*, UINT, LPARAM)> onOffer;

  UCB* ucb_ = nullptr;
  std::vector<Offered> seen_;

 private:
  static RefreshMachine*& Recorder() {
    static RefreshMachine* recorder = nullptr;
    return recorder;
  }
  static INT_PTR Record(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR, LPARAM lParam, void*) {
    RefreshMachine* self = Recorder();
    if (self == nullptr) return 0;
    // Items paint themselves too, and show every message of their window to
    // the modules first: only the paints a refresh asks for count.
    const bool refreshing = ucb != nullptr && ucb->pWork->dialog.fRefreshing != 0;
    if (message == WM_INITDIALOG || (message == WM_PAINT && refreshing)) self->seen_.push_back({icb, message});
    return self->onOffer ? self->onOffer(tcb, icb, message, lParam) : 0;
  }

  PageHost hosts_[2];
  std::vector<CUSTOMROW> rows_;
  CUSTOMTABLE table_{};
  CUSTOMTABLE* saved_ = nullptr;
};

}  // namespace ui_test
