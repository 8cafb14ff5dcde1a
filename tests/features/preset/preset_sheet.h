// The W2 printer with presets (tests/data/kpd/kesm_w2_preset.kpd): its
// document sheet opened through the property-sheet host and worked by
// script on the preset page, the maintenance dialog and the save dialog;
// judged by the per-user preset list the user leaves behind.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/winpath.h"
#include "platform/profile/winprofile.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "storage/ini/section_names.h"
#include "storage/stores/preset_store.h"
#include "tests/common/shared_files.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace preset_test {

using kesm_test::UiScript;
using ui_test::Bytes;
using plat::window::WindowRef;

inline constexpr WORD kPresetNo = 37;
inline constexpr LONG_PTR kFirstPreset = 119;
inline constexpr LONG_PTR kNoPreset = 118;

class PresetSheet : public ui_test::SheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_preset.kpd"; }
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SheetMachine::SetUp());
    plat::window::ClearMessageBoxRecords();
  }

  struct Preset {
    std::string name;
    std::string comment;
  };
  // The user's presets: each saved from the printer's settings into a set
  // file of its own, then listed under its name and comment.
  void WritePresets(const std::vector<Preset>& presets) {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    ini_ = GetIniFilePath(ucb);
    section_ = GetPresetSectionName(ucb);
    std::string list = "[" + std::string(section_.begin(), section_.end()) + "]\r\n";
    for (std::size_t i = 0; i < presets.size(); ++i) {
      const std::string key = "PresetList" + std::to_string(i);
      list += key + "=C:\\_kesm\\preset" + std::to_string(i) + ".rst\r\n" + key + "Name=" + presets[i].name +
              "\r\n" + key + "Comment=" + presets[i].comment + "\r\n";
    }
    list += "Count=" + std::to_string(presets.size()) + "\r\n";
    kesm_test::PutDriveFile(kesm_test::kSharedSettingsIni, list);
    for (std::size_t i = 0; i < presets.size(); ++i) EXPECT_TRUE(WritePresetByID(ucb, static_cast<int>(i)));
    FreeUcb2(ucb, 1);
    // Writing a preset names it as the settings had it: the list again.
    kesm_test::PutDriveFile(kesm_test::kSharedSettingsIni, list);
  }
  static std::vector<Preset> Numbered(int count) {
    std::vector<Preset> presets;
    for (int i = 0; i < count; ++i) presets.push_back({"Preset " + std::to_string(i), "Comment " + std::to_string(i)});
    return presets;
  }

  std::u16string Stored(const std::u16string& key) const {
    WCHAR value[300] = {};
    GetPrivateProfileStringW(section_.c_str(), key.c_str(), u"", value, 300, ini_.c_str());
    return value;
  }
  std::u16string Key(int index, const char16_t* part = u"") const {
    const std::string number = std::to_string(index);
    return u"PresetList" + std::u16string(number.begin(), number.end()) + part;
  }
  int Count() const {
    const std::u16string count = Stored(u"Count");
    return count.empty() ? 0 : std::stoi(std::string(count.begin(), count.end()));
  }
  // The names listed, in order.
  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> names;
    const int count = Count();
    for (int i = 0; i < count; ++i) names.push_back(Stored(Key(i, u"Name")));
    return names;
  }

  // The document sheet opened on a DEVMODE whose selected preset is the
  // one given (-1: none), worked by the script until it closes.
  LONG RunSheet(UiScript& script, int selected, Bytes* out = nullptr) {
    Bytes local = Filled(kDriverDevmode);
    Bytes& devmode = out != nullptr ? *out : local;
    ui_test::SheetHooks hooks;
    hooks.afterInit = [selected](UCB* ucb) {
      SetDevmodeValueByFuncID(ucb, kPresetNo, selected < 0 ? kNoPreset : kFirstPreset + selected);
    };
    LONG result = -1;
    EXPECT_EQ(HookedDocumentSheet(devmode, DM_COPY, hooks, &result), CPSUI_OK);
    EXPECT_TRUE(script.done());
    return result;
  }

  static WindowRef Maintenance() { return WindowRef::Top(u"Manage presets"); }
  static WindowRef SaveDialog() { return WindowRef::Top(u"Save preset"); }
  // The settings sheet the preset page opens, captioned with the printer's
  // name.
  static WindowRef SettingsSheet() {
    return WindowRef::Found("the settings sheet", [] { return FindWindowW(nullptr, ui_test::kPrinter); });
  }
  static WindowRef PageItem(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static HWND Child(const WindowRef& window, int id) { return GetDlgItem(window.Resolve(), id); }
  static UCB* Context() { return ContextOfPage(WindowRef::Page(Sheet()).Resolve()); }

  std::u16string ini_;
  std::u16string section_;
};

}  // namespace preset_test
