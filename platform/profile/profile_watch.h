// Kernel change notices for the profile files read lately. A read that has
// seen no notice since a file's text was last checked needs no status call:
// every change the host makes to the file or to a folder on its way (writes,
// attribute and time changes, creations, removals and renames of entries,
// opens that could bring a share mode, by any process, through the stand-in
// or behind its back) raises a notice before the call that made it returns.
// Without notices (the host refuses them) every read checks the file.
// Internal to platform/.
#pragma once

#include <cstdint>
#include <filesystem>

namespace plat::profile::notices {

// The count of notice batches seen so far, after taking any waiting ones; 0
// when notices are not available.
std::uint64_t Epoch();

// What Watch could watch.
struct Watched {
  bool folders = false;  // every folder from the machine's root to the file's
  bool file = false;     // and the file itself (it exists)
};

// Watches every folder from the machine's root down to the file's own, then
// the file. A watch added counts as a notice, so a check begun at an epoch
// that is still the epoch after this call was made under watches all along
// and holds until the next notice: a check of the file's text when the file
// is watched, one of its absence when its folders are.
Watched Watch(const std::filesystem::path& file);

}  // namespace plat::profile::notices
