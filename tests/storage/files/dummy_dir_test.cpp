#include "storage/files/dummy_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/base/machine.h"
#include "platform/security/security_control.h"
#include "platform/system/sysfacts_control.h"
#include "platform/files/winfile.h"
#include "platform/registry/winreg.h"
#include "platform/spooler/winspool.h"
#include "tests/storage/printer_setup.h"
#include "storage/files/dir_security.h"
#include "storage/files/driver_file_security.h"
#include "storage/files/kesm_dir_reg.h"
#include "storage/files/path_builders.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::Exists;
using storage_test::Host;
using storage_test::InChild;
using storage_test::Put;

void SetMachineValue(const char16_t* value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\TALVO\\KesmDrv", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::u16string text(value);
  ASSERT_EQ(
      RegSetValueExW(key, u"_KESMDirectory", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR))),
      ERROR_SUCCESS);
  RegCloseKey(key);
}

void SetClientValue(HANDLE printer, const char16_t* value) {
  const std::u16string text(value);
  ASSERT_EQ(SetPrinterDataW(printer, u"_KESMDirectoryClient", REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR))),
            ERROR_SUCCESS);
}

std::u16string DummyDirectoryOf(HANDLE printer) {
  WCHAR buffer[MAX_PATH] = u"old";
  const DWORD length = UM_GetDummySystemDirectory(buffer, MAX_PATH, printer);
  EXPECT_EQ(length, std::u16string(buffer).size());
  return buffer;
}

// The owner and DACL the shared folder's entries get.
const plat::StoredAce kEveryoneFullControl{ACCESS_ALLOWED_ACE_TYPE, 3, 0x1F01FF, "S-1-1-0"};

bool HasEveryoneDacl(LPCWSTR path) {
  const auto stored = plat::StoredFileSecurity(path);
  return stored && stored->daclSet && stored->dacl.size() == 1 &&
         stored->dacl[0] == kEveryoneFullControl;
}

bool IsSecured(LPCWSTR path) {
  const auto stored = plat::StoredFileSecurity(path);
  return stored && stored->owner == "S-1-5-32-544" && HasEveryoneDacl(path);
}

TEST(DummyDirectory, PlaceFromClientValueMachineValueOrTheSystemDrive) {
  struct Case {
    const char* what;
    bool client;
    const char16_t* clientValue;   // null: none
    const char16_t* machineValue;  // null: none
    const char* folder;            // made on the drive first; null: none
    const char16_t* expected;
  };
  const Case cases[] = {
      {"default", false, nullptr, nullptr, nullptr, u"C:\\_kesm"},
      {"machine value as it stands", false, nullptr, u"C:\\Data\\KesmShared", nullptr,
       u"C:\\Data\\KesmShared"},
      {"empty machine value", false, nullptr, u"", nullptr, u"C:\\_kesm"},
      {"local printers ignore the client value", false, u"C:\\Shared", nullptr, "Shared",
       u"C:\\_kesm"},
      {"client, system root", true, u"%SystemRoot%\\spool", nullptr, "Windows/spool",
       u"C:\\Windows\\spool\\_kesm"},
      {"client, plain path ending in a separator", true, u"C:\\Shared\\", nullptr, "Shared",
       u"C:\\Shared\\_kesm"},
      {"client, per-user folder", true, u"%USERPROFILE%\\ignored", nullptr, nullptr,
       u"C:\\Users\\User\\_kesm"},
      {"client, missing folder falls back", true, u"C:\\Missing", u"C:\\Data\\KesmShared", nullptr,
       u"C:\\Data\\KesmShared"},
      {"client, missing folder and no machine value", true, u"%SYSTEMROOT%\\none", nullptr, nullptr,
       u"C:\\_kesm"},
      {"client without value", true, nullptr, nullptr, nullptr, u"C:\\_kesm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::ScopedMachine machine;
    storage_test::AddPrinters();
    storage_test::Printer printer(c.client ? storage_test::kConnection
                                           : storage_test::kLocalPrinter);
    if (c.clientValue != nullptr) SetClientValue(printer.get(), c.clientValue);
    if (c.machineValue != nullptr) SetMachineValue(c.machineValue);
    if (c.folder != nullptr) std::filesystem::create_directories(Host(c.folder));
    InChild([&] { EXPECT_EQ(DummyDirectoryOf(printer.get()), c.expected); });
  }
}

TEST(DummyDirectory, ClientValuesThatCannotBeUsedGiveZero) {
  plat::ScopedMachine machine;
  storage_test::AddPrinters();
  storage_test::Printer printer(storage_test::kConnection);
  const std::u16string deep = u"C:\\" + std::u16string(MAX_PATH - 47 - 3, u'd');
  std::filesystem::create_directories(Host("Shared"));
  InChild([&] {
    WCHAR buffer[MAX_PATH] = u"old";
    SetClientValue(printer.get(), deep.c_str());  // no room left for the names
    EXPECT_EQ(GetKESMDirFromDrvReg(printer.get(), u"_KESMDirectoryClient", buffer, MAX_PATH), 0);
    SetClientValue(printer.get(), u"C:\\Shared");
    EXPECT_EQ(GetKESMDirFromDrvReg(printer.get(), u"_KESMDirectoryClient", buffer, 15), 0);
    EXPECT_EQ(std::u16string(buffer), u"old");  // C:\Shared\_kesm needs 16
    EXPECT_EQ(GetKESMDirFromDrvReg(printer.get(), u"_KESMDirectoryClient", buffer, 16), 1);
    EXPECT_EQ(std::u16string(buffer), u"C:\\Shared\\_kesm");
    EXPECT_EQ(GetKESMDirFromDrvReg(printer.get(), u"NoSuchValue", buffer, MAX_PATH), 0);
  });
}

TEST(DummyDirectory, MachineValueThatDoesNotFitIsNotRead) {
  plat::ScopedMachine machine;
  SetMachineValue(u"C:\\Data");
  WCHAR buffer[8] = u"old";
  EXPECT_FALSE(GetKESMDirFromReg(u"_KESMDirectory", buffer, 7 * sizeof(WCHAR)));
  EXPECT_EQ(std::u16string(buffer), u"old");
  EXPECT_TRUE(GetKESMDirFromReg(u"_KESMDirectory", buffer, 8 * sizeof(WCHAR)));
  EXPECT_EQ(std::u16string(buffer), u"C:\\Data");
  EXPECT_FALSE(GetKESMDirFromReg(u"Other", buffer, sizeof buffer));
}

class SharedFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    storage_test::AddPrinters();
    printer_ = std::make_unique<storage_test::Printer>(storage_test::kLocalPrinter);
  }
  HANDLE printer() const { return printer_->get(); }
  plat::ScopedMachine machine_;
  std::unique_ptr<storage_test::Printer> printer_;
};

TEST_F(SharedFolder, CreatingItHidesAndSecuresTheFolderOnly) {
  InChild([&] {
    EXPECT_TRUE(CreateDummySystemDirectory(printer()));
    EXPECT_EQ(GetFileAttributesW(u"C:\\_kesm"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(IsSecured(u"C:\\_kesm"));
    Put("_kesm/kesmusr.ini", "");
    EXPECT_TRUE(CreateDummySystemDirectory(printer()));  // again: still fine
    EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\_kesm\\kesmusr.ini"));
    storage_test::Context context;
    context->hPrinter = printer();
    EXPECT_TRUE(KM_UM_CreateDummySystemDirectory(context.get()));
  });
}

TEST_F(SharedFolder, APlainUserStillGetsTheFolder) {
  ASSERT_TRUE(plat::SetAdministrator(false));
  InChild([&] {
    EXPECT_TRUE(CreateDummySystemDirectory(printer()));  // the owner step fails quietly
    EXPECT_TRUE(std::filesystem::is_directory(Host("_kesm")));
  });
}

TEST_F(SharedFolder, SecuringReachesTheFilesDirectlyInside) {
  Put("_kesm/kesmusr.ini", "");
  Put("_kesm/sub/deep.ini", "");
  InChild([&] {
    EXPECT_TRUE(SetAttrDummySystemDirectory(printer()));
    EXPECT_TRUE(IsSecured(u"C:\\_kesm"));
    EXPECT_TRUE(IsSecured(u"C:\\_kesm\\kesmusr.ini"));
    EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\_kesm\\sub"));
    EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\_kesm\\sub\\deep.ini"));
  });
}

// After an install the shared folder is opened to every user on Windows 2000
// and later; NT 4.0 creates the bidi INI instead and gives it its own DACL
// (what it holds: tests/devicecomm/bidi/bidi_flags_test.cpp).
TEST_F(SharedFolder, DriverFileSecurityFollowsTheSystem) {
  Put("_kesm/kesmusr.ini", "");
  InChild([&] {
    auto context = std::make_unique<UCB>();
    context->hPrinter = printer();
    EXPECT_TRUE(SetDriverFileSecurity(context.get()));
    EXPECT_TRUE(IsSecured(u"C:\\_kesm\\kesmusr.ini"));
  });
  plat::OsVersion nt4;
  nt4.major = 4;
  nt4.minor = 0;
  nt4.build = 1381;
  ASSERT_TRUE(plat::SetOsVersion(nt4));
  InChild([&] {
    auto context = std::make_unique<UCB>();
    context->hPrinter = printer();
    EXPECT_TRUE(SetDriverFileSecurity(context.get()));
    WCHAR bidiIni[MAX_PATH] = {};
    ASSERT_NE(AddSystemDirToFileNameEx2(bidiIni, MAX_PATH, u"kesmbid.ini", context.get()), nullptr);
    EXPECT_NE(GetFileAttributesW(bidiIni), INVALID_FILE_ATTRIBUTES);
    const std::optional<plat::FileSecurityRecord> stored = plat::StoredFileSecurity(bidiIni);
    ASSERT_TRUE(stored.has_value());
    for (const plat::StoredAce& ace : stored->dacl) {
      if (ace.sid == "S-1-1-0") {
        EXPECT_EQ(ace.mask & (WRITE_DAC | WRITE_OWNER), 0u) << "not full control for everyone";
      }
    }
  });
}

TEST_F(SharedFolder, WalksNeverStepThroughLinks) {
  Put("outside/secret.txt", "keep");
  Put("_kesm/kesmusr.ini", "");
  Put("_kesm/sub/deep.ini", "");
  std::filesystem::create_directory_symlink(Host("outside"), Host("_kesm/link"));
  std::filesystem::create_symlink(Host("outside/secret.txt"), Host("_kesm/filelink"));
  InChild([&] {
    EXPECT_TRUE(SetAttrDummySystemDirectory(printer()));
    EXPECT_TRUE(SetAttrDirectories(u"C:\\_kesm", kScopeSubfolders | kScopeRecursive));
    EXPECT_TRUE(HasEveryoneDacl(u"C:\\_kesm\\sub\\deep.ini"));
    EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\_kesm\\link\\secret.txt"));
    EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\_kesm\\filelink"));
    EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\outside\\secret.txt"));
    EXPECT_FALSE(SetAttrDirectories(u"C:\\_kesm\\link", 0));  // a link is no folder to secure

    EXPECT_FALSE(DeleteSysDrvDummySystemDirectory(printer()));  // the links stay behind
    EXPECT_EQ(storage_test::Get("outside/secret.txt"), "keep");
    EXPECT_FALSE(Exists("_kesm/sub"));
    EXPECT_FALSE(Exists("_kesm/kesmusr.ini"));
  });
}

TEST_F(SharedFolder, DeletingTheDefaultLocationEmptiesAndRemovesIt) {
  Put("_kesm/a.ini", "");
  Put("_kesm/sub/deeper/b.ini", "");
  ASSERT_TRUE(SetFileAttributesW(u"C:\\_kesm\\sub\\deeper\\b.ini", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributesW(u"C:\\_kesm\\sub", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(DeleteSysDrvDummySystemDirectory(printer()));
  EXPECT_FALSE(Exists("_kesm"));
  EXPECT_FALSE(DeleteSysDrvDummySystemDirectory(printer()));  // nothing to list
  EXPECT_FALSE(DeleteAllFilesByDirectory(nullptr));
}

TEST(DummyDirectoryDescriptors, OwnerAndEveryoneDescriptorsHaveTheirLayouts) {
  plat::ScopedMachine machine;
  const std::size_t live = plat::LiveBlocks();
  auto* owner = static_cast<SECURITY_DESCRIPTOR*>(CreateOwnerSecurityDesc());
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(owner->Revision, SECURITY_DESCRIPTOR_REVISION);
  EXPECT_EQ(owner->Control & SE_OWNER_DEFAULTED, 0);
  EXPECT_EQ(owner->Dacl, nullptr);
  EXPECT_EQ(GetLengthSid(owner->Owner), 16u);  // S-1-5-32-544
  DisposeOwnerSecurityDesc(owner);

  auto* everyone = static_cast<SECURITY_DESCRIPTOR*>(CreateEveryoneFullControlSecurityDesc());
  ASSERT_NE(everyone, nullptr);
  EXPECT_TRUE(everyone->Control & SE_DACL_PRESENT);
  ASSERT_NE(everyone->Dacl, nullptr);
  EXPECT_EQ(everyone->Dacl->AclRevision, ACL_REVISION);
  EXPECT_EQ(everyone->Dacl->AclSize, 28);  // ACL header, ACE header and mask, 12-byte SID
  EXPECT_EQ(everyone->Dacl->AceCount, 1);
  const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(everyone->Dacl + 1);
  EXPECT_EQ(ace->Header.AceFlags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
  EXPECT_EQ(ace->Header.AceSize, 20);
  EXPECT_EQ(ace->Mask, FILE_ALL_ACCESS);
  DisposeEveryoneFullControlSecurityDesc(everyone);
  EXPECT_EQ(plat::LiveBlocks(), live);
}

}  // namespace
