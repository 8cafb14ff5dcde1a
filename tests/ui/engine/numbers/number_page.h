// Pages of the W2 printer whose description gives the number and text
// edits their data (tests/data/kpd/kesm_w2_numbers.kpd): the scale dialog
// 1018 (horizontal scale 20-400, page step 25; vertical scale 20.0-400.0
// with an alert above 200.0), the margin dialog 1024 (size items in dots:
// shift x 0-2361 with the unit "mm", shift y 0-4724, odd margin 120-30000,
// even margin 0-40000 on a 16-bit setting), the balance dialog 1038 (red
// balance -10 to 10), the print-type dialog 1019 (user id of at most 8
// characters in 9 bytes) and the header/footer text dialog 1039.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"

namespace numbers_test {

inline constexpr WORD kScaleDialog = 1018;
inline constexpr WORD kScaleHEdit = 2419;
inline constexpr WORD kScaleVEdit = 2421;
inline constexpr WORD kScaleHSpin = 3560;
inline constexpr WORD kScaleVSpin = 3561;
inline constexpr WORD kScaleH = 89;
inline constexpr WORD kScaleV = 90;

inline constexpr WORD kMarginDialog = 1024;
inline constexpr WORD kShiftXEdit = 2352;
inline constexpr WORD kShiftYEdit = 2355;
inline constexpr WORD kOddEdit = 2396;
inline constexpr WORD kEvenEdit = 2605;
inline constexpr WORD kFontPointEdit = 2649;
inline constexpr WORD kShiftXSpin = 3672;
inline constexpr WORD kOddSpin = 3674;
inline constexpr WORD kShiftX = 96;
inline constexpr WORD kShiftY = 97;
inline constexpr WORD kMarginOdd = 98;
inline constexpr WORD kMarginEven = 99;
inline constexpr WORD kFontPoint = 116;
inline constexpr WORD kDisplayUnit = 171;

class NumberPage : public ui_test::PageMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_w2_numbers.kpd"));
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
  }

  void Open(WORD dialog) { ASSERT_TRUE(host_.Open(ucb_, dialog)) << dialog; }
  HWND Control(WORD id) const { return host_.control(id); }
  LONG_PTR Stored(WORD funcId) const { return GetDevmodeValueDirectByFuncID(ucb_, funcId, nullptr); }
  // The context as the person finds it: settings made before the page opens.
  void Given(WORD funcId, LONG_PTR value) { SetDevmodeValueDirectByFuncID(ucb_, funcId, value); }
  void GivenMillimetres() { Given(kDisplayUnit, 0); }
  void GivenInches() { Given(kDisplayUnit, 1); }
  std::u16string Text(WORD id) const {
    WCHAR text[128] = {};
    GetWindowTextW(Control(id), text, 128);
    return text;
  }
  // A spin bar drawn tall enough to have a shaft and a thumb, above the
  // controls it then reaches over, so that every part of it can be clicked.
  void Stretch(WORD spin) {
    RECT r{};
    GetClientRect(Control(spin), &r);
    SetWindowPos(Control(spin), HWND_TOP, 0, 0, r.right, 160, SWP_NOMOVE);
  }
  // Runs the steps; a script that leaves a box open fails.
  static void Run(kesm_test::UiScript& script) { EXPECT_TRUE(script.run()); }
};

}  // namespace numbers_test
