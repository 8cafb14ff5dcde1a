#include "settings/values/setting_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "tests/settings/context/hand_context.h"
#include "jobsettings/rules/print_orientation.h"
#include "settings/values/setting_lookup.h"

namespace {

using kesm_test::HandContext;

class SettingValue : public ::testing::Test {
 protected:
  SFCB* Record(WORD funcId) { return GetSFCBbyFuncID(ctx_.ucb(), funcId); }
  // The four bytes at a setting's place in the current DCB.
  DWORD WordAt(WORD funcId) { return LoadLE<DWORD>(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(funcId)), 0); }
  LONG_PTR Get(WORD funcId) { return GetDevmodeValueDirectByFuncID(ctx_.ucb(), funcId, nullptr); }
  void Set(WORD funcId, LONG_PTR v) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ctx_.ucb(), funcId, v)); }

  HandContext ctx_;
};

TEST_F(SettingValue, AddressesFollowTheBlockOffsetsOfTheHeader) {
  const BYTE* dcb = reinterpret_cast<const BYTE*>(&ctx_.dcb());
  EXPECT_EQ(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(7)), dcb + 76);
  EXPECT_EQ(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(10004)), dcb + 1236 + 2);
  EXPECT_EQ(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(753)), dcb + 2256 + 52);
  EXPECT_EQ(GetDevmodeAddressBySFCBSaveDCB2(ctx_.ucb(), Record(753)),
            reinterpret_cast<const BYTE*>(&ctx_.dcb2()) + 2256 + 52);
  EXPECT_EQ(GetDevmodeAddressBySFCB(ctx_.ucb(), nullptr), nullptr);
}

TEST_F(SettingValue, BlockOffsetsThatLeaveTheDcbGiveNoStorage) {
  // A header read from elsewhere may carry any offsets.
  StoreLE<WORD>(ctx_.dcb().devmode, kOffBlockOffsets + 4, 0xFFFF);
  EXPECT_EQ(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(753)), nullptr);
  EXPECT_FALSE(SetDevmodeValueDirectByFuncID(ctx_.ucb(), 753, 1));
  EXPECT_EQ(Get(753), 0);
  EXPECT_EQ(ctx_.work().fChanged, 0);
  StoreLE<WORD>(ctx_.dcb().devmode, kOffBlockOffsets + 4, kSizeofDCB - 4);
  EXPECT_NE(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(624)), nullptr);  // bit word at 0 fits
  EXPECT_EQ(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(753)), nullptr);  // offset 52 does not
}

struct KindCase {
  WORD funcId;
  const char* kind;
  LONG_PTR written;
  DWORD wordBefore;  // the four bytes at the place before the write
  DWORD wordAfter;
  LONG_PTR readBack;
};

TEST_F(SettingValue, EveryValueKindStoresItsWidthAndReadsWithItsSign) {
  const KindCase cases[] = {
      {37, "int8", 0xFF, 0, 0x000000FF, -1},
      {37, "int8 keeps the neighbours", -2, 0xAAAAAAAA, 0xAAAAAAFE, -2},
      {35, "uint8", 0xFF, 0, 0x000000FF, 255},
      {35, "uint8 low byte", 0x1FF, 0, 0x000000FF, 255},
      {38, "int16", 0xFFFF, 0, 0x0000FFFF, -1},
      {53, "uint16", 0xFFFF, 0, 0x0000FFFF, 65535},
      {53, "uint16 low word", 0x12345678, 0xAAAAAAAA, 0xAAAA5678, 0x5678},
      {10289, "int32", 0xFFFFFFFF, 0, 0xFFFFFFFF, -1},
      {54, "uint32", 0xFFFFFFFF, 0, 0xFFFFFFFF, 0xFFFFFFFF},
      {55, "bit 0", 1, 0, 0x00000001, 1},
      {55, "bit 0 cleared", 0, 0xFFFFFFFF, 0xFFFFFFFE, 0},
      {81, "bit 26 (kind 42)", 5, 0, 0x04000000, 1},
      {81, "bit 26 cleared", 0, 0xFFFFFFFF, 0xFBFFFFFF, 0},
      {64, "bit 9", 7, 0x00000100, 0x00000300, 1},
      {78, "bit 23", 1, 0, 0x00800000, 1},
  };
  for (const KindCase& c : cases) {
    BYTE* p = GetDevmodeAddressBySFCB(ctx_.ucb(), Record(c.funcId));
    ASSERT_NE(p, nullptr) << c.kind;
    StoreLE<DWORD>(p, 0, c.wordBefore);
    Set(c.funcId, c.written);
    EXPECT_EQ(LoadLE<DWORD>(p, 0), c.wordAfter) << c.kind;
    EXPECT_EQ(Get(c.funcId), c.readBack) << c.kind;
  }
}

TEST_F(SettingValue, PointerSettingsKeepTheWholeAddress) {
  int target = 0;
  const auto address = reinterpret_cast<LONG_PTR>(&target);
  for (WORD id : {WORD{10005}, WORD{10007}, WORD{10009}, WORD{10011}}) {
    Set(id, address);
    EXPECT_EQ(Get(id), address) << id;
    EXPECT_EQ(LoadLE<ULONG_PTR>(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(id)), 0),
              static_cast<ULONG_PTR>(address));
  }
  // The count before each pointer is untouched.
  EXPECT_EQ(Get(10006), 0);
}

TEST_F(SettingValue, StringSettingsReadAsTheirAddress) {
  EXPECT_EQ(Get(114), reinterpret_cast<LONG_PTR>(GetDevmodeAddressBySFCB(ctx_.ucb(), Record(114))));
}

TEST_F(SettingValue, ARawStringStoreCopiesNoMoreThanTheSourceHolds) {
  BYTE* field = GetDevmodeAddressBySFCB(ctx_.ucb(), Record(114));  // ANSI, 33 bytes
  std::memset(field, 'x', 33);
  auto source = std::make_unique<char[]>(3);  // exactly "ab" and its terminator
  std::memcpy(source.get(), "ab", 3);
  Set(114, reinterpret_cast<LONG_PTR>(source.get()));
  EXPECT_STREQ(reinterpret_cast<const char*>(field), "ab");
  EXPECT_EQ(field[32], 0);

  const std::string longText(50, 'y');
  Set(114, reinterpret_cast<LONG_PTR>(longText.c_str()));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(field)), std::string(32, 'y'));

  Set(114, 0);  // null clears
  EXPECT_EQ(field[0], 0);
}

TEST_F(SettingValue, StringsAsWideText) {
  WCHAR text[64] = {};
  SFCB* ansi = Record(114);  // kdmHFString, ANSI 33 bytes
  ASSERT_NE(SetDevmodeStringBySFCB(ctx_.ucb(), ansi, u"Header text"), nullptr);
  ASSERT_NE(GetDevmodeStringBySFCB(ctx_.ucb(), ansi, text), nullptr);
  EXPECT_EQ(std::u16string_view(text), u"Header text");

  const std::u16string tooLong(40, u'z');
  SetDevmodeStringBySFCB(ctx_.ucb(), ansi, tooLong.c_str());
  EXPECT_STREQ(reinterpret_cast<const char*>(GetDevmodeAddressBySFCB(ctx_.ucb(), ansi)), std::string(32, 'z').c_str());
  GetDevmodeStringBySFCB(ctx_.ucb(), ansi, text);
  EXPECT_EQ(std::u16string_view(text), std::u16string(32, u'z'));

  // A field read from elsewhere may lack its terminator: the text stops at
  // the field's end.
  std::memset(GetDevmodeAddressBySFCB(ctx_.ucb(), ansi), 'q', 33);
  GetDevmodeStringBySFCB(ctx_.ucb(), ansi, text);
  EXPECT_EQ(std::u16string_view(text), std::u16string(32, u'q'));

  SFCB* wide = Record(1);  // dmDeviceName, 64 bytes
  SetDevmodeStringBySFCB(ctx_.ucb(), wide, tooLong.c_str());
  GetDevmodeStringBySFCB(ctx_.ucb(), wide, text);
  EXPECT_EQ(std::u16string_view(text), std::u16string(31, u'z'));

  GetDevmodeStringBySFCB(ctx_.ucb(), Record(7), text);
  EXPECT_EQ(std::u16string_view(text), u"wrong");
  EXPECT_EQ(GetDevmodeStringBySFCB(ctx_.ucb(), nullptr, text), nullptr);
  EXPECT_EQ(SetDevmodeStringBySFCB(ctx_.ucb(), ansi, nullptr), nullptr);
}

TEST_F(SettingValue, StringsByItemId) {
  const ICB* icb = GetICBbyItemID(ctx_.ucb(), nullptr, 2310);
  ASSERT_NE(icb, nullptr);
  ASSERT_NE(icb->pSFCB, nullptr);
  WCHAR text[128] = {};
  ASSERT_NE(SetDevmodeStringByItemID(ctx_.ucb(), 2310, u"CONFIDENTIAL"), nullptr);
  ASSERT_NE(GetDevmodeStringByItemID(ctx_.ucb(), 2310, text), nullptr);
  EXPECT_EQ(std::u16string_view(text), u"CONFIDENTIAL");
  EXPECT_EQ(GetDevmodeStringByItemID(ctx_.ucb(), 65000, text), nullptr);
}

TEST_F(SettingValue, AWriteMarksTheSettingAndTheContext) {
  SFCB* orientation = Record(7);
  Set(7, 2);
  EXPECT_EQ(orientation->flags & kSfcbChangedMask, 1);
  EXPECT_EQ(ctx_.work().fChanged, 1);
  EXPECT_EQ(Record(8)->flags & kSfcbChangedMask, 0);
}

TEST_F(SettingValue, TheSavedCopyIsWrittenWithoutMarksOrRequests) {
  Record(753)->uiRequest = 0x00010000;
  ASSERT_TRUE(SetDevmodeValueDirectByFuncIDSaveDCB2(ctx_.ucb(), 753, 9920));
  EXPECT_EQ(GetDevmodeValueDirectByFuncIDSaveDCB2(ctx_.ucb(), 753, nullptr), 9920);
  EXPECT_EQ(Get(753), 0);
  EXPECT_EQ(Record(753)->flags & kSfcbChangedMask, 0);
  EXPECT_EQ(ctx_.work().fChanged, 0);
  EXPECT_EQ(GetRequestCode(ctx_.ucb()), 0u);
  SFCB* out = nullptr;
  GetDevmodeValueDirectByFuncIDSaveDCB2(ctx_.ucb(), 753, &out);
  EXPECT_EQ(out, Record(753));
}

struct ScaleCase {
  LONG_PTR scaleType;
  LONG_PTR expectedV;
  DWORD expectedRequest;
  WORD expectedVMark;
};

TEST_F(SettingValue, HorizontalScaleFollowsIntoVerticalWhenTheTypeIsOne) {
  const ScaleCase cases[] = {
      {1, 150, 0x00030000, 1},
      {0, 0, 0x00010000, 0},
      {2, 0, 0x00010000, 0},
  };
  for (const ScaleCase& c : cases) {
    HandContext ctx;
    ASSERT_NE(GetDevmodeAddressBySFCB(ctx.ucb(), GetSFCBbyFuncID(ctx.ucb(), 87)), nullptr);
    StoreLE<BYTE>(GetDevmodeAddressBySFCB(ctx.ucb(), GetSFCBbyFuncID(ctx.ucb(), 87)), 0,
                  static_cast<BYTE>(c.scaleType));
    GetSFCBbyFuncID(ctx.ucb(), 89)->uiRequest = 0x80010000;  // length mark is not posted
    GetSFCBbyFuncID(ctx.ucb(), 90)->uiRequest = 0x00020000;
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ctx.ucb(), 89, 150));
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(ctx.ucb(), 89, nullptr), 150);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(ctx.ucb(), 90, nullptr), c.expectedV) << c.scaleType;
    EXPECT_EQ(GetRequestCode(ctx.ucb()), c.expectedRequest) << c.scaleType;
    EXPECT_EQ(GetSFCBbyFuncID(ctx.ucb(), 90)->flags & kSfcbChangedMask, c.expectedVMark) << c.scaleType;
  }
}

struct RequestCase {
  DWORD before;
  DWORD posted;
  DWORD after;
};

TEST_F(SettingValue, RequestWord) {
  const RequestCase cases[] = {
      {0x00000000, 0x00010000, 0x00010000},
      {0x00020005, 0x00010000, 0x00030005},  // high bits only: the low ones stay
      {0x00020005, 0x00000003, 0x00020003},  // low bits replace the low ones
      {0x00020005, 0x10000008, 0x10020008},
      {0xFFFFFFFF, 0x00000000, 0x00000000},  // 0 clears
  };
  for (const RequestCase& c : cases) {
    ctx_.work().dwRequest = static_cast<INT>(c.before);
    KesmRequestForUiCore(ctx_.ucb(), c.posted);
    EXPECT_EQ(GetRequestCode(ctx_.ucb()), c.after) << std::hex << c.before << " " << c.posted;
  }
  // Only the setting's posting bits go out with a write.
  ctx_.work().dwRequest = 0x00000007;
  Record(8)->uiRequest = 0x8F1F00F0;
  Set(8, 9);
  EXPECT_EQ(GetRequestCode(ctx_.ucb()), 0x011F0007u);
}

TEST_F(SettingValue, ResetClearsTheRingOnlyForTheTopBits) {
  for (INT& saved : ctx_.work().aRingRequest) {
    saved = 0x1FFFFFFF;
  }
  ctx_.work().dwRequest = 0x1FFFFFFF;
  ResetRequestCode(ctx_.ucb(), 0x00010000);
  EXPECT_EQ(GetRequestCode(ctx_.ucb()), 0x1FFEFFFFu);
  for (INT saved : ctx_.work().aRingRequest) {
    EXPECT_EQ(static_cast<DWORD>(saved), 0x1FFFFFFFu);
  }
  ResetRequestCode(ctx_.ucb(), 0x10000000);
  EXPECT_EQ(GetRequestCode(ctx_.ucb()), 0x0FFEFFFFu);
  for (INT saved : ctx_.work().aRingRequest) {
    EXPECT_EQ(static_cast<DWORD>(saved), 0x0FFFFFFFu);
  }
}

TEST_F(SettingValue, LastError) {
  EXPECT_EQ(DrvGetLastError(ctx_.ucb()), 0u);
  DrvSetLastError(ctx_.ucb(), 87);
  EXPECT_EQ(DrvGetLastError(ctx_.ucb()), 87u);
  EXPECT_EQ(DrvGetLastError(nullptr), 0u);
  DrvSetLastError(nullptr, 5);  // no context: nothing to keep it in
}

}  // namespace
