// Help requests. No viewer runs on this machine: a request is checked as
// Windows checks it and kept, so that a test can see which topic a person
// would have been shown.
#include <mutex>

#include "platform/base/winerror.h"
#include "platform/window/help_control.h"

namespace plat::window {
namespace {

// A context-menu table longer than this is taken as unterminated.
constexpr std::size_t kMostHelpPairs = 1024;

struct Requests {
  std::mutex lock;
  std::vector<HelpRequest> list;
};

Requests& TheRequests() {
  static Requests* requests = new Requests;  // lives until process exit
  return *requests;
}

bool TakesPairs(UINT command) { return command == HELP_CONTEXTMENU || command == HELP_WM_HELP; }

std::vector<DWORD> PairsAt(ULONG_PTR data) {
  std::vector<DWORD> pairs;
  const auto* at = reinterpret_cast<const DWORD*>(data);
  for (std::size_t i = 0; at != nullptr && at[i] != 0 && i < 2 * kMostHelpPairs; i += 2) {
    pairs.push_back(at[i]);
    pairs.push_back(at[i + 1]);
  }
  return pairs;
}

}  // namespace

std::vector<HelpRequest> HelpRequests() {
  std::lock_guard guard(TheRequests().lock);
  return TheRequests().list;
}

void ClearHelpRequests() {
  std::lock_guard guard(TheRequests().lock);
  TheRequests().list.clear();
}

}  // namespace plat::window

BOOL WinHelpW(HWND window, LPCWSTR helpFile, UINT command, ULONG_PTR data) {
  using namespace plat::window;
  if (window != nullptr && !IsWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (command != HELP_QUIT && (helpFile == nullptr || helpFile[0] == 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HelpRequest request{window, helpFile != nullptr ? reinterpret_cast<const char16_t*>(helpFile) : u"", command, data,
                      TakesPairs(command) ? PairsAt(data) : std::vector<DWORD>{}};
  std::lock_guard guard(TheRequests().lock);
  TheRequests().list.push_back(std::move(request));
  return TRUE;
}
