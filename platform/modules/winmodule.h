// Dynamic-link libraries of the stand-in, over dlopen.
//
// A module is an ELF shared object stored in the drive tree under its Windows
// file name ("TALJC32.DLL" is a shared object named TALJC32.DLL, matched
// ignoring case). A name without an extension gets ".DLL"; a trailing dot
// means "no extension". A bare name is looked up in this order:
//   1. a module already loaded under that file name, from any folder;
//   2. a built-in module of that name (system libraries the stand-in itself
//      provides, registered with plat::RegisterBuiltinModule);
//   3. the application folder, which for the print system is the system
//      folder C:\Windows\System32; then C:\Windows\System and C:\Windows.
// A relative path with folders is tried below each folder of step 3; a full
// path ("C:\...") is loaded from there only (a built-in module also answers
// to its name in the system folder).
// Loading a module runs no entry point: a host that needs one calls it with
// the module handle, as the spooler does with a driver's DLL entry.
#pragma once

#include <span>
#include <string_view>

#include "platform/base/wintypes.h"

// Loads (or counts one more reference to) a module; null with
// ERROR_MOD_NOT_FOUND when no file or built-in module answers to the name,
// ERROR_BAD_EXE_FORMAT when the file is not a loadable shared object,
// ERROR_INVALID_PARAMETER for a null or empty name.
HMODULE LoadLibraryW(LPCWSTR fileName);
// The same with the name in the ANSI code page.
HMODULE LoadLibraryA(LPCSTR fileName);
// The handle of a module already loaded, without counting a reference; null
// with ERROR_MOD_NOT_FOUND otherwise. A null name gives the process image.
HMODULE GetModuleHandleW(LPCWSTR moduleName);
// The exported function or data of that name (exact case), or null with
// ERROR_PROC_NOT_FOUND. Only the module's own exports count, not those of the
// libraries it depends on; ordinals are not supported. A null module means
// the process image. ERROR_MOD_NOT_FOUND for a handle that is not loaded.
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// Drops one reference; the module is unloaded when none is left. FALSE with
// ERROR_MOD_NOT_FOUND for a handle that is not loaded.
BOOL FreeLibrary(HMODULE module);
// The full Windows path of the module, spelled as on disk (a built-in
// module: the system folder and its registered name). Returns its length without the
// terminator; when it does not fit, the path is cut to size - 1 characters
// and terminated, the result is size and the last error
// ERROR_INSUFFICIENT_BUFFER. 0 with ERROR_MOD_NOT_FOUND for a handle that is
// not loaded. A null module gives the process image (reported in the system
// folder, under the host program's file name).
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

namespace plat {

// One export of a built-in module. The table must outlive its registration
// (static data).
struct BuiltinExport {
  const char* name;
  FARPROC proc;
};

// Makes a system library that the stand-in implements itself loadable by
// name ("UserEnv.dll"; ".DLL" is added to a name without extension). A new
// registration of a name replaces the old one for later loads. Returns false
// for an empty name or one that contains a folder. "UserEnv.dll",
// "spoolss.dll", "compstui.dll" and "comdlg32.dll" (which also carries
// resources: its dialog templates and texts) are registered from the start;
// a module registered here has no resources.
bool RegisterBuiltinModule(std::u16string_view fileName, std::span<const BuiltinExport> exports);

}  // namespace plat
