// The printer sheet's fonts page as a person works it: the system's
// TrueType faces beside the printer fonts that replace them, a printer
// font picked for a face, printer font 0 picked to undo a pair, the clear
// button, and the table that OK writes into printer data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/fontxchg/pages/font_lines.h"
#include "platform/spooler/winspool.h"
#include "tests/features/fontxchg/fontxchg_fixture.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using features_test::ListLines;
using kesm_test::UiScript;

constexpr int kFontsTab = 1;
constexpr WORD kPrinterFonts = 2384;
constexpr WORD kTrueTypeFaces = 2385;
constexpr WORD kFaceText = 2383;
constexpr WORD kClear = 2386;
const std::u16string kNone = u"Kesm Mincho";  // printer font 0: no exchange

class FontExchangePage : public SheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_fonts.kpd"; }

  static HWND Page() { return WindowRef::Page(Sheet()).Resolve(); }
  static WindowRef Item(WORD id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static std::vector<std::u16string> Lines(WORD id) { return ListLines(GetDlgItem(Page(), id)); }
  static LRESULT Selected(WORD id) { return SendMessageW(GetDlgItem(Page(), id), LB_GETCURSEL, 0, 0); }
  static std::u16string Text(WORD id) {
    WCHAR text[64] = {};
    GetWindowTextW(GetDlgItem(Page(), id), text, 64);
    return text;
  }
  static std::u16string Exchanged(const std::u16string& face) {
    WCHAR name[kFontNameBufferChars] = {};
    return GetFontExchangeName(ContextOfPage(Page()), face.c_str(), name);
  }
  // The faces of the exchange list, as the system enumerates them.
  static std::vector<std::u16string> Faces() {
    std::vector<std::u16string> faces;
    for (const std::u16string& line : Lines(kTrueTypeFaces)) faces.push_back(FontLineFace(line));
    return faces;
  }

  // The stored pairs of the printer, TrueType face then printer font.
  std::vector<std::pair<std::u16string, std::u16string>> StoredPairs() {
    WORD count = 0;
    DWORD type = 0;
    DWORD needed = 0;
    GetPrinterDataW(printer_, u"FontTableNum", &type, reinterpret_cast<BYTE*>(&count), sizeof count, &needed);
    std::vector<std::pair<std::u16string, std::u16string>> pairs;
    for (WORD i = 1; i <= count; ++i) {
      auto read = [&](const std::u16string& prefix) {
        WCHAR name[kFontNameBufferChars + 1] = {};
        const std::u16string key = prefix + std::u16string(1, static_cast<char16_t>(u'0' + i));
        GetPrinterDataW(printer_, key.c_str(), &type, reinterpret_cast<BYTE*>(name), sizeof(WCHAR) * 32, &needed);
        return std::u16string(name);
      };
      pairs.emplace_back(read(u"TTFontTable"), read(u"DevFontTable"));
    }
    return pairs;
  }
};

TEST_F(FontExchangePage, ThePageListsTheSystemsFacesAndThePrintersFontsWithoutVerticalOnes) {
  UiScript script;
  AnswerOptionsNotice(script);
  script.tab(Sheet(), kFontsTab).check("the lists", [] {
    EXPECT_EQ(Lines(kPrinterFonts), (std::vector<std::u16string>{u"Kesm Mincho", u"Kesm Gothic", u"Kesm Barcode"}));
    const std::vector<std::u16string> lines = Lines(kTrueTypeFaces);
    ASSERT_GE(lines.size(), 2u);
    for (const std::u16string& line : lines) {
      EXPECT_NE(line.front(), u'@');
      EXPECT_EQ(line.substr(kFontLineFaceChars - 1), u" > " + kNone);
    }
    EXPECT_EQ(Selected(kTrueTypeFaces), 0);
    EXPECT_EQ(Text(kFaceText), Faces()[0]);
    EXPECT_EQ(Selected(kPrinterFonts), LB_ERR);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Page(), kPrinterFonts)));
  });
  script.press(Sheet(), IDCANCEL);
  EXPECT_FALSE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(script.done());
}

// A printer font picked for the chosen face replaces the face's line and
// makes a pair; printer font 0 picked for it undoes the pair. OK stores
// the pairs left.
TEST_F(FontExchangePage, PickingPrinterFontsMakesAndUndoesPairsAndOkStoresThem) {
  std::vector<std::u16string> faces;
  UiScript script;
  AnswerOptionsNotice(script);
  script.tab(Sheet(), kFontsTab)
      .check("faces", [&] { faces = Faces(); ASSERT_GE(faces.size(), 2u); })
      .select(Item(kTrueTypeFaces), 1)
      .check("the second face chosen", [&] {
        EXPECT_EQ(Text(kFaceText), faces[1]);
        EXPECT_EQ(Selected(kPrinterFonts), 0);  // its printer font, Kesm Mincho
      })
      .select(Item(kPrinterFonts), 1)
      .check("Kesm Gothic for the second face", [&] {
        EXPECT_EQ(Lines(kTrueTypeFaces)[1], FontExchangeLine(faces[1], u"Kesm Gothic"));
        EXPECT_EQ(Selected(kTrueTypeFaces), 1);
        EXPECT_EQ(Exchanged(faces[1]), u"Kesm Gothic");
      })
      .select(Item(kTrueTypeFaces), 0)
      .select(Item(kPrinterFonts), 2)
      .select(Item(kTrueTypeFaces), 1)
      .check("the second face's printer font chosen again", [] { EXPECT_EQ(Selected(kPrinterFonts), 1); })
      .select(Item(kTrueTypeFaces), 0)
      .select(Item(kPrinterFonts), 0)
      .check("printer font 0 undoes the first face's pair", [&] {
        EXPECT_EQ(Lines(kTrueTypeFaces)[0], FontExchangeLine(faces[0], kNone));
        EXPECT_EQ(Exchanged(faces[0]), kNone);
        EXPECT_EQ(Exchanged(faces[1]), u"Kesm Gothic");
      })
      .press(Sheet(), IDOK);
  EXPECT_TRUE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(script.done());
  ASSERT_GE(faces.size(), 2u);
  EXPECT_EQ(StoredPairs(), (std::vector<std::pair<std::u16string, std::u16string>>{{faces[1], u"Kesm Gothic"}}));
}

// Without a TrueType face chosen, a printer font picked changes nothing.
TEST_F(FontExchangePage, APrinterFontPickedWithNoFaceChosenChangesNothing) {
  std::vector<std::u16string> before;
  UiScript script;
  AnswerOptionsNotice(script);
  script.tab(Sheet(), kFontsTab)
      .check("no face chosen", [&] {
        before = Lines(kTrueTypeFaces);
        SendMessageW(GetDlgItem(Page(), kTrueTypeFaces), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      })
      .select(Item(kPrinterFonts), 1)
      .check("the lines as they were", [&] {
        EXPECT_EQ(Lines(kTrueTypeFaces), before);
        ASSERT_FALSE(before.empty());
        EXPECT_EQ(Exchanged(FontLineFace(before[0])), kNone);
      })
      .press(Sheet(), IDCANCEL);
  EXPECT_FALSE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(script.done());
}

TEST_F(FontExchangePage, TheClearButtonEmptiesTheTable) {
  std::vector<std::u16string> faces;
  UiScript script;
  AnswerOptionsNotice(script);
  script.tab(Sheet(), kFontsTab)
      .check("faces", [&] { faces = Faces(); ASSERT_GE(faces.size(), 2u); })
      .select(Item(kPrinterFonts), 2)
      .select(Item(kTrueTypeFaces), 1)
      .select(Item(kPrinterFonts), 1)
      .check("two pairs", [&] { EXPECT_EQ(Exchanged(faces[0]), u"Kesm Barcode"); })
      .click(Item(kClear))
      .check("every face back to printer font 0", [&] {
        for (const std::u16string& line : Lines(kTrueTypeFaces)) EXPECT_EQ(FontLinePrinter(line), kNone);
        EXPECT_EQ(Exchanged(faces[0]), kNone);
        EXPECT_EQ(Exchanged(faces[1]), kNone);
        EXPECT_EQ(Selected(kTrueTypeFaces), 0);
      })
      .press(Sheet(), IDOK);
  EXPECT_TRUE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(StoredPairs().empty());
}

}  // namespace
}  // namespace ui_test
