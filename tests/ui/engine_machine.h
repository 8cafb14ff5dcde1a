// The W2 printer of the configuration library's tests with the dialog
// engine's test libraries in place of its resource and bitmap DLLs (their
// strings, progress dialog and pictures: tests/data/resources/engine_*.krc),
// and one context open on it.
#pragma once

#include <filesystem>
#include <string>

#include "platform/files/winpath.h"
#include "settings/context/context_names.h"
#include "tests/common/ui_script.h"
#include "tests/ui/ui_machine.h"

namespace ui_test {

class EngineMachine : public UiMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(UiMachine::SetUp());
    std::filesystem::copy_file(KESM_ENGINE_RESOURCES, resourceDll_, std::filesystem::copy_options::overwrite_existing);
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
    const auto bitmaps = plat::HostPathOf(GetBmpDllName(ucb_));
    ASSERT_TRUE(bitmaps.has_value());
    std::filesystem::copy_file(KESM_ENGINE_BITMAPS, *bitmaps, std::filesystem::copy_options::overwrite_existing);
  }
  void TearDown() override {
    if (ucb_ != nullptr) FreeUcb2(ucb_, 1);
    ucb_ = nullptr;
    UiMachine::TearDown();
  }

  UCB* ucb_ = nullptr;
};

}  // namespace ui_test
