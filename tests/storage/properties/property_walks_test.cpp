// The walks over a context's settings: what a write skips (unchanged
// printer-wide settings, log codes of a client printer, what bidi data does
// not carry), that a failed write fails the walk, that the modules pass
// changes records only for its own walk, which blocks each kind of read
// takes, and the move of bidi data from the fallback INI to printer data.
#include <filesystem>
#include <string>

#include "devicecomm/bidi/bidi_ini_file.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "storage/system/printer_info.h"
#include "storage/properties/printer_properties.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

using PropertyWalks = PropertyTest;

TEST_F(PropertyWalks, UnchangedPrinterPropertiesAreWrittenOnlyWhenForced) {
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(SetProperties(office_, ucb, kBlockPrinter, 0));
  EXPECT_FALSE(ReadRaw(office_, u"RAM").present);
  Set(ucb, 10012, 512);
  EXPECT_TRUE(SetProperties(office_, ucb, kBlockPrinter, 0));
  EXPECT_EQ(ReadRaw(office_, u"RAM").bytes, Le(512, 4));
  EXPECT_FALSE(ReadRaw(office_, u"Duplex").present);
  EXPECT_TRUE(SetProperties(office_, ucb, kBlockPrinter, kPropertiesForce));
  EXPECT_EQ(ReadRaw(office_, u"Duplex").bytes, Le(0, 4));
  Release(ucb);

  // A context of another open kind has no saved state to compare with.
  UCB* install = GetUcb2(lobby_, lobby_, 0, kOpenNoLock | kOpenNoAdminCheck | 3, context_test::kSheetMode);
  ASSERT_NE(install, nullptr);
  EXPECT_TRUE(SetProperties(lobby_, install, kBlockPrinter, 0));
  EXPECT_TRUE(ReadRaw(lobby_, u"Duplex").present);
  Release(install);
}

TEST_F(PropertyWalks, AWriteThatFailsFailsTheWalk) {
  HANDLE reader = nullptr;
  PRINTER_DEFAULTSW use{nullptr, nullptr, PRINTER_ACCESS_USE};
  ASSERT_TRUE(OpenPrinterW(context_test::kOffice, &reader, &use));
  UCB* ucb = OpenOn(reader);
  Set(ucb, 10012, 1024);
  EXPECT_FALSE(SetPrinterProperties(reader, ucb));
  EXPECT_FALSE(SetDevmodeValueToFile(reader, ucb, Record(ucb, 10012), nullptr));
  EXPECT_TRUE(SetPrinterProperties(office_, ucb));

  Set(ucb, 209, 2);
  std::filesystem::remove_all(storage_test::Host("_kesm"));  // the settings INI's folder
  EXPECT_FALSE(SetDocumentProperties(office_, ucb));
  EXPECT_FALSE(SetDevmodeValueToFile(office_, ucb, Record(ucb, 209), nullptr));
  Release(ucb);
  ClosePrinter(reader);
}

// Without feature modules no setting is kept out of a modules pass, so it
// moves every setting of the block under its setting name; afterwards every
// record has its own key, mark and kind again.
TEST_F(PropertyWalks, TheModulesPassChangesRecordsForItsOwnWalkOnly) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, context_test::kOffice, u"wdmChapterKind", u"2"));
  ASSERT_EQ(Record(ucb, 839)->iniKey, nullptr);
  EXPECT_TRUE(GetProperties(office_, ucb, kBlockWork, kPropertiesModules));
  EXPECT_EQ(Value(ucb, 839), 2);
  Set(ucb, 839, 1);
  EXPECT_TRUE(GetProperties(office_, ucb, kBlockWork, 0));
  EXPECT_EQ(Value(ucb, 839), 1) << "a plain read does not know the setting name";

  EXPECT_TRUE(SetProperties(office_, ucb, kBlockWork, 0));  // followed by a modules pass
  EXPECT_EQ(Ini(ucb, context_test::kOffice, u"wdmChapterKind"), u"1");
  for (int i = 0; i < kSettingCount; ++i) {
    const SFCB& now = ucb->pSFL->pSFCB[i];
    EXPECT_EQ(now.iniKey, fgSFCB[i].iniKey) << now.funcId;
    EXPECT_EQ(now.storage, fgSFCB[i].storage) << now.funcId;
    EXPECT_EQ(now.descriptor, fgSFCB[i].descriptor) << now.funcId;
  }
  Release(ucb);
}

TEST_F(PropertyWalks, BidiDataCarriesOnlyThePrinterWideSettingsItMay) {
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(SetProperties(office_, ucb, kBlockPrinter, kPropertiesForce | kPropertiesBidi));
  EXPECT_TRUE(ReadRaw(office_, u"RAM").present);
  EXPECT_TRUE(ReadRaw(office_, u"Tray7Option").present);
  EXPECT_FALSE(ReadRaw(office_, u"ServerUse").present) << "log settings are no device data";
  EXPECT_FALSE(ReadRaw(office_, u"Tray1").present) << "tray names are no device data";
  Release(ucb);
}

TEST_F(PropertyWalks, AClientPrinterKeepsTheServersLogCodeUseWhileItHasNoLoggingOfItsOwn) {
  plat::PrinterSetup connection;
  connection.name = u"\\\\PRINTSRV\\Floor3";
  connection.serverName = u"\\\\PRINTSRV";
  connection.driverName = context_test::kDriverName;
  ASSERT_EQ(plat::AddPrinter(connection), ERROR_SUCCESS);
  storage_test::InChild([&] {
    ForgetClientDriverAnswer();  // the fixture's contexts asked about the office printer
    HANDLE client = Open(u"\\\\PRINTSRV\\Floor3");
    UCB* ucb = OpenOn(client);
    Set(ucb, 10002, 1);
    EXPECT_TRUE(SetProperties(client, ucb, kBlockPrinter, kPropertiesForce));
    EXPECT_TRUE(ReadRaw(client, u"ServerUse").present);
    EXPECT_FALSE(ReadRaw(client, u"UserCodeUse").present);
    Set(ucb, 10001, 1);
    EXPECT_TRUE(SetProperties(client, ucb, kBlockPrinter, kPropertiesForce));
    EXPECT_EQ(ReadRaw(client, u"UserCodeUse").bytes, Le(1, 1));
    Release(ucb);
  });
}

TEST_F(PropertyWalks, EachKindOfReadTakesItsBlocks) {
  UCB* probe = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(PutIni(probe, context_test::kOffice, u"PrnMethod", u"3"));
  Release(probe);
  ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"RAM", REG_BINARY, Le(2048, 4)));
  // Kind 3 reads nothing at its open.
  UCB* ucb = GetUcb2(office_, office_, 0, 3, context_test::kSheetMode);
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(Value(ucb, 209), 0);
  EXPECT_EQ(Value(ucb, 10012), 0);
  EXPECT_TRUE(GetAllProperties(office_, 7, ucb));
  EXPECT_EQ(Value(ucb, 209) + Value(ucb, 10012), 0);
  EXPECT_TRUE(GetAllProperties(office_, 1, ucb));
  EXPECT_EQ(Value(ucb, 209), 3);
  EXPECT_EQ(Value(ucb, 10012), 0);
  EXPECT_TRUE(GetAllProperties(office_, 2, ucb));
  EXPECT_EQ(Value(ucb, 10012), 2048);
  Release(ucb);

  // Document properties without a sheet take nothing from the INI.
  UCB* quiet = OpenOn(office_, 0x2000000);
  EXPECT_EQ(Value(quiet, 209), 0);
  EXPECT_EQ(Value(quiet, 10012), 2048);
  Release(quiet);
}

// The fallback INI as the device status query leaves it when printer data
// cannot be written: flags and version keys (the language the context's
// settings are in), then the settings by name.
std::string BidiSection(const char* machine, const char* memory, LONG_PTR language) {
  return std::string("[Office 2F]\r\nBidiFlag=1\r\nBidiFunc=5\r\nBidiExFlag=1\r\nRstVersion=310\r\nRstMachine=") +
         machine + "\r\nRstLanguage=" + std::to_string(language) +
         "\r\nRstOSKind=2\r\nkdmServerLogCode=9\r\nkdmPrinterMemory=" + memory + "\r\nkdmSourceOptionTypeDuplex=1\r\n";
}

TEST_F(PropertyWalks, BidiDataMovesFromTheFallbackIniToPrinterDataOnceItCanBeWritten) {
  struct Case {
    const char* what;
    bool flag;          // printer data has a "BidiFlag" already
    bool writable;      // the context's handle may write printer data
    const char* machine;
    const char* memoryText;
    LONG_PTR memory;    // what the context then holds
    LONG_PTR duplex;
    bool moved;         // printer data gets the values and the INI loses them
  };
  const Case cases[] = {
      {"printer data writable", true, true, "169", "256", 256, 1, true},
      // A flag never written is no sign of printer data that cannot be.
      {"flag not yet written", false, true, "169", "256", 256, 1, true},
      {"printer data not writable", true, false, "169", "256", 256, 1, false},
      {"written for another machine", true, true, "170", "256", 0, 0, false},
      // The other values are still read; nothing moves.
      {"a value that is not a number", true, true, "169", "lots", 0, 1, false},
  };
  UCB* first = OpenOn(office_);
  const LONG_PTR language = Value(first, 169);
  Release(first);
  HANDLE reader = nullptr;
  PRINTER_DEFAULTSW use{nullptr, nullptr, PRINTER_ACCESS_USE};
  ASSERT_TRUE(OpenPrinterW(context_test::kOffice, &reader, &use));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    storage_test::Put("_kesm/kesmbid.ini", BidiSection(c.machine, c.memoryText, language));
    if (c.flag) {
      ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"BidiFlag", REG_BINARY, Le(1, 4)));
    }
    UCB* ucb = OpenOn(c.writable ? office_ : reader);
    EXPECT_EQ(Value(ucb, 10012), c.memory);
    EXPECT_EQ(Value(ucb, 10014), c.duplex);
    EXPECT_EQ(Value(ucb, 10001), 0) << "log settings never come from bidi data";
    EXPECT_EQ(ReadRaw(office_, u"RAM").present, c.moved);
    EXPECT_EQ(ReadRaw(office_, u"ServerUse").present, false);
    const bool kept = storage_test::Get("_kesm/kesmbid.ini").find("kdmPrinterMemory") != std::string::npos;
    EXPECT_EQ(kept, !c.moved);
    EXPECT_EQ(GetKDMBidiFunc(ucb), 5u);
    if (c.moved) {
      EXPECT_EQ(ReadRaw(office_, u"BidiFlag").bytes, Le(1, 4)) << "the flags move with the data";
      EXPECT_EQ(ReadRaw(office_, u"BidiFunc").bytes, Le(5, 1));
      EXPECT_EQ(ReadRaw(office_, u"BidiExFlag").bytes, Le(1, 4));
    }
    Release(ucb);
    DeletePrinterDataW(office_, u"BidiFunc");
    DeletePrinterDataW(office_, u"BidiExFlag");
    DeletePrinterDataW(office_, u"BidiFlag");
    DeletePrinterDataW(office_, u"RAM");
    DeletePrinterDataW(office_, u"Duplex");
  }
  ClosePrinter(reader);
}

}  // namespace
}  // namespace property_test
