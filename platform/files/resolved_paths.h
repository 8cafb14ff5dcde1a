// Windows paths resolved before, so that resolving one again costs a status
// call per folder it depends on instead of a walk from the drive's root.
// A resolution depends on the folder that holds its last component (which
// names are there, so whether that component exists and how it is spelled)
// and on the folder above each folder found by another spelling than the
// one written (an entry of the written spelling would win over it). It is
// reused only while every one of those folders has the status it had, old
// enough that a change in the same clock tick could not hide behind equal
// time stamps; a folder renamed or removed on the way fails its status
// call. Internal to platform/.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/winpath.h"

struct stat;

namespace plat::resolved {

// The key of a path as written, for one use on the machine of this
// generation (plat::MachineGeneration).
std::u16string KeyOf(std::uint64_t generation, std::u16string_view written, PathUse use);

// The resolution kept for the key, when it still holds. One that took
// every component as written, the last an existing entry, holds while that
// entry exists (an entry of the written spelling is what a walk takes
// first): its status is then left in *status when status is not null, and
// *statusKnown set. Any other holds while its folders do.
std::optional<ResolvedPath> Find(const std::u16string& key, struct stat* status = nullptr,
                                 bool* statusKnown = nullptr);

// Keeps a resolution that began at the stamp clock time started; the
// folders are those it depends on, exact whether every component was
// taken as written. Nothing is kept when a folder cannot be stamped.
void Keep(const std::u16string& key, const ResolvedPath& result, const std::vector<std::filesystem::path>& folders,
          bool exact, long long started);

// Resolutions not answered from what was kept (for tests).
unsigned long long Walks();
void CountWalk();

}  // namespace plat::resolved
