// A caller of the file dialogs for the tests: its file buffer and its
// structure, starting in C:\Sets with the filter given.
#pragma once

#include <array>

#include "platform/window/commdlg/commdlg.h"

namespace kesm_test {

struct FileDialogCaller {
  std::array<WCHAR, 260> file{};
  OPENFILENAMEW ofn{};

  explicit FileDialogCaller(LPCWSTR filter) {
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrInitialDir = u"C:\\Sets";
  }
  FileDialogCaller(const FileDialogCaller&) = delete;
  FileDialogCaller& operator=(const FileDialogCaller&) = delete;
};

}  // namespace kesm_test
