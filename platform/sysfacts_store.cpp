// The machine's store files: "key<TAB>value" lines, rewritten whole through
// a temporary file and a rename under an exclusive lock, so that a reader
// never sees half a file and two writers never lose each other's changes.
#include "platform/sysfacts_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/machine.h"

namespace plat::facts {
namespace {

using FactMap = std::map<std::string, std::string, std::less<>>;

std::filesystem::path FactFolder() {
  std::filesystem::path root = MachineRoot();
  return root.empty() ? root : root / "system";
}

FactMap Load(const std::filesystem::path& file) {
  FactMap facts;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    auto tab = line.find('\t');
    if (tab != std::string::npos) facts[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return facts;
}

bool Save(const std::filesystem::path& file, const FactMap& facts) {
  std::filesystem::path temp = file;
  temp += ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const auto& [key, value] : facts) out << key << '\t' << value << '\n';
    out.flush();
    if (!out) return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, file, ec);
  return !ec;
}

// Holds an exclusive lock on the fact folder's lock file for its lifetime.
class WriterLock {
 public:
  explicit WriterLock(const std::filesystem::path& file)
      : fd_(open((file.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~WriterLock() {
    if (fd_ >= 0) close(fd_);  // closing drops the lock
  }
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> ReadIn(std::string_view store, std::string_view key) {
  std::filesystem::path folder = FactFolder();
  if (folder.empty()) return std::nullopt;
  FactMap facts = Load(folder / store);
  auto it = facts.find(key);
  if (it == facts.end()) return std::nullopt;
  return it->second;
}

bool WriteIn(std::string_view store, std::string_view key, std::optional<std::string_view> value) {
  if (key.empty() || key.find_first_of("\t\n\r") != std::string_view::npos) return false;
  if (value && value->find_first_of("\n\r") != std::string_view::npos) return false;
  std::filesystem::path folder = FactFolder();
  if (folder.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return false;
  const std::filesystem::path file = folder / store;
  WriterLock lock(file);
  if (!lock.held()) return false;
  FactMap facts = Load(file);
  if (value) {
    facts.insert_or_assign(std::string(key), std::string(*value));
  } else if (auto it = facts.find(key); it != facts.end()) {
    facts.erase(it);
  }
  return Save(file, facts);
}

}  // namespace plat::facts
