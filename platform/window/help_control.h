// What the machine keeps of help requests, for tests: every request that
// WinHelpW took, oldest first.
#pragma once

#include <string>
#include <vector>

#include "platform/window/winuser_help.h"

namespace plat::window {

struct HelpRequest {
  HWND window = nullptr;
  std::u16string file;
  UINT command = 0;
  ULONG_PTR data = 0;
  // For HELP_CONTEXTMENU and HELP_WM_HELP: the {control id, context id}
  // pairs the data pointed at.
  std::vector<DWORD> pairs;
};

std::vector<HelpRequest> HelpRequests();
void ClearHelpRequests();

}  // namespace plat::window
