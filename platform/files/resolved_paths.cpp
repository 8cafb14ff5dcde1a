#include "platform/files/resolved_paths.h"

#include <sys/stat.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/files/folded_names.h"

namespace plat::resolved {
namespace {

constexpr std::size_t kMaxResolutions = 4096;

struct Resolution {
  ResolvedPath result;
  bool exact = false;
  std::vector<std::pair<std::filesystem::path, folded::FolderStamp>> folders;
};

std::mutex gLock;
std::unordered_map<std::u16string, std::shared_ptr<const Resolution>> gResolutions;
std::atomic<unsigned long long> gWalks{0};

bool Holds(const std::pair<std::filesystem::path, folded::FolderStamp>& folder) {
  struct stat st {};
  return stat(folder.first.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && folded::StillHolds(folder.second, st);
}

}  // namespace

std::u16string KeyOf(std::uint64_t generation, std::u16string_view written, PathUse use) {
  std::u16string key;
  key.reserve(written.size() + 5);
  for (int shift = 0; shift < 64; shift += 16) key += static_cast<char16_t>(generation >> shift);
  key += use == PathUse::kPattern ? u'\1' : u'\0';
  key += written;
  return key;
}

std::optional<ResolvedPath> Find(const std::u16string& key, struct stat* status, bool* statusKnown) {
  std::shared_ptr<const Resolution> found;
  {
    std::lock_guard<std::mutex> hold(gLock);
    auto it = gResolutions.find(key);
    if (it == gResolutions.end()) return std::nullopt;
    found = it->second;
  }
  if (found->exact) {
    struct stat st {};
    if (stat(found->result.host.c_str(), &st) == 0) {
      if (status != nullptr) *status = st;
      if (statusKnown != nullptr) *statusKnown = true;
      return found->result;
    }
  }
  for (const auto& folder : found->folders) {
    if (!Holds(folder)) return std::nullopt;
  }
  return found->result;
}

void Keep(const std::u16string& key, const ResolvedPath& result, const std::vector<std::filesystem::path>& folders,
          bool exact, long long started) {
  auto kept = std::make_shared<Resolution>(Resolution{result, exact, {}});
  for (const auto& folder : folders) {
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
    kept->folders.emplace_back(folder, folded::FolderStamp::Of(st, started));
  }
  // A resolution whose folders changed while it was made would never hold.
  for (const auto& folder : kept->folders) {
    if (!folder.second.Settled()) return;
  }
  std::lock_guard<std::mutex> hold(gLock);
  if (gResolutions.size() >= kMaxResolutions) gResolutions.clear();
  gResolutions.insert_or_assign(key, std::move(kept));
}

unsigned long long Walks() { return gWalks.load(std::memory_order_relaxed); }

void CountWalk() { gWalks.fetch_add(1, std::memory_order_relaxed); }

}  // namespace plat::resolved
