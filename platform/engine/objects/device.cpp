// The engine's table of enabled devices.
#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/engine/objects/eng_device.h"

namespace plat::eng {
namespace {

struct DeviceTable {
  std::mutex lock;
  std::vector<Device*> devices;
};

DeviceTable& Devices() {
  static DeviceTable* table = new DeviceTable;  // lives until process exit
  return *table;
}

}  // namespace

void RegisterDevice(Device& device) {
  std::lock_guard guard(Devices().lock);
  auto& list = Devices().devices;
  if (std::find(list.begin(), list.end(), &device) == list.end()) list.push_back(&device);
}

void UnregisterDevice(const Device& device) {
  std::lock_guard guard(Devices().lock);
  auto& list = Devices().devices;
  list.erase(std::remove(list.begin(), list.end(), &device), list.end());
}

Device* FindDevice(HDEV hdev) {
  if (hdev == nullptr) return nullptr;
  std::lock_guard guard(Devices().lock);
  auto& list = Devices().devices;
  // The latest registration wins: a reset device replaces the old one.
  auto it = std::find_if(list.rbegin(), list.rend(), [&](Device* d) { return d->hdev == hdev; });
  return it == list.rend() ? nullptr : *it;
}

}  // namespace plat::eng
