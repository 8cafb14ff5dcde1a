// The lists whose values are labelled twice, once for each way the page
// turns (duplex binding, staple and punch places), on the W2 printer's
// request description (tests/data/kpd/kesm_w2_request.kpd): the
// description names each option by one label, and a person's pick of it
// on a landscape page stores the option's value, never the label itself,
// and the page shows it again when it opens. The description's staple rule
// holds whichever of the staple type and punching is changed last.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/lists/list_machine.h"

namespace ui_test {
namespace {

constexpr WORD kOrientation = 7;
constexpr LONG_PTR kLandscape = 2;
constexpr WORD kSelectDuplex = 58;
constexpr WORD kSelectPunch = 62;
constexpr WORD kSelectStaple = 63;
constexpr WORD kDuplexType = 94;
constexpr WORD kStapleType = 121;
constexpr WORD kFinishPage = 1004;
constexpr WORD kStapleList = 2102;
constexpr WORD kPunchBox = 3389;
constexpr WORD kStapleBox = 3390;

class TurnedValueLists : public ListMachine {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenOn("kesm_w2_request.kpd")); }
  LONG_PTR Stored(WORD funcId) const { return GetDevmodeValueDirectByFuncID(ucb_, funcId, nullptr); }

  // The entry of an option in a list of the open page; -1 when not listed.
  int EntryOf(WORD control, const char* option) const {
    const std::vector<WORD> entries = Entries(control);
    const auto at = std::find(entries.begin(), entries.end(), static_cast<WORD>(V(option)));
    return at == entries.end() ? -1 : static_cast<int>(at - entries.begin());
  }
  // The picture lists are taller than their window: a person clicks the
  // first entry and walks down to the option with the arrow key.
  void WalkTo(kesm_test::UiScript& script, WORD control, int entry) const {
    script.select(Control(control), 0);
    for (int n = entry; n > 0; --n) script.key(VK_DOWN);
  }
};

struct TurnedCase {
  const char* what;
  WORD dialog;
  WORD control;
  WORD setting;
  const char* option;  // the description's label of the option picked
  LONG_PTR stored;     // the value it stands for
  WORD function;       // the function the list counts under, switched on
};

TEST_F(TurnedValueLists, APickOnALandscapePageStoresTheOptionsValue) {
  const TurnedCase cases[] = {
      {"duplex binding", 1003, 2087, kDuplexType, "KKDMDUPLEXTYPE_LEFT", 2, kSelectDuplex},
      {"staple place", kFinishPage, kStapleList, kStapleType, "KKDMSTAPLETYPE_SLANT_LEFT", 34, kSelectStaple},
  };
  for (const TurnedCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kOrientation, kLandscape));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, c.function, 1));
    ASSERT_TRUE(host_.Open(ucb_, c.dialog));
    const int entry = EntryOf(c.control, c.option);
    ASSERT_GE(entry, 0) << "the option is listed";
    kesm_test::UiScript script;
    WalkTo(script, c.control, entry);
    script.check("picked", [&] {
      EXPECT_EQ(Stored(c.setting), c.stored);
      EXPECT_EQ(Selected(c.control), entry) << "the pick stays shown";
    });
    EXPECT_TRUE(script.run());
    host_.Close();
    ASSERT_TRUE(host_.Open(ucb_, c.dialog));
    EXPECT_EQ(Selected(c.control), entry) << "the page opened again shows it";
    host_.Close();
  }
}

TEST_F(TurnedValueLists, ASlantedStapleNeverStaysWithPunching) {
  for (const bool punchFirst : {true, false}) {
    SCOPED_TRACE(punchFirst ? "punch, then the slanted staple" : "the slanted staple, then punch");
    ASSERT_TRUE(host_.Open(ucb_, kFinishPage));
    const int entry = EntryOf(kStapleList, "KKDMSTAPLETYPE_SLANT_LEFT");
    ASSERT_GE(entry, 0);
    kesm_test::UiScript script;
    script.click(Control(kStapleBox));
    if (punchFirst) script.click(Control(kPunchBox));
    WalkTo(script, kStapleList, entry);
    if (!punchFirst) script.click(Control(kPunchBox));
    script.check("punching", [&] {
      EXPECT_EQ(Stored(kSelectPunch), 1);
      EXPECT_EQ(Stored(kStapleType), 1) << "left-top";
    });
    EXPECT_TRUE(script.run());
    host_.Close();
    for (const WORD off : {kSelectPunch, kSelectStaple}) ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, off, 0));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kStapleType, 1));
  }
}

}  // namespace
}  // namespace ui_test
