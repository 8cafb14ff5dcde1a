// The bidi flags in printer data and in the fallback INI, the INI's
// creation and rights, the bidi data's round trip through the INI, and the
// default trays: which marked tray is chosen and when the input-tray
// settings take them.
#include <string>

#include "devicecomm/bidi/bidi_def_trays.h"
#include "devicecomm/bidi/bidi_ini_file.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/files/winfile.h"
#include "platform/security/security_control.h"
#include "storage/ini/section_names.h"
#include "tests/devicecomm/bidi/bidi_fixture.h"

namespace bidi_test {
namespace {

constexpr const char* kBidiIni = "_kesm/kesmbid.ini";
constexpr const WCHAR* kBidiIniPath = u"C:\\_kesm\\kesmbid.ini";

constexpr WORD kMemory = 10012;
constexpr WORD kCoverDefTray = 10276;
constexpr WORD kMPDefTray = 10277;
constexpr WORD kChapterDefTray1 = 10278;
constexpr WORD kReverseCoverDefTray = 10288;
constexpr WORD kMPInputTray = 123;
constexpr WORD kCoverInputTray = 125;
constexpr WORD kBackCoverInputTray = 127;
constexpr WORD kReverseCoverInputTray = 408;
constexpr WORD kChapterTray = 840;

using BidiFlags = BidiTest;

TEST_F(BidiFlags, PrinterDataFlagsRoundTrip) {
  DWORD flag = 9;
  BYTE func = 9;
  EXPECT_FALSE(GetBidiFlagDataFromReg(copyRoom_, &flag, ucb_));
  EXPECT_FALSE(IsBidiDoneOperationBefore(copyRoom_, ucb_)) << "a flag not read counts as clear";
  EXPECT_TRUE(SetBidiFlagDataToReg(copyRoom_, 3, ucb_));
  EXPECT_TRUE(SetBidiFuncDataToReg(copyRoom_, 0x45, ucb_));
  EXPECT_TRUE(SetBidiExFlagDataToReg(copyRoom_, 2, ucb_));
  EXPECT_TRUE(GetBidiFlagDataFromReg(copyRoom_, &flag, ucb_));
  EXPECT_EQ(flag, 3u);
  EXPECT_TRUE(GetBidiFuncDataFromReg(copyRoom_, &func, ucb_));
  EXPECT_EQ(func, 0x45);
  EXPECT_EQ(ReadRaw(copyRoom_, u"BidiFunc").bytes, Le(0x45, 1));
  EXPECT_TRUE(IsBidiDoneOperationBefore(copyRoom_, ucb_));
  EXPECT_FALSE(IsBidiExDoneOperationBefore(copyRoom_, ucb_)) << "bit 0 only";
}

TEST_F(BidiFlags, AFlagNotYetWrittenDoesNotMakePrinterDataReadOnly) {
  EXPECT_TRUE(IsBidiWritableReg(ucb_));
  EXPECT_FALSE(ReadRaw(copyRoom_, u"BidiFlag").present) << "the test leaves no flag behind";
  SetBidiFlagDataToReg(copyRoom_, 1, ucb_);
  EXPECT_TRUE(IsBidiWritableReg(ucb_));
  EXPECT_EQ(ReadRaw(copyRoom_, u"BidiFlag").bytes, Le(1, 4));

  HANDLE reader = nullptr;
  PRINTER_DEFAULTSW use{nullptr, nullptr, PRINTER_ACCESS_USE};
  ASSERT_TRUE(OpenPrinterW(kCopyRoom, &reader, &use));
  UCB* user = OpenOn(reader);
  EXPECT_FALSE(IsBidiWritableReg(user));
  DeletePrinterDataW(copyRoom_, u"BidiFlag");
  EXPECT_FALSE(IsBidiWritableReg(user)) << "missing, and still not writable";
  Release(user);
  ClosePrinter(reader);
}

TEST_F(BidiFlags, FallbackIniFlagsRoundTrip) {
  EXPECT_FALSE(IsBidiFlagDataRead(ucb_));
  EXPECT_TRUE(SetBidiFlagDataToFile(ucb_, FALSE));
  EXPECT_TRUE(IsBidiFlagDataRead(ucb_)) << "present although 0";
  EXPECT_FALSE(GetBidiFlagDataFromFile(ucb_));
  EXPECT_TRUE(SetBidiExFlagDataToFile(ucb_, TRUE));
  EXPECT_TRUE(IsBidiExFlagDataRead(ucb_));
  EXPECT_TRUE(GetBidiExFlagDataFromFile(ucb_));
  EXPECT_TRUE(SetBidiFuncDataToFile(ucb_, 0x1C5));
  SetKDMBidiFunc(ucb_, 0);
  EXPECT_TRUE(GetBidiFuncDataFromFile(ucb_));
  EXPECT_EQ(GetKDMBidiFunc(ucb_), 0xC5u) << "the low byte";
  EXPECT_NE(storage_test::Get(kBidiIni).find("[Copy Room]\r\nBidiFlag=0\r\nBidiExFlag=1\r\nBidiFunc=197"),
            std::string::npos)
      << storage_test::Get(kBidiIni);
  EXPECT_TRUE(DeleteBidiPrinterDataToIni(ucb_));
  EXPECT_FALSE(IsBidiFlagDataRead(ucb_));
  EXPECT_FALSE(IsBidiExFlagDataRead(ucb_));
}

TEST_F(BidiFlags, TheBidiDataRoundTripsThroughTheIni) {
  Set(ucb_, kMemory, 4096);
  SetKDMBidiFunc(ucb_, 0x41);
  ASSERT_TRUE(SetBidiPrinterDataToIni(ucb_));
  EXPECT_TRUE(GetBidiFlagDataFromFile(ucb_));
  EXPECT_TRUE(GetBidiExFlagDataFromFile(ucb_));
  Set(ucb_, kMemory, 8);
  SetKDMBidiFunc(ucb_, 0);
  EXPECT_TRUE(GetBidiPrinterDataFromIni(ucb_));
  EXPECT_EQ(Value(ucb_, kMemory), 4096);
  EXPECT_EQ(GetKDMBidiFunc(ucb_), 0x41u);
}

// Every user reads and writes the INI; only the system and administrators
// may delete it or change its rights.
TEST_F(BidiFlags, TheIniIsCreatedWithTheRightsItNeeds) {
  const std::vector<plat::StoredAce> expected = {
      {ACCESS_ALLOWED_ACE_TYPE, 0, FILE_GENERIC_READ | FILE_GENERIC_WRITE, "S-1-1-0"},
      {ACCESS_ALLOWED_ACE_TYPE, 0, FILE_ALL_ACCESS, "S-1-5-18"},
      {ACCESS_ALLOWED_ACE_TYPE, 0, FILE_ALL_ACCESS, "S-1-5-32-544"},
  };
  ASSERT_TRUE(CreateFullControlBidiFile(ucb_));
  EXPECT_EQ(storage_test::Get(kBidiIni), "\r\n");
  std::optional<plat::FileSecurityRecord> stored = plat::StoredFileSecurity(kBidiIniPath);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->dacl, expected);

  // An existing file keeps its content and gets the same DACL.
  storage_test::Put(kBidiIni, "[Copy Room]\r\nBidiFlag=1\r\n");
  ASSERT_TRUE(CreateFullControlBidiFile(ucb_));
  EXPECT_EQ(storage_test::Get(kBidiIni), "[Copy Room]\r\nBidiFlag=1\r\n");
  stored = plat::StoredFileSecurity(kBidiIniPath);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->dacl, expected);
}

TEST(BidiTrayOrder, TheFirstMarkedTrayInTheOrderWins) {
  struct Case {
    std::vector<DWORD> marked;
    DWORD chosen;
  };
  const Case cases[] = {
      {{9, 4}, 4}, {{4, 9}, 4}, {{0, 2, 1}, 2}, {{101, 54}, 54}, {{55, 0}, 0}, {{}, 0}, {{7, 7}, 7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(_SerchTrayOrder(c.marked.data(), static_cast<DWORD>(c.marked.size())), c.chosen);
  }
}

TEST_F(BidiFlags, DefaultTraysAreChosenAmongTheMarkedOnes) {
  const DWORD none[] = {0, 0};
  const DWORD marked[] = {9, 4};
  EXPECT_TRUE(SetCoverDefTray(none, 2, ucb_));
  EXPECT_EQ(Value(ucb_, kCoverDefTray), 1) << "tray 1 when none is marked";
  EXPECT_TRUE(SetMPDefTray(marked, 2, ucb_));
  EXPECT_EQ(Value(ucb_, kMPDefTray), 3);
  EXPECT_TRUE(SetReverseCoverDefTray(marked + 0, 1, ucb_));
  EXPECT_EQ(Value(ucb_, kReverseCoverDefTray), 263);
}

// Where the mark "the device set the default trays" is read, and what the
// input-tray settings then take.
TEST_F(BidiFlags, DefaultTraysGoToTheInputTraysUnlessTheDeviceSetThem) {
  struct Case {
    const char* what;
    const char* ini;     // the printer's section of the fallback INI
    bool printerMark;    // printer data "BidiExFlag" 1
    bool clientMode;
    bool copied;
  };
  const Case cases[] = {
      // Before the fix a printer never asked counted as read-only and kept
      // its input trays.
      {"never asked", "", false, false, true},
      {"mark in printer data", "", true, false, false},
      {"INI says not set", "BidiExFlag=0\r\n", true, false, true},
      {"INI says set", "BidiExFlag=1\r\n", false, false, false},
      {"client mode reads printer data only", "BidiExFlag=1\r\n", false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    storage_test::Put(kBidiIni, std::string("[Copy Room]\r\n") + c.ini);
    if (c.printerMark) {
      ASSERT_NO_FATAL_FAILURE(property_test::PutRaw(copyRoom_, u"BidiExFlag", REG_BINARY, Le(1, 4)));
    }
    SetKDMServerClientMode(ucb_, c.clientMode ? 1 : 0);
    for (WORD id : {kCoverInputTray, kBackCoverInputTray, kMPInputTray, kReverseCoverInputTray, kChapterTray}) {
      Set(ucb_, id, 0);
    }
    Set(ucb_, kCoverDefTray, 3);
    Set(ucb_, kMPDefTray, 2);
    Set(ucb_, kReverseCoverDefTray, 5);
    Set(ucb_, kChapterDefTray1, 4);
    EXPECT_EQ(SetDefTraysToOriginalInputTray(ucb_), c.copied);
    EXPECT_EQ(Value(ucb_, kCoverInputTray), c.copied ? 3 : 0);
    EXPECT_EQ(Value(ucb_, kBackCoverInputTray), c.copied ? 3 : 0);
    EXPECT_EQ(Value(ucb_, kMPInputTray), c.copied ? 2 : 0);
    EXPECT_EQ(Value(ucb_, kReverseCoverInputTray), c.copied ? 5 : 0);
    EXPECT_EQ(Value(ucb_, kChapterTray), c.copied ? 4 : 0);
    EXPECT_EQ(Ini(ucb_, GetPresetSectionName(ucb_), u"wdmChapterTray"), c.copied ? u"4" : u"<none>");
    PutIni(ucb_, GetPresetSectionName(ucb_), u"wdmChapterTray", nullptr);
    DeletePrinterDataW(copyRoom_, u"BidiExFlag");
  }
}

TEST_F(BidiFlags, TheDeviceSetMarkGoesWhereItIsRead) {
  EXPECT_TRUE(SetBidiFlagDefTrays(ucb_));
  EXPECT_EQ(ReadRaw(copyRoom_, u"BidiExFlag").bytes, Le(1, 4));
  EXPECT_TRUE(GetBidiFlagDefTrays(ucb_));
  DeletePrinterDataW(copyRoom_, u"BidiExFlag");
  EXPECT_FALSE(GetBidiFlagDefTrays(ucb_));
  SetBidiExFlagDataToFile(ucb_, FALSE);
  EXPECT_TRUE(SetBidiFlagDefTrays(ucb_));
  EXPECT_TRUE(GetBidiExFlagDataFromFile(ucb_));
  EXPECT_FALSE(ReadRaw(copyRoom_, u"BidiExFlag").present);
}

}  // namespace
}  // namespace bidi_test
