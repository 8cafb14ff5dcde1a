// The dialog that chooses the folder for intermediate files: where it
// starts (the machine's value, the printer's, the Windows temp folder, the
// Windows directory), the values it creates when they are missing, and
// where the folder chosen is kept.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "platform/registry/winreg.h"
#include "platform/spooler/winspool.h"
#include "platform/window/commdlg/commdlg.h"
#include "storage/files/kesm_dir_reg.h"
#include "tests/ui/subdialogs/subdialog_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr WORD kFolderDialog = 4015;
constexpr int kForEveryPrinter = 2897;
constexpr int kDefaultFolder = 2887;

class FolderDialog : public SubDialogMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SubDialogMachine::SetUp());
    ASSERT_TRUE(plat::CreateDirectories(u"C:\\Windows\\Temp"));
    ASSERT_TRUE(plat::CreateDirectories(u"C:\\Spool"));
  }
  // The machine's value and the printer's, or "<missing>".
  static std::string MachineValue() {
    std::array<WCHAR, MAX_PATH> text{};
    return GetKESMDirFromReg(u"SpoolDirectory", text.data(), sizeof text) ? Narrow(text.data()) : "<missing>";
  }
  std::string PrinterValue() {
    std::array<WCHAR, MAX_PATH> text{};
    DWORD type = 0;
    DWORD needed = 0;
    if (GetPrinterDataW(printer_, u"SpoolDirectory", &type, reinterpret_cast<LPBYTE>(text.data()), sizeof text,
                        &needed) != ERROR_SUCCESS) {
      return "<missing>";
    }
    return type == REG_SZ ? Narrow(text.data()) : "<not text>";
  }
  void SetMachineValue(const char16_t* value) {
    const auto bytes = static_cast<DWORD>(2 * (std::char_traits<char16_t>::length(value) + 1));
    ASSERT_TRUE(SetKESMDirToReg(u"SpoolDirectory", value, bytes));
  }
  void SetPrinterValue(const char16_t* value) {
    const auto bytes = static_cast<DWORD>(2 * (std::char_traits<char16_t>::length(value) + 1));
    ASSERT_EQ(SetPrinterDataW(printer_, u"SpoolDirectory", REG_SZ, reinterpret_cast<const BYTE*>(value), bytes),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  // The folder the dialog shows first, and whether it keeps the folder for
  // every printer.
  std::pair<std::string, bool> Start() {
    std::pair<std::string, bool> start;
    int result = -2;
    UiScript script;
    Open(script, kFolderDialog, &result);
    script
        .check("where it starts",
               [&] {
                 start.first = ItemText(kFolderTextId);
                 start.second = IsDlgButtonChecked(Active(), kForEveryPrinter) == BST_CHECKED;
               })
        .click(Button(IDCANCEL));
    EXPECT_TRUE(script.run());
    EXPECT_EQ(result, 0);
    return start;
  }
};

TEST_F(FolderDialog, ItStartsInTheSpoolFolderSetAndCreatesTheValuesThatAreMissing) {
  EXPECT_EQ(Start(), std::make_pair(std::string("C:\\Windows\\Temp"), false));
  EXPECT_EQ(MachineValue(), "") << "created empty";
  EXPECT_EQ(PrinterValue(), "") << "created empty";

  std::filesystem::remove_all(drive::Host("Windows/Temp"));
  EXPECT_EQ(Start().first, "C:\\Windows");

  ASSERT_NO_FATAL_FAILURE(SetPrinterValue(u"C:\\Spool"));
  EXPECT_EQ(Start(), std::make_pair(std::string("C:\\Spool"), false));

  ASSERT_NO_FATAL_FAILURE(SetPrinterValue(u"C:\\Windows"));
  ASSERT_NO_FATAL_FAILURE(SetMachineValue(u"C:\\Spool"));
  EXPECT_EQ(Start(), std::make_pair(std::string("C:\\Spool"), true)) << "the machine's value comes first";
}

TEST_F(FolderDialog, TheFolderChosenIsKeptForThePrinterOrTheMachineAndTheTempFolderAsEmpty) {
  ASSERT_NO_FATAL_FAILURE(SetPrinterValue(u"C:\\Old"));
  int result = -2;
  UiScript printer;
  Open(printer, kFolderDialog, &result);
  printer.text(Button(kFileNameEditId), u"C:\\Spool").click(Button(IDOK)).click(Button(IDOK));
  ASSERT_TRUE(printer.run());
  EXPECT_EQ(result, 0) << "it ends as cancelled: what it chose is kept already";
  EXPECT_EQ(PrinterValue(), "C:\\Spool");

  // The default folder button goes to the Windows temp folder, which is
  // kept as an empty value.
  UiScript temp;
  Open(temp, kFolderDialog, &result);
  temp.click(Button(kDefaultFolder)).click(Button(IDOK));
  ASSERT_TRUE(temp.run());
  EXPECT_EQ(PrinterValue(), "");

  UiScript machine;
  Open(machine, kFolderDialog, &result);
  machine.check(Button(kForEveryPrinter))
      .text(Button(kFileNameEditId), u"C:\\Spool")
      .click(Button(IDOK))
      .click(Button(IDOK));
  ASSERT_TRUE(machine.run());
  EXPECT_EQ(MachineValue(), "C:\\Spool");
  EXPECT_EQ(PrinterValue(), "") << "the printer's value stays";
}

}  // namespace
}  // namespace ui_test
