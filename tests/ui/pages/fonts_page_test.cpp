// The fonts page of the printer sheet as a person works it: a TrueType
// font picked and a printer font chosen for it, then OK; the printer keeps
// the pair, and Cancel keeps nothing.
#include "features/fontxchg/pages/font_lines.h"
#include "platform/spooler/winspool.h"
#include "platform/window/winuser_controls.h"
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kFontsTab = 1;
constexpr int kTrueTypeFaces = 2385;
constexpr int kPrinterFonts = 2384;
constexpr int kSecondPrinterFont = 1;  // "Kesm Gothic" of the description's fonts

// The stored pairs, "TrueType face > printer font", in their order.
using Pairs = std::vector<std::u16string>;

class FontsPage : public PageSheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_fonts.kpd"; }

  std::u16string Data(const std::u16string& name) {
    WCHAR text[kFontNameBufferChars + 1] = {};
    DWORD type = 0;
    DWORD needed = 0;
    GetPrinterDataW(printer_, name.c_str(), &type, reinterpret_cast<BYTE*>(text), sizeof(WCHAR) * 32, &needed);
    return text;
  }
  Pairs StoredPairs() {
    WORD count = 0;
    DWORD type = 0;
    DWORD needed = 0;
    GetPrinterDataW(printer_, u"FontTableNum", &type, reinterpret_cast<BYTE*>(&count), sizeof count, &needed);
    Pairs pairs;
    for (WORD i = 1; i <= count; ++i) {
      const std::u16string number(1, static_cast<char16_t>(u'0' + i));
      pairs.push_back(Data(u"TTFontTable" + number) + u" > " + Data(u"DevFontTable" + number));
    }
    return pairs;
  }
};

TEST_F(FontsPage, OkKeepsThePrinterFontChosenForAFace) {
  std::u16string face;
  PrinterSheetCancelThenOk<Pairs>(
      kFontsTab, [this] { return StoredPairs(); },
      [&face](kesm_test::UiScript& script) {
        script.select(Control(kTrueTypeFaces), 1)
            .select(Control(kPrinterFonts), kSecondPrinterFont)
            .check("the face chosen", [&face] {
              HWND list = Control(kTrueTypeFaces).Resolve();
              WCHAR line[128] = {};
              SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(line));
              face = FontLineFace(line);
              EXPECT_FALSE(face.empty());
            });
      },
      "fonts.png", [&face](const Pairs& after) { EXPECT_EQ(after, (Pairs{face + u" > Kesm Gothic"})); });
}

}  // namespace
}  // namespace ui_test
