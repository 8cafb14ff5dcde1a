// A file mapped whole for one INI read or write, with a cursor that scans it
// forward. The file is mapped for the duration of one call and unmapped
// before the call returns.
#pragma once

#include "platform/base/wintypes.h"

struct FILESTUB {
  HANDLE hModule;     // the engine module of the mapped file
  const BYTE* pCur;   // the current position in the mapped bytes; only moves forward
  ULONG cbRemain;     // bytes from the position to the end of the image
  BYTE* pWritable;    // start of a shared writable view, null for a read-only one
};

// A cursor at the start of the file mapped for reading, or null when the
// file is missing, empty or cannot be mapped, or memory is short.
FILESTUB* CreateFileStub(LPCWSTR path);
// The same over a shared writable mapping of the file, so that bytes changed
// through the cursor reach the file. The file keeps its size: a missing or
// empty file is not created or extended (null).
FILESTUB* CreateFileStubForWrite(LPCWSTR path);
// Unmaps the file and frees the cursor; null is ignored.
void CloseHandleStub(FILESTUB* cursor);

// Where the cursor stands in a writable view; null for a read-only cursor.
BYTE* WritablePosition(const FILESTUB* cursor);
