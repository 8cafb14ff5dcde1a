// The machine's fact stores: "key<TAB>value" lines in a store file of the
// machine (platform/host/storefile.h), so that a reader never sees half a file
// and two writers never lose each other's changes. Reads use the store as
// kept in memory while no process changes it.
#include "platform/system/sysfacts_store.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <vector>

#include "platform/base/machine.h"
#include "platform/host/storecache.h"
#include "platform/host/storefile.h"
#include "platform/base/winerror.h"

namespace plat::facts {
namespace {

using FactMap = std::map<std::string, std::string, std::less<>>;

std::filesystem::path FactFolder() {
  std::filesystem::path root = MachineRoot();
  return root.empty() ? root : root / "system";
}

FactMap Parse(const std::vector<BYTE>& bytes) {
  FactMap facts;
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t tab = line.find('\t');
    if (tab != std::string_view::npos) {
      facts.insert_or_assign(std::string(line.substr(0, tab)), std::string(line.substr(tab + 1)));
    }
  }
  return facts;
}

DWORD Decode(std::span<const BYTE> bytes, FactMap& facts) {
  facts = Parse(std::vector<BYTE>(bytes.begin(), bytes.end()));
  return ERROR_SUCCESS;
}

// Each fact store as last read, kept while no process changes it.
using CachedFacts = store::CachedStore<FactMap, Decode>;

CachedFacts& CacheOf(std::string_view store) {
  static auto* lock = new std::mutex;
  static auto* caches = new std::map<std::string, std::unique_ptr<CachedFacts>, std::less<>>;
  std::lock_guard guard(*lock);
  auto it = caches->find(store);
  if (it == caches->end()) {
    const std::string name(store);
    it = caches->emplace(name, std::make_unique<CachedFacts>([name] {
                           const std::filesystem::path folder = FactFolder();
                           return folder.empty() ? folder : folder / name;
                         })).first;
  }
  return *it->second;
}

std::vector<BYTE> Format(const FactMap& facts) {
  std::string text;
  for (const auto& [key, value] : facts) text += key + '\t' + value + '\n';
  return std::vector<BYTE>(text.begin(), text.end());
}

}  // namespace

std::optional<std::string> ReadIn(std::string_view store, std::string_view key) {
  std::shared_ptr<const FactMap> facts;
  if (CacheOf(store).Get(false, facts) != ERROR_SUCCESS) return std::nullopt;
  auto it = facts->find(key);
  if (it == facts->end()) return std::nullopt;
  return it->second;
}

std::string Diagnose() {
  const std::filesystem::path folder = FactFolder();
  if (folder.empty()) return {};
  // Every store of the folder, known by its file or by its lock file.
  std::set<std::string> stores;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::string name = entry.path().filename().string();
    for (std::string_view suffix : {".lock", ".new"}) {
      if (name.ends_with(suffix)) name.resize(name.size() - suffix.size());
    }
    stores.insert(std::move(name));
  }
  if (ec) return "the folder of the fact stores " + folder.string() + " cannot be read: " + ec.message();
  for (const std::string& name : stores) {
    std::string fault =
        store::Diagnose(folder / name, "the fact store", [](std::span<const BYTE>) { return DWORD{ERROR_SUCCESS}; });
    if (!fault.empty()) return fault;
  }
  return {};
}

bool WriteIn(std::string_view store, std::string_view key, std::optional<std::string_view> value) {
  if (key.empty() || key.find_first_of("\t\n\r") != std::string_view::npos) return false;
  if (value && value->find_first_of("\n\r") != std::string_view::npos) return false;
  std::filesystem::path folder = FactFolder();
  if (folder.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return false;
  return store::Update(folder / store, [&](std::vector<BYTE>& bytes) {
           FactMap facts = Parse(bytes);
           if (value) {
             facts.insert_or_assign(std::string(key), std::string(*value));
           } else if (auto it = facts.find(key); it != facts.end()) {
             facts.erase(it);
           }
           bytes = Format(facts);
           return DWORD{ERROR_SUCCESS};
         }) == ERROR_SUCCESS;
}

}  // namespace plat::facts
