// The watermark list of the edit page, worked through the W2 printer's
// document sheet by script: the add buttons stop at 32 watermarks, the
// first five cannot be deleted, deleting the last one chosen goes back to
// watermark 0 and switches watermarks off, and the text dialog adds and
// edits an entry, and the basic page's preview shows the watermark chosen,
// its characters outlined for frame 3 (the text dialog's template has no buttons of its own: Enter accepts it
// and Escape cancels it, as the dialog manager has them).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/window/messagebox_control.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/window_image.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_open.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/watermark_store.h"
#include "tests/common/shared_files.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kEditTab = 2;
constexpr int kOnOff = 2088;
constexpr int kList = 2089;
constexpr int kEditButton = 2090;
constexpr int kAddText = 2091;
constexpr int kAddImage = 2092;
constexpr int kDelete = 2406;
constexpr int kNameEdit = 2310;
constexpr int kTextEdit = 2312;
constexpr int kFontCombo = 2314;
constexpr int kFontReset = 2330;
constexpr WORD kFuncWatermarkOn = 60;
constexpr WORD kFuncWatermarkId = 118;
constexpr WORD kFuncName = 768;
constexpr WORD kFuncText = 766;

class WatermarkPage : public SheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_stamp.kpd"; }

  // Stores text watermarks "Mark 0".. as the dialogs would have.
  void Store(int count) {
    kesm_test::PutDriveFile(kesm_test::kSharedSettingsIni, "");
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    for (int i = 0; i < count; ++i) {
      EXPECT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 117, 1));
      const std::u16string name = u"Mark " + Number(i);
      EXPECT_NE(SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncName), name.c_str()), nullptr);
      EXPECT_TRUE(WriteWatermarkByID(ucb, i)) << i;
    }
    FreeUcb2(ucb, 1);
  }
  int StoredCount() {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    const int count = ucb != nullptr ? ReadWatermarkCount(ucb) : -1;
    FreeUcb2(ucb, 1);
    return count;
  }
  static std::u16string Number(int i) {
    const std::string n = std::to_string(i);
    return {n.begin(), n.end()};
  }

  static WindowRef Page() { return WindowRef::Page(Sheet()); }
  static WindowRef Item(int id) { return WindowRef::Item(Page(), id); }
  static HWND Control(int id) { return GetDlgItem(Page().Resolve(), id); }
  static UCB* Context() { return ContextOfPage(Page().Resolve()); }
  static bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
  static LRESULT Entries() { return SendMessageW(Control(kList), CB_GETCOUNT, 0, 0); }
  static LRESULT Selected() { return SendMessageW(Control(kList), CB_GETCURSEL, 0, 0); }
  static std::u16string EntryText(LRESULT i) {
    WCHAR text[256] = {};
    SendMessageW(Control(kList), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return text;
  }
  static LONG_PTR Setting(WORD id) { return GetDevmodeValueDirectByFuncID(Context(), id, nullptr); }

  LONG Run(UiScript& script) {
    Bytes out = Filled(kDriverDevmode);
    const LONG answer = DocumentSheet(out, nullptr, DM_COPY);
    EXPECT_TRUE(script.done());
    return answer;
  }
};

TEST_F(WatermarkPage, ThirtyTwoWatermarksDisableTheAddButtonsThirtyOneDoNot) {
  struct Case {
    int stored;
    bool addable;
  };
  for (const Case c : {Case{32, false}, Case{31, true}}) {
    SCOPED_TRACE(c.stored);
    ASSERT_NO_FATAL_FAILURE(Store(c.stored));
    UiScript script;
    script.tab(Sheet(), kEditTab).check("the list and its buttons", [c] {
      EXPECT_EQ(Entries(), c.stored);
      EXPECT_EQ(EntryText(6), u"Mark 6");
      EXPECT_EQ(Enabled(kAddText), c.addable);
      EXPECT_EQ(Enabled(kAddImage), c.addable);
      EXPECT_TRUE(Enabled(kEditButton));
    });
    script.press(Sheet(), IDCANCEL);
    EXPECT_EQ(Run(script), IDCANCEL);
  }
}

TEST_F(WatermarkPage, TheFirstFiveCannotBeDeleted) {
  ASSERT_NO_FATAL_FAILURE(Store(7));
  UiScript script;
  script.tab(Sheet(), kEditTab)
      .pick(Item(kList), 4)
      .check("a fixed watermark", [] {
        EXPECT_EQ(Setting(kFuncWatermarkId), 4);
        EXPECT_FALSE(Enabled(kDelete));
      })
      .pick(Item(kList), 5)
      .check("one of the person's own", [] { EXPECT_TRUE(Enabled(kDelete)); })
      .pick(Item(kList), 2)
      // A button the page disables takes no click; a program that presses
      // it anyway is told why nothing goes.
      .check("pressed anyway", [] {
        PostMessageW(Page().Resolve(), WM_COMMAND, MAKEWPARAM(kDelete, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(kDelete)));
      })
      .answerBox(u"The first five watermarks cannot be deleted.", IDOK)
      .check("nothing deleted", [] { EXPECT_EQ(Entries(), 7); })
      .press(Sheet(), IDCANCEL);
  Run(script);
  EXPECT_EQ(StoredCount(), 7);
}

TEST_F(WatermarkPage, DeletingTheLastChosenGoesBackToTheFirstAndSwitchesOff) {
  ASSERT_NO_FATAL_FAILURE(Store(7));
  UiScript script;
  script.tab(Sheet(), kEditTab)
      .click(Item(kOnOff))
      .pick(Item(kList), 6)
      .check("on, the last chosen", [] {
        EXPECT_EQ(Setting(kFuncWatermarkOn), 1);
        EXPECT_EQ(Setting(kFuncWatermarkId), 6);
      })
      .click(Item(kDelete))
      .answerBox(u"Delete the selected watermark?", IDCANCEL)
      .check("cancelled: kept", [] { EXPECT_EQ(Entries(), 7); })
      .click(Item(kDelete))
      .answerBox(u"Delete the selected watermark?", IDOK)
      .check("deleted", [] {
        EXPECT_EQ(Entries(), 6);
        EXPECT_EQ(Selected(), 0);
        EXPECT_EQ(Setting(kFuncWatermarkId), 0);
        EXPECT_EQ(Setting(kFuncWatermarkOn), 0);
        EXPECT_EQ(SendMessageW(Control(kOnOff), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_FALSE(Enabled(kDelete));
      })
      .press(Sheet(), IDCANCEL);
  Run(script);
  EXPECT_EQ(StoredCount(), 6);
}

TEST_F(WatermarkPage, TheTextDialogAddsAWatermarkAndEditsIt) {
  ASSERT_NO_FATAL_FAILURE(Store(5));
  const WindowRef adding = WindowRef::Top(u"Text watermark");
  const WindowRef editing = WindowRef::Top(u"Edit text watermark");
  UiScript script;
  script.tab(Sheet(), kEditTab)
      .click(Item(kAddText))
      .check("a new watermark starts empty", [adding] {
        WCHAR name[64] = {};
        GetWindowTextW(GetDlgItem(adding.Resolve(), kNameEdit), name, 64);
        EXPECT_EQ(std::u16string(name), u"");
      })
      .text(WindowRef::Item(adding, kNameEdit), u"Draft")
      .text(WindowRef::Item(adding, kTextEdit), u"DRAFT")
      .pick(WindowRef::Item(adding, kFontCombo), 2)
      .check("another face", [adding] {
        EXPECT_EQ(SendMessageW(GetDlgItem(adding.Resolve(), kFontCombo), CB_GETCURSEL, 0, 0), 2);
      })
      .click(WindowRef::Item(adding, kFontReset))
      .check("reset: no default face here, the first", [adding] {
        EXPECT_EQ(SendMessageW(GetDlgItem(adding.Resolve(), kFontCombo), CB_GETCURSEL, 0, 0), 0);
      })
      .click(WindowRef::Item(adding, kNameEdit))  // Enter on a button would press that button
      .key(VK_RETURN)
      .check("added last and chosen", [] {
        EXPECT_EQ(Entries(), 6);
        EXPECT_EQ(EntryText(5), u"Draft");
        EXPECT_EQ(Selected(), 5);
        EXPECT_EQ(Setting(kFuncWatermarkId), 5);
      })
      .click(Item(kEditButton))
      .text(WindowRef::Item(editing, kNameEdit), u"Final")
      .key(VK_RETURN)
      .check("renamed in its place", [] {
        EXPECT_EQ(Entries(), 6);
        EXPECT_EQ(EntryText(5), u"Final");
        EXPECT_EQ(Selected(), 5);
      })
      .click(Item(kAddText))
      .key(VK_ESCAPE)
      .check("a cancelled dialog adds nothing", [] { EXPECT_EQ(Entries(), 6); })
      .press(Sheet(), IDCANCEL);
  Run(script);
  EXPECT_EQ(StoredCount(), 6);
  UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
  ASSERT_NE(ucb, nullptr);
  ASSERT_TRUE(ReadWatermarkByID(ucb, 5));
  WCHAR text[80] = {};
  GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncText), text);
  EXPECT_EQ(std::u16string(text), u"DRAFT");
  GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncName), text);
  EXPECT_EQ(std::u16string(text), u"Final");
  FreeUcb2(ucb, 1);
}

// On a machine without the settings folder an added watermark cannot be
// stored: the list shows it, and the user is told that it was not saved.
TEST_F(WatermarkPage, AnAddThatCannotBeStoredIsReported) {
  std::filesystem::remove_all(kesm_test::OnDrive(kesm_test::kSharedFolder));
  plat::window::ClearMessageBoxRecords();
  const WindowRef adding = WindowRef::Top(u"Text watermark");
  UiScript script;
  script.tab(Sheet(), kEditTab)
      .click(Item(kAddText))
      .text(WindowRef::Item(adding, kNameEdit), u"Draft")
      .text(WindowRef::Item(adding, kTextEdit), u"DRAFT")
      .click(WindowRef::Item(adding, kNameEdit))
      .key(VK_RETURN)
      .answerBox(u"could not be saved", IDOK)
      .check("shown in the list all the same", [] { EXPECT_EQ(EntryText(Entries() - 1), u"Draft"); })
      .press(Sheet(), IDCANCEL);
  Run(script);
  const auto boxes = plat::window::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find(u"kesmusr.ini"), std::u16string::npos);
}

// The basic page's preview picture stands for its group's one option; the
// hook makes that option's id the first portrait page picture's, as a
// description of a model with page pictures would have it.
void MakePagePicture(UCB* ucb) {
  constexpr WORD kPreviewGroup = 481;
  constexpr WORD kPortraitOption = 2026;
  constexpr WORD kPortraitPage = 6001;
  const UiGroup* group = BKPDGetUiGroupAddr(kPreviewGroup, ucb);
  ASSERT_NE(group, nullptr);
  for (const UiOption* o = BkpdFirstOption(ucb->pBKPD, group); o != nullptr; o = BkpdNext(ucb->pBKPD, o)) {
    if (o->value == kPortraitOption) const_cast<UiOption*>(o)->value = kPortraitPage;
  }
}

// The basic page's preview item as a person sees it, 0x00RRGGBB row by
// row.
struct PreviewPicture {
  std::vector<std::uint32_t> pixels;
  LONG width = 0, height = 0;
  std::uint32_t At(LONG x, LONG y) const {
    return x < 0 || y < 0 || x >= width || y >= height ? 0u : pixels[static_cast<std::size_t>(y) * width + x];
  }
  int Count(std::uint32_t value) const { return static_cast<int>(std::count(pixels.begin(), pixels.end(), value)); }
};

constexpr std::uint32_t kRed = 0xFF0000u;

class WatermarkPreview : public WatermarkPage {
 protected:
  // Stores watermark 5: red bold "XX" (or the text given) in DejaVu Sans with the frame.
  void StoreRed(LONG frame, LONG points, const char16_t* text) {
    ASSERT_NO_FATAL_FAILURE(Store(5));
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    EXPECT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 117, 1));
    SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncName), u"Secret");
    SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncText), text);
    SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, 782), u"DejaVu Sans");
    for (const auto& [id, value] :
         {std::pair<WORD, LONG_PTR>{784, 1}, {774, 100}, {783, points}, {776, 0}, {788, 1}, {775, frame}}) {
      EXPECT_TRUE(SetDevmodeValueDirectByFuncID(ucb, id, value)) << id;
    }
    EXPECT_TRUE(WriteWatermarkByID(ucb, 5));
    FreeUcb2(ucb, 1);
  }
  static PreviewPicture Preview() {
    std::vector<std::uint32_t> pixels;
    SIZE size{};
    HWND page = Page().Resolve();
    EXPECT_TRUE(plat::window::PaintWindowImage(page, &pixels, &size));
    RECT item{};
    RECT frame{};
    GetWindowRect(GetDlgItem(page, 2039), &item);
    GetWindowRect(page, &frame);
    PreviewPicture picture;
    picture.width = item.right - item.left;
    picture.height = item.bottom - item.top;
    for (LONG y = item.top - frame.top; y < item.bottom - frame.top; ++y) {
      for (LONG x = item.left - frame.left; x < item.right - frame.left; ++x) {
        picture.pixels.push_back(pixels[static_cast<std::size_t>(y) * size.cx + x]);
      }
    }
    return picture;
  }
  // Opens the document sheet, looks at the basic page's preview (before),
  // switches watermarks on with watermark 5 chosen on the edit page, and
  // looks again (after, its picture also written as shot).
  void ChooseAndLook(const std::function<void(const PreviewPicture&)>& before,
                     const std::function<void(const PreviewPicture&)>& after, const char* shot) {
    const std::filesystem::path folder = PictureFolder();
    UiScript script;
    script.tab(Sheet(), 1)
        .check("no watermark", [&] { before(Preview()); })
        .tab(Sheet(), kEditTab)
        .click(Item(kOnOff))
        .pick(Item(kList), 5)
        .tab(Sheet(), 1)
        .check("the watermark over the page picture", [&, folder] {
          after(Preview());
          EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / shot));
        })
        .press(Sheet(), IDCANCEL);
    SheetHooks hooks;
    hooks.afterInit = [](UCB* ucb) { MakePagePicture(ucb); };
    Bytes out = Filled(kDriverDevmode);
    LONG result = 0;
    HookedDocumentSheet(out, DM_COPY | DM_PROMPT, std::move(hooks), &result);
    EXPECT_TRUE(script.done());
  }
};

TEST_F(WatermarkPreview, TheBasicPagesPreviewShowsTheWatermarkChosen) {
  ASSERT_NO_FATAL_FAILURE(StoreRed(0, 300, u"XX"));
  ChooseAndLook([](const PreviewPicture& p) { EXPECT_EQ(p.Count(kRed), 0); },
                [](const PreviewPicture& p) { EXPECT_GT(p.Count(kRed), 10); }, "basic-preview.png");
}

// Frame 3 outlines the characters: the preview shows the outline in the
// colour, and the middle of a thick stroke, red in plain text, is not.
TEST_F(WatermarkPreview, FrameThreeShowsTheCharactersOutlined) {
  PreviewPicture plain, outlined;
  for (const LONG frame : {0, 3}) {
    SCOPED_TRACE(frame);
    ASSERT_NO_FATAL_FAILURE(StoreRed(frame, 600, u"H"));
    ChooseAndLook([](const PreviewPicture&) {}, [&](const PreviewPicture& p) { (frame == 0 ? plain : outlined) = p; },
                  frame == 0 ? "basic-preview-plain.png" : "basic-preview-outlined.png");
  }
  ASSERT_EQ(plain.pixels.size(), outlined.pixels.size());
  int deep = 0, deepRed = 0;
  for (LONG y = 0; y < plain.height; ++y) {
    for (LONG x = 0; x < plain.width; ++x) {
      bool inside = true;
      for (int dy = -2; dy <= 2 && inside; ++dy) {
        for (int dx = -2; dx <= 2 && inside; ++dx) inside = plain.At(x + dx, y + dy) == kRed;
      }
      if (!inside) continue;
      ++deep;
      deepRed += outlined.At(x, y) == kRed ? 1 : 0;
    }
  }
  EXPECT_GT(deep, 5) << "the plain H has thick strokes";
  EXPECT_EQ(deepRed, 0);
  EXPECT_GT(outlined.Count(kRed), 20) << "the outline in the colour";
  EXPECT_LT(outlined.Count(kRed), plain.Count(kRed));
}

}  // namespace
}  // namespace ui_test
