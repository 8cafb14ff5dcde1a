// The A6 printer of the change-road tests (tests/data/kpd/kesm_a6_alerts.kpd):
// its check boxes on the Others and Finish pages raise an alert of each
// kind, and its resource library holds the alerts' texts. One context is
// open, pages are shown through the page host, and a listening module in
// front of the feature modules records what the road tells them (the
// refused-alert message, function codes and built-in ids) and answers
// nothing, so every real module still gets its calls.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "features/module_table/custom_table.h"
#include "platform/window/messagebox_control.h"
#include "settings/tables/alert_table.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"

namespace ui_test {

inline constexpr WORD kOthersPage = 1005;
inline constexpr WORD kFinishPage = 1004;

// Check boxes of the Others page and their settings.
inline constexpr WORD kCosmeticBox = 3424;
inline constexpr WORD kImagePrintBox = 3425;
inline constexpr WORD kWhitePaperBox = 3426;
inline constexpr WORD kReversalBox = 3427;
inline constexpr WORD kMirrorBox = 3428;
inline constexpr WORD kAutoTrayBox = 3429;  // no group in the description
inline constexpr WORD kJamRecoveryBox = 3430;
inline constexpr WORD kAplSortBox = 3431;
inline constexpr WORD kSortBox = 3388;  // on the Finish page

inline constexpr WORD kFuncCopies = 12;
inline constexpr WORD kFuncPresetNo = 37;
inline constexpr WORD kFuncPrnMethod = 209;
inline constexpr UINT kMsgRefused = 0x8007;

// What the listening module was told.
struct Heard {
  struct Message {
    WORD controlId;  // of the item, 0 for the page
    UINT message;
    UINT_PTR wParam;
  };
  std::vector<Message> messages;
  std::vector<DWORD> codes;
  std::vector<WORD> builtIns;

  // The messages of one kind, in order.
  std::vector<Message> Of(UINT message) const {
    std::vector<Message> found;
    std::copy_if(messages.begin(), messages.end(), std::back_inserter(found),
                 [message](const Message& m) { return m.message == message; });
    return found;
  }
  bool HeardCode(DWORD code) const { return std::find(codes.begin(), codes.end(), code) != codes.end(); }
};

inline INT_PTR ListenProcedure(UCB*, TCB*, ICB* icb, UINT message, UINT_PTR wParam, LPARAM, void* work) {
  static_cast<Heard*>(work)->messages.push_back({icb != nullptr ? icb->itemId : WORD{0}, message, wParam});
  return 0;
}
inline int ListenFunction(UCB*, DWORD code, void*, void* work) {
  static_cast<Heard*>(work)->codes.push_back(code);
  return 0;
}
inline int ListenBuiltIn(UCB*, WORD id, void* work) {
  static_cast<Heard*>(work)->builtIns.push_back(id);
  return 0;
}

class AlertPageMachine : public UiMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_a6_alerts.kpd"));
    std::filesystem::copy_file(KESM_ALERT_RESOURCES, resourceDll_, std::filesystem::copy_options::overwrite_existing);
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
    ASSERT_NE(ucb_->pWork->pCustom, nullptr);
    modules_ = ucb_->pWork->pCustom;
    rows_.push_back({0, &heard_, ListenBuiltIn, ListenProcedure, ListenFunction, nullptr});
    rows_.insert(rows_.end(), modules_->rows, modules_->rows + modules_->count);
    listening_ = {static_cast<LONG>(rows_.size()), rows_.data()};
    ucb_->pWork->pCustom = &listening_;
    plat::window::ClearMessageBoxRecords();
  }
  void TearDown() override {
    host_.Close();
    if (ucb_ != nullptr) {
      ucb_->pWork->pCustom = modules_;
      ucb_->pAPL = &fgAPL;
      FreeUcb2(ucb_, 1);
    }
    ucb_ = nullptr;
    UiMachine::TearDown();
  }

  void Open(WORD page) { ASSERT_TRUE(host_.Open(ucb_, page)); }
  HWND Box(WORD controlId) const { return host_.control(controlId); }
  LONG_PTR Value(WORD funcId) const { return GetDevmodeValueByFuncID(ucb_, funcId, nullptr); }
  std::u16string Text(WORD funcId) const {
    WCHAR text[kScratchChars] = {};
    GetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId), text);
    return std::u16string(text);
  }
  void SetText(WORD funcId, const char16_t* text) { SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId), text); }

  // The context's alert records become a copy of the shipped ones that
  // `change` may alter (the compiled description names alerts by the
  // shipped records' ids).
  template <class Change>
  void AlterAlerts(Change change) {
    alerts_.assign(fgAP, fgAP + kAlertCount);
    for (AP& ap : alerts_) change(ap);
    alertHead_ = {static_cast<SHORT>(alerts_.size()), alerts_.data()};
    ucb_->pAPL = &alertHead_;
  }

  // The refused-alert messages the modules were sent for an item.
  std::vector<Heard::Message> Refusals() const { return heard_.Of(kMsgRefused); }

  UCB* ucb_ = nullptr;
  PageHost host_;
  Heard heard_;

 private:
  CUSTOMTABLE* modules_ = nullptr;
  std::vector<CUSTOMROW> rows_;
  CUSTOMTABLE listening_{};
  std::vector<AP> alerts_;
  APL alertHead_{};
};

}  // namespace ui_test
