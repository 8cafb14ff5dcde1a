// Device codes onto settings: the tray pairs (primary table in force), the
// default-tray, paper, media and option tables with their first-row-wins
// duplicates, and the no-value codes.
#include <gtest/gtest.h>

#include "devicecomm/bidi/bidi_map.h"

namespace {

TEST(BidiMap, TrayCodesThroughThePrimaryTables) {
  struct Case {
    DWORD code;
    WORD field, orient, paper, media, lock, defTray;
  };
  const Case cases[] = {
      {3, 10111, 10143, 10175, 10207, 10239, 1},
      {4, 10112, 10144, 10176, 10208, 10240, 3},
      {7, 10115, 10147, 10179, 10211, 10243, 261},  // tray 5; its first default-tray row
      {9, 10117, 10149, 10181, 10213, 10245, 263},
      {101, 10140, 10172, 10204, 10236, 10268, 286},
      // Codes only the base tables know: no setting from the primary ones,
      // yet a default-tray value.
      {12, 0, 0, 0, 0, 0, 5},
      {11, 0, 0, 0, 0, 0, 11},
      {1, 0, 0, 0, 0, 0, 4},
      {55, 0, 0, 0, 0, 0, 0},  // unknown: nothing at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(GetFidFromBidiDataTrayAvailable(c.code), c.field);
    EXPECT_EQ(GetFidFromBidiDataOrientAvailable(c.code), c.orient);
    EXPECT_EQ(GetFidFromBidiDataTray(c.code), c.paper);
    EXPECT_EQ(GetFidFromBidiDataTrayMedia(c.code), c.media);
    EXPECT_EQ(GetFidFromBidiDataTrayTrayLock(c.code), c.lock);
    EXPECT_EQ(GetFidFromBidiDataTrayDefTray(c.code), c.defTray);
  }
}

TEST(BidiMap, TheBaseTablesStandBehind) {
  struct Case {
    DWORD code;
    WORD field, paper, defTray;
  };
  const Case cases[] = {
      {12, 10112, 10176, 5}, {7, 10136, 10200, 11}, {11, 10136, 10200, 11},
      {1, 10138, 10202, 4},  {2, 10139, 10203, 4},  {101, 10140, 10204, 286},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(GetFidFromBidiData(c.code, GetBidiTrayInfoBit()), c.field);
    EXPECT_EQ(GetFidFromBidiData(c.code, GetBidiTrayInfo()), c.paper);
    EXPECT_EQ(GetFidFromBidiData(c.code, GetBidiTrayDefTrayInfo()), c.defTray);
  }
  EXPECT_EQ(GetFidFromBidiData(7, GetBidiTrayTrayLockInfoBit()), 10264);
  EXPECT_EQ(GetFidFromBidiData(7, GetBidiTrayInfoMedia()), 10232);
  EXPECT_EQ(GetFidFromBidiData(7, GetBidiOrientInfoBit()), 10168);
}

TEST(BidiMap, PaperByOrientation) {
  struct Case {
    DWORD code;
    WORD paper;
    DWORD landscape;
  };
  const Case cases[] = {
      {0, 0, 0},     // no paper, found in the portrait table
      {1, 0, 0},     // the other no-paper value, also portrait
      {23, 1, 0},    {58, 3, 0}, {2, 393, 0},
      {22, 1, 1},    // only in the landscape table
      {83, 27, 1},
      {99, 0, 1},    // unknown: landscape searched, nothing found
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    DWORD landscape = 7;
    EXPECT_EQ(GetFidFromBidiDataPaper(c.code, &landscape), c.paper);
    EXPECT_EQ(landscape, c.landscape);
  }
}

TEST(BidiMap, MediaAndOptions) {
  const std::pair<DWORD, WORD> media[] = {{0, 0}, {1, 1}, {4, 263}, {22, 264}, {34, 288}, {35, 0}};
  for (const auto& [code, value] : media) EXPECT_EQ(GetFidFromBidiDataMedia(code), value) << code;

  const std::pair<DWORD, WORD> options[] = {
      {112, 10045}, {104, 10018}, {21, 10084}, {38, 10082}, {1, 10014}, {113, 10290},
      // Codes 132-134 select the FIN1 settings: the FIN3 rows are never reached.
      {132, 10086}, {133, 10087}, {134, 10088}, {137, 10090}, {12, 10092}, {142, 10093}, {5, 0},
  };
  for (const auto& [code, id] : options) EXPECT_EQ(GetFidFromBidiDataOptionDevice(code, nullptr), id) << code;

  for (DWORD code : {132u, 133u, 134u, 142u, 137u, 138u, 12u}) EXPECT_TRUE(IsOptDevPunch(code)) << code;
  for (DWORD code : {0u, 21u, 38u, 139u}) EXPECT_FALSE(IsOptDevPunch(code)) << code;
}

TEST(BidiMap, TrayStateBits) {
  EXPECT_EQ(GetFidFromBidiDataTrayLock(0x201), 1);
  EXPECT_EQ(GetFidFromBidiDataCoverDefTray(0x4), 1);
  EXPECT_EQ(GetFidFromBidiDataCoverDefTray(0x3), 0);
  EXPECT_EQ(GetFidFromBidiDataMPDefTray(0x8), 1);
  EXPECT_EQ(GetFidFromBidiDataReverseCoverDefTray(0x200), 1);
  EXPECT_EQ(GetFidFromBidiDataReverseCoverDefTray(0x100), 0);
  // Without a context no feature module answers: no chapter tray.
  EXPECT_EQ(GetFidFromBidiDataChapterDefTray(0xFFFFFFFF, nullptr), 0);
}

}  // namespace
