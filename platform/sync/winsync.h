// Mutexes of the stand-in. A named mutex is one object for every process of
// the simulated machine; an unnamed one lives in its process. Waiting goes
// through WaitForSingleObject (platform/base/handles.h): WAIT_OBJECT_0 when the
// caller now owns the mutex, WAIT_TIMEOUT, or WAIT_ABANDONED when it owns a
// mutex whose previous owner (a thread, or a whole process) ended without
// releasing it. The owning thread may wait again; each wait needs one
// ReleaseMutex.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/wintypes.h"

// Creates a mutex, or opens the existing one of that name (then the last
// error is ERROR_ALREADY_EXISTS and initialOwner is ignored). Names are
// case-sensitive; a "Global\" or "Local\" prefix is accepted (one session);
// a name with another backslash fails with ERROR_PATH_NOT_FOUND, one longer
// than MAX_PATH with ERROR_FILENAME_EXCED_RANGE. Null on failure. The
// attributes are not used: mutexes here have no security of their own and
// handles are not inherited.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCWSTR name);

// Releases one level of ownership. FALSE with ERROR_NOT_OWNER when the
// calling thread does not own the mutex.
BOOL ReleaseMutex(HANDLE mutex);
