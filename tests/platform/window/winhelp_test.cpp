// Help requests: the machine keeps what a viewer would have been asked,
// the context-menu tables with their pairs, and refuses requests Windows
// refuses.
#include <gtest/gtest.h>

#include "platform/base/winerror.h"
#include "platform/window/help_control.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::HelpRequests;

class WinHelpTest : public WindowTest {};

TEST_F(WinHelpTest, RequestsAreKeptWithTheirTopicsAndTables) {
  HWND window = Make("page", nullptr, RECT{0, 0, 100, 100});
  EXPECT_TRUE(WinHelpW(window, u"C:\\help\\driver.hlp", HELP_CONTEXT, 22001));
  const DWORD table[] = {2005, 22005, 2006, 22006, 0, 0};
  EXPECT_TRUE(WinHelpW(window, u"C:\\help\\driver.hlp", HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(table)));
  EXPECT_TRUE(WinHelpW(nullptr, nullptr, HELP_QUIT, 0));
  const auto requests = HelpRequests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].window, window);
  EXPECT_EQ(requests[0].file, u"C:\\help\\driver.hlp");
  EXPECT_EQ(requests[0].command, HELP_CONTEXT);
  EXPECT_EQ(requests[0].data, 22001u);
  EXPECT_TRUE(requests[0].pairs.empty());
  EXPECT_EQ(requests[1].pairs, (std::vector<DWORD>{2005, 22005, 2006, 22006}));
  EXPECT_EQ(requests[2].command, HELP_QUIT);
}

TEST_F(WinHelpTest, ARequestWithoutAFileOrWithADeadWindowIsRefused) {
  HWND gone = Make("gone", nullptr, RECT{0, 0, 10, 10});
  DestroyWindow(gone);
  SetLastError(0);
  EXPECT_FALSE(WinHelpW(nullptr, nullptr, HELP_CONTEXT, 1));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(WinHelpW(nullptr, u"", HELP_CONTEXT, 1));
  EXPECT_FALSE(WinHelpW(gone, u"a.hlp", HELP_CONTEXT, 1));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_TRUE(HelpRequests().empty());
}

}  // namespace
}  // namespace kesm_test
