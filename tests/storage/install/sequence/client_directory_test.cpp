// A client printer (a connection to a print server's printer) whose data
// directory is its own, named by the printer-data value
// "_KESMDirectoryClient": each user's first use installs into it, a later
// use brings it up to the driver's version only when it is older, and a
// value that is missing or names no usable folder leaves the entry points
// free to go on without touching anything. On a print server the
// driver-install INI's "KESMDirectoryClient" key becomes that value.
#include <functional>
#include <string>

#include "platform/modules/userenv.h"
#include "platform/spooler/spoolsetup.h"
#include "storage/install/sequence/data_directories.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/install/sequence/install_status.h"
#include "storage/system/printer_info.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

constexpr const char16_t* kClientName = u"\\\\PRINTSRV\\Floor3";
constexpr const char* kClientSection = "\\\\PRINTSRV\\Floor3";

class ClientDirectory : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    storage_test::Put(kDriverIni, "[jp]\r\nRstVersion=310\r\n[PrinterInformation]\r\nTALVOINFO=office fleet\r\n");
    plat::PrinterSetup connection;
    connection.name = kClientName;
    connection.serverName = u"\\\\PRINTSRV";
    connection.driverName = context_test::kDriverName;
    ASSERT_EQ(plat::AddPrinter(connection), ERROR_SUCCESS);
    client_ = Open(kClientName);
    ASSERT_NE(client_, nullptr);
    ASSERT_NO_FATAL_FAILURE(RecordHelpFile(client_, u"kesmjp.hlp"));
  }

  void SetClientDirectory(const char16_t* value) {
    const std::u16string text(value);
    ASSERT_EQ(SetPrinterDataW(client_, u"_KESMDirectoryClient", REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(char16_t))),
              ERROR_SUCCESS);
  }

  // Runs checks in a child that asks afresh whether the printer it meets
  // first is a client's: the fixture's contexts asked about the office
  // printer.
  static void AsFresh(const std::function<void()>& checks) {
    storage_test::InChild([&checks] {
      ForgetClientDriverAnswer();
      checks();
    });
  }

  // A key of the printer's section in a user's settings INI.
  static std::string UserKey(const std::string& user, const char* key) {
    return Ini("Users/" + user + "/_kesm/kesmusr.ini", kClientSection, key);
  }

  HANDLE client_ = nullptr;
};

TEST_F(ClientDirectory, EachUsersFirstUseInstallsIntoTheirOwnDirectory) {
  AsFresh([this] {
    ASSERT_NO_FATAL_FAILURE(SetClientDirectory(u"%USERPROFILE%"));
    for (const char* user : {"anna", "bert"}) {
      SCOPED_TRACE(user);
      ASSERT_TRUE(plat::SetUserName(std::u16string(user, user + std::char_traits<char>::length(user))));
      EXPECT_FALSE(storage_test::Exists("Users/" + std::string(user) + "/_kesm/kesmusr.ini"));
      ASSERT_TRUE(InstallPerUser(client_));
      EXPECT_EQ(UserKey(user, "RstVersion"), "310");
      EXPECT_EQ(UserKey(user, "DrvInstVersion"), "4.88");
      EXPECT_EQ(Ini("Users/" + std::string(user) + "/_kesm/kesmusr.ini", "PrinterInformation", "TALVOINFO"),
                "office fleet")
          << "the driver INI merged into the user's directory";
    }
    EXPECT_FALSE(storage_test::Exists(kSettingsIni)) << "nothing written to the shared directory";
  });
}

TEST_F(ClientDirectory, ALaterUseUpdatesOnlyWhatIsOlderThanTheDriver) {
  AsFresh([this] {
    ASSERT_NO_FATAL_FAILURE(SetClientDirectory(u"%USERPROFILE%"));
    const char16_t* userIni = u"C:\\Users\\User\\_kesm\\kesmusr.ini";
    ASSERT_TRUE(InstallPerUser(client_));
    storage_test::Put(kDriverIni, "[jp]\r\nRstVersion=310\r\n[PrinterInformation]\r\nTALVOINFO=new fleet\r\n");
    ASSERT_TRUE(InstallPerUser(client_));
    EXPECT_EQ(Ini("Users/User/_kesm/kesmusr.ini", "PrinterInformation", "TALVOINFO"), "office fleet")
        << "a current directory is left alone";

    struct Case {
      const char* what;
      const char16_t* rstVersion;   // null: removed
      const char16_t* instVersion;  // null: removed
    };
    const Case cases[] = {
        {"an older driver's install", u"310", u"4.87"},
        {"an older minor version of the settings", u"305", u"4.88"},
        {"settings without a version: installed again", nullptr, u"4.88"},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      ASSERT_TRUE(WritePrivateProfileStringW(u"PrinterInformation", u"TALVOINFO", u"stale", userIni));
      ASSERT_TRUE(WritePrivateProfileStringW(kClientName, u"RstVersion", c.rstVersion, userIni));
      ASSERT_TRUE(WritePrivateProfileStringW(kClientName, kKeyInstVersion, c.instVersion, userIni));
      ASSERT_TRUE(InstallPerUser(client_));
      EXPECT_EQ(Ini("Users/User/_kesm/kesmusr.ini", "PrinterInformation", "TALVOINFO"), "new fleet");
      EXPECT_EQ(UserKey("User", "RstVersion"), "310");
      EXPECT_EQ(UserKey("User", "DrvInstVersion"), "4.88");
    }
  });
}

TEST_F(ClientDirectory, AMissingOrUnusableDirectoryLetsTheCallerGoOn) {
  struct Case {
    const char* what;
    const char16_t* value;  // null: none
  };
  const Case cases[] = {
      {"no value", nullptr},
      {"an empty value", u""},
      {"a folder that is not there", u"C:\\Missing"},
      {"a path too long to hold the files", u"C:\\Data\\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                                            u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                                            u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                                            u"aaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
  };
  storage_test::Put("Data/.keep", "");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AsFresh([&] {
      if (c.value != nullptr) {
        ASSERT_NO_FATAL_FAILURE(SetClientDirectory(c.value));
      }
      EXPECT_TRUE(InstallPerUser(client_));
      EXPECT_FALSE(storage_test::Exists("Users/User/_kesm"));
      EXPECT_FALSE(storage_test::Exists(kSettingsIni));
    });
  }
  // A local printer never has a directory of its own.
  AsFresh([this] {
    EXPECT_TRUE(InstallForKESMDirectory(office_));
    EXPECT_FALSE(storage_test::Exists(kSettingsIni));
  });
}

TEST_F(ClientDirectory, AFolderSharedByTheUsersIsInstalledOnce) {
  AsFresh([this] {
    storage_test::Put("Data/.keep", "");
    ASSERT_NO_FATAL_FAILURE(SetClientDirectory(u"C:\\Data"));
    ASSERT_TRUE(InstallPerUser(client_));
    EXPECT_EQ(Ini("Data/_kesm/kesmusr.ini", kClientSection, "RstVersion"), "310");
    EXPECT_EQ(Ini("Data/_kesm/kesmusr.ini", kClientSection, "DrvInstVersion"), "4.88");
    ASSERT_TRUE(WritePrivateProfileStringW(u"PrinterInformation", u"TALVOINFO", u"kept", u"C:\\Data\\_kesm\\kesmusr.ini"));
    ASSERT_TRUE(plat::SetUserName(u"bert"));
    ASSERT_TRUE(InstallPerUser(client_));
    EXPECT_EQ(Ini("Data/_kesm/kesmusr.ini", "PrinterInformation", "TALVOINFO"), "kept")
        << "a current directory is not installed again";
  });
}

TEST_F(ClientDirectory, APrintServerHandsItsClientsTheirDirectory) {
  struct Case {
    const char* what;
    const char* ini;
    const char* stored;  // null: no value
  };
  const Case cases[] = {
      {"a directory for the clients", "KESMDirectoryClient=%USERPROFILE%\r\n", "%USERPROFILE%"},
      {"the default", "KESMDirectoryClient=*\r\n", nullptr},
      {"no key", "", nullptr},
  };
  AsFresh([&] {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeletePrinterDataW(office_, u"_KESMDirectoryClient");
    storage_test::Put(kDrvInstIni, std::string("[Office 2F]\r\n") + c.ini);
    BatchInstallForKesmDirectory(office_, u"Office 2F");
    const property_test::Raw raw = property_test::ReadRaw(office_, u"_KESMDirectoryClient");
    EXPECT_EQ(raw.present, c.stored != nullptr);
    if (c.stored != nullptr) {
      EXPECT_EQ(raw.type, DWORD{REG_SZ});
      const std::string stored(c.stored);
      EXPECT_EQ(raw.bytes.size(), stored.size() * 2) << "counted without the terminator";
    }
    EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "KESMDirectoryClient"), "<none>") << "taken once";
  }
  });
  // A client keeps the key for its server.
  AsFresh([this] {
    storage_test::Put(kDrvInstIni, "[\\\\PRINTSRV\\Floor3]\r\nKESMDirectoryClient=C:\\Data\r\n");
    BatchInstallForKesmDirectory(client_, kClientName);
    EXPECT_FALSE(property_test::ReadRaw(client_, u"_KESMDirectoryClient").present);
    EXPECT_EQ(Ini(kDrvInstIni, kClientSection, "KESMDirectoryClient"), "C:\\Data");
  });
}

}  // namespace
}  // namespace install_test
