// The names of a host directory folded to upper case, for matching a
// Windows name to its on-disk spelling without listing the directory on
// every lookup. A listing is reused only while the directory's status
// proves it unchanged: same inode, same change and modification times, and
// those times older than the listing by more than the file system's
// timestamp granularity, so a change made in the same clock tick as the
// listing can never hide behind an equal time stamp.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string_view>

namespace plat::folded {

// What a directory's status says about its entries when a listing of it (or
// anything read from it) is taken: identity, change and modification
// times, and the time it was taken.
struct FolderStamp {
  dev_t device = 0;
  ino_t inode = 0;
  long long modified = 0;
  long long changed = 0;
  long long taken = 0;

  // Stamped from the directory's status, as of the clock time taken
  // (StampClock()) read before anything was read from the directory.
  static FolderStamp Of(const struct stat& st, long long taken);
  bool Matches(const struct stat& st) const;
  // A later change would carry a later time stamp than any seen here.
  bool Settled() const;
};

// The clock that stamps are taken by.
long long StampClock();

// Whether what was read from the directory stamped st still holds: its
// status is the same, and was already old when the stamp was taken.
inline bool StillHolds(const FolderStamp& stamp, const struct stat& st) {
  return stamp.Matches(st) && stamp.Settled();
}

// The entry of dir whose name equals wide ignoring case, in its on-disk
// spelling (the first in host order when several differ only in case);
// nothing when there is none or dir cannot be listed.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& dir,
                                                      std::u16string_view wide);

// Listings taken so far (for tests: a trusted listing is not retaken).
unsigned long long ListingsTaken();

}  // namespace plat::folded
