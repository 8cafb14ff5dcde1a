// The pages' tests: one page of the document sheet worked as a person works
// it, once left by Cancel and once by OK, and the DEVMODE the sheet hands
// out read where the printer reads each choice.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {

class PageSheetMachine : public SheetMachine {
 protected:
  using Steps = std::function<void(kesm_test::UiScript&)>;
  using Check = std::function<void(const Bytes&)>;

  // The DEVMODE the printer starts a document with.
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }
  static WindowRef Control(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  // Bit `bit` of the function-switch word at 436.
  static int Switch(const Bytes& dm, int bit) {
    const unsigned word = dm[436] | dm[437] << 8 | dm[438] << 16 | static_cast<unsigned>(dm[439]) << 24;
    return static_cast<int>((word >> bit) & 1);
  }

  // Opens the sheet on `in` twice, works page `tab` by `steps` and presses
  // Cancel, then OK: Cancel hands out nothing, OK what `handedOut` checks.
  // The page as the person leaves it is kept as picture `picture`.
  void CancelThenOk(int tab, const Bytes& in, const Steps& steps, const std::string& picture, const Check& handedOut) {
    const std::filesystem::path folder = PictureFolder();
    for (const int button : {IDCANCEL, IDOK}) {
      SCOPED_TRACE(button);
      Bytes given = in;
      Bytes out = Filled(kDriverDevmode);
      kesm_test::UiScript script;
      script.tab(Sheet(), tab);
      steps(script);
      script
          .check("the page as the person leaves it",
                 [&] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / picture)); })
          .press(Sheet(), button);
      EXPECT_EQ(DocumentSheet(out, &given, DM_COPY | DM_MODIFY), button);
      EXPECT_TRUE(script.done());
      if (button == IDOK) {
        handedOut(out);
      } else {
        EXPECT_EQ(out, Filled(kDriverDevmode));
      }
    }
  }
};

}  // namespace ui_test
