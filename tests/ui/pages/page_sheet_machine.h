// The pages' tests: one page of a sheet worked as a person works it, once
// left by Cancel and once by OK, and what the sheet hands out (the
// document sheet's DEVMODE, the printer sheet's stored settings) read where
// the printer reads each choice.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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

  // The page as the person leaves it is kept as a picture; then the
  // sheet's `button` is pressed.
  static void LeaveBy(kesm_test::UiScript& script, const std::filesystem::path& picture, int button) {
    script
        .check("the page as the person leaves it",
               [picture] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), picture)); })
        .press(Sheet(), button);
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
      LeaveBy(script, folder / picture, button);
      EXPECT_EQ(DocumentSheet(out, &given, DM_COPY | DM_MODIFY), button);
      EXPECT_TRUE(script.done());
      if (button == IDOK) {
        handedOut(out);
      } else {
        EXPECT_EQ(out, Filled(kDriverDevmode));
      }
    }
  }

  // Opens the printer sheet twice, works page `tab` by `steps` and presses
  // Cancel, then OK: after Cancel `stored` reads what it read before, after
  // OK `written` checks what it reads. The page as the person leaves it is
  // kept as picture `picture`.
  template <typename Snapshot>
  void PrinterSheetCancelThenOk(int tab, const std::function<Snapshot()>& stored, const Steps& steps,
                                const std::string& picture, const std::function<void(const Snapshot&)>& written) {
    const std::filesystem::path folder = PictureFolder();
    const Snapshot before = stored();
    for (const int button : {IDCANCEL, IDOK}) {
      SCOPED_TRACE(button);
      kesm_test::UiScript script;
      AnswerOptionsNotice(script);
      script.tab(Sheet(), tab);
      steps(script);
      LeaveBy(script, folder / picture, button);
      EXPECT_EQ(PrinterProperties(nullptr, printer_), button == IDOK ? TRUE : FALSE);
      EXPECT_TRUE(script.done());
      if (button == IDOK) {
        written(stored());
      } else {
        EXPECT_EQ(stored(), before);
      }
    }
  }
};

}  // namespace ui_test
