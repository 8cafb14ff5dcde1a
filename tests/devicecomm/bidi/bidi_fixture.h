// The bidi tests' machine: the property tests' printers plus "Copy Room",
// a printer on a bidirectional port; the stand-in port-monitor library
// installed in the system folder under both of its names, the NT one held
// loaded by the test (so its script lives as long as the test); the
// driver INI naming the model "Kesm 4200"; a device of that model behind
// "Copy Room"; and a context on that printer. The installation of the
// port-monitor stand-in also serves machines of other fixtures.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "devicecomm/bidi/bidi_api.h"
#include "platform/modules/winmodule.h"
#include "platform/profile/winprofile.h"
#include "settings/context/context_names.h"
#include "tests/platform/install_file.h"
#include "tests/portmonlib/portmonlib_state.h"
#include "tests/storage/printer_setup.h"
#include "tests/storage/properties/property_fixture.h"

namespace bidi_test {

inline constexpr const char16_t* kCopyRoom = u"Copy Room";
inline constexpr const char16_t* kModel = u"Kesm 4200";
inline constexpr const char* kNtInSystem = "Windows/System32/tv4manNT.dll";
inline constexpr const char* k9xInSystem = "Windows/System32/tvoman32.dll";
inline constexpr const WCHAR* kNtPath = u"C:\\Windows\\System32\\tv4manNT.dll";

using portmonlib::Entries;
using property_test::Le;
using property_test::ReadRaw;
using portmonlib::Text;

// The script of a loaded copy of the library, wired to this process's last
// error.
inline portmonlib::State* PortMonitorState(HMODULE module) {
  auto state = reinterpret_cast<portmonlib::State* (*)()>(GetProcAddress(module, "PortMonLibState"));
  if (state == nullptr) return nullptr;
  state()->setLastError = SetLastError;
  return state();
}

// The library installed in the machine's system folder under both of its
// names, and the NT copy loaded, so that its script lives as long as the
// test; unloaded again with its script emptied, after a check that no
// printer was left open.
inline void InstallPortMonitor(HMODULE* library, portmonlib::State** state) {
  kesm_test::InstallFile(KESM_PORT_MONITOR_LIBRARY, kNtInSystem);
  kesm_test::InstallFile(KESM_PORT_MONITOR_LIBRARY, k9xInSystem);
  *library = LoadLibraryW(kNtPath);
  ASSERT_NE(*library, nullptr);
  *state = PortMonitorState(*library);
  ASSERT_NE(*state, nullptr);
}
inline void RemovePortMonitor(HMODULE library, portmonlib::State* state) {
  if (library == nullptr) return;
  if (state != nullptr) {
    EXPECT_EQ(state->openPrinters, 0) << "a printer was left open";
    *state = portmonlib::State{};
  }
  FreeLibrary(library);
}

// Members are public: the tables of cases script the fixture from lambdas.
class BidiTest : public property_test::PropertyTest {
 public:
  using PropertyTest::Set;
  using PropertyTest::SetText;
  using PropertyTest::Text;
  using PropertyTest::Value;

 protected:
  void SetUp() override {
    PropertyTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(
        storage_test::AddLocalPrinter(kCopyRoom, context_test::kDriverName, PRINTER_ATTRIBUTE_ENABLE_BIDI));
    copyRoom_ = Open(kCopyRoom);
    ASSERT_NE(copyRoom_, nullptr);
    ASSERT_NO_FATAL_FAILURE(InstallPortMonitor(&library_, &lib_));
    ucb_ = OpenOn(copyRoom_);
    ASSERT_NE(ucb_, nullptr);
    ASSERT_TRUE(WritePrivateProfileStringW(u"Models", context_test::kDriverName, kModel,
                                           GetDriverIniFilePath(ucb_)));
    lib_->devices[kCopyRoom].model = kModel;
  }

  void TearDown() override {
    if (ucb_ != nullptr) Release(ucb_);
    RemovePortMonitor(library_, lib_);
    PropertyTest::TearDown();
  }

  public:
  static portmonlib::State* StateOf(HMODULE module) { return PortMonitorState(module); }

  portmonlib::State& lib() { return *lib_; }
  portmonlib::Device& device() { return lib_->devices[kCopyRoom]; }
  void Fail(const std::string& op, DWORD number = 0, bool probe = false, DWORD error = 31) {
    lib_->failures.push_back({op, number, probe, error});
  }

  HANDLE copyRoom_ = nullptr;
  UCB* ucb_ = nullptr;
  HMODULE library_ = nullptr;
  portmonlib::State* lib_ = nullptr;
};

}  // namespace bidi_test
