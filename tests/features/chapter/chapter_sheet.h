// The document sheet of the C9 chapter printer, with the chapter dialog
// opened from its button on the cover-and-mark page: the controls a
// person works there, the messages of the resource DLL, and the settings
// INI where the printer's chapter limits are (eight chapters on at most
// two distinct trays unless a test says otherwise).
#pragma once

#include <array>
#include <string>

#include "platform/files/winpath.h"
#include "platform/profile/winprofile.h"
#include "platform/window/messagebox_control.h"
#include "settings/context/context_names.h"
#include "storage/ini/section_names.h"
#include "tests/ui/sheets/sheet_machine.h"
#include "ui/resource_dll.h"

namespace ui_test {

class ChapterSheet : public SheetMachine {
 protected:
  static constexpr int kCoverMarkTab = 4;
  static constexpr WORD kOpener = 2714;
  static constexpr WORD kEditPages = 2776;
  static constexpr WORD kAddButton = 3737;
  static constexpr WORD kDeleteButton = 2802;
  static constexpr WORD kDeleteAllButton = 3738;
  static constexpr WORD kChapterList = 2800;
  static constexpr WORD kTrayChoice = 2771;
  static constexpr WORD kKindChoice = 3730;
  static constexpr WORD kPrintChoice = 3731;
  // The values of the tray choice's first two trays.
  static constexpr int kTray1 = 1;
  static constexpr int kTray2 = 2;

  const char* Description() const override { return "kesm_c9_chapter_page.kpd"; }

  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SheetMachine::SetUp());
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    ini_ = GetIniFilePath(ucb);
    section_ = GetPresetSectionName(ucb);
    FreeUcb2(ucb, 1);
    ASSERT_TRUE(plat::CreateDirectories(ini_.substr(0, ini_.rfind(u'\\'))));
    ASSERT_NO_FATAL_FAILURE(PutIni(u"ChapterMax", u"8"));
    ASSERT_NO_FATAL_FAILURE(PutIni(u"ChapterTrayMax", u"2"));
    plat::window::ClearMessageBoxRecords();
  }

  void PutIni(const char16_t* key, const char16_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section_.c_str(), key, value, ini_.c_str()));
  }
  std::u16string Ini(const char16_t* key) {
    std::array<WCHAR, 300> text{};
    GetPrivateProfileStringW(section_.c_str(), key, u"<none>", text.data(), 300, ini_.c_str());
    return text.data();
  }

  static WindowRef Dialog() { return WindowRef::Top(u"Chapter"); }

  // A message of the resource DLL as its box shows it.
  std::u16string Message(UINT id) {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    std::array<WCHAR, 1025> text{};
    if (ucb != nullptr) LoadStringFromResDll(ucb, id, text.data(), 1025, FALSE);
    FreeUcb2(ucb, 1);
    return text.data();
  }

  // Goes to the cover-and-mark page (unless the sheet is on it already)
  // and opens the chapter dialog with its button; the dialog's context is
  // then context_.
  void OpenChapterDialog(kesm_test::UiScript& script, bool toPage = true) {
    if (toPage) script.tab(Sheet(), kCoverMarkTab);
    script.click(WindowRef::Item(WindowRef::Page(Sheet()), kOpener)).check("the chapter dialog is open", [this] {
      HWND dialog = Dialog().Resolve();
      ASSERT_NE(dialog, nullptr);
      context_ = ContextOfPage(dialog);
      ASSERT_NE(context_, nullptr);
    });
  }

  // Runs the document sheet with the script; the DEVMODE it handed out is
  // out_, its result the answer.
  LONG RunSheet(kesm_test::UiScript& script, DWORD fMode = DM_COPY, SheetHooks hooks = {}) {
    out_ = Filled(kDriverDevmode);
    LONG result = -1;
    EXPECT_EQ(HookedDocumentSheet(out_, fMode, std::move(hooks), &result), CPSUI_OK);
    EXPECT_TRUE(script.done());
    return result;
  }

  UCB* context_ = nullptr;
  Bytes out_;
  std::u16string ini_;
  std::u16string section_;
};

}  // namespace ui_test
