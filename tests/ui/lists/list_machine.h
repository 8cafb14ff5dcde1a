// The W2 printer with the description of the list tests
// (tests/data/kpd/kesm_l4_lists.kpd, or another one a fixture names), its
// resource and bitmap libraries in place and one context open; its pages
// are shown through the test page host. Helpers read what a person reads
// off the settings and the screen.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/winfile.h"
#include "platform/files/winpath.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/window_image.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/settings/kpd/kpd_compile_sample.h"
#include "tests/ui/page_host.h"

namespace ui_test {

using kpdtest::V;

// Settings of the description's lists.
inline constexpr WORD kTray = 13;
inline constexpr WORD kPaper = 8;
inline constexpr WORD kPrintSize = 46;
inline constexpr WORD kColour = 15;
inline constexpr WORD kPresetNo = 37;
inline constexpr WORD kFold = 511;
inline constexpr WORD kPunch = 120;
inline constexpr WORD kCopies = 12;
inline constexpr WORD kMachineTypeColor = 234;

class ListMachine : public UiMachine {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenOn("kesm_l4_lists.kpd")); }
  void TearDown() override {
    host_.Close();
    if (ucb_ != nullptr) FreeUcb2(ucb_, 1);
    ucb_ = nullptr;
    UiMachine::TearDown();
  }

  void OpenOn(const char* description) {
    ASSERT_NO_FATAL_FAILURE(Install(description));
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
    const auto bitmaps = plat::HostPathOf(GetBmpDllName(ucb_));
    ASSERT_TRUE(bitmaps.has_value());
    std::filesystem::copy_file(KESM_UI_BITMAPS, *bitmaps, std::filesystem::copy_options::overwrite_existing);
    // The user's settings folder, which an install makes.
    LPCWSTR ini = GetIniFilePath(ucb_);
    ASSERT_NE(ini, nullptr);
    CreateDirectoryW(std::u16string(ini, std::u16string_view(ini).rfind(u'\\')).c_str(), nullptr);
    // A colour machine: pictures keep their colours.
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kMachineTypeColor, 1));
    plat::window::ClearMessageBoxRecords();
  }

  // The plain list and combo kinds live only on the file dialogs, where
  // the common dialog owns them and the tables bind them to nothing; the
  // tests bind the file-open dialog's list (1120) to the paper and its
  // combo (1136) to the print size, as the page life binds an item.
  void BindFileDialogLists() {
    ASSERT_TRUE(host_.Open(ucb_, 1001));  // the context's items are bound once
    host_.Close();
    TCB* tab = GetTCBbyTabID(ucb_, 4001);
    for (auto [control, setting] : {std::pair<WORD, WORD>{1120, kPaper}, std::pair<WORD, WORD>{1136, kPrintSize}}) {
      ICB* icb = GetICBbyItemID(ucb_, tab, control);
      ASSERT_NE(icb, nullptr);
      icb->pSFCB = GetSFCBbyFuncID(ucb_, setting);
      icb->pUiGroup = GetUiGroupFromGroupID(ucb_, icb->pSFCB->groupId);
    }
  }

  LONG_PTR Ui(WORD funcId) const { return GetDevmodeValueByFuncID(ucb_, funcId, nullptr); }
  void Store(WORD funcId, LONG_PTR uiValue) { ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, funcId, uiValue)); }

  HWND Control(WORD id) const { return host_.control(id); }
  static bool IsCombo(HWND control) {
    WCHAR name[16] = {};
    GetClassNameW(control, name, 16);
    return std::u16string(name) == u"ComboBox";
  }
  // The entries a control holds, as the option ids they stand for.
  std::vector<WORD> Entries(WORD id) const {
    const HWND control = Control(id);
    const bool combo = IsCombo(control);
    const auto count = SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    std::vector<WORD> options;
    for (LRESULT i = 0; i < count; ++i) {
      options.push_back(LOWORD(SendMessageW(control, combo ? CB_GETITEMDATA : LB_GETITEMDATA, i, 0)));
    }
    return options;
  }
  // The selected entry, -1 for none.
  LRESULT Selected(WORD id) const {
    const HWND control = Control(id);
    return SendMessageW(control, IsCombo(control) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  }
  // A person's pick of an entry: from the dropped list of a combo box, a
  // click on a list box's entry.
  static void PickEntry(kesm_test::UiScript& script, HWND control, int entry) {
    if (IsCombo(control)) {
      script.pick(control, entry);
    } else {
      script.select(control, entry);
    }
  }

  // The page as the screen shows it, and one pixel of it at a point of a
  // control's client area.
  struct Picture {
    std::vector<std::uint32_t> pixels;
    SIZE size{};
    COLORREF At(HWND page, HWND control, POINT client) const {
      ClientToScreen(control, &client);
      RECT frame{};
      GetWindowRect(page, &frame);
      const LONG x = client.x - frame.left, y = client.y - frame.top;
      if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return CLR_INVALID;
      const std::uint32_t p = pixels[static_cast<std::size_t>(y * size.cx + x)];
      return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // How many pixels of an area of the control's client area have (or,
    // with `other`, have not) the colour.
    int Count(HWND page, HWND control, const RECT& area, COLORREF colour, bool other = false) const {
      int n = 0;
      for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) n += (At(page, control, POINT{x, y}) == colour) != other ? 1 : 0;
      }
      return n;
    }
  };
  Picture Shot() const {
    Picture picture;
    EXPECT_TRUE(plat::window::PaintWindowImage(host_.page(), &picture.pixels, &picture.size));
    return picture;
  }
  // Writes the page as a PNG into the build folder's pictures for people.
  void Dump(const std::string& name) const {
    const auto folder = std::filesystem::path(KESM_BINARY_DIR) / "pictures";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(plat::window::WriteWindowPng(host_.page(), folder / (name + ".png")));
  }

  UCB* ucb_ = nullptr;
  PageHost host_;
};

}  // namespace ui_test
