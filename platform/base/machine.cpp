// The machine folder and its standard tree.
#include "platform/base/machine.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <system_error>
#include <unistd.h>

namespace plat {
namespace {

std::mutex g_rootLock;
std::filesystem::path g_root;
std::atomic<std::uint64_t> g_generation{1};

// Folders every machine has. Names are stored in their Windows spelling; the
// path mapping matches them ignoring case.
constexpr const char* kStandardTree[] = {
    "drive/c/Windows/System32",
    "drive/c/Windows/System32/spool/drivers/w32x86/3",
    "drive/c/Windows/System32/spool/drivers/x64/3",
    "drive/c/Windows/System32/spool/drivers/color",
    "drive/c/Windows/Temp",
    "drive/c/Users/Default",
    "drive/c/Program Files",
    "registry",
    "spooler",
    "modules",
    "system",  // the fact stores: there from the start, so that reads can watch them
};

}  // namespace

bool SetMachineRoot(const std::filesystem::path& root) {
  std::error_code ec;
  for (const char* sub : kStandardTree) {
    std::filesystem::create_directories(root / sub, ec);
    if (ec) return false;
  }
  std::lock_guard lock(g_rootLock);
  g_root = std::filesystem::absolute(root, ec);
  g_generation.fetch_add(1);
  return !ec;
}

std::filesystem::path MachineRoot() {
  std::lock_guard lock(g_rootLock);
  return g_root;
}

std::uint64_t MachineGeneration() { return g_generation.load(); }

std::filesystem::path DriveRoot() { return MachineRoot() / "drive" / "c"; }
std::filesystem::path RegistryStore() { return MachineRoot() / "registry"; }
std::filesystem::path SpoolerStore() { return MachineRoot() / "spooler"; }

ScopedMachine::ScopedMachine() : previous_(MachineRoot()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "kesm-machine-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) {
    root_ = pattern;
    SetMachineRoot(root_);
  }
}

ScopedMachine::~ScopedMachine() {
  {
    std::lock_guard lock(g_rootLock);
    g_root = previous_;
    g_generation.fetch_add(1);
  }
  std::error_code ec;
  if (!root_.empty()) std::filesystem::remove_all(root_, ec);
}

}  // namespace plat
