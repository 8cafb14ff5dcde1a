// Processes of the stand-in. CreateProcessW runs a program of the machine's
// drive tree as a host process; its handle can be waited on
// (WaitForSingleObject, platform/base/handles.h) and asked for its exit code.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/wintypes.h"
#include "platform/window/winuser_styles.h"  // the show states of STARTUPINFOW::wShowWindow

inline constexpr DWORD STILL_ACTIVE = 259;
inline constexpr DWORD CREATE_SUSPENDED = 0x00000004;
inline constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;

struct STARTUPINFOW {
  DWORD cb;
  LPWSTR lpReserved;
  LPWSTR lpDesktop;
  LPWSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
using LPSTARTUPINFOW = STARTUPINFOW*;

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

// Pseudo-handles of the calling process and thread (not in the handle
// table; closing them does nothing).
HANDLE GetCurrentProcess();
HANDLE GetCurrentThread();

// Starts a program. The module is applicationName as given (relative to
// the current directory; no search, no added extension), or, without one,
// the first token of commandLine: a quoted token, else each prefix that ends
// at a blank in turn ("C:\Program Files\x" tries "C:\Program" first);
// ".exe" is added to a name without extension, and a bare name is looked
// for in the current directory, the system directory, the Windows
// directory and the directories of the machine's PATH. (The machine's
// current directory is the system directory, platform/files/winpath.h.) The
// program gets the arguments of commandLine split as the C runtime does,
// and runs in currentDirectory (the current directory when null). The host
// environment is passed on; an environment block and CREATE_SUSPENDED are
// not supported (ERROR_NOT_SUPPORTED); the attributes and inheritHandles are
// not used (no handle of the table reaches the child). Failures: ERROR_FILE_NOT_FOUND (no
// such program), ERROR_PATH_NOT_FOUND, ERROR_DIRECTORY (bad current
// directory), ERROR_ACCESS_DENIED (not executable), ERROR_BAD_EXE_FORMAT.
BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine,
                    LPSECURITY_ATTRIBUTES processAttributes, LPSECURITY_ATTRIBUTES threadAttributes,
                    BOOL inheritHandles, DWORD creationFlags, LPVOID environment,
                    LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                    LPPROCESS_INFORMATION processInformation);

// STILL_ACTIVE while the process runs, else its exit status (0-255 for a
// program that exited; 128 plus the signal number for one a signal ended).
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);
