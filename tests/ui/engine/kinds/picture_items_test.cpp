// The preset page's orientation picture 2025 stands for the orientation
// list beside it and shows the orientation chosen there (the description
// hides the other option's picture); picture 3316 is hidden while the page
// is landscape. A page picture of either orientation offers the feature
// modules a preview box of that orientation.
//
// No value keyword has a picture's id as its option id, so no description
// can name a picture for an option: the fixture gives the picture group's
// two options (and their hide judges) picture ids in the context's compiled
// description, as a description of a model with picture keywords would.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "features/module_table/custom_table.h"
#include "platform/window/window_image.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/description_queries.h"
#include "tests/ui/engine/kinds/button_machine.h"
#include "ui/engine/kinds/picture_items.h"

namespace ui_test {
namespace {

constexpr WORD kOrientationPicture = 2025;
constexpr WORD kPortraitOnly = 3316;
constexpr WORD kOrientationPictureGroup = 434;
constexpr WORD kStampRow = 1;
constexpr WORD kColourMachine = 234;

void Renumber(UCB* ucb, WORD groupId, WORD from, WORD to) {
  const UiGroup* group = BKPDGetUiGroupAddr(groupId, ucb);
  ASSERT_NE(group, nullptr);
  for (const UiOption* o = BkpdFirstOption(ucb->pBKPD, group); o != nullptr; o = BkpdNext(ucb->pBKPD, o)) {
    if (o->value == from) const_cast<UiOption*>(o)->value = to;
  }
  const ExclusiveRecord* record = BkpdGroupExclusive(ucb->pBKPD, group);
  ASSERT_NE(record, nullptr);
  for (const ExclusiveItem* i = BkpdItemList(ucb->pBKPD, record->itemList); i != nullptr; i = BkpdNext(ucb->pBKPD, i)) {
    if (i->optionValue == from) const_cast<ExclusiveItem*>(i)->optionValue = to;
  }
}

// What a feature module was offered to draw a preview in.
struct Offer {
  WORD item;
  LONG width;
  LONG height;
  bool ownWindow;
  WORD picture;
};
std::vector<Offer> offers;

int RecordPreview(UCB*, DWORD code, void* parameter, void*) {
  if (code != kCustomPreviewPaint) return 0;
  const auto& p = *static_cast<const CustomPreviewPaint*>(parameter);
  offers.push_back({p.icb->itemId, p.width, p.height, p.dc == nullptr, p.row != nullptr ? p.row->wBitmapId : WORD{0}});
  return 1;
}

class OrientationPicture : public ButtonMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ButtonMachine::SetUp());
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kColourMachine, 1));  // pictures in colour
  }
  // The picture's top-left colour as a person sees it on the page.
  std::uint32_t Corner() const {
    std::vector<std::uint32_t> pixels;
    SIZE size{};
    EXPECT_TRUE(plat::window::PaintWindowImage(host_.page(), &pixels, &size));
    RECT r{};
    GetWindowRect(host_.control(kOrientationPicture), &r);
    RECT frame{};
    GetWindowRect(host_.page(), &frame);
    // Inside the sunken frame, a quarter of the way in.
    const LONG x = r.left - frame.left + (r.right - r.left) / 4;
    const LONG y = r.top - frame.top + (r.bottom - r.top) / 4;
    return pixels[static_cast<std::size_t>(y) * size.cx + x];
  }
  bool Shown(WORD id) const { return IsWindowVisible(host_.control(id)) != FALSE; }
};

TEST_F(OrientationPicture, ShowsTheOrientationChosenBesideIt) {
  // Four-coloured squares stretched over the item: blue at the top left
  // for portrait, green for landscape.
  ASSERT_NO_FATAL_FAILURE(Renumber(ucb_, kOrientationPictureGroup, kPortrait, 6205));
  ASSERT_NO_FATAL_FAILURE(Renumber(ucb_, kOrientationPictureGroup, kLandscape, 6206));
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  EXPECT_EQ(Corner(), 0x0000A0u);
  EXPECT_TRUE(Shown(kPortraitOnly));
  kesm_test::UiScript script;
  script.click(host_.control(kLandscape))
      .check("landscape", [&] {
        EXPECT_EQ(Stored(kOrientation), 2);
        EXPECT_EQ(Corner(), 0x008000u);
        EXPECT_FALSE(Shown(kPortraitOnly));
        plat::window::WriteWindowPng(host_.page(), std::filesystem::path(testing::TempDir()) / "preset_page.png");
      })
      .click(host_.control(kPortrait))
      .check("portrait again", [&] {
        EXPECT_EQ(Corner(), 0x0000A0u);
        EXPECT_TRUE(Shown(kPortraitOnly));
      });
  EXPECT_TRUE(script.run());
}

TEST_F(OrientationPicture, APagePictureOffersAPreviewBoxOfItsOrientation) {
  ASSERT_NO_FATAL_FAILURE(Renumber(ucb_, kOrientationPictureGroup, kPortrait, 6001));   // a portrait page
  ASSERT_NO_FATAL_FAILURE(Renumber(ucb_, kOrientationPictureGroup, kLandscape, 6002));  // a landscape one
  CUSTOMROW& stamp = ucb_->pWork->pCustom->rows[kStampRow];
  const CustomFunction before = stamp.function;
  stamp.function = RecordPreview;
  offers.clear();
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  kesm_test::UiScript script;
  script.check("portrait", [&] {
        ASSERT_FALSE(offers.empty());
        const Offer& o = offers.back();
        EXPECT_EQ(o.item, kOrientationPicture);
        EXPECT_EQ(o.width, kPortraitPreview.cx);
        EXPECT_EQ(o.height, kPortraitPreview.cy);
        EXPECT_TRUE(o.ownWindow);
        EXPECT_EQ(o.picture, 6001);
        offers.clear();
      })
      .click(host_.control(kLandscape))
      .check("landscape", [&] {
        ASSERT_FALSE(offers.empty());
        EXPECT_EQ(offers.back().width, kLandscapePreview.cx);
        EXPECT_EQ(offers.back().height, kLandscapePreview.cy);
        EXPECT_EQ(offers.back().picture, 6002);
      });
  EXPECT_TRUE(script.run());
  stamp.function = before;
}

}  // namespace
}  // namespace ui_test
