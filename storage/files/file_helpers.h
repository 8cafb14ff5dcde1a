// Small file operations shared by the install, set-file and store code:
// existence and time-stamp tests, deletion with the attributes reset first,
// copying, and folder creation. Each reports through its result only.
#pragma once

#include "platform/files/winfile.h"
#include "platform/base/wintypes.h"

#if !KESM_KERNEL_MODE

// 1 when the path names an existing file (a folder does not count), also
// one that another process holds open; 0 for a null path.
BOOL _IsFileExist(LPCWSTR path);
// Resets the attributes to FILE_ATTRIBUTE_NORMAL, then deletes the file. 1
// when the file was deleted; 0 for a null path, when the attributes could
// not be reset or when the delete was refused (a file held open by another).
BOOL _DeleteFile(LPCWSTR path);
// Deletes every file that matches a wildcard pattern, which must name a
// folder ("C:\kesm\*.tmp"). Folders that match are left alone. 1 when at
// least one file was reset.
BOOL _DeleteFileEx(LPCWSTR pattern);
// CopyFileW, then the target's attributes set to FILE_ATTRIBUTE_NORMAL and
// then FILE_ATTRIBUTE_ARCHIVE; TRUE only when all three succeed.
BOOL _CopyFile(LPCWSTR source, LPCWSTR target, BOOL failIfExists);
// Clears FILE_ATTRIBUTE_READONLY, keeping the other attributes. FALSE when
// the attributes cannot be read or written.
BOOL _SetFileAttrRW(LPCWSTR path);
// 1 when both files can be opened and have the same last-write time.
BOOL _IsFileSameTimeStamp(LPCWSTR a, LPCWSTR b);
// Creates a folder; TRUE also when the folder already exists (but not when a
// file holds the name). FALSE for a null path.
BOOL _CreateDirectory(LPCWSTR path);
// The classic file-handle read and write.
UINT _lreadEx(HFILE file, LPVOID buffer, UINT bytes);
UINT _lwriteEx(HFILE file, LPCSTR buffer, UINT bytes);
#endif
