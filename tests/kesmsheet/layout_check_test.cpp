// The layout check as CI runs it: both sheets of a printer of the W2 request
// description (every control of the tables shown) and every dialog of the
// tab table opened on a machine of each test's own, the findings counted
// per dialog and printed; the layout findings of the dialogs already
// cleared fail, and on the sample printer every finding the strings,
// pictures and sample own (missing and empty texts, pictures). A
// dialog made here with one fault of each kind shows what each check finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/control.h"
#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/gdi/wingdi.h"
#include "platform/text/utf.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/tables/dialog_tables.h"
#include "tools/kesmprint/kesmprint.h"
#include "tools/kesmprint/printer_setup.h"
#include "tools/kesmsheet/kesmsheet.h"

namespace {

namespace fs = std::filesystem;
using kesmsheet::Finding;
using kesmsheet::FindingKind;
using kesmsheet::LayoutReport;

constexpr const char* kPrinter = "Kesm W2 Layout";

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}
int TopWindows() {
  int count = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

class LayoutCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string note, error;
    fs::path dataFile;
    ASSERT_TRUE(kesmprint::EnsurePrinter(plat::utf::FromUtf8(kPrinter),
                                         fs::path(KESM_TEST_DATA) / "kpd" / "kesm_w2_request.kpd", false, note,
                                         dataFile, error))
        << error;
  }
  LayoutReport Check(const char* printer = kPrinter) {
    const int windows = TopWindows();
    const std::size_t blocks = plat::LiveBlocks();
    const std::size_t handles = plat::OpenHandleCount();
    const DWORD gdi = GetGuiResources(nullptr, GR_GDIOBJECTS);
    LayoutReport report;
    std::ostringstream notes;
    std::string error;
    EXPECT_TRUE(kesmsheet::CheckPrinterLayout(printer, report, notes, error)) << error;
    EXPECT_EQ(TopWindows(), windows) << "the check left windows open";
    EXPECT_EQ(plat::LiveBlocks(), blocks) << "the check left blocks allocated";
    EXPECT_EQ(plat::OpenHandleCount(), handles) << "the check left handles open";
    EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), gdi) << "the check left GDI objects";
    return report;
  }

  plat::ScopedMachine machine_;
};

// Prints the counts per dialog (the layout findings the page and sub-dialog
// layouts clear); fails on a layout finding of a cleared dialog.
TEST_F(LayoutCheck, OpensEveryDialogAndCountsItsFindings) {
  const LayoutReport report = Check();
  EXPECT_TRUE(report.failures.empty()) << report.failures.front();
  // Every dialog is looked at, a nested sheet's page asked for as well as
  // the others: each shows controls.
  for (const TCB& tab : fgTCB) {
    const auto looked = report.inspected.find(tab.tabId);
    ASSERT_NE(looked, report.inspected.end()) << "dialog " << tab.tabId;
    EXPECT_GT(looked->second, 0) << "dialog " << tab.tabId << " is counted without a control looked at";
  }
  std::ostringstream printed;
  kesmsheet::PrintLayoutReport(report, false, printed);
  std::cout << printed.str();
  for (const Finding& finding : report.findings) {
    if (kesmsheet::InfoOf(finding.kind).layout) {
      EXPECT_FALSE(kesmsheet::FailsCheck(finding)) << "dialog " << finding.dialog << ": " << finding.what;
    }
  }
}

// The owned kinds already cleared: no string or picture id is missing and
// every list or combo entry shows a text (an owner-drawn list's entry, its
// option's text or picture).
TEST_F(LayoutCheck, NoStringPictureOrEntryTextIsMissing) {
  for (const Finding& finding : Check().findings) {
    const FindingKind kind = finding.kind;
    if (kind == FindingKind::kEmptyEntry || kind == FindingKind::kMissingString ||
        kind == FindingKind::kMissingPicture) {
      ADD_FAILURE() << "dialog " << finding.dialog << " " << kesmsheet::InfoOf(kind).name << ": " << finding.what;
    }
  }
}

// An item that shows nothing says where its text or picture would come
// from: the printer picture's group is in this description with three
// paper options, none a picture; a button that the caption table leaves
// without a caption shows pictures, not text; a status text whose group
// the description leaves out says so.
TEST_F(LayoutCheck, AnEmptyItemSaysWhatItsGroupOffers) {
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"control 2067 ", "(KPD_IDC_BASIC_BMP_PRINTER offers 3 options, 0 with a picture)"},
      {"control 2038", "(a button the caption table leaves without a caption, showing its group's pictures)"},
      {"control 3307", "(KPD_IDC_PRESET_ITEM10 is not in the description)"},
  };
  const LayoutReport report = Check();
  for (const auto& [control, source] : expected) {
    const auto found = std::find_if(report.findings.begin(), report.findings.end(), [&](const Finding& f) {
      return f.what.starts_with(control);
    });
    ASSERT_NE(found, report.findings.end()) << control;
    EXPECT_TRUE(found->what.ends_with(source)) << found->what;
  }
}

// On the sample printer, as kesmprint and kesmsheet install it, every
// control of every page and dialog shows its text, its entries and its
// picture: none of the findings the strings, the pictures and the sample
// own. (The test printer above shows every control, also those the sample
// leaves out, and so keeps picture and text places no description of ours
// fills.)
TEST_F(LayoutCheck, TheSampleShowsEveryTextEntryAndPicture) {
  const LayoutReport report = Check(kesmprint::kSamplePrinter);
  EXPECT_TRUE(report.failures.empty()) << report.failures.front();
  for (const Finding& finding : report.findings) {
    if (!kesmsheet::InfoOf(finding.kind).layout) {
      ADD_FAILURE() << "dialog " << finding.dialog << " " << kesmsheet::InfoOf(finding.kind).name << ": "
                    << finding.what;
    }
  }
}

// A dialog of our own with one fault of each kind the window checks find,
// beside controls that are right: a frame around its controls, a spin on
// its edit, a caption that fits, a picture of two colours.
class MadeDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_ = CreateWindowExW(0, u"Static", u"Made", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(dialog_, nullptr);
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  void TearDown() override {
    if (dialog_ != nullptr) DestroyWindow(dialog_);
    for (HBITMAP picture : pictures_) DeleteObject(picture);
  }
  HWND Add(int id, const char16_t* cls, const char16_t* text, DWORD style, RECT r) {
    HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    return control;
  }
  void Picture(int id, RECT r, bool twoColours) {
    std::vector<std::uint32_t> bits(16 * 16, 0x00336699);
    if (twoColours) std::fill(bits.begin(), bits.begin() + 128, 0x00FFFFFF);
    HBITMAP picture = CreateBitmap(16, 16, 1, 32, bits.data());
    pictures_.push_back(picture);
    HWND control = Add(id, u"Static", nullptr, SS_BITMAP, r);
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  }

  HWND dialog_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<HBITMAP> pictures_;
};

TEST_F(MadeDialog, EachFaultIsFoundAndNothingElse) {
  Add(1, u"Button", u"Paper", BS_GROUPBOX, {5, 5, 200, 120});
  Add(2, u"Button", u"Staple", BS_AUTOCHECKBOX, {15, 25, 120, 40});  // inside its frame, fits
  Add(3, u"Button", u"Print on both sides of the paper", BS_AUTOCHECKBOX, {15, 45, 80, 60});
  Add(4, u"Edit", u"1", ES_AUTOHSCROLL, {15, 65, 60, 85});
  Add(5, u"ScrollBar", nullptr, 1, {58, 65, 70, 85});  // a spin on its edit's edge
  Add(6, u"Button", u"Item 12", 0, {15, 90, 80, 110});
  Add(7, u"Button", u"Func select scale", 0, {210, 10, 390, 30});
  Add(8, u"Button", u"Delete", 0, {210, 25, 280, 45});    // overlaps 7
  Add(9, u"Button", u"Edit...", 0, {350, 280, 450, 300});  // runs out of the dialog
  Add(0xFFFF, u"Static", u"", 0, {210, 60, 300, 75});      // a label without text
  Add(14, u"Static", u"", 0, {300, 60, 390, 75});          // a message the code fills
  HWND combo = Add(11, u"ComboBox", nullptr, CBS_DROPDOWNLIST | CBS_HASSTRINGS, {210, 80, 390, 200});
  for (const char16_t* entry : {u"Letter", u"", u"A4"}) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  Picture(12, {210, 210, 226, 226}, false);
  Picture(13, {240, 210, 256, 226}, true);

  std::vector<Finding> findings;
  EXPECT_EQ(kesmsheet::InspectDialog(dialog_, 1002, nullptr, findings), 14);
  std::vector<std::pair<FindingKind, std::string>> found;
  for (const Finding& f : findings) {
    EXPECT_EQ(f.dialog, 1002);
    found.emplace_back(f.kind, f.what.substr(0, f.what.find(' ', 8)));
  }
  std::sort(found.begin(), found.end());
  const std::vector<std::pair<FindingKind, std::string>> expected = {
      {FindingKind::kTooNarrow, "control 3"},  {FindingKind::kOverlap, "control 7"},
      {FindingKind::kOutside, "control 9"},    {FindingKind::kPlaceholder, "control 6"},
      {FindingKind::kPlaceholder, "control 7"}, {FindingKind::kNoLabel, "control 65535"},
      {FindingKind::kEmptyEntry, "control 11"}, {FindingKind::kFlatPicture, "control 12"},
  };
  EXPECT_EQ(found, expected);
  for (const Finding& f : findings) std::cout << kesmsheet::InfoOf(f.kind).name << ": " << f.what << '\n';
}

TEST(MachineMadeCaptions, PlaceholdersAndSpelledIdentifiersAreToldFromWords) {
  const std::pair<const char16_t*, bool> cases[] = {
      {u"Item 12", true},           {u"Option 1", true},         {u"Radiolist 5", true},
      {u"Func select scale", true}, {u"Ui mode change", true},   {u"Wm id:", true},
      {u"Copies:", false},          {u"2-sided printing", false}, {u"Staple", false},
      {u"Edit...", false},          {u"Items per sheet", false},
  };
  for (const auto& [caption, machineMade] : cases) {
    EXPECT_EQ(kesmsheet::IsMachineMadeCaption(caption), machineMade) << plat::utf::ToUtf8(caption);
  }
}

}  // namespace
