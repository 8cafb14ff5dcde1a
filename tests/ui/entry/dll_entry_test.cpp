// The library's module entry: attach keeps the module handle, detach frees
// the parked contexts and the compiled descriptions, thread reasons do
// nothing, and every reason answers TRUE.
#include <gtest/gtest.h>

#include "tests/ui/ui_machine.h"
#include "ui/entry/dll_entry.h"

namespace ui_test {
namespace {

using DllEntry = UiMachine;

TEST_F(DllEntry, DetachFreesTheParkedContextsAndEveryReasonAnswersTrue) {
  // The handle is a stand-in; the sheets of later tests name the real one.
  struct Restore {
    HINSTANCE kept = ghInstance;
    ~Restore() { ghInstance = kept; }
  } restore;
  HANDLE module = &ghInstance;
  ASSERT_TRUE(DllInitialize(module, DLL_PROCESS_ATTACH, nullptr));
  EXPECT_EQ(ghInstance, module);
  UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
  ASSERT_NE(ucb, nullptr);
  const DWORD live = CountLiveUcb();
  FreeUcb(ucb);
  EXPECT_EQ(CountParkedUcb(), 1u);
  EXPECT_EQ(CountLiveUcb(), live);
  EXPECT_TRUE(DllInitialize(nullptr, DLL_THREAD_ATTACH, nullptr));
  EXPECT_TRUE(DllInitialize(nullptr, DLL_THREAD_DETACH, nullptr));
  EXPECT_EQ(ghInstance, module) << "thread reasons do nothing";
  EXPECT_EQ(CountParkedUcb(), 1u);
  EXPECT_TRUE(DllInitialize(module, DLL_PROCESS_DETACH, nullptr));
  EXPECT_EQ(CountParkedUcb(), 0u);
  EXPECT_EQ(CountLiveUcb(), live - 1);
  // A detach with nothing parked frees nothing and still answers TRUE.
  EXPECT_TRUE(DllInitialize(module, DLL_PROCESS_DETACH, nullptr));
  EXPECT_TRUE(DllInitialize(module, DLL_PROCESS_ATTACH, nullptr));
  EXPECT_TRUE(DllInitialize(module, 77, nullptr));
}

}  // namespace
}  // namespace ui_test
