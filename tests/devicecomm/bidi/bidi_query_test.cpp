// The status query against scripted devices: a full answer and what it
// becomes, the gate, every step of the library failing, and hostile answers
// (counts beyond the entries delivered, truncated entries, wrong sizes on
// the size probe, unterminated texts). A failed query leaves the
// printer-wide settings exactly as they were.
#include <filesystem>
#include <functional>
#include <vector>

#include "devicecomm/bidi/bidi_ini_file.h"
#include "devicecomm/bidi/bidi_map.h"
#include "devicecomm/bidi/bidi_query.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "tests/devicecomm/bidi/bidi_fixture.h"

namespace bidi_test {
namespace {

constexpr WORD kTrayField0 = 10111;
constexpr WORD kTrayField1 = 10112;
constexpr WORD kTrayField4 = 10115;
constexpr WORD kTrayLock0 = 10239;
constexpr WORD kTrayLock1 = 10240;
constexpr WORD kTray5Media = 10211;
constexpr WORD kTray1Paper = 10175;
constexpr WORD kTray1Media = 10207;
constexpr WORD kTrayOrient0 = 10143;
constexpr WORD kDuplexUnit = 10014;
constexpr WORD kLct1 = 10018;
constexpr WORD kFinQG = 10082;
constexpr WORD kFin1EU = 10087;
constexpr WORD kFinQGNoPunch = 10089;
constexpr WORD kMemory = 10012;
constexpr WORD kMemoryType = 10013;
constexpr WORD kSystemVersion = 10271;
constexpr WORD kEmulationVersion = 10272;
constexpr WORD kOther = 10274;
constexpr WORD kCoverDefTray = 10276;
constexpr WORD kMPDefTray = 10277;
constexpr WORD kReverseCoverDefTray = 10288;

// A device of the model with trays 1, 2 and 5 (tray 1 locked, trays 2 and
// 5 marked as cover trays, tray 2 also as inserter tray), a finisher with
// a European punch unit, a large-capacity tray and a duplex unit, 64 MiB of
// memory of the second type and its version texts.
void FullDevice(portmonlib::Device& d) {
  d.items[1] = Entries({3, 4, 7});
  d.items[20] = Entries({23, 58, 22});
  d.items[21] = Entries({1, 4, 0});
  d.items[23] = Entries({0x1, 0xC, 0x4});
  d.items[2] = Entries({38, 133, 104, 1});
  d.items[11] = Entries({64u << 20});
  d.items[8] = portmonlib::Text("SYS 1.20");
  d.category[258] = Entries({2});
  d.category[2] = portmonlib::Text("EMU 3.1");
  d.category[259] = portmonlib::Text("OTHER 7");
}

std::vector<BYTE> PrinterPart(UCB* ucb) {
  const BYTE* part = GetPrinterDevmode(ucb);
  return std::vector<BYTE>(part, part + sizeofPrnDM());
}

class BidiQuery : public BidiTest {
 public:
  void SetUp() override {
    BidiTest::SetUp();
    FullDevice(device());
    // What the printer had before: tray 2 alone, a duplex unit, 1 MiB.
    Set(ucb_, kTrayField1, 1);
    Set(ucb_, kDuplexUnit, 1);
    Set(ucb_, kMemory, 1024);
    SetText(ucb_, kSystemVersion, u"OLD");
  }
};

TEST_F(BidiQuery, AFullAnswerBecomesThePrinterSettings) {
  ASSERT_TRUE(_GetBidiDataImmediately(ucb_, nullptr, kBidiQueryApplication));
  EXPECT_EQ(Value(ucb_, kTrayField0), 1);
  EXPECT_EQ(Value(ucb_, kTrayField1), 1);
  EXPECT_EQ(Value(ucb_, kTrayField4), 1);
  EXPECT_EQ(Value(ucb_, 10113), 0) << "trays start from nothing";
  EXPECT_EQ(Value(ucb_, kTrayLock0), 1);
  EXPECT_EQ(Value(ucb_, kTrayLock1), 0);
  EXPECT_EQ(Value(ucb_, kTray5Media), 1) << "no media value becomes 1";
  // Papers with their orientation: tray 5's code is a landscape one.
  EXPECT_EQ(Value(ucb_, kTray1Paper), 1);
  EXPECT_EQ(Value(ucb_, kTray1Paper + 1), 3);
  EXPECT_EQ(Value(ucb_, kTray1Paper + 4), 1);
  EXPECT_EQ(Value(ucb_, kTrayOrient0), 0);
  EXPECT_EQ(Value(ucb_, kTrayOrient0 + 4), 1);
  EXPECT_EQ(Value(ucb_, kTray1Media), 1);
  EXPECT_EQ(Value(ucb_, kTray1Media + 1), 263);
  // The finisher is the European punch variant; the generic option goes.
  EXPECT_EQ(Value(ucb_, kFin1EU), 1);
  EXPECT_EQ(Value(ucb_, kFinQG), 0);
  EXPECT_EQ(Value(ucb_, kFinQGNoPunch), 0);
  EXPECT_EQ(Value(ucb_, kLct1), 1);
  EXPECT_EQ(Value(ucb_, kDuplexUnit), 1);
  EXPECT_EQ(Value(ucb_, kMemory), 65536);
  EXPECT_EQ(Value(ucb_, kMemoryType), 0);
  EXPECT_EQ(Text(ucb_, kSystemVersion), u"SYS 1.20");
  EXPECT_EQ(Text(ucb_, kEmulationVersion), u"EMU 3.1");
  EXPECT_EQ(Text(ucb_, kOther), u"OTHER 7");
  // Trays 2 and 5 were cover trays: tray 2 comes first in the tray order.
  EXPECT_EQ(Value(ucb_, kCoverDefTray), 3);
  EXPECT_EQ(Value(ucb_, kMPDefTray), 3);
  EXPECT_EQ(Value(ucb_, kReverseCoverDefTray), 1) << "none marked: tray 1";
  EXPECT_EQ(GetKDMBidiFunc(ucb_), 0x3u);
  EXPECT_EQ(GetKDMBiDirect(ucb_), 1u);

  // Saved: the settings in printer data, the flags beside them, no INI.
  EXPECT_EQ(ReadRaw(copyRoom_, u"RAM").bytes, Le(65536, 4));
  EXPECT_EQ(ReadRaw(copyRoom_, u"BidiFlag").bytes, Le(1, 4));
  EXPECT_EQ(ReadRaw(copyRoom_, u"BidiFunc").bytes, Le(3, 1));
  EXPECT_FALSE(IsBidiFlagDataRead(ucb_));
  EXPECT_EQ(lib().openPrinters, 0);
  EXPECT_EQ(lib().CountOf("request"), 1);
  EXPECT_EQ(lib().calls[0].op, "init");
}

// Trays the device marks as chapter default trays become the chapter
// module's default trays, each marked in the BidiFunc bits; the others
// start from the device's default tray.
TEST_F(BidiQuery, TraysMarkedForChaptersBecomeTheChapterDefaultTrays) {
  device().items[23] = Entries({0x1, 0xC | 0x40, 0x4 | 0x20});
  Set(ucb_, 10278, 0);
  Set(ucb_, 10279, 0);
  Set(ucb_, 10280, 0);
  ASSERT_TRUE(_GetBidiDataImmediately(ucb_, nullptr, kBidiQueryApplication));
  EXPECT_EQ(Value(ucb_, 10278), GetFidFromBidiDataTrayDefTray(7));
  EXPECT_EQ(Value(ucb_, 10279), GetFidFromBidiDataTrayDefTray(4));
  EXPECT_EQ(Value(ucb_, 10280), GetFidFromBidiDataTrayDefTray(3)) << "unmarked: the device's default tray";
  EXPECT_EQ(GetKDMBidiFunc(ucb_), 0x3u | 0x4u | 0x8u);
}

TEST_F(BidiQuery, TheVersionOnlyQueryReadsTheVersionsAlone) {
  const std::u16string other = Text(ucb_, kOther);
  ASSERT_TRUE(GetBidiDataImmediately2(ucb_, nullptr));
  EXPECT_EQ(Text(ucb_, kSystemVersion), u"SYS 1.20");
  EXPECT_EQ(Text(ucb_, kEmulationVersion), u"EMU 3.1");
  EXPECT_EQ(Text(ucb_, kOther), other);
  EXPECT_EQ(Value(ucb_, kMemory), 1024);
  EXPECT_EQ(Value(ucb_, kTrayField0), 0);
  for (const portmonlib::Call& call : lib().calls) {
    if (call.op == "request") {
      EXPECT_EQ(call.number, kBidiMaskVersion);
    }
  }
  EXPECT_FALSE(ReadRaw(copyRoom_, u"BidiFlag").present);
}

TEST_F(BidiQuery, AClosedGateAsksNothing) {
  PutIni(ucb_, GetDriverName(ucb_), u"bIsBIDISupportForKESM", u"0");
  SetKDMBiDirectOn(ucb_);
  EXPECT_TRUE(_GetBidiDataImmediately(ucb_, nullptr, kBidiQueryWindow));
  EXPECT_EQ(GetKDMBiDirect(ucb_), 0u);
  EXPECT_TRUE(lib().calls.empty());
  EXPECT_FALSE(ReadRaw(copyRoom_, u"BidiFlag").present);
  EXPECT_EQ(Value(ucb_, kMemory), 1024);
}

TEST_F(BidiQuery, APrinterWithoutABidiPortIsNotAsked) {
  UCB* office = OpenOn(office_);
  lib().devices[context_test::kOffice].model = kModel;
  EXPECT_FALSE(_GetBidiDataImmediately(office, nullptr, 0));
  EXPECT_TRUE(lib().calls.empty());
  Release(office);
}

TEST_F(BidiQuery, TheModelMustMatchWhileItsTestIsOn) {
  device().model = u"Kesm 4200 Plus";
  EXPECT_FALSE(_GetBidiData(0, 0, ucb_));
  PutIni(ucb_, GetDriverName(ucb_), u"bIsBIDISupportForKESMModel", u"0");
  EXPECT_TRUE(_GetBidiData(0, 0, ucb_));
}

// The library is taken from the system folder only: a copy elsewhere is
// not loaded, and a copy under its Windows 9x name is not used on NT.
TEST_F(BidiQuery, TheLibraryComesFromTheSystemFolder) {
  HMODULE other = LoadLibraryW(u"C:\\Windows\\System32\\tvoman32.dll");
  ASSERT_NE(other, nullptr);
  portmonlib::State* nineX = StateOf(other);
  FullDevice(nineX->devices[kCopyRoom]);
  nineX->devices[kCopyRoom].model = kModel;
  EXPECT_TRUE(_GetBidiData(0, kBidiQueryWin9x, ucb_));
  EXPECT_TRUE(nineX->calls.empty());
  EXPECT_FALSE(lib().calls.empty());
  *nineX = portmonlib::State{};
  FreeLibrary(other);

  // Gone from the system folder, present in the driver folder.
  FreeLibrary(library_);
  library_ = nullptr;
  std::filesystem::rename(plat::DriveRoot() / kNtInSystem,
                          plat::DriveRoot() / "Windows/System32/spool/drivers/w32x86/3/tv4manNT.dll");
  EXPECT_FALSE(IsBidiPortAvailable(ucb_, 0));
  EXPECT_FALSE(_GetBidiData(0, 0, ucb_));
}

struct FailureCase {
  const char* what;
  std::function<void(BidiQuery&)> script;
  BOOL result;
};

TEST_F(BidiQuery, EveryFailureLeavesThePrinterSettingsAsTheyWere) {
  using Q = BidiQuery;
  const FailureCase cases[] = {
      {"initialising refused", [](Q& q) { q.lib().refuseInitialize = true; }, FALSE},
      {"printer not opened", [](Q& q) { q.Fail("open"); }, FALSE},
      {"opened without the ok word", [](Q& q) { q.Fail("okword"); }, FALSE},
      {"model name not read", [](Q& q) { q.Fail("model"); }, FALSE},
      {"status request refused", [](Q& q) { q.Fail("request"); }, FALSE},
      {"tray probe fails", [](Q& q) { q.Fail("item", 1, true); }, FALSE},
      {"tray read fails", [](Q& q) { q.Fail("item", 1); }, FALSE},
      {"paper read fails", [](Q& q) { q.Fail("item", 20); }, FALSE},
      {"state read fails", [](Q& q) { q.Fail("item", 23); }, FALSE},
      {"option read fails", [](Q& q) { q.Fail("item", 2); }, FALSE},
      {"memory read fails", [](Q& q) { q.Fail("item", 11); }, FALSE},
      {"version read fails", [](Q& q) { q.Fail("item", 8); }, FALSE},
      // Hostile answers.
      {"tray count beyond the entries", [](Q& q) { q.device().countAnswer[1] = 9; }, FALSE},
      {"negative tray count", [](Q& q) { q.device().countAnswer[1] = -7; }, FALSE},
      {"fewer papers than trays", [](Q& q) { q.device().items[20] = Entries({23, 58}); }, FALSE},
      {"fewer states than trays", [](Q& q) { q.device().countAnswer[23] = 1; }, FALSE},
      {"option count beyond the entries", [](Q& q) { q.device().countAnswer[2] = 50; }, FALSE},
      {"truncated tray entries",
       [](Q& q) {
         q.device().items[1].resize(10);
         q.device().countAnswer[1] = 3;
       },
       FALSE},
      {"probe names less than the item", [](Q& q) { q.device().probeAnswer[1] = 4; }, FALSE},
      {"probe names an absurd size", [](Q& q) { q.device().probeAnswer[2] = 0x7FFFFFF0; }, FALSE},
  };
  const std::vector<BYTE> before = PrinterPart(ucb_);
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    lib().failures.clear();
    FullDevice(device());
    device().countAnswer.clear();
    device().probeAnswer.clear();
    lib().refuseInitialize = false;
    c.script(*this);
    SetKDMBidiFunc(ucb_, 0x10);
    EXPECT_EQ(_GetBidiData(0, 0, ucb_), c.result);
    EXPECT_TRUE(PrinterPart(ucb_) == before) << "the printer-wide settings changed";
    EXPECT_EQ(GetKDMBidiFunc(ucb_), 0x10u);
    EXPECT_EQ(lib().openPrinters, 0);
  }
  EXPECT_FALSE(ReadRaw(copyRoom_, u"RAM").present);
}

TEST_F(BidiQuery, AnswersThatAreOddButSound) {
  struct Case {
    const char* what;
    std::function<void(BidiQuery&)> script;
    std::function<void(BidiQuery&)> check;
  };
  using Q = BidiQuery;
  const Case cases[] = {
      {"status request still pending", [](Q& q) { q.Fail("request", 0, false, kBidiPending); },
       [](Q& q) { EXPECT_EQ(q.Value(q.ucb_, kTrayField4), 1); }},
      {"probe names more than the item",
       [](Q& q) { q.device().probeAnswer[1] = 64; },
       [](Q& q) {
         EXPECT_EQ(q.Value(q.ucb_, kTrayField4), 1);
         EXPECT_EQ(q.Value(q.ucb_, 10116), 0) << "zero-filled room is no tray";
       }},
      {"paper codes without a paper", [](Q& q) { q.device().items[20] = Entries({0, 1, 0}); },
       [](Q& q) {
         EXPECT_EQ(q.Value(q.ucb_, kTray1Paper), 0);
         EXPECT_EQ(q.Value(q.ucb_, kTray1Paper + 1), 0);
         EXPECT_EQ(q.Value(q.ucb_, kTrayOrient0 + 1), 0);
       }},
      {"no tray states: the trays without their details",
       [](Q& q) {
         q.device().items.erase(23);
         q.Set(q.ucb_, kTray1Paper, 5);
       },
       [](Q& q) {
         EXPECT_EQ(q.Value(q.ucb_, kTrayField4), 1);
         EXPECT_EQ(q.Value(q.ucb_, kTrayField1), 1);
         EXPECT_EQ(q.Value(q.ucb_, kTray1Paper), 5);
       }},
      {"no trays item", [](Q& q) { q.device().items.erase(1); },
       [](Q& q) { EXPECT_EQ(q.Value(q.ucb_, kTrayField1), 0) << "trays start from nothing"; }},
      {"memory below one entry", [](Q& q) { q.device().items[11] = {1, 2}; },
       [](Q& q) { EXPECT_EQ(q.Value(q.ucb_, kMemory), 1024); }},
      {"version text without terminator, longer than the setting",
       [](Q& q) { q.device().items[8] = portmonlib::Text(std::string(100, 'V'), false); },
       [](Q& q) { EXPECT_EQ(q.Text(q.ucb_, kSystemVersion), std::u16string(64, u'V')); }},
      {"other text without terminator", [](Q& q) { q.device().category[259] = portmonlib::Text("ABCDEFGH", false); },
       [](Q& q) { EXPECT_EQ(q.Text(q.ucb_, kOther), u"ABCDEFGH"); }},
      {"category refused", [](Q& q) { q.Fail("category"); },
       [](Q& q) {
         EXPECT_EQ(q.Text(q.ucb_, kEmulationVersion), u"");
         EXPECT_EQ(q.Value(q.ucb_, kMemory), 65536);
       }},
      {"memory type of size 0 ends the category",
       [](Q& q) { q.device().category[258] = {}; },
       [](Q& q) {
         EXPECT_EQ(q.Value(q.ucb_, kMemoryType), 1);
         EXPECT_EQ(q.Text(q.ucb_, kEmulationVersion), u"");
       }},
      {"emulation probe fails", [](Q& q) { q.Fail("subitem", 2, true); },
       [](Q& q) {
         EXPECT_EQ(q.Text(q.ucb_, kEmulationVersion), u"");
         EXPECT_EQ(q.Text(q.ucb_, kOther), u"");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    lib().failures.clear();
    FullDevice(device());
    device().probeAnswer.clear();
    Set(ucb_, kTrayField1, 1);
    Set(ucb_, kMemory, 1024);
    Set(ucb_, kMemoryType, 1);
    SetText(ucb_, kEmulationVersion, u"");
    SetText(ucb_, kOther, u"");
    c.script(*this);
    EXPECT_TRUE(_GetBidiData(0, 0, ucb_));
    c.check(*this);
  }
}

// What the property sheets get: data there, not needed, or the feature
// modules' start (the Other module's query, which the library refuses
// here).
TEST_F(BidiQuery, IfNeedTakesWhatIsKnownBeforeAsking) {
  lib().refuseInitialize = true;
  struct Case {
    const char* what;
    const char* ini;  // the printer's section of the fallback INI
    bool printerFlag;
    bool clientMode;
    bool gateOpen;
    BOOL result;
    DWORD biDirect;
    DWORD bidiFunc;
  };
  const Case cases[] = {
      {"INI says done", "BidiFlag=1\r\nBidiFunc=6\r\n", false, false, true, TRUE, 1, 0},
      {"INI says not done", "BidiFlag=0\r\n", true, false, true, FALSE, 0, 0},
      {"printer data says done", "", true, false, true, TRUE, 1, 0x42},
      {"client mode passes the INI by", "BidiFlag=1\r\n", true, true, true, TRUE, 1, 0x42},
      {"nothing known", "", false, false, true, FALSE, 0, 0},
      {"gate closed", "", false, false, false, TRUE, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    storage_test::Put("_kesm/kesmbid.ini", std::string("[Copy Room]\r\n") + c.ini);
    DeletePrinterDataW(copyRoom_, u"BidiFlag");
    if (c.printerFlag) {
      SetBidiFlagDataToReg(copyRoom_, 1, ucb_);
      SetBidiFuncDataToReg(copyRoom_, 0x42, ucb_);
    }
    PutIni(ucb_, GetDriverName(ucb_), u"bIsBIDISupportForKESM", c.gateOpen ? u"1" : u"0");
    SetKDMServerClientMode(ucb_, c.clientMode ? 1 : 0);
    SetKDMBiDirect(ucb_, 0);
    SetKDMBidiFunc(ucb_, 0);
    EXPECT_EQ(GetBidiDataIfNeed(ucb_, nullptr), c.result);
    EXPECT_EQ(GetKDMBiDirect(ucb_), c.biDirect);
    EXPECT_EQ(GetKDMBidiFunc(ucb_), c.bidiFunc);
  }
  EXPECT_EQ(lib().CountOf("request"), 0) << "nothing here gets as far as the device";
}

TEST_F(BidiQuery, AFailedQueryClearsTheVersionsAndWritesNoFlag) {
  Fail("item", 2);
  EXPECT_FALSE(GetBidiDataImmediatelyWexa(ucb_));
  EXPECT_EQ(Text(ucb_, kSystemVersion), u"");
  EXPECT_EQ(GetKDMBiDirect(ucb_), 0u);
  EXPECT_FALSE(ReadRaw(copyRoom_, u"BidiFlag").present);
  EXPECT_EQ(Value(ucb_, kMemory), 1024);
}

}  // namespace
}  // namespace bidi_test
