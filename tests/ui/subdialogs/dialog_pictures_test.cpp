// Pictures of a sub-dialog and of a file dialog as the engine opens them,
// for a person to look at (KESM_DUMP_WINDOWS=folder writes them there).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/window/window_image.h"
#include "tests/ui/subdialogs/subdialog_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

class DialogPictures : public SubDialogMachine {
 protected:
  // Writes the active window's picture; always into the machine's drive,
  // and into the dump folder when one is named.
  static void Picture(const std::string& name) {
    HWND window = GetActiveWindow();
    ASSERT_NE(window, nullptr);
    const std::filesystem::path onDrive = drive::Host(name);
    ASSERT_TRUE(plat::window::WriteWindowPng(window, onDrive));
    EXPECT_GT(std::filesystem::file_size(onDrive), 0u);
    if (const char* folder = std::getenv("KESM_DUMP_WINDOWS"); folder != nullptr && *folder != '\0') {
      EXPECT_TRUE(plat::window::WriteWindowPng(window, std::filesystem::path(folder) / name));
    }
  }
};

TEST_F(DialogPictures, TheSetFileDialogAndTheImageStampDialog) {
  drive::Put("Sets/office.rst", "");
  drive::Put("Sets/Team Default.rst", "");
  drive::Put("Sets/Archive/old.rst", "");
  ASSERT_NO_FATAL_FAILURE(PutIni(u"SaveFilePath", u"C:\\Sets"));
  int fileResult = -2;
  int dialogResult = -2;
  UiScript script;
  Open(script, 4002, &fileResult);
  script.check("the set-file dialog", [] { Picture("set-file-dialog-4002.png"); }).click(Button(IDCANCEL));
  Open(script, 1023, &dialogResult);
  // The dialog has no closing buttons of its own: Escape cancels it.
  script.check("the image stamp dialog", [] { Picture("sub-dialog-1023.png"); }).key(VK_ESCAPE);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(fileResult, 0);
  EXPECT_EQ(dialogResult, IDCANCEL);
}

}  // namespace
}  // namespace ui_test
