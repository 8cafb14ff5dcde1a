// Property sheets driven as a person drives them: pages of our own
// (compiled by the resource compiler, and one template in memory), a script
// that clicks tabs and the sheet's buttons, and the notifications each page
// saw, in order. A page is made only when first shown; OK asks the current
// page to let go, then every page made so far to apply, until one refuses.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_controls.h"
#include "tests/common/ui_script.h"
#include "tests/platform/install_file.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

constexpr int kPaper = 200;
constexpr int kFinishing = 201;
constexpr int kMargins = 202;
constexpr int kDuplex = 210;
constexpr int kMore = 213;
constexpr int kStaple = 220;

// How a page answers, and its name in the log.
struct PageBehaviour {
  std::string name;
  LONG_PTR apply = PSNRET_NOERROR;
  LONG_PTR killActive = FALSE;
  LONG_PTR queryCancel = FALSE;
};

std::vector<std::string> g_log;
const PROPSHEETPAGEW* g_initParam = nullptr;
INT_PTR g_nested = -2;

std::string CodeName(UINT code) {
  switch (code) {
    case PSN_SETACTIVE: return "SETACTIVE";
    case PSN_KILLACTIVE: return "KILLACTIVE";
    case PSN_APPLY: return "APPLY";
    case PSN_RESET: return "RESET";
    case PSN_HELP: return "HELP";
    case PSN_QUERYCANCEL: return "QUERYCANCEL";
    default: return std::to_string(code);
  }
}

LONG_PTR AnswerOf(const PageBehaviour& b, UINT code) {
  if (code == PSN_APPLY) return b.apply;
  if (code == PSN_KILLACTIVE) return b.killActive;
  if (code == PSN_QUERYCANCEL) return b.queryCancel;
  return 0;
}

INT_PTR RunNestedSheet(HWND page);

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    g_initParam = description;
    SetWindowLongPtrW(page, DWLP_USER, description->lParam);
    g_log.push_back(reinterpret_cast<PageBehaviour*>(description->lParam)->name + ":INIT");
    return TRUE;
  }
  auto* behaviour = reinterpret_cast<PageBehaviour*>(GetWindowLongPtrW(page, DWLP_USER));
  if (behaviour == nullptr) return FALSE;
  if (message == WM_NOTIFY) {
    const auto* notify = reinterpret_cast<const PSHNOTIFY*>(lParam);
    std::string entry = behaviour->name + ":" + CodeName(notify->hdr.code);
    if (notify->hdr.code == PSN_APPLY || notify->hdr.code == PSN_RESET) entry += "(" + std::to_string(notify->lParam) + ")";
    g_log.push_back(entry);
    EXPECT_EQ(notify->hdr.hwndFrom, GetParent(page));
    SetWindowLongPtrW(page, DWLP_MSGRESULT, AnswerOf(*behaviour, notify->hdr.code));
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (LOWORD(wParam) == kDuplex) SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
    if (LOWORD(wParam) == kMore) g_nested = RunNestedSheet(page);
    return TRUE;
  }
  return FALSE;
}

PROPSHEETPAGEW Describe(HMODULE module, int id, PageBehaviour* behaviour) {
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof page;
  page.dwFlags = PSP_HASHELP;
  page.hInstance = module;
  page.pszTemplate = MAKEINTRESOURCEW(id);
  page.pfnDlgProc = PageProc;
  page.lParam = reinterpret_cast<LPARAM>(behaviour);
  return page;
}

HMODULE g_module = nullptr;
PageBehaviour g_margins{"Margins"};

INT_PTR RunNestedSheet(HWND page) {
  PROPSHEETPAGEW description = Describe(g_module, kMargins, &g_margins);
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  header.hwndParent = page;
  header.pszCaption = reinterpret_cast<LPCWSTR>(u"Inner");
  header.nPages = 1;
  header.ppsp = &description;
  return PropertySheetW(&header);
}

class PropertySheetTest : public WindowTest {
 public:
  plat::ScopedMachine machine;
  PageBehaviour paper{"Paper"};
  PageBehaviour finishing{"Finishing"};
  PROPSHEETPAGEW pages[2]{};
  PROPSHEETHEADERW header{};
  const WindowRef sheet = WindowRef::Top(u"Printing");

  void SetUp() override {
    WindowTest::SetUp();
    g_log.clear();
    g_initParam = nullptr;
    g_nested = -2;
    g_margins = PageBehaviour{"Margins"};
    InstallFile(KESM_TEST_SHEETS, "Windows/System32/SHEETS.DLL");
    g_module = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"sheets.dll"));
    ASSERT_NE(g_module, nullptr);
    pages[0] = Describe(g_module, kPaper, &paper);
    pages[1] = Describe(g_module, kFinishing, &finishing);
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP;
    header.pszCaption = reinterpret_cast<LPCWSTR>(u"Printing");
    header.nPages = 2;
    header.ppsp = pages;
  }
  void TearDown() override {
    if (g_module != nullptr) FreeLibrary(g_module);
    WindowTest::TearDown();
  }
  static HWND Page(HWND window) {
    return reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
};

using Log = std::vector<std::string>;

TEST_F(PropertySheetTest, OkAppliesEveryPageMadeInOrderAfterTheCurrentLetsGo) {
  UiScript script;
  script.tab(sheet, 1).press(sheet, IDOK);
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:KILLACTIVE", "Finishing:INIT",
                        "Finishing:SETACTIVE", "Finishing:KILLACTIVE", "Paper:APPLY(1)", "Finishing:APPLY(1)"}));
}

TEST_F(PropertySheetTest, APageIsMadeOnlyWhenFirstShown) {
  UiScript script;
  script.check("only the start page exists", [&] {
    EXPECT_NE(GetDlgItem(Page(sheet.Resolve()), kDuplex), nullptr);
    EXPECT_EQ(GetDlgItem(sheet.Resolve(), kStaple), nullptr);
    EXPECT_EQ(FindWindowExW(sheet.Resolve(), nullptr, nullptr, reinterpret_cast<LPCWSTR>(u"Finishing")), nullptr);
  });
  script.press(sheet, IDOK);
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:KILLACTIVE", "Paper:APPLY(1)"}));
}

// The start page is the first made; one past the pages means the first.
TEST_F(PropertySheetTest, TheStartPageIsTheFirstMade) {
  for (UINT start : {1u, 2u}) {
    SCOPED_TRACE(start);
    g_log.clear();
    header.nStartPage = start;
    UiScript script;
    script.press(sheet, IDOK);
    EXPECT_EQ(PropertySheetW(&header), 1);
    EXPECT_EQ(g_log.front(), start == 1 ? "Finishing:INIT" : "Paper:INIT");
  }
}

// The page's WM_INITDIALOG gets the sheet's own copy of its description,
// with whatever its maker appended.
TEST_F(PropertySheetTest, APageGetsTheSheetsCopyOfItsDescription) {
  struct Extended {
    PROPSHEETPAGEW page;
    char tail[8];
  } extended{};
  extended.page = Describe(g_module, kPaper, &paper);
  extended.page.dwSize = sizeof extended;
  std::memcpy(extended.tail, "kesmtail", 8);
  PROPSHEETPAGEW copy = Describe(g_module, kFinishing, &finishing);
  HPROPSHEETPAGE handles[2] = {CreatePropertySheetPageW(&extended.page), CreatePropertySheetPageW(&copy)};
  ASSERT_NE(handles[0], nullptr);
  ASSERT_NE(handles[1], nullptr);
  header.dwFlags = PSH_NOAPPLYNOW;
  header.phpage = handles;
  UiScript script;
  script.check("the copy", [&] {
    ASSERT_NE(g_initParam, nullptr);
    EXPECT_NE(static_cast<const void*>(g_initParam), static_cast<const void*>(&extended));
    EXPECT_EQ(g_initParam->dwSize, sizeof extended);
    EXPECT_EQ(g_initParam->lParam, reinterpret_cast<LPARAM>(&paper));
    EXPECT_EQ(std::memcmp(reinterpret_cast<const Extended*>(g_initParam)->tail, "kesmtail", 8), 0);
    EXPECT_EQ(GetDlgItem(sheet.Resolve(), IDC_APPLYNOW), nullptr);  // PSH_NOAPPLYNOW
  });
  script.press(sheet, IDCANCEL);
  EXPECT_EQ(PropertySheetW(&header), 0);
  // The sheet took the pages and freed them.
  SetLastError(0);
  EXPECT_FALSE(DestroyPropertySheetPage(handles[0]));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// A refusal of PSN_APPLY stops the pages after it and keeps the sheet:
// PSNRET_INVALID shows the refusing page, PSNRET_INVALID_NOCHANGEPAGE
// keeps the page that was shown. The second OK, with the refusal lifted,
// closes the sheet.
TEST_F(PropertySheetTest, ARefusedApplyStopsAndKeepsTheSheet) {
  struct Case {
    const char* what;
    LONG_PTR paperAnswer;
    LONG_PTR finishingAnswer;
    int shownAfter;
    Log applied;
  };
  const Case cases[] = {
      {"first refuses, keep", PSNRET_INVALID_NOCHANGEPAGE, PSNRET_NOERROR, 1, {"Paper:APPLY(1)"}},
      {"first refuses, show it", PSNRET_INVALID, PSNRET_NOERROR, 0, {"Paper:APPLY(1)"}},
      {"second refuses, keep", PSNRET_NOERROR, PSNRET_INVALID_NOCHANGEPAGE, 1,
       {"Paper:APPLY(1)", "Finishing:APPLY(1)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_log.clear();
    paper.apply = c.paperAnswer;
    finishing.apply = c.finishingAnswer;
    UiScript script;
    script.tab(sheet, 1).press(sheet, IDOK).check("still open", [&] {
      Log applied;
      for (const std::string& e : g_log) {
        if (e.find("APPLY") != std::string::npos) applied.push_back(e);
      }
      EXPECT_EQ(applied, c.applied);
      HWND window = sheet.Resolve();
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(SendMessageW(window, PSM_GETTABCONTROL, 0, 0)), TCM_GETCURSEL,
                             0, 0),
                c.shownAfter);
      EXPECT_TRUE(IsWindowVisible(Page(window)));
      paper.apply = PSNRET_NOERROR;
      finishing.apply = PSNRET_NOERROR;
    });
    script.press(sheet, IDOK);
    EXPECT_EQ(PropertySheetW(&header), 1);
    EXPECT_TRUE(script.done());
  }
}

// The current page may refuse to be left: no tab change, no apply.
TEST_F(PropertySheetTest, APageThatWillNotLetGoKeepsItsTabAndStopsOk) {
  paper.killActive = TRUE;
  UiScript script;
  script.tab(sheet, 1).press(sheet, IDOK).check("still on the first page", [&] {
    EXPECT_EQ(GetDlgItem(Page(sheet.Resolve()), kDuplex) != nullptr, true);
    paper.killActive = FALSE;
  });
  script.press(sheet, IDCANCEL);
  EXPECT_EQ(PropertySheetW(&header), 0);
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:KILLACTIVE", "Paper:KILLACTIVE",
                        "Paper:QUERYCANCEL", "Paper:RESET(0)"}));
}

TEST_F(PropertySheetTest, CancelAsksTheCurrentPageThenResetsEveryPageMade) {
  finishing.queryCancel = TRUE;
  UiScript script;
  script.tab(sheet, 1).press(sheet, IDCANCEL).check("the page kept the sheet", [&] {
    EXPECT_NE(sheet.Resolve(), nullptr);
    finishing.queryCancel = FALSE;
  });
  script.press(sheet, IDCANCEL);
  EXPECT_EQ(PropertySheetW(&header), 0);
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:KILLACTIVE", "Finishing:INIT",
                        "Finishing:SETACTIVE", "Finishing:QUERYCANCEL", "Finishing:QUERYCANCEL", "Paper:RESET(0)",
                        "Finishing:RESET(0)"}));
}

// Apply is enabled by a change a page reports, applies without closing
// (PSHNOTIFY lParam FALSE) and is disabled again; the sheet then answers 1
// even when it ends with Cancel.
TEST_F(PropertySheetTest, ApplyFollowsTheChangesAPageReports) {
  const auto applyEnabled = [&] { return IsWindowEnabled(GetDlgItem(sheet.Resolve(), IDC_APPLYNOW)) != FALSE; };
  UiScript script;
  script.check("nothing changed yet", [&] { EXPECT_FALSE(applyEnabled()); })
      .click(WindowRef::Item(WindowRef::Page(sheet), kDuplex))
      .check("a change was reported", [&] { EXPECT_TRUE(applyEnabled()); })
      .press(sheet, IDC_APPLYNOW)
      .check("applied, still open", [&] {
        EXPECT_FALSE(applyEnabled());
        EXPECT_NE(sheet.Resolve(), nullptr);
      })
      .press(sheet, IDCANCEL);
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:KILLACTIVE", "Paper:APPLY(0)", "Paper:QUERYCANCEL",
                        "Paper:RESET(0)"}));
}

// A page opens a sheet of its own: the outer sheet is disabled until the
// inner one ends, and the inner one's answer reaches the page.
TEST_F(PropertySheetTest, APageCanOpenASheetOfItsOwn) {
  const WindowRef inner = WindowRef::Top(u"Inner");
  UiScript script;
  script.click(WindowRef::Item(WindowRef::Page(sheet), kMore))
      .check("the outer sheet waits", [&] {
        EXPECT_FALSE(IsWindowEnabled(sheet.Resolve()));
        EXPECT_NE(inner.Resolve(), nullptr);
      })
      .press(inner, IDOK)
      .check("the outer sheet is back", [&] {
        EXPECT_TRUE(IsWindowEnabled(sheet.Resolve()));
        EXPECT_EQ(g_nested, 1);
      })
      .press(sheet, IDOK);
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Margins:INIT", "Margins:SETACTIVE", "Margins:KILLACTIVE",
                        "Margins:APPLY(1)", "Paper:KILLACTIVE", "Paper:APPLY(1)"}));
}

// Ctrl+Tab and Ctrl+Shift+Tab move between the tabs as clicks would.
TEST_F(PropertySheetTest, ControlTabMovesBetweenPages) {
  UiScript script;
  script.key(VK_TAB, MK_CONTROL)
      .check("on the second page", [&] { EXPECT_NE(GetDlgItem(Page(sheet.Resolve()), kStaple), nullptr); })
      .key(VK_TAB, MK_CONTROL | MK_SHIFT)
      .check("back on the first", [&] { EXPECT_NE(GetDlgItem(Page(sheet.Resolve()), kDuplex), nullptr); })
      .press(sheet, IDCANCEL);
  EXPECT_EQ(PropertySheetW(&header), 0);
  EXPECT_TRUE(script.done());
}

// A page told to press OK (PSM_PRESSBUTTON) closes the sheet as a click
// would; PSM_SETCURSEL asks the current page first.
TEST_F(PropertySheetTest, PagesDriveTheSheetThroughItsMessages) {
  UiScript script;
  script.check("choose the second page", [&] {
    HWND window = sheet.Resolve();
    EXPECT_EQ(SendMessageW(window, PSM_SETCURSEL, 1, 0), TRUE);
    EXPECT_NE(GetDlgItem(Page(window), kStaple), nullptr);
    EXPECT_EQ(SendMessageW(window, PSM_SETCURSEL, 7, 0), FALSE);
    PostMessageW(window, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:KILLACTIVE", "Finishing:INIT", "Finishing:SETACTIVE",
                        "Finishing:KILLACTIVE", "Paper:APPLY(1)", "Finishing:APPLY(1)"}));
}

// A page may put a button of its own beside OK and take OK's id away
// (as a page that saves before it accepts does): the sheet hands the new
// button's command to the page, and OK pressed through PSM_PRESSBUTTON still
// accepts.
constexpr int kSaveFirst = 11111;
std::vector<WPARAM> g_commands;
INT_PTR CALLBACK RelabellingProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    HWND ok = GetDlgItem(GetParent(page), IDOK);
    SetWindowLongPtrW(ok, GWLP_ID, kSaveFirst);
    SetWindowTextW(ok, reinterpret_cast<LPCWSTR>(u"Save"));
  }
  if (message == WM_COMMAND && LOWORD(wParam) == kSaveFirst) {
    g_commands.push_back(wParam);
    PostMessageW(GetParent(page), PSM_PRESSBUTTON, PSBTN_OK, 0);
    return TRUE;
  }
  return PageProc(page, message, wParam, lParam);
}

TEST_F(PropertySheetTest, ACommandOfAButtonAPagePutOnTheSheetGoesToThePage) {
  g_commands.clear();
  pages[0].pfnDlgProc = RelabellingProc;
  UiScript script;
  script.click(WindowRef::Item(sheet, kSaveFirst));
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(g_commands, (std::vector<WPARAM>{MAKEWPARAM(kSaveFirst, BN_CLICKED)}));
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:KILLACTIVE", "Paper:APPLY(1)"}));
}

// A page from a template in memory, titled by its maker; the page's maker
// hears of the record's life (ADDREF, CREATE when first shown, RELEASE).
std::vector<UINT> g_callbacks;
UINT CALLBACK PageCallback(HWND, UINT message, PROPSHEETPAGEW*) {
  g_callbacks.push_back(message);
  return 1;
}

TEST_F(PropertySheetTest, InMemoryPagesTitlesAndPageCallbacks) {
  // One checkbox in a classic template: 18 bytes, menu, class, title, font,
  // then the item on a DWORD boundary.
  alignas(4) WORD words[64] = {};
  DLGTEMPLATE fixed{WS_POPUP | WS_CAPTION | DS_SETFONT, 0, 1, 0, 0, 100, 40};
  std::memcpy(words, &fixed, sizeof fixed);
  std::size_t at = sizeof fixed / 2;
  words[at++] = 0;  // menu
  words[at++] = 0;  // class
  for (char16_t c : std::u16string(u"Mem")) words[at++] = c;
  words[at++] = 0;
  words[at++] = 8;
  for (char16_t c : std::u16string(u"Shell Dlg")) words[at++] = c;
  words[at++] = 0;
  if (at % 2 != 0) ++at;
  DLGITEMTEMPLATE item{BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 60, 10, 240};
  std::memcpy(words + at, &item, sizeof item);
  at += sizeof item / 2;
  words[at++] = 0xFFFF;
  words[at++] = 0x0080;  // Button
  for (char16_t c : std::u16string(u"Toner")) words[at++] = c;
  words[at++] = 0;
  words[at++] = 0;  // no creation data
  PageBehaviour memory{"Memory"};
  PROPSHEETPAGEW page = Describe(nullptr, 0, &memory);
  page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE | PSP_USECALLBACK;
  page.pResource = words;
  page.pszTitle = reinterpret_cast<LPCWSTR>(u"Toner");
  page.pfnCallback = PageCallback;
  g_callbacks.clear();
  HPROPSHEETPAGE handles[2] = {CreatePropertySheetPageW(&pages[0]), CreatePropertySheetPageW(&page)};
  ASSERT_NE(handles[1], nullptr);
  EXPECT_EQ(g_callbacks, (std::vector<UINT>{PSPCB_ADDREF}));
  header.dwFlags = 0;
  header.phpage = handles;
  UiScript script;
  script.check("the tab's title", [&] {
    WCHAR text[16] = {};
    TCITEMW tab{TCIF_TEXT, 0, 0, text, 16, 0, 0};
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet.Resolve(), PSM_GETTABCONTROL, 0, 0));
    EXPECT_TRUE(SendMessageW(tabs, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&tab)));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"Toner");
    EXPECT_TRUE(SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tab)));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"Paper");  // the template's caption
  });
  script.tab(sheet, 1)
      .check("the page in memory", [&] { EXPECT_NE(GetDlgItem(Page(sheet.Resolve()), 240), nullptr); })
      .press(sheet, IDOK);
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_EQ(g_callbacks, (std::vector<UINT>{PSPCB_ADDREF, PSPCB_CREATE, PSPCB_RELEASE}));
}

// A maker that refuses its page's dialog (PSPCB_CREATE answered 0) keeps
// the sheet on the page it showed, tab and all.
UINT CALLBACK RefusingCallback(HWND, UINT message, PROPSHEETPAGEW*) { return message == PSPCB_CREATE ? 0 : 1; }

TEST_F(PropertySheetTest, APageItsMakerRefusesIsNotShown) {
  pages[1].dwFlags |= PSP_USECALLBACK;
  pages[1].pfnCallback = RefusingCallback;
  UiScript script;
  script.tab(sheet, 1).check("still the first page", [&] {
    HWND window = sheet.Resolve();
    EXPECT_NE(GetDlgItem(Page(window), kDuplex), nullptr);
    EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(SendMessageW(window, PSM_GETTABCONTROL, 0, 0)), TCM_GETCURSEL, 0, 0),
              0);
  });
  script.press(sheet, IDOK);
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:KILLACTIVE", "Paper:KILLACTIVE", "Paper:APPLY(1)"}));
}

TEST_F(PropertySheetTest, BadDescriptionsAreRefusedNamingTheFault) {
  SetLastError(0);
  EXPECT_EQ(CreatePropertySheetPageW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  PROPSHEETPAGEW page = pages[0];
  page.dwSize = PROPSHEETPAGEW_V1_SIZE - 1;
  EXPECT_EQ(CreatePropertySheetPageW(&page), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  page = pages[0];
  page.pszTemplate = MAKEINTRESOURCEW(999);
  EXPECT_EQ(CreatePropertySheetPageW(&page), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_FALSE(DestroyPropertySheetPage(nullptr));

  EXPECT_EQ(PropertySheetW(nullptr), -1);
  PROPSHEETHEADERW bad = header;
  bad.nPages = 0;
  SetLastError(0);
  EXPECT_EQ(PropertySheetW(&bad), -1);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  bad = header;
  bad.dwFlags |= PSH_WIZARD;
  EXPECT_EQ(PropertySheetW(&bad), -1);
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  // A page that cannot be made fails the sheet before anything is shown.
  PROPSHEETPAGEW broken[2] = {pages[0], pages[1]};
  broken[1].pszTemplate = MAKEINTRESOURCEW(999);
  bad = header;
  bad.ppsp = broken;
  EXPECT_EQ(PropertySheetW(&bad), -1);
  EXPECT_TRUE(g_log.empty());
}

// The sheet as a person sees it: each page written as a PNG, into the
// KESM_DUMP_WINDOWS folder when one is named (for a look), else into a
// folder of this process that goes again.
TEST_F(PropertySheetTest, TheSheetIsDrawn) {
  const char* dump = std::getenv("KESM_DUMP_WINDOWS");
  const std::filesystem::path folder =
      dump != nullptr ? std::filesystem::path(dump)
                      : std::filesystem::temp_directory_path() / ("kesm-sheet-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  UiScript script;
  script.check("first page", [&] { EXPECT_TRUE(plat::window::WriteWindowPng(sheet.Resolve(), folder / "paper.png")); })
      .click(WindowRef::Item(WindowRef::Page(sheet), kDuplex))
      .tab(sheet, 1)
      .check("second page", [&] {
        EXPECT_TRUE(plat::window::WriteWindowPng(sheet.Resolve(), folder / "finishing.png"));
      })
      .press(sheet, IDOK);
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_GT(std::filesystem::file_size(folder / "paper.png"), 0u);
  EXPECT_GT(std::filesystem::file_size(folder / "finishing.png"), 0u);
  if (dump == nullptr) std::filesystem::remove_all(folder);
}

TEST_F(PropertySheetTest, HelpGoesToTheCurrentPage) {
  UiScript script;
  script.press(sheet, IDHELP).press(sheet, IDCANCEL);
  EXPECT_EQ(PropertySheetW(&header), 0);
  EXPECT_EQ(g_log, (Log{"Paper:INIT", "Paper:SETACTIVE", "Paper:HELP", "Paper:QUERYCANCEL", "Paper:RESET(0)"}));
}

}  // namespace
}  // namespace kesm_test
