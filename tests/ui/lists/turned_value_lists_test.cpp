// The lists whose values are labelled twice, once for each way the page
// turns (duplex binding, staple and punch places), on the W2 printer's
// request description (tests/data/kpd/kesm_w2_request.kpd): the
// description names each option by one label, and a person's pick of it
// on a landscape page stores the option's value, never the label itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/lists/list_machine.h"

namespace ui_test {
namespace {

constexpr WORD kOrientation = 7;
constexpr LONG_PTR kLandscape = 2;
constexpr WORD kDuplexType = 94;
constexpr WORD kStapleType = 121;

class TurnedValueLists : public ListMachine {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenOn("kesm_w2_request.kpd")); }
  LONG_PTR Stored(WORD funcId) const { return GetDevmodeValueDirectByFuncID(ucb_, funcId, nullptr); }
};

struct TurnedCase {
  const char* what;
  WORD dialog;
  WORD control;
  WORD setting;
  const char* option;  // the description's label of the option picked
  LONG_PTR stored;     // the value it stands for
};

TEST_F(TurnedValueLists, APickOnALandscapePageStoresTheOptionsValue) {
  const TurnedCase cases[] = {
      {"duplex binding", 1003, 2087, kDuplexType, "KKDMDUPLEXTYPE_LEFT", 2},
      {"staple place", 1004, 2102, kStapleType, "KKDMSTAPLETYPE_SLANT_LEFT", 34},
  };
  for (const TurnedCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kOrientation, kLandscape));
    ASSERT_TRUE(host_.Open(ucb_, c.dialog));
    const std::vector<WORD> entries = Entries(c.control);
    const auto at = std::find(entries.begin(), entries.end(), static_cast<WORD>(V(c.option)));
    ASSERT_NE(at, entries.end()) << "the option is listed";
    // The picture lists are taller than their window: the first entry is
    // clicked and the arrow keys walk down to the option.
    kesm_test::UiScript script;
    script.select(Control(c.control), 0);
    for (auto n = at - entries.begin(); n > 0; --n) script.key(VK_DOWN);
    script.check("picked", [&] {
      EXPECT_EQ(Stored(c.setting), c.stored);
      EXPECT_EQ(Selected(c.control), at - entries.begin()) << "the pick stays shown";
    });
    EXPECT_TRUE(script.run());
    host_.Close();
    ASSERT_TRUE(host_.Open(ucb_, c.dialog));
    EXPECT_EQ(Selected(c.control), at - entries.begin()) << "the page opened again shows it";
    host_.Close();
  }
}

}  // namespace
}  // namespace ui_test

namespace ui_test {
namespace {

constexpr WORD kFinishPage = 1004;
constexpr WORD kStapleList = 2102;
constexpr WORD kPunchBox = 3389;
constexpr WORD kStapleBox = 3390;

struct StapleCase {
  const char* what;
  bool punchFirst;
};

TEST_F(TurnedValueLists, ASlantedStapleNeverStaysWithPunching) {
  for (const StapleCase& c : {StapleCase{"punch, then the slanted staple", true},
                              StapleCase{"the slanted staple, then punch", false}}) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(host_.Open(ucb_, kFinishPage));
    const std::vector<WORD> entries = Entries(kStapleList);
    const auto at = std::find(entries.begin(), entries.end(), static_cast<WORD>(V("KKDMSTAPLETYPE_SLANT_LEFT")));
    ASSERT_NE(at, entries.end());
    kesm_test::UiScript script;
    script.click(Control(kStapleBox));
    if (c.punchFirst) script.click(Control(kPunchBox));
    script.select(Control(kStapleList), 0);
    for (auto n = at - entries.begin(); n > 0; --n) script.key(VK_DOWN);
    if (!c.punchFirst) script.click(Control(kPunchBox));
    script.check("punching", [&] {
      EXPECT_EQ(Stored(62), 1);
      EXPECT_EQ(Stored(kStapleType), 1) << "left-top";
    });
    EXPECT_TRUE(script.run());
    host_.Close();
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 62, 0));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 63, 0));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kStapleType, 1));
  }
}

}  // namespace
}  // namespace ui_test
