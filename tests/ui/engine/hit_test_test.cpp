// Which area of the printer picture a point falls in, over the model's tray
// and output areas and the installed options of a W2 context: an area of
// an option that is not installed never holds a point, a finisher body
// that shows the booklet finisher only counts while that is installed as
// the record says, installed related options move an area, and an area's
// left and top edges belong to it, its right and bottom ones do not.
#include "ui/engine/hit_test.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "settings/values/setting_value.h"
#include "tests/ui/page_host.h"

namespace ui_test {
namespace {

constexpr WORD kTray7 = 10045;
constexpr WORD kLargeTray = 10018;
constexpr WORD kFinisherQk = 10094;
constexpr WORD kBookletFinisher = 10059;
constexpr WORD kCoverFeeder = 10085;

class PrinterAreas : public PageMachine {
 protected:
  // The name id of the area that holds the point, 0 for none.
  WORD At(const HitTestRegion* records, POINT point, RECT* area = nullptr) {
    const HitTestRegion* hit = CheckHitTestData(ucb_, area, point, records);
    return hit != nullptr ? hit->nameId : 0;
  }
  void Install(std::vector<std::pair<WORD, LONG_PTR>> options) {
    for (auto [funcId, value] : options) SetDevmodeValueDirectByFuncID(ucb_, funcId, value);
  }
  const HitTestRegion* input_ = GetHitTestDataInput(0);
  const HitTestRegion* output_ = GetHitTestDataOutput(0);
};

TEST_F(PrinterAreas, TrayAreasHoldTheirPointsWhileTheirOptionIsInstalled) {
  struct Case {
    const char* what;
    std::vector<std::pair<WORD, LONG_PTR>> options;
    POINT point;
    WORD name;
  };
  const Case cases[] = {
      {"tray 1, always there", {}, {100, 78}, 2},
      {"its left and top edges belong to it", {}, {89, 73}, 2},
      {"its right edge does not", {}, {117, 78}, 0},
      {"tray 2 below it", {}, {89, 83}, 3},
      {"tray 7 not installed", {}, {150, 35}, 0},
      {"tray 7 installed", {{kTray7, 1}}, {150, 35}, 837},
      {"the large tray's lowest drawer", {{kLargeTray, 1}}, {140, 90}, 839},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Install({{kTray7, 0}, {kLargeTray, 0}});
    Install(c.options);
    EXPECT_EQ(At(input_, c.point), c.name);
  }
}

TEST_F(PrinterAreas, OutputAreasFollowTheFinisherAndShiftWithRelatedOptions) {
  Install({{kFinisherQk, 1}});
  RECT area{};
  EXPECT_EQ(At(output_, POINT{10, 30}, &area), 27);  // the finisher's body
  EXPECT_EQ(area.left, 3);
  EXPECT_EQ(At(output_, POINT{10, 10}), 26);  // its tray
  // With the booklet finisher attached the body counts as the booklet's own
  // picture; the booklet finisher's area holds its points.
  Install({{kBookletFinisher, 1}});
  EXPECT_EQ(At(output_, POINT{10, 30}), 0);
  EXPECT_EQ(At(output_, POINT{10, 70}), 843);
  // The cover feeder moves the finisher's pictures 8 pixels left.
  Install({{kBookletFinisher, 0}, {kCoverFeeder, 1}});
  EXPECT_EQ(At(output_, POINT{35, 30}, &area), 0);
  EXPECT_EQ(At(output_, POINT{30, 30}, &area), 27);
  EXPECT_EQ(area.left, 3 - 8);
  EXPECT_EQ(area.right, 40 - 8);
}

}  // namespace
}  // namespace ui_test
