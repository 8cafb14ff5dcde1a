// Feeds arbitrary caller DEVMODEs to the DEVMODE conversions. The input is
// {target buffer size (2 bytes), conversion mode (1 byte), source bytes};
// the target starts as the source's bytes repeated. Both buffers are
// exactly as long as said, so any access past them, whatever the DEVMODEs
// claim, is caught; nothing may stay allocated.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "jobsettings/convert/devmode_convert.h"

namespace {

std::vector<BYTE> Target(const std::vector<BYTE>& source, std::size_t bytes) {
  std::vector<BYTE> target(bytes);
  for (std::size_t i = 0; i < bytes && !source.empty(); ++i) target[i] = source[i % source.size()];
  return target;
}

DEVMODEW* Dm(std::vector<BYTE>& b) { return b.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(b.data()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  fuzz::PlatformBalance balance;
  const std::size_t targetBytes = static_cast<std::size_t>(data[0] | data[1] << 8) % 2048;
  const DWORD mode = data[2] % 8;
  std::vector<BYTE> source(data + 3, data + size);

  std::vector<BYTE> target = Target(source, targetBytes);
  ConvertDevmode(Dm(source), source.size(), Dm(target), target.size());
  target = Target(source, targetBytes);
  ConvertDevmode2(Dm(source), source.size(), Dm(target), target.size());
  target = Target(source, targetBytes);
  ConvertDevmodeOut(Dm(source), source.size(), Dm(source), source.size(), Dm(target), target.size());
  target = Target(source, targetBytes);
  ConvertDevmodeOut(Dm(source), source.size(), nullptr, 0, Dm(target), target.size());
  target = Target(source, targetBytes);
  DWORD bytes = static_cast<DWORD>(target.size());
  CommonDrvConvertDevmode(nullptr, Dm(source), source.size(), Dm(target), &bytes, mode);
  return 0;
}
