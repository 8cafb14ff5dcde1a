#include "platform/files/folded_names.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <unordered_map>

#include "platform/text/wintext.h"

namespace plat::folded {
namespace {

// Longer than any file system's timestamp tick on this host (coarse clocks
// tick at most every 10 ms).
constexpr long long kGranularityNs = 50'000'000;
constexpr std::size_t kMaxListings = 1024;

long long Nanoseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

long long Now() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return Nanoseconds(t);
}

std::u16string Folded(std::u16string_view name) {
  std::u16string out(name);
  for (auto& c : out) c = CharUpperW1(c);
  return out;
}

struct Listing {
  FolderStamp stamp;
  std::unordered_map<std::u16string, std::filesystem::path> names;  // folded name -> spelling
};

std::mutex gLock;
std::unordered_map<std::string, Listing> gListings;
std::atomic<unsigned long long> gTaken{0};

Listing Take(const std::filesystem::path& dir, const struct stat& st) {
  Listing listing;
  listing.stamp = FolderStamp::Of(st, Now());
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::filesystem::path name = it->path().filename();
    std::u16string wide;
    try {
      wide = name.u16string();
    } catch (const std::exception&) {
      continue;  // a host name that is not valid UTF-8 has no Windows name
    }
    auto [slot, added] = listing.names.try_emplace(Folded(wide), name);
    if (!added && name < slot->second) slot->second = name;
  }
  gTaken.fetch_add(1, std::memory_order_relaxed);
  return listing;
}

}  // namespace

long long StampClock() { return Now(); }

FolderStamp FolderStamp::Of(const struct stat& st, long long taken) {
  return FolderStamp{st.st_dev, st.st_ino, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim), taken};
}

bool FolderStamp::Matches(const struct stat& st) const {
  return st.st_dev == device && st.st_ino == inode && Nanoseconds(st.st_mtim) == modified &&
         Nanoseconds(st.st_ctim) == changed;
}

bool FolderStamp::Settled() const { return std::max(modified, changed) < taken - kGranularityNs; }

std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& dir, std::u16string_view wide) {
  struct stat st {};
  if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  const std::u16string key = Folded(wide);
  std::lock_guard<std::mutex> hold(gLock);
  auto found = gListings.find(dir.native());
  if (found == gListings.end() || !StillHolds(found->second.stamp, st)) {
    if (found == gListings.end() && gListings.size() >= kMaxListings) gListings.clear();
    Listing fresh = Take(dir, st);
    found = gListings.insert_or_assign(dir.native(), std::move(fresh)).first;
  }
  auto name = found->second.names.find(key);
  if (name == found->second.names.end()) return std::nullopt;
  return dir / name->second;
}

unsigned long long ListingsTaken() { return gTaken.load(std::memory_order_relaxed); }

}  // namespace plat::folded
