// The bidi readers of the rendering library: the flags and the device's
// answer that the configuration library left in the fallback INI, found in
// the system directory of the driver's install directory, and the flag in
// printer data. Nothing is ever written: the file keeps its bytes.
#include "devicecomm/bidi/bidi_ini_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "jobsettings/devmode/runtime_flags.h"
#include "render/platform/directories.h"
#include "settings/context/drv_last_error.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/context_fixture.h"

namespace context_test {
namespace {

constexpr WORD kMemory = 10012;  // kdmPrinterMemory
constexpr WORD kLanguage = 169;

class KernelBidiReaders : public ContextTest {
 protected:
  void SetUp() override {
    ContextTest::SetUp();
    ucb_ = GetUcb(office_, office_, 0, kModeRendering);
    ASSERT_NE(ucb_, nullptr);
    WCHAR path[MAX_PATH] = {};
    ASSERT_NE(KMAddSystemDirToFileName(path, MAX_PATH, u"kesmbid.ini", ucb_), 0u);
    std::string relative;
    for (const WCHAR* p = path + 3; *p != 0; ++p) relative += *p == u'\\' ? '/' : static_cast<char>(*p);
    file_ = plat::DriveRoot() / relative;
    std::filesystem::create_directories(file_.parent_path());
  }
  void TearDown() override {
    FreeUcb(ucb_);
    ContextTest::TearDown();
  }

  void Put(const std::string& text) { std::ofstream(file_, std::ios::binary | std::ios::trunc) << text; }
  std::string Bytes() const {
    std::ifstream in(file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The version keys the configuration library writes for this context.
  std::string Stamp(int machineDelta = 0) const {
    return "RstVersion=" + std::to_string(ucb_->pDP->dwSetFileVersion) + "\r\nRstMachine=" +
           std::to_string(ucb_->pDP->bMachineID + machineDelta) + "\r\nRstLanguage=" +
           std::to_string(GetDevmodeValueDirectByFuncID(ucb_, kLanguage, nullptr)) + "\r\n";
  }
  void SetFlag(DWORD flag) {
    ASSERT_EQ(SetPrinterDataW(office_, u"BidiFlag", REG_BINARY, reinterpret_cast<const BYTE*>(&flag), sizeof flag),
              ERROR_SUCCESS);
  }

  UCB* ucb_ = nullptr;
  std::filesystem::path file_;
};

TEST_F(KernelBidiReaders, TheFlagsOfThePrintersSection) {
  struct Case {
    const char* what;
    std::string file;
    BOOL present;
    BOOL flag;
    DWORD func;
  };
  const Case cases[] = {
      {"set", "[Office 2F]\r\nBidiFlag=1\r\nBidiFunc=65\r\n", TRUE, TRUE, 65},
      {"clear, yet there", "[Office 2F]\r\nBidiFlag=0\r\n", TRUE, FALSE, 0},
      {"7 is taken for a missing key", "[Office 2F]\r\nBidiFlag=7\r\n", FALSE, TRUE, 0},
      {"another printer's", "[Lobby]\r\nBidiFlag=1\r\nBidiFunc=3\r\n", FALSE, FALSE, 0},
      {"no file", "", FALSE, FALSE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(file_);
    if (!c.file.empty()) Put(c.file);
    SetKDMBidiFunc(ucb_, 0x80);
    EXPECT_EQ(IsBidiFlagDataRead(ucb_), c.present);
    EXPECT_EQ(GetBidiFlagDataFromFile(ucb_), c.flag);
    EXPECT_TRUE(GetBidiFuncDataFromFile(ucb_));
    EXPECT_EQ(GetKDMBidiFunc(ucb_), c.func);
    EXPECT_EQ(Bytes(), c.file) << "nothing written";
  }
}

TEST_F(KernelBidiReaders, TheFlagInPrinterData) {
  DWORD flag = 9;
  EXPECT_FALSE(GetBidiFlagDataFromReg(office_, &flag, ucb_));
  EXPECT_FALSE(IsBidiDoneOperationBefore(office_, ucb_)) << "a flag not read counts as clear";
  SetFlag(3);
  EXPECT_TRUE(GetBidiFlagDataFromReg(office_, &flag, ucb_));
  EXPECT_EQ(flag, 3u);
  EXPECT_TRUE(IsBidiDoneOperationBefore(office_, ucb_));
  SetFlag(2);
  EXPECT_FALSE(IsBidiDoneOperationBefore(office_, ucb_)) << "bit 0 only";
  const BYTE shortFlag = 1;
  ASSERT_EQ(SetPrinterDataW(office_, u"BidiFlag", REG_BINARY, &shortFlag, 1), ERROR_SUCCESS);
  EXPECT_FALSE(IsBidiDoneOperationBefore(office_, ucb_)) << "not a flag of 4 bytes";
}

TEST_F(KernelBidiReaders, TheDevicesAnswerIsTakenFromASectionOfThisDriverAndMachine) {
  struct Case {
    const char* what;
    std::string file;
    BOOL result;
    LONG_PTR memory;
    DWORD lastError;
  };
  const Case cases[] = {
      {"this driver's section", "[Office 2F]\r\n" + Stamp() + "kdmPrinterMemory=4096\r\nBidiFunc=3\r\n", TRUE, 4096, 0},
      {"another machine's: not read", "[Office 2F]\r\n" + Stamp(1) + "kdmPrinterMemory=4096\r\nBidiFunc=3\r\n", TRUE,
       8, 1},
      {"no version keys: no section", "[Office 2F]\r\nkdmPrinterMemory=4096\r\nBidiFunc=3\r\n", FALSE, 8, 0},
      {"no section", "[Lobby]\r\n" + Stamp() + "kdmPrinterMemory=4096\r\n", FALSE, 8, 0},
      {"a value the setting cannot take", "[Office 2F]\r\n" + Stamp() + "kdmPrinterMemory=40x6\r\nBidiFunc=3\r\n",
       FALSE, 8, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put(c.file);
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kMemory, 8));
    SetKDMBidiFunc(ucb_, 0);
    EXPECT_EQ(GetBidiPrinterDataFromIni(ucb_), c.result);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb_, kMemory, nullptr), c.memory);
    EXPECT_EQ(DrvGetLastError(ucb_), c.lastError);
    const bool hasFunc = c.file.find("BidiFunc=3") != std::string::npos && c.file.find("[Lobby]") == std::string::npos;
    EXPECT_EQ(GetKDMBidiFunc(ucb_), hasFunc ? 3u : 0u) << "the default-tray bits follow whatever the settings did";
    EXPECT_EQ(Bytes(), c.file) << "nothing written";
  }
}

}  // namespace
}  // namespace context_test
