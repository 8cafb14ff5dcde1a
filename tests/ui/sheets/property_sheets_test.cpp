// The document and printer sheets of the W2 printer as the spooler's calls
// open them: one page per tab the description shows (every page written
// as a picture), the settings OK hands out and Cancel keeps back, the
// printer data the printer sheet writes, the old printer-properties call,
// and the reasons the host may call with.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "jobsettings/devmode/runtime_flags.h"
#include "platform/modules/builtin_modules.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/shared_files.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr WORD kOptionsPage = 1011;
constexpr int kSortBox = 3388;  // kdmFuncSelectSort: bit 6 of the word at 436
constexpr int kServerLogCodeBox = 3495;  // kdmServerLogCode, printer data "ServerUse"

struct SheetPages {
  const char* kind;
  std::vector<std::u16string> tabs;
  std::vector<WORD> dialogs;
};

const SheetPages kDocumentPages{
    "document",
    {u"Preset", u"Basic", u"Edit", u"Finish", u"Cover and mark", u"Others", u"Print quality", u"Initial settings"},
    {1001, 1002, 1003, 1004, 1042, 1005, 1006, 1010}};
const SheetPages kPrinterPages{
    "printer", {u"Options", u"Fonts", u"User code", u"Output trays"}, {1011, 1009, 1008, 1015}};

class PropertySheets : public SheetMachine {
 protected:
  // Visits every page, checks it is its tab's and writes its picture, then
  // leaves with Cancel.
  void VisitEveryPage(UiScript& script, const SheetPages& pages) {
    // The steps run later, in the sheet's loop: they keep copies.
    const std::filesystem::path folder = PictureFolder();
    script.check("one tab per shown page", [pages] { EXPECT_EQ(TabTexts(Sheet().Resolve()), pages.tabs); });
    for (std::size_t i = 0; i < pages.dialogs.size(); ++i) {
      script.tab(Sheet(), static_cast<int>(i)).check("page " + std::to_string(pages.dialogs[i]), [folder, pages, i] {
        HWND page = WindowRef::Page(Sheet()).Resolve();
        UCB* ucb = ContextOfPage(page);
        ASSERT_NE(ucb, nullptr);
        EXPECT_EQ(ucb->wCurrentDialog, pages.dialogs[i]);
        EXPECT_EQ(GetTCBbyTabID(ucb, pages.dialogs[i])->hWnd, page);
        EXPECT_TRUE(IsWindowEnabled(page));
        const std::string name = std::string(pages.kind) + "-" + std::to_string(pages.dialogs[i]) + ".png";
        EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / name));
      });
    }
    script.press(Sheet(), IDCANCEL);
  }

  // A DEVMODE of the driver's own sizes as the printer hands it out.
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }

  static int SortBit(const Bytes& dm) { return (dm[436] >> 6) & 1; }

  BYTE ServerLogCode() {
    BYTE value = 0;
    DWORD type = 0;
    DWORD needed = 0;
    GetPrinterDataW(printer_, u"ServerUse", &type, &value, sizeof value, &needed);
    return value;
  }
};

TEST_F(PropertySheets, EachSheetShowsOnePagePerTabOfItsKind) {
  const DWORD open = OpenContexts();
  {
    Bytes out = Filled(kDriverDevmode);
    UiScript script;
    VisitEveryPage(script, kDocumentPages);
    EXPECT_EQ(DocumentSheet(out, nullptr, DM_COPY), IDCANCEL);
    EXPECT_TRUE(script.done());
  }
  {
    UiScript script;
    AnswerOptionsNotice(script);
    VisitEveryPage(script, kPrinterPages);
    EXPECT_FALSE(PrinterProperties(nullptr, printer_));
    EXPECT_TRUE(script.done());
  }
  EXPECT_EQ(OpenContexts(), open);
}

class HiddenFontsPage : public PropertySheets {
 protected:
  const char* Description() const override { return "kesm_w2_hidden_fonts.kpd"; }
};

TEST_F(HiddenFontsPage, ATabTheDescriptionHidesGetsNoPage) {
  UiScript script;
  AnswerOptionsNotice(script);
  VisitEveryPage(script, SheetPages{"hidden", {u"Options", u"User code", u"Output trays"}, {1011, 1008, 1015}});
  EXPECT_FALSE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(script.done());
}

// OK hands the merged settings out as the caller asked, with what the
// person changed on the pages (sorting ticked on the finishing page);
// Cancel leaves the caller's buffer as it was.
TEST_F(PropertySheets, OkHandsTheSettingsOutCancelKeepsThemBack) {
  Bytes in = Default();
  ASSERT_EQ(SortBit(in), 0);
  Dm(in)->dmCopies = 5;
  Dm(in)->dmFields |= DM_COPIES;
  struct Case {
    const char* how;
    int button;
    LONG answer;
  };
  const Case cases[] = {{"OK", IDOK, IDOK}, {"Cancel", IDCANCEL, IDCANCEL}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    Bytes out = Filled(kDriverDevmode);
    const DWORD open = OpenContexts();
    UiScript script;
    script.tab(Sheet(), 3)
        .click(WindowRef::Item(WindowRef::Page(Sheet()), kSortBox))
        .tab(Sheet(), 1)
        .press(Sheet(), c.button);
    EXPECT_EQ(DocumentSheet(out, &in, DM_COPY | DM_MODIFY), c.answer);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(OpenContexts(), open);
    if (c.button == IDOK) {
      EXPECT_EQ(Dm(out)->dmSize, 220);
      EXPECT_EQ(Dm(out)->dmDriverExtra, 1016);
      EXPECT_EQ(Dm(out)->dmCopies, 5);
      EXPECT_EQ(SortBit(out), 1);
    } else {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

// A person ticks "The print server asks for a user code" on the user-code
// page; OK writes it into printer data, Cancel does not.
TEST_F(PropertySheets, ThePrinterSheetWritesPrinterDataOnlyWhenAccepted) {
  const BYTE before = ServerLogCode();
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    UiScript script;
    AnswerOptionsNotice(script);
    script.tab(Sheet(), 2)
        .click(WindowRef::Item(WindowRef::Page(Sheet()), kServerLogCodeBox))
        .press(Sheet(), button);
    EXPECT_EQ(PrinterProperties(nullptr, printer_), button == IDOK ? TRUE : FALSE);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(ServerLogCode(), button == IDOK ? before ^ 1 : before);
  }
}

// The options page is also a dialog of its own, with its own OK: in the
// sheet that button would close nothing, so the page does not show it; the
// sheet's OK accepts the page.
TEST_F(PropertySheets, ADialogsOwnOkIsNotShownOnItsSheetPage) {
  UiScript script;
  AnswerOptionsNotice(script);
  script
      .check("the page shows no OK of its own",
             [&] {
               HWND page = WindowRef::Page(Sheet()).Resolve();
               UCB* ucb = ContextOfPage(page);
               ASSERT_NE(ucb, nullptr);
               EXPECT_EQ(GetTCBbyTabID(ucb, kOptionsPage)->hWnd, page);
               HWND own = GetDlgItem(page, IDOK);
               ASSERT_NE(own, nullptr);
               EXPECT_FALSE(IsWindowVisible(own));
               EXPECT_FALSE(IsWindowEnabled(own));
               EXPECT_TRUE(IsWindowVisible(GetDlgItem(Sheet().Resolve(), IDOK)));
             })
      .press(Sheet(), IDOK);
  EXPECT_TRUE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(script.done());
}

// The old call: TRUE for OK, FALSE for Cancel; a user who may not write
// printer data gets the sheet without the right to change the printer.
TEST_F(PropertySheets, PrinterPropertiesAnswersTheUsersChoice) {
  UiScript script;
  AnswerOptionsNotice(script);
  script.press(Sheet(), IDOK);
  EXPECT_TRUE(PrinterProperties(nullptr, printer_));
  AnswerOptionsNotice(script);
  script.check("the printer may be changed", [&] {
    UCB* ucb = ContextOfPage(WindowRef::Page(Sheet()).Resolve());
    ASSERT_NE(ucb, nullptr);
    EXPECT_EQ(GetKDMNoPermission(ucb), 0u);
    EXPECT_EQ(ucb->pWork->sheet.dwPermission, 1u);
  });
  script.press(Sheet(), IDCANCEL);
  EXPECT_FALSE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(script.done());
  DWORD type = 0;
  DWORD permission = 0;
  DWORD needed = 0;
  EXPECT_EQ(GetPrinterDataW(printer_, u"Permission", &type, reinterpret_cast<LPBYTE>(&permission), 4, &needed),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(permission, 1u);
}

TEST_F(PropertySheets, AUserWhoMayNotWritePrinterDataLooksWithoutChanging) {
  HANDLE reader = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  ASSERT_TRUE(OpenPrinterW(kPrinter, &reader, &defaults));
  UiScript script;
  script
      .check("the sheet knows",
             [&] {
               UCB* ucb = ContextOfPage(WindowRef::Page(Sheet()).Resolve());
               ASSERT_NE(ucb, nullptr);
               EXPECT_EQ(GetKDMNoPermission(ucb), 1u);
               EXPECT_EQ(ucb->pWork->sheet.dwPermission, 0u);
             })
      .press(Sheet(), IDCANCEL);
  EXPECT_FALSE(PrinterProperties(nullptr, reader));
  EXPECT_TRUE(script.done());
  ClosePrinter(reader);
}

// Without the property-sheet host there is no sheet and no answer of the
// user: the call fails and says why, rather than report an OK.
TEST_F(PropertySheets, PrinterPropertiesFailsWhenNoSheetCanBeShown) {
  {
    plat::RegisterBuiltinModule(u"compstui.dll", {});
    struct Restore {
      ~Restore() { plat::RegisterBuiltinModule(u"compstui.dll", plat::CompstuiExports()); }
    } restore;
    SetLastError(0);
    EXPECT_FALSE(PrinterProperties(nullptr, printer_));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  HANDLE closed = nullptr;
  ASSERT_TRUE(OpenPrinterW(kPrinter, &closed, nullptr));
  ASSERT_TRUE(ClosePrinter(closed));
  const DWORD open = OpenContexts();
  EXPECT_FALSE(PrinterProperties(nullptr, closed));
  EXPECT_EQ(OpenContexts(), open);
}

// The device said where its default trays are, and the document has not
// taken them yet: even Cancel hands the settings out with those trays,
// and they count as taken.
TEST_F(PropertySheets, CancelStillHandsOutTheDefaultTraysTheDeviceReported) {
  const DWORD answered = 1;
  ASSERT_EQ(SetPrinterDataW(printer_, u"BidiFlag", REG_BINARY, reinterpret_cast<const BYTE*>(&answered), 4),
            static_cast<DWORD>(ERROR_SUCCESS));
  Bytes out = Filled(kDriverDevmode);
  UiScript script;
  script.press(Sheet(), IDCANCEL);
  EXPECT_EQ(DocumentSheet(out, nullptr, DM_COPY), IDOK);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(Dm(out)->dmSize, 220);
  DWORD taken = 0;
  DWORD type = 0;
  DWORD needed = 0;
  EXPECT_EQ(GetPrinterDataW(printer_, u"BidiExFlag", &type, reinterpret_cast<LPBYTE>(&taken), 4, &needed),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(taken & 1, 1u);
  // Taken once, the trays are the user's: the next Cancel hands nothing out.
  Bytes again = Filled(kDriverDevmode);
  UiScript next;
  next.press(Sheet(), IDCANCEL);
  EXPECT_EQ(DocumentSheet(again, nullptr, DM_COPY), IDCANCEL);
  EXPECT_EQ(again, Filled(kDriverDevmode));
}

// The reasons outside a running sheet: a title before INIT, the reserved
// reason 4, and later reasons, which only a sheet's context answers.
TEST_F(PropertySheets, ReasonsWithoutASheetAreRefused) {
  DOCUMENTPROPERTYHEADER document{sizeof document, 0, printer_, const_cast<LPWSTR>(kPrinter), nullptr, nullptr, 0,
                                  DM_COPY};
  DEVICEPROPERTYHEADER device{sizeof device, 0, printer_, const_cast<LPWSTR>(kPrinter)};
  PROPSHEETUI_INFO_HEADER title{sizeof title, 0, nullptr, nullptr, nullptr, 0};
  struct Case {
    WORD reason;
    ULONG_PTR userData;
    LONG expected;
  };
  const Case cases[] = {{PROPSHEETUI_REASON_GET_INFO_HEADER, 0, -1}, {PROPSHEETUI_REASON_DESTROY, 0, -1},
                        {4, 0, -1}, {5, 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    PROPSHEETUI_INFO info{sizeof info, 0x100, 0, c.reason, nullptr, nullptr, reinterpret_cast<LPARAM>(&document),
                          c.userData, 0};
    EXPECT_EQ(DrvDocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&title)), c.expected);
    info.lParamInit = reinterpret_cast<LPARAM>(&device);
    EXPECT_EQ(DrvDevicePropertySheets(&info, reinterpret_cast<LPARAM>(&title)), c.expected);
  }
  EXPECT_EQ(title.pTitle, nullptr);
  PROPSHEETUI_INFO noHeader{sizeof noHeader, 0x100, 0, PROPSHEETUI_REASON_INIT, nullptr, nullptr, 0, 0, 0};
  EXPECT_EQ(DrvDevicePropertySheets(&noHeader, 0), -1);
  EXPECT_EQ(DrvDevicePropertySheets(nullptr, reinterpret_cast<LPARAM>(&device)), -1);
}

// While a sheet runs, its title is the printer's and later reasons are
// answered.
TEST_F(PropertySheets, ARunningSheetNamesItselfAfterThePrinter) {
  PROPSHEETUI_INFO_HEADER title{sizeof title, 0, nullptr, nullptr, nullptr, 0};
  LONG later = 0;
  SheetHooks hooks;
  hooks.afterInit = [&](UCB* ucb) {
    DEVICEPROPERTYHEADER device{sizeof device, 0, printer_, nullptr};
    PROPSHEETUI_INFO info{sizeof info, 0x100, 0, PROPSHEETUI_REASON_GET_INFO_HEADER, nullptr, nullptr,
                          reinterpret_cast<LPARAM>(&device), reinterpret_cast<ULONG_PTR>(ucb), 0};
    EXPECT_EQ(DrvDevicePropertySheets(&info, reinterpret_cast<LPARAM>(&title)), 1);
    info.Reason = 7;
    later = DrvDevicePropertySheets(&info, 0);
  };
  UiScript script;
  AnswerOptionsNotice(script);
  script.press(Sheet(), IDCANCEL);
  LONG result = -1;
  EXPECT_EQ(HookedDeviceSheet(hooks, &result), CPSUI_OK);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(title.pTitle != nullptr ? title.pTitle : u"")),
            kPrinter);
  EXPECT_EQ(title.Flags, PSUIHDRF_PROPTITLE | PSUIHDRF_NOAPPLYNOW);
  EXPECT_EQ(title.IconID, 64082u);
  EXPECT_EQ(later, 1);
}

}  // namespace
}  // namespace ui_test
