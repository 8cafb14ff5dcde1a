// The parts of the private DEVMODE that are never taken from a DEVMODE that
// comes from outside (a caller's, or the printer's stored one): the
// run-time flags, which describe the environment of the current call, and
// the page geometry (source and destination sizes, printable sizes and
// offsets), which validation derives from the paper and the resolution and
// the rendering library reads as it stands.
#pragma once

#include <array>
#include <cstddef>

#include "jobsettings/devmode/devmode_layout.h"
#include "platform/spooler/devmode.h"

class KeptPrivateParts {
 public:
  // Keeps the parts of dm.
  explicit KeptPrivateParts(const DEVMODEW* dm);
  // Puts them back into dm.
  void Restore(DEVMODEW* dm) const;
  // Zeroes them in dm.
  static void Clear(DEVMODEW* dm);

 private:
  struct Range {
    std::size_t offset;
    std::size_t size;
  };
  static constexpr Range kRanges[] = {
      {kOffRunTimeFlags, sizeof(KDMRunTimeFlags)},
      {KDM_OFFSET(kdmSrcPaperLengthDot), KDM_OFFSET(kdmOutPaperSize) - KDM_OFFSET(kdmSrcPaperLengthDot)},
      {KDM_OFFSET(kdmDstPaperLengthDot), KDM_OFFSET(kdmOutputTrayID) - KDM_OFFSET(kdmDstPaperLengthDot)},
      {KDM_OFFSET(kdmDstPaperLengthMM), KDM_OFFSET(kdmTrackID) - KDM_OFFSET(kdmDstPaperLengthMM)},
  };
  static constexpr std::size_t kBytes = [] {
    std::size_t n = 0;
    for (const Range& r : kRanges) n += r.size;
    return n;
  }();
  std::array<BYTE, kBytes> bytes_{};
};
