// File services of the stand-in: handles on files of the machine's drive,
// attributes, directories, finding files, the temporary folder and file
// mapping. Paths follow platform/files/winpath.h. Handles are closed with
// CloseHandle (platform/base/handles.h).
//
// Share modes are honoured between all open handles of all processes of the
// machine, as on Windows. Attributes (read-only, hidden, system, archive) are
// kept with the machine, not in host permission bits: the stand-in itself
// refuses to write, truncate or delete a read-only file.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/wintypes.h"

// Access rights specific to files (the generic ones are in wintypes.h).
inline constexpr DWORD FILE_READ_DATA = 0x0001;
inline constexpr DWORD FILE_WRITE_DATA = 0x0002;
inline constexpr DWORD FILE_APPEND_DATA = 0x0004;
inline constexpr DWORD FILE_READ_ATTRIBUTES = 0x0080;
inline constexpr DWORD FILE_WRITE_ATTRIBUTES = 0x0100;
inline constexpr DWORD FILE_READ_EA = 0x0008;
inline constexpr DWORD FILE_WRITE_EA = 0x0010;
// READ_CONTROL | SYNCHRONIZE with the read, or the write, rights above.
inline constexpr DWORD FILE_GENERIC_READ = 0x00120089;
inline constexpr DWORD FILE_GENERIC_WRITE = 0x00120116;

inline constexpr DWORD FILE_SHARE_READ = 0x00000001;
inline constexpr DWORD FILE_SHARE_WRITE = 0x00000002;
inline constexpr DWORD FILE_SHARE_DELETE = 0x00000004;

inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x00000004;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
inline constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x00000100;
inline constexpr DWORD FILE_ATTRIBUTE_OFFLINE = 0x00001000;
inline constexpr DWORD FILE_ATTRIBUTE_NOT_CONTENT_INDEXED = 0x00002000;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;

inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
inline constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x00000002;

struct OVERLAPPED {
  ULONG_PTR Internal;
  ULONG_PTR InternalHigh;
  DWORD Offset;
  DWORD OffsetHigh;
  HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED*;

// Opens or creates a file. Directories cannot be opened (ERROR_ACCESS_DENIED).
// On success the last error is ERROR_ALREADY_EXISTS when CREATE_ALWAYS or
// OPEN_ALWAYS found the file, else ERROR_SUCCESS. CREATE_NEW on an existing
// file fails with ERROR_FILE_EXISTS; write access to, or truncation of, a
// read-only file with ERROR_ACCESS_DENIED; CREATE_ALWAYS over a hidden or
// system file whose attribute is not asked for again with
// ERROR_ACCESS_DENIED; a conflict of share modes with
// ERROR_SHARING_VIOLATION. A handle without read, write or delete access
// (access 0) neither meets nor imposes share modes. Overlapped I/O and
// templates are not supported (flags beyond the attributes are ignored).
HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
// The same with a path in the process ANSI code page.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);

// Synchronous reads and writes at the file pointer; a read at the end of the
// file succeeds with 0 bytes. overlapped must be null (ERROR_NOT_SUPPORTED).
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
              LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped);
// Moves the file pointer; with distanceHigh the distance is 64-bit and the
// new position's high part is returned there. Failure returns
// INVALID_SET_FILE_POINTER with the last error set (ERROR_NEGATIVE_SEEK, or
// ERROR_INVALID_PARAMETER when a position beyond 32 bits is asked for without
// distanceHigh); a successful result that equals INVALID_SET_FILE_POINTER
// sets the last error to NO_ERROR so that callers can tell the two apart.
DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh);
BOOL FlushFileBuffers(HANDLE file);
// Creation time is the host's birth time when it has one, else the last
// change time; the stand-in cannot set it, so SetFileTime ignores it.
// SetFileTime needs write access (or FILE_WRITE_ATTRIBUTES).
BOOL GetFileTime(HANDLE file, LPFILETIME creationTime, LPFILETIME lastAccessTime,
                 LPFILETIME lastWriteTime);
BOOL SetFileTime(HANDLE file, const FILETIME* creationTime, const FILETIME* lastAccessTime,
                 const FILETIME* lastWriteTime);

// Attributes: read-only, hidden, system, archive, temporary, offline and
// not-content-indexed are kept; FILE_ATTRIBUTE_NORMAL is reported for a file
// with none of them. A new file has the archive attribute.
DWORD GetFileAttributesW(LPCWSTR fileName);
BOOL SetFileAttributesW(LPCWSTR fileName, DWORD fileAttributes);

// Fails on a read-only file or a directory (ERROR_ACCESS_DENIED) and on a
// file open without FILE_SHARE_DELETE (ERROR_SHARING_VIOLATION).
BOOL DeleteFileW(LPCWSTR fileName);
// Copies contents, attributes and last-write time. An existing target fails
// with ERROR_FILE_EXISTS when failIfExists is set, and with
// ERROR_ACCESS_DENIED when it is read-only.
BOOL CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists);
// Renames a file or directory (attributes and times go with it). An
// existing target fails with ERROR_ALREADY_EXISTS unless
// MOVEFILE_REPLACE_EXISTING is given and the target is a file that is not
// read-only. The machine has one drive, so MOVEFILE_COPY_ALLOWED never needs
// to copy. Other flags fail with ERROR_INVALID_PARAMETER.
BOOL MoveFileExW(LPCWSTR existingFileName, LPCWSTR newFileName, DWORD flags);
// An existing name fails with ERROR_ALREADY_EXISTS, a missing parent with
// ERROR_PATH_NOT_FOUND. Security attributes are accepted and not applied.
BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES securityAttributes);
// Fails with ERROR_DIR_NOT_EMPTY, ERROR_DIRECTORY for a file, and
// ERROR_ACCESS_DENIED for a read-only directory or the drive's root.
BOOL RemoveDirectoryW(LPCWSTR pathName);

struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  WCHAR cFileName[MAX_PATH];
  WCHAR cAlternateFileName[14];
};
using PWIN32_FIND_DATAW = WIN32_FIND_DATAW*;
using LPWIN32_FIND_DATAW = WIN32_FIND_DATAW*;
static_assert(sizeof(WIN32_FIND_DATAW) == 592);

// Finds the entries of a folder whose names match the last component of the
// pattern, ignoring case: "*" matches any run of characters and "?" any one
// character, with the Windows rules for dots ("*.*" matches every name,
// "*." the names without an extension). A listing of a folder other than the
// root starts with "." and "..", the other entries follow in name order. A
// pattern without wildcards finds that one entry; one that ends in a
// separator finds nothing. No match: ERROR_FILE_NOT_FOUND; a missing folder:
// ERROR_PATH_NOT_FOUND; the end of the list: ERROR_NO_MORE_FILES. The
// alternate (8.3) name is always empty: the machine keeps no short names.
HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findFileData);
BOOL FindNextFileW(HANDLE findFile, LPWIN32_FIND_DATAW findFileData);
BOOL FindClose(HANDLE findFile);

// "Temp" in the Windows directory ("C:\Windows\Temp\"), the temporary folder of the system account the
// spooler runs under. Returns the length without the terminator; when the
// buffer is too small, the size needed including the terminator, and the
// buffer is left untouched.
DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer);

// The full path of a name, worked out from its text alone: a relative name
// is taken against the current directory, "." and ".." are applied, and
// nothing need exist. Returns the length without the terminator; when the
// buffer is too small, the size needed with the terminator (buffer
// untouched); 0 with the last error set for a path the machine cannot have
// (another drive, a forbidden character, too long). filePart, when given,
// receives the start of the last component in buffer, or null when the
// path ends in a separator.
DWORD GetFullPathNameW(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart);
// The long form of a path that exists: every component (short names
// included) as it is spelled on disk, from "C:\"; a relative path comes back
// full. Lengths as GetFullPathNameW; 0 with ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND when the path does not exist.
DWORD GetLongPathNameW(LPCWSTR shortPath, LPWSTR longPath, DWORD bufferLength);

// The classic file-handle calls over the same files. The path is in the
// process ANSI code page; OF_SHARE_* give the share mode (OF_SHARE_COMPAT
// shares reading and writing). HFILE_ERROR on failure, last error set.
using HFILE = int;
inline constexpr HFILE HFILE_ERROR = -1;
inline constexpr int OF_READ = 0x0000;
inline constexpr int OF_WRITE = 0x0001;
inline constexpr int OF_READWRITE = 0x0002;
inline constexpr int OF_SHARE_COMPAT = 0x0000;
inline constexpr int OF_SHARE_EXCLUSIVE = 0x0010;
inline constexpr int OF_SHARE_DENY_WRITE = 0x0020;
inline constexpr int OF_SHARE_DENY_READ = 0x0030;
inline constexpr int OF_SHARE_DENY_NONE = 0x0040;
HFILE _lopen(LPCSTR pathName, int readWrite);
UINT _lread(HFILE file, LPVOID buffer, UINT bytes);
UINT _lwrite(HFILE file, LPCSTR buffer, UINT bytes);
HFILE _lclose(HFILE file);

// File mapping over the host's shared memory mapping. A mapping of size 0
// covers the whole file (an empty file cannot be mapped: ERROR_FILE_INVALID);
// a larger size grows a file mapped PAGE_READWRITE and fails on a read-only
// one (ERROR_NOT_ENOUGH_MEMORY). PAGE_READWRITE needs a handle with read and
// write access, PAGE_READONLY one with read access (else
// ERROR_ACCESS_DENIED). Named and page-file mappings are not supported
// (ERROR_INVALID_PARAMETER). A view stays valid after the mapping and file
// handles are closed, and keeps the file open (and its share mode in force)
// until it is unmapped. Writes through a FILE_MAP_WRITE view reach the file.
inline constexpr DWORD PAGE_READONLY = 0x02;
inline constexpr DWORD PAGE_READWRITE = 0x04;
inline constexpr DWORD FILE_MAP_WRITE = 0x0002;
inline constexpr DWORD FILE_MAP_READ = 0x0004;
inline constexpr DWORD FILE_MAP_ALL_ACCESS = 0x000F001F;
HANDLE CreateFileMappingW(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect,
                          DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCWSTR name);
// The offset must be a multiple of 65536 (ERROR_MAPPED_ALIGNMENT); 0 bytes
// maps from the offset to the end of the mapping. FILE_MAP_WRITE on a
// PAGE_READONLY mapping fails with ERROR_ACCESS_DENIED.
LPVOID MapViewOfFile(HANDLE fileMappingObject, DWORD desiredAccess, DWORD fileOffsetHigh,
                     DWORD fileOffsetLow, SIZE_T numberOfBytesToMap);
// baseAddress must be an address MapViewOfFile returned (else
// ERROR_INVALID_ADDRESS).
BOOL UnmapViewOfFile(LPCVOID baseAddress);
