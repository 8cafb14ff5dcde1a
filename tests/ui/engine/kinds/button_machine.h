// The W2 printer whose description gives its pages' radio lists, texts,
// pictures and push buttons something to show (tests/data/kpd/
// kesm_w2_buttons.kpd), with the resource DLL of our strings and pages
// plus the test's own texts, icons and page (tests/data/resources/
// button_pages.krc); one context open and a page host for it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"
#include "tests/ui/ui_machine.h"

namespace ui_test {

inline constexpr WORD kSortDialog = 1014;
inline constexpr WORD kPresetPage = 1001;
inline constexpr WORD kSortType = 119;     // kdmSortType: a radio list of three buttons
inline constexpr WORD kOrientation = 7;    // dmOrientation: a radio list of two
inline constexpr WORD kUnsorted = 3070;    // the sort types' option ids, also their buttons' ids
inline constexpr WORD kSets = 3071;
inline constexpr WORD kRotated = 3072;
inline constexpr WORD kPortrait = 2026;    // the orientations' option ids and buttons
inline constexpr WORD kLandscape = 2027;

class ButtonMachine : public UiMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_w2_buttons.kpd"));
    std::filesystem::copy_file(KESM_BUTTON_RESOURCES, resourceDll_, std::filesystem::copy_options::overwrite_existing);
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
  }
  void TearDown() override {
    host_.Close();
    if (ucb_ != nullptr) FreeUcb2(ucb_, 1);
    ucb_ = nullptr;
    UiMachine::TearDown();
  }

  // The setting as the dialogs show it (an option id for a list) and as
  // the DEVMODE stores it.
  LONG_PTR Ui(WORD funcId) const { return GetDevmodeValueByFuncID(ucb_, funcId, nullptr); }
  LONG_PTR Stored(WORD funcId) const { return GetDevmodeValueDirectByFuncID(ucb_, funcId, nullptr); }
  bool Checked(WORD controlId) const {
    return SendMessageW(host_.control(controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::vector<WORD> CheckedOf(std::initializer_list<WORD> controls) const {
    std::vector<WORD> checked;
    for (const WORD id : controls) {
      if (Checked(id)) checked.push_back(id);
    }
    return checked;
  }

  UCB* ucb_ = nullptr;
  PageHost host_;
};

}  // namespace ui_test
