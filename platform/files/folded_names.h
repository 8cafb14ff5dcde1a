// The names of a host directory folded to upper case, for matching a
// Windows name to its on-disk spelling without listing the directory on
// every lookup. A listing is reused only while the directory's status
// proves it unchanged: same inode, same change and modification times, and
// those times older than the listing by more than the file system's
// timestamp granularity, so a change made in the same clock tick as the
// listing can never hide behind an equal time stamp.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace plat::folded {

// The entry of dir whose name equals wide ignoring case, in its on-disk
// spelling (the first in host order when several differ only in case);
// nothing when there is none or dir cannot be listed.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& dir,
                                                      std::u16string_view wide);

// Listings taken so far (for tests: a trusted listing is not retaken).
unsigned long long ListingsTaken();

}  // namespace plat::folded
