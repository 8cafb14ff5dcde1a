// The simulated machine: one host folder holds the drive tree, the registry
// store, the spooler store and the module directories. Not a Windows
// service; hosts and tests choose the folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/base/wintypes.h"

namespace plat {

// Sets the folder of the simulated machine and lays out its standard tree
// (drive C: with Windows\System32, the spooler's driver directories and the
// user profile folders; the registry, spooler and module stores). Returns
// false when the folder cannot be created.
bool SetMachineRoot(const std::filesystem::path& root);
// The current machine folder; empty until one is set.
std::filesystem::path MachineRoot();
// A number that changes whenever the machine folder is set or given back,
// so that state kept for one machine is not taken for another's.
std::uint64_t MachineGeneration();

// Drive C: of the machine, and the stores kept beside it.
std::filesystem::path DriveRoot();      // <root>/drive/c
std::filesystem::path RegistryStore();  // <root>/registry
std::filesystem::path SpoolerStore();   // <root>/spooler

// A temporary machine for one test: made on construction, set as current,
// removed with everything under it on destruction.
class ScopedMachine {
 public:
  ScopedMachine();
  ~ScopedMachine();
  ScopedMachine(const ScopedMachine&) = delete;
  ScopedMachine& operator=(const ScopedMachine&) = delete;
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
  std::filesystem::path previous_;
};

}  // namespace plat
