// Watching this process's file operations: a control of the simulated
// machine for tests, not a Windows service. A test counts the files a piece
// of code opens, or stops a process at a chosen step of a write to see what
// a crash there would leave on disk.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>

#include "platform/base/wintypes.h"

namespace plat {

enum class FileStep {
  kOpen,    // a file is opened or created (handles, profile reads, mappings)
  kWrite,   // bytes are written through a handle
  kFlush,   // a handle's file is flushed to the disk
  kMove,    // a file is renamed, to over an existing one or not
  kDelete,  // a file is deleted
};

struct FileEvent {
  FileStep step;
  std::filesystem::path file;  // host path of the file the step acts on
  std::filesystem::path to;    // kMove: host path of the new name
  DWORD disposition;           // kOpen: CREATE_NEW ... TRUNCATE_EXISTING
};

// Files this process has opened so far, counted at every open.
std::size_t FileOpens();

// Calls watch on the thread that takes each step, before the step is taken,
// from now on; an empty function stops watching. The watch may end the
// process; it must not use the file services itself.
void WatchFileSteps(std::function<void(const FileEvent&)> watch);

// Internal to platform/: reports a step to the watch, if any.
void ReportFileStep(const FileEvent& event);

}  // namespace plat
