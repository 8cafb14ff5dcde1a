#if !KESM_KERNEL_MODE  // kernel-mode directories come from the data file's path
#include "storage/files/directories.h"

#include <string_view>

#include "platform/files/filelink.h"
#include "platform/base/handles.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/modules/winmodule.h"
#include "platform/sync/winprocess.h"
#include "platform/security/winsecurity.h"
#include "platform/spooler/winspool.h"
#include "platform/system/winsys.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "storage/files/known_dirs.h"
#include "storage/system/printer_info.h"
#include "storage/system/system_info.h"
#include "storage/files/text_out.h"

namespace {

using ProfileDirectoryFn = BOOL (*)(HANDLE, LPWSTR, LPDWORD);

// A directory query with the size-probe convention of GetSystemDirectoryW.
template <class Query>
std::u16string Directory(Query query) {
  WCHAR buffer[MAX_PATH];
  const UINT length = query(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::u16string(buffer, length);
}

// The folder of an absolute settings INI path held in the work area.
std::u16string IniPathFolder(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return {};
  const std::u16string_view path(ucb->pWork->szIniFilePath);
  if (path.size() < 2 || path[1] != u':') return {};
  const std::size_t slash = path.rfind(u'\\');
  if (slash == std::u16string_view::npos) return {};
  return std::u16string(path.substr(0, slash));
}

HANDLE OpenToken() {
  HANDLE token = nullptr;
  if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) return token;
  if (GetLastError() != ERROR_NO_TOKEN) return nullptr;
  return OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) ? token : nullptr;
}

}  // namespace

namespace storage {

std::u16string SystemDirectory() { return Directory(GetSystemDirectoryW); }
std::u16string WindowsDirectory() { return Directory(GetWindowsDirectoryW); }

std::u16string DriverDirectory(HANDLE printer) {
  auto* info = static_cast<DRIVER_INFO_3W*>(GetPrinterDriverInfo(printer, 3));
  std::u16string folder;
  if (info != nullptr && info->pDriverPath != nullptr) {
    const std::u16string_view path(info->pDriverPath);
    const std::size_t slash = path.rfind(u'\\');
    if (slash != std::u16string_view::npos) folder = path.substr(0, slash + 1);
  }
  FreeMemPtr(info);
  return folder;
}

std::u16string SharedDirectory(HANDLE printer) {
  return IsOsLaterWin2000() ? DummyDirectory(printer) : SystemDirectory();
}

std::u16string UserProfileDirectory() {
  WCHAR buffer[MAX_PATH];
  if (!MyGetUserProfileDirectoryWithoutUCB(buffer, MAX_PATH)) return {};
  return std::u16string(View(buffer));
}

std::u16string ProfileDirectoryWithoutUcb() {
  std::u16string profile = UserProfileDirectory();
  if (profile.empty()) return {};
  if (IsOsLaterWin2000()) return JoinPath(profile, u"_kesm");
  while (!profile.empty() && profile.back() == u'\\') profile.pop_back();
  const std::size_t slash = profile.rfind(u'\\');
  const std::u16string system = SystemDirectory();
  if (system.empty()) return {};
  return JoinPath(
      system, u"talvo\\_kesm\\" + profile.substr(slash == std::u16string::npos ? 0 : slash + 1));
}

std::u16string ProfileDirectory(UCB* ucb) {
  std::u16string folder = IniPathFolder(ucb);
  return folder.empty() ? ProfileDirectoryWithoutUcb() : folder;
}

std::u16string JoinPath(std::u16string_view directory, std::u16string_view name) {
  std::u16string path(directory);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  path += name;
  return path;
}

BOOL ForEachFolderEntry(LPCWSTR folder, const std::function<void(const std::u16string&, bool)>& visit) {
  if (folder == nullptr || plat::IsLink(folder)) return FALSE;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(JoinPath(folder, u"*.*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return FALSE;
  do {
    const std::u16string_view name(found.cFileName);
    if (name == u"." || name == u"..") continue;
    const std::u16string entry = JoinPath(folder, name);
    if (plat::IsLink(entry.c_str())) continue;
    visit(entry, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return TRUE;
}

}  // namespace storage

DWORD KM_UM_GetSystemDirectory(LPWSTR buffer, DWORD size, UCB*) {
  return storage::CopyOut(buffer, size, storage::SystemDirectory());
}

DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb) {
  return storage::CopyOut(buffer, size,
                          storage::SharedDirectory(ucb != nullptr ? ucb->hPrinter : nullptr));
}

DWORD UM_GetSystemDirectoryExWithoutUCB(LPWSTR buffer, DWORD size, HANDLE printer) {
  return storage::CopyOut(buffer, size, storage::SharedDirectory(printer));
}

DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
  return storage::CopyOut(buffer, size, storage::ProfileDirectory(ucb));
}

DWORD UM_GetProfileDirectoryWithoutUCB(LPWSTR buffer, DWORD size) {
  return storage::CopyOut(buffer, size, storage::ProfileDirectoryWithoutUcb());
}

BOOL MyGetUserProfileDirectoryWithoutUCB(LPWSTR buffer, DWORD size) {
  HMODULE library = LoadLibraryW(u"UserEnv.dll");
  if (library == nullptr) return FALSE;
  BOOL result = FALSE;
  HANDLE token = OpenToken();
  const auto query =
      reinterpret_cast<ProfileDirectoryFn>(GetProcAddress(library, "GetUserProfileDirectoryW"));
  if (token != nullptr && query != nullptr) result = query(token, buffer, &size);
  if (token != nullptr) CloseHandle(token);
  FreeLibrary(library);
  return result;
}

BOOL GetWindowsDirName(LPWSTR buffer, DWORD size) {
  const DWORD length = GetEnvironmentVariableW(u"SystemRoot", buffer, size);
  if (length == 0 || length >= size) {
    storage::ClearOut(buffer, size);
    return FALSE;
  }
  return TRUE;
}
#endif
