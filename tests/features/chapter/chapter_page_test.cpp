// The chapter dialog as a person works it: the document sheet of the C9
// chapter printer opened through the property-sheet host, the chapter
// dialog opened from its button on the cover-and-mark page, pages typed
// and added, trays and kinds picked, OK; then the chapter list the context
// keeps, the refusals shown, and what the sheet handed out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/chapter/chapter_store.h"
#include "features/chapter_blocks.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/files/winpath.h"
#include "platform/profile/winprofile.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/features/chapter/chapter_sheet.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

struct Chapter {
  int page;
  int tray;
  int kind;
  int print;
  bool operator==(const Chapter&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Chapter& c) {
  return out << "{" << c.page << " tray " << c.tray << " kind " << c.kind << " print " << c.print << "}";
}

class ChapterPage : public ChapterSheet {
 protected:
  // The chapters of the context, as the dialog left them.
  static std::vector<Chapter> Chapters(UCB* ucb) {
    std::vector<Chapter> chapters;
    for (int i = 0;; ++i) {
      const CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb, i);
      if (block == nullptr) break;
      chapters.push_back({block->page, block->tray, block->breakFlag, block->mode});
    }
    return chapters;
  }
  // Adds the typed pages as a person does: the text, then the add button.
  static void Add(UiScript& script, const std::u16string& pages) {
    script.text(WindowRef::Item(Dialog(), kEditPages), pages).click(WindowRef::Item(Dialog(), kAddButton));
  }
  // Checks the chapters of the open dialog's context.
  void Expect(UiScript& script, std::string what, std::vector<Chapter> expected) {
    script.check(what, [expected, this] { EXPECT_EQ(Chapters(context_), expected); });
  }
};

// Pages typed as a person types them: single pages and ranges, either way
// round, overlapping, with a trailing comma; the list holds each page once,
// in order, as a sheet from the chosen tray.
TEST_F(ChapterPage, TypedPagesBecomeChaptersInPageOrder) {
  struct Case {
    std::u16string text;
    std::vector<int> pages;
  };
  const Case cases[] = {
      {u"1,3-5", {1, 3, 4, 5}}, {u"5-3,1", {1, 3, 4, 5}}, {u"3-5,4", {3, 4, 5}},
      {u"7,2-3,", {2, 3, 7}},   {u"4-4,4", {4}},          {u"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    std::vector<Chapter> expected;
    for (int page : c.pages) expected.push_back({page, kTray1, 0, 0});
    UiScript script;
    OpenChapterDialog(script);
    Add(script, c.text);
    Expect(script, "the typed pages are chapters", expected);
    script.click(WindowRef::Item(Dialog(), IDOK)).press(Sheet(), IDCANCEL);
    RunSheet(script);
  }
}

// A text that names no pages rightly is refused with the message that
// says why, and the list stays as it was.
TEST_F(ChapterPage, MalformedTextIsRefusedAndTheListKept) {
  struct Case {
    std::u16string text;
    UINT message;
  };
  const Case cases[] = {
      {u"1-3-5", 10073}, {u"-3", 10073},    {u"3-", 10073},    {u",3", 10073},   {u"1,,2", 10073},
      {u"0", 10073},     {u"30001", 10073}, {u"0-4", 10073},   {u"2--4", 10073}, {u"1;2", 10067},
      {u"a", 10067},     {u"1 2", 10067},   {u"1-9", 10065},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    plat::window::ClearMessageBoxRecords();
    UiScript script;
    OpenChapterDialog(script);
    Add(script, u"2");
    Add(script, c.text);
    script.answerBox(Message(c.message), IDOK);
    Expect(script, "the list is as it was", {{2, kTray1, 0, 0}});
    script.check("the page text has the focus",
                 [] { EXPECT_EQ(GetFocus(), GetDlgItem(Dialog().Resolve(), kEditPages)); });
    script.click(WindowRef::Item(Dialog(), IDCANCEL)).press(Sheet(), IDCANCEL);
    RunSheet(script);
    const auto boxes = plat::window::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kPrinter);
    EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
  }
}

// Adding a page that already is a chapter replaces that chapter with the
// new choice: a break holds no tray and no print choice.
TEST_F(ChapterPage, AnAddedPageReplacesItsChapter) {
  UiScript script;
  OpenChapterDialog(script);
  script.pick(WindowRef::Item(Dialog(), kPrintChoice), 1);
  Add(script, u"3,5,8");
  Expect(script, "three sheets that print on one side", {{3, kTray1, 0, 1}, {5, kTray1, 0, 1}, {8, kTray1, 0, 1}});
  script.pick(WindowRef::Item(Dialog(), kKindChoice), 1);
  Add(script, u"5-6");
  Expect(script, "page 5 is a break now, and 6 is added",
         {{3, kTray1, 0, 1}, {5, 0, 1, 0}, {6, 0, 1, 0}, {8, kTray1, 0, 1}});
  script.check("the last chapter added is selected",
               [] { EXPECT_EQ(SendMessageW(GetDlgItem(Dialog().Resolve(), kChapterList), LB_GETCURSEL, 0, 0), 3); });
  script.click(WindowRef::Item(Dialog(), IDOK)).press(Sheet(), IDCANCEL);
  RunSheet(script);
}

// The distinct trays of the sheets from a tray: two chapters on one tray
// count once; a third tray is more than the printer allows; one tray may
// not print both ways.
TEST_F(ChapterPage, ChaptersUseNoMoreTraysThanAllowed) {
  UiScript script;
  OpenChapterDialog(script);
  script.pick(WindowRef::Item(Dialog(), kPrintChoice), 1);
  Add(script, u"2,4");
  script.pick(WindowRef::Item(Dialog(), kTrayChoice), 1);
  Add(script, u"6");
  script.check("two distinct trays, in chapter order", [this] {
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(context_, 837, nullptr), 2);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(context_, 834, nullptr), kTray1);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(context_, 835, nullptr), kTray2);
  });
  script.pick(WindowRef::Item(Dialog(), kTrayChoice), 2);
  Add(script, u"9");
  script.answerBox(Message(10066), IDOK);
  script.pick(WindowRef::Item(Dialog(), kTrayChoice), 0).pick(WindowRef::Item(Dialog(), kPrintChoice), 2);
  Add(script, u"9");
  script.answerBox(Message(10068), IDOK);
  Expect(script, "the refused pages are not added", {{2, kTray1, 0, 1}, {4, kTray1, 0, 1}, {6, kTray2, 0, 1}});
  script.click(WindowRef::Item(Dialog(), IDOK)).press(Sheet(), IDCANCEL);
  RunSheet(script);
}

// Deleting: the selected chapter goes after the person confirms, the
// selection stays on its line or moves up from the last; all go at once
// after the other confirmation; Cancel of the dialog gives them back.
TEST_F(ChapterPage, DeletedChaptersComeBackWhenTheDialogIsCancelled) {
  UiScript script;
  OpenChapterDialog(script);
  Add(script, u"1-3");
  script.select(WindowRef::Item(Dialog(), kChapterList), 2).click(WindowRef::Item(Dialog(), kDeleteButton));
  script.answerBox(Message(10064), IDOK);
  Expect(script, "the last chapter is gone", {{1, kTray1, 0, 0}, {2, kTray1, 0, 0}});
  script.check("the selection moved up",
               [] { EXPECT_EQ(SendMessageW(GetDlgItem(Dialog().Resolve(), kChapterList), LB_GETCURSEL, 0, 0), 1); });
  script.click(WindowRef::Item(Dialog(), kDeleteButton)).answerBox(Message(10064), IDCANCEL);
  Expect(script, "a refused deletion deletes nothing", {{1, kTray1, 0, 0}, {2, kTray1, 0, 0}});
  script.click(WindowRef::Item(Dialog(), IDOK));
  OpenChapterDialog(script, false);
  script.click(WindowRef::Item(Dialog(), kDeleteAllButton)).answerBox(Message(12001), IDOK);
  Expect(script, "all are gone", {});
  script.check("with no chapter selected, nothing can be deleted",
               [] { EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Dialog().Resolve(), kDeleteButton))); });
  script.click(WindowRef::Item(Dialog(), IDCANCEL));
  script.check("Cancel gives them back", [this] {
    EXPECT_EQ(Chapters(context_), (std::vector<Chapter>{{1, kTray1, 0, 0}, {2, kTray1, 0, 0}}));
  });
  script.press(Sheet(), IDCANCEL);
  RunSheet(script);
}

// A "ChapterMax" of the settings INI beyond the blocks a context holds is
// taken as their most: 511 chapters can be added, and one range wider than
// that is refused rather than written past the blocks.
TEST_F(ChapterPage, AHugeChapterMaxIsCappedAtTheBlocksHeld) {
  ASSERT_NO_FATAL_FAILURE(PutIni(u"ChapterMax", u"5000"));
  UiScript script;
  OpenChapterDialog(script);
  Add(script, u"1-600");
  script.answerBox(Message(10065), IDOK);
  script.check("the capacity is capped", [this] {
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(context_, 831, nullptr), kChapterMostBlocks);
    EXPECT_EQ(SendMessageW(GetDlgItem(Dialog().Resolve(), kChapterList), LB_GETCOUNT, 0, 0), kChapterMostBlocks);
    EXPECT_TRUE(Chapters(context_).empty());
  });
  Add(script, u"1-511");
  script.check("511 chapters", [this] { EXPECT_EQ(Chapters(context_).size(), 511u); });
  Add(script, u"600");
  script.answerBox(Message(10065), IDOK);
  script.click(WindowRef::Item(Dialog(), IDOK)).press(Sheet(), IDCANCEL);
  RunSheet(script);
}

// The trays the device reported as its defaults are marked in the cover
// dialog's cover tray choice and in the chapter dialog's tray choice.
TEST_F(ChapterPage, TheDevicesDefaultTraysAreMarked) {
  constexpr WORD kCoverTray = 125;
  constexpr WORD kCoverButton = 3417;
  constexpr WORD kCoverChoice = 2440;
  SheetHooks hooks;
  hooks.afterInit = [](UCB* ucb) {
    SetKDMBidiFunc(ucb, 1 | 4);
    // The cover default is the second tray (string id 3), the first
    // chapter default the tray of value 2 (string id 5).
    SetDevmodeValueDirectByFuncID(ucb, 10276, ConvertResIDToDevmodeValue(ucb, GetSFCBbyFuncID(ucb, kCoverTray), 3));
    SetDevmodeValueDirectByFuncID(ucb, 10278, 2);
  };
  const auto lines = [](WORD id) {
    HWND combo = GetDlgItem(GetActiveWindow(), id);
    std::vector<std::u16string> texts;
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count && i < 3; ++i) {
      WCHAR text[128] = {};
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      texts.emplace_back(text);
    }
    return texts;
  };
  UiScript script;
  script.tab(Sheet(), kCoverMarkTab).click(WindowRef::Item(WindowRef::Page(Sheet()), kCoverButton));
  script.check("the cover default is marked", [&] {
    EXPECT_EQ(lines(kCoverChoice), (std::vector<std::u16string>{u"Tray 1", u"Tray 2   (cover)", u"Bypass tray"}));
  });
  script.click(WindowRef::Item(WindowRef::Top(u"Cover"), IDCANCEL));
  OpenChapterDialog(script, false);
  // This model shows no chapter tray numbers: the plain chapter mark.
  script.check("the first chapter default is marked", [&] {
    EXPECT_EQ(lines(kTrayChoice), (std::vector<std::u16string>{u"Tray 1", u"Tray 3   (chapter)", u"Tray 2"}));
  });
  script.click(WindowRef::Item(Dialog(), IDCANCEL)).press(Sheet(), IDCANCEL);
  RunSheet(script, DM_COPY, hooks);
}

}  // namespace
}  // namespace ui_test
