// Tray-information lines on real pages of the W2 printer, painted as the
// feature module that owns a line paints it (its procedure gets the line's
// paint and erase) and read off the screen: the tray name, the paper name
// (cut with an ellipsis where the line is too short), the sheet's
// orientation as the tray and the machine's feed make it, the media name;
// no picture for tray 29; only the name and the picture without a paper
// choice; the page-wide paint of the first line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "features/module_table/custom_table.h"
#include "features/option/tray_strings.h"
#include "platform/window/window_image.h"
#include "settings/values/setting_value.h"
#include "tests/ui/engine/painted_pixels.h"
#include "tests/ui/page_host.h"
#include "ui/engine/painting_helpers.h"

namespace ui_test {
namespace {

constexpr WORD kMachineColour = 234;
constexpr WORD kMachineTypeFeed = 235;
constexpr WORD kTrayOrient = 10143;
constexpr WORD kTrayPaper = 10175;
constexpr WORD kTrayMedia = 10207;
constexpr WORD kMpInputTray = 123;  // what line 3716 of the cover dialog shows

bool IsPictureInk(COLORREF c) { return GetBValue(c) >= 96 && GetRValue(c) < 64 && GetGValue(c) < 64; }

// The owning module's procedure on a line: paint and erase go to its
// painter, every other message on to the item's own procedure.
using Painter = std::function<int(UINT message)>;
struct OwnedLine {
  WNDPROC saved;
  Painter paint;
};
std::map<HWND, OwnedLine> ownedLines;

LRESULT CALLBACK ModuleLineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  OwnedLine& line = ownedLines[hwnd];
  if ((message == WM_PAINT || message == WM_ERASEBKGND) && line.paint(message) != 0) {
    return message == WM_ERASEBKGND ? 1 : 0;
  }
  return CallWindowProcW(line.saved, hwnd, message, wParam, lParam);
}

// What a line shows: the text left of its picture, the picture's ink and
// the text right of it.
struct Shown {
  InkMask before;
  InkMask picture;
  InkMask after;
};

class TrayLines : public PageMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageMachine::SetUp());
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kMachineColour, 1));  // pictures in their colours
  }
  void TearDown() override {
    ownedLines.clear();
    PageMachine::TearDown();
  }
  // The page's lines painted by the helpers alone: the Other module, which
  // paints them on its initial-settings page, leaves the chain.
  void WithoutTheOtherModule() { ucb_->pWork->pCustom->rows[kCustomRows - 1].procedure = nullptr; }
  ICB* Own(WORD dialog, WORD control, Painter paint) {
    if (host_.tcb() == nullptr || host_.tcb()->tabId != dialog) {
      EXPECT_TRUE(host_.Open(ucb_, dialog));
    }
    ICB* icb = host_.item(control);
    EXPECT_NE(icb, nullptr) << control;
    if (icb == nullptr) return nullptr;
    if (ownedLines.count(icb->hWnd) == 0) {
      const LONG_PTR saved =
          SetWindowLongPtrW(icb->hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ModuleLineProc));
      ownedLines[icb->hWnd].saved = reinterpret_cast<WNDPROC>(saved);
    }
    ownedLines[icb->hWnd].paint = std::move(paint);
    return icb;
  }
  // Line 3716 of the cover dialog, showing the tray that setting 123
  // names, painted in the mode by the tray's index.
  ICB* CoverTrayLine(int (*painter)(UCB*, TCB*, ICB*, UINT, int)) {
    EXPECT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kMpInputTray, 3));  // "Tray 2"
    return Own(1030, 3716, [this, painter](UINT message) {
      ICB* line = host_.item(3716);
      const auto tray = static_cast<int>(GetTrayIDbyStringID(static_cast<WORD>(GetDevmodeValueByICB(ucb_, line))));
      return painter(ucb_, host_.tcb(), line, message, tray);
    });
  }
  Shown Look(const ICB* icb, const std::string& dumpName = "") {
    InvalidateRect(icb->hWnd, nullptr, TRUE);
    UpdateWindow(icb->hWnd);
    const WindowShot shot(icb->hWnd);
    if (!dumpName.empty()) DumpCanvas(shot, dumpName);
    const PixelAt pixels = shot.pixels();
    const RECT all{0, 0, shot.width(), shot.height()};
    Shown shown;
    shown.picture = InkIn(pixels, all, IsPictureInk);
    const LONG split = shown.picture.empty() ? shot.width() : shown.picture.bounds.left;
    const LONG rest = shown.picture.empty() ? shot.width() : shown.picture.bounds.right;
    shown.before = InkIn(pixels, RECT{0, 0, split, shot.height()}, IsBlack);
    shown.after = InkIn(pixels, RECT{rest, 0, shot.width(), shot.height()}, IsBlack);
    return shown;
  }
  InkMask Text(const std::u16string& text) const {
    return TextInk(reinterpret_cast<HFONT>(SendMessageW(host_.page(), WM_GETFONT, 0, 0)), text);
  }
  void SetUpTray(int tray, LONG_PTR paper, LONG_PTR media) {
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, static_cast<WORD>(kTrayPaper + tray), paper));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, static_cast<WORD>(kTrayMedia + tray), media));
  }
};

TEST_F(TrayLines, ALineTellsTheTraysNamePaperOrientationAndMedia) {
  ASSERT_NO_FATAL_FAILURE(SetUpTray(0, 9, 258));  // A4, thick paper
  // On the initial-settings dialog the line's own text names the tray.
  ICB* line = Own(1010, 2410, [this](UINT message) {
    return PaintTrayInfo(ucb_, host_.tcb(), host_.item(2410), message, 0);
  });
  ASSERT_NE(line, nullptr);
  const Shown shown = Look(line, "tray-line-2410");
  EXPECT_TRUE(shown.before == Text(u"Tray 1: A4"));
  EXPECT_FALSE(shown.picture.empty());
  EXPECT_TRUE(shown.after == Text(u"/Thick paper"));
  EXPECT_GT(shown.after.bounds.left, shown.picture.bounds.right - 1);
  const char* folder = std::getenv("KESM_DUMP_WINDOWS");
  if (folder != nullptr && *folder != '\0') {
    EXPECT_TRUE(plat::window::WriteWindowPng(host_.page(), std::filesystem::path(folder) / "tray-page-1010.png"));
  }
}

TEST_F(TrayLines, ThePaperNameIsCutWithAnEllipsisWhereTheLineIsShort) {
  ASSERT_NO_FATAL_FAILURE(SetUpTray(1, 40, 258));  // Fanfold Std German, thick paper
  ICB* line = CoverTrayLine(PaintTrayInfo);
  ASSERT_NE(line, nullptr);
  const std::u16string paper = u"Fanfold Std German";
  // A line narrower than its whole text, whatever room the dialog gives it.
  RECT frame{};
  GetWindowRect(line->hWnd, &frame);
  SetWindowPos(line->hWnd, nullptr, 0, 0, 200, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(line->hWnd, &client);
  const int full = Text(u"Tray 2: " + paper + u"/Thick paper").width + client.bottom;
  ASSERT_GT(full, client.right) << "the line must be too short for the whole paper name";
  const Shown shown = Look(line, "tray-line-ellipsis");
  EXPECT_TRUE(shown.after == Text(u"/Thick paper")) << "the media name is not cut";
  bool cut = false;
  for (std::size_t n = 1; n < paper.size() && !cut; ++n) {
    cut = shown.before == Text(u"Tray 2: " + paper.substr(0, n) + u"...");
  }
  EXPECT_TRUE(cut) << "the paper name ends in an ellipsis";
}

TEST_F(TrayLines, TheSheetStandsAsTheTraysOrientationAndTheMachinesFeedMakeIt) {
  ASSERT_NO_FATAL_FAILURE(SetUpTray(0, 9, 0));
  ICB* line = Own(1010, 2410, [this](UINT message) {
    return PaintTrayInfo(ucb_, host_.tcb(), host_.item(2410), message, 0);
  });
  ASSERT_NE(line, nullptr);
  struct Case {
    LONG_PTR orientation, feed;
    bool turned;
  };
  const Case cases[] = {{0, 0, true}, {0, 1, false}, {1, 0, false}, {1, 1, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "orientation " << c.orientation << ", feed " << c.feed);
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kTrayOrient, c.orientation));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kMachineTypeFeed, c.feed));
    const InkMask sheet = Look(line).picture;
    ASSERT_FALSE(sheet.empty());
    EXPECT_EQ(sheet.width > sheet.height, c.turned) << sheet.width << " x " << sheet.height;
  }
}

TEST_F(TrayLines, TheInserterTrayShowsNoSheet) {
  ASSERT_NO_FATAL_FAILURE(SetUpTray(29, 9, 0));
  ICB* line = Own(1042, 2809, [this](UINT message) {
    return PaintTrayInfo(ucb_, host_.tcb(), host_.item(2809), message, 29);
  });
  ASSERT_NE(line, nullptr);
  const Shown shown = Look(line, "tray-line-2809");
  EXPECT_TRUE(shown.picture.empty());
  // The line has no setting of its own: its name is empty.
  EXPECT_TRUE(shown.before == Text(u": A4/Not set"));
}

TEST_F(TrayLines, ModesLeaveOutTheMediaOrAllButTheName) {
  ASSERT_NO_FATAL_FAILURE(SetUpTray(1, 9, 258));
  struct Case {
    const char* mode;
    int (*painter)(UCB*, TCB*, ICB*, UINT, int);
    std::u16string before;
    bool picture;
    std::u16string after;
  };
  const Case cases[] = {
      {"full", PaintTrayInfo, u"Tray 2: A4", true, u"/Thick paper"},
      {"overwrite", PaintTrayInfoOverwrite, u"Tray 2: A4", true, u""},
      {"name only", PaintTrayInfoTrayNameOnly, u"Tray 2", false, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    ICB* line = CoverTrayLine(c.painter);
    ASSERT_NE(line, nullptr);
    const Shown shown = Look(line);
    EXPECT_TRUE(shown.before == Text(c.before));
    EXPECT_EQ(!shown.picture.empty(), c.picture);
    EXPECT_TRUE(c.after.empty() ? shown.after.empty() : shown.after == Text(c.after));
  }
}

TEST_F(TrayLines, WithoutAPaperChoiceALineShowsOnlyTheNameAndTheSheet) {
  ASSERT_NO_FATAL_FAILURE(SetUpTray(1, 9, 258));
  // A context whose tables have no paper choice.
  ICB* choice = GetICBbyItemID(ucb_, nullptr, 2168);
  ASSERT_NE(choice, nullptr);
  choice->itemId = 0;
  ICB* line = CoverTrayLine(PaintTrayInfo);
  ASSERT_NE(line, nullptr);
  const Shown shown = Look(line, "tray-line-no-paper-choice");
  choice->itemId = 2168;
  EXPECT_TRUE(shown.before == Text(u"Tray 2: "));
  EXPECT_FALSE(shown.picture.empty());
  EXPECT_TRUE(shown.after.empty());
}

TEST_F(TrayLines, ADisabledLineIsGrey) {
  ASSERT_NO_FATAL_FAILURE(SetUpTray(1, 9, 258));
  ICB* line = CoverTrayLine(PaintTrayInfo);
  ASSERT_NE(line, nullptr);
  line->status = 0x0004;  // disabled, as the refresh marks it
  InvalidateRect(line->hWnd, nullptr, TRUE);
  UpdateWindow(line->hWnd);
  const WindowShot shot(line->hWnd);
  const RECT all{0, 0, shot.width(), shot.height()};
  EXPECT_TRUE(InkIn(shot.pixels(), all, IsBlack).empty());
  EXPECT_FALSE(InkIn(shot.pixels(), all, [](COLORREF c) { return c == GetSysColor(COLOR_GRAYTEXT); }).empty());
}

TEST_F(TrayLines, ThePagesOwnPaintPaintsItsFirstVisibleLine) {
  ASSERT_NO_FATAL_FAILURE(SetUpTray(0, 9, 1));
  ASSERT_NO_FATAL_FAILURE(SetUpTray(1, 14, 0));
  WithoutTheOtherModule();
  ASSERT_TRUE(host_.Open(ucb_, 1010));
  TCB* tcb = host_.tcb();
  const auto firstLine = [&](WORD control) {
    const WindowShot shot(host_.control(control));
    return InkIn(shot.pixels(), RECT{0, 0, shot.width(), shot.height()}, IsPictureInk);
  };
  ASSERT_TRUE(firstLine(2410).empty()) << "the template's own text, no tray line yet";
  EXPECT_EQ(PaintTrayInfoByIcb(ucb_, tcb, nullptr, WM_ERASEBKGND), 1);
  EXPECT_FALSE(firstLine(2410).empty());
  EXPECT_TRUE(firstLine(2412).empty());
  host_.item(2410)->status = 0x0001;  // hidden: the next line is the first
  EXPECT_EQ(PaintTrayInfoByIcb(ucb_, tcb, nullptr, WM_ERASEBKGND), 1);
  EXPECT_FALSE(firstLine(2412).empty());
  // A hidden line, a line without a row and no line at all are not painted.
  EXPECT_EQ(PaintTrayInfoByIcb(ucb_, tcb, host_.item(2410), WM_PAINT), 0);
  EXPECT_EQ(PaintTrayInfoByIcb(ucb_, tcb, host_.item(2112), WM_PAINT), 0);
  EXPECT_EQ(PaintTrayInfoByIcb(ucb_, tcb, nullptr, WM_PAINT), 0);
  EXPECT_EQ(PaintTrayInfoByIcb(ucb_, tcb, host_.item(2412), WM_PAINT), 1);
  EXPECT_EQ(PaintTrayInfoByIcb(ucb_, tcb, host_.item(2412), WM_LBUTTONDOWN), 0);
}

TEST_F(TrayLines, ATrayIndexOrModeOutsideItsRangeIsRefused) {
  WithoutTheOtherModule();
  ASSERT_TRUE(host_.Open(ucb_, 1010));
  ICB* line = host_.item(2410);
  for (const int tray : {-1, 32}) EXPECT_EQ(PaintTrayInfo(ucb_, host_.tcb(), line, WM_PAINT, tray), 0) << tray;
  EXPECT_EQ(PaintTrayInfoMain(ucb_, host_.tcb(), line, WM_PAINT, 0, 3), 0);
  EXPECT_EQ(PaintTrayInfo(ucb_, host_.tcb(), nullptr, WM_PAINT, 0), 0);
  const WindowShot shot(line->hWnd);
  EXPECT_TRUE(InkIn(shot.pixels(), RECT{0, 0, shot.width(), shot.height()}, IsPictureInk).empty());
}

}  // namespace
}  // namespace ui_test
