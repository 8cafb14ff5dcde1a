// What the modules' first callback asks of an open page: a control's text
// set (the focus an alert action moves is driven in
// tests/ui/engine/change_road_test.cpp).
#include "ui/constraint_services.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/engine/alert_page.h"

namespace ui_test {
namespace {

constexpr WORD kEditPage = 1003;
constexpr WORD kWatermarkBox = 2088;

class PageServices : public AlertPageMachine {
 protected:
  std::u16string WindowText(HWND hwnd) {
    WCHAR text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
  }
};

TEST_F(PageServices, TheEditPageShowsItsWatermarkHintBesideTheBox) {
  Open(kEditPage);
  EXPECT_EQ(WindowText(Box(kWatermarkBox)), u"Watermarks are chosen on the Stamp page.");
}

}  // namespace
}  // namespace ui_test
