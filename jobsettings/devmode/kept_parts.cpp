#include "jobsettings/devmode/kept_parts.h"

#include <cstring>

KeptPrivateParts::KeptPrivateParts(const DEVMODEW* dm) {
  std::size_t at = 0;
  for (const Range& r : kRanges) {
    std::memcpy(bytes_.data() + at, reinterpret_cast<const BYTE*>(dm) + r.offset, r.size);
    at += r.size;
  }
}

void KeptPrivateParts::Restore(DEVMODEW* dm) const {
  std::size_t at = 0;
  for (const Range& r : kRanges) {
    std::memcpy(reinterpret_cast<BYTE*>(dm) + r.offset, bytes_.data() + at, r.size);
    at += r.size;
  }
}

void KeptPrivateParts::Clear(DEVMODEW* dm) {
  for (const Range& r : kRanges) std::memset(reinterpret_cast<BYTE*>(dm) + r.offset, 0, r.size);
}
