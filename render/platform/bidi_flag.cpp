#include "render/platform/bidi_flag.h"

#include "jobsettings/devmode/runtime_flags.h"
#include "render/platform/directories.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/ini/profile.h"
#include "storage/system/printer_data.h"

namespace {

// A "BidiFlag" is in the INI when its number differs from this default.
constexpr INT kAbsent = 7;

// The printer's "BidiFlag" in the fallback INI, or the default when the
// file's path or the printer's name is unknown.
INT ReadBidiFlag(UCB* ucb, INT defaultValue) {
  WCHAR path[MAX_PATH];
  if (KMAddSystemDirToFileName(path, MAX_PATH, kBidiIniName, ucb) == 0) return defaultValue;
  const LPCWSTR printer = GetPrinterName(ucb);
  if (printer == nullptr) return defaultValue;
  return static_cast<INT>(KM_UM_GetPrivateProfileInt(printer, u"BidiFlag", defaultValue, path));
}

// Printer data "BidiFlag" can be read and has bit 0.
bool BidiDoneBefore(UCB* ucb) {
  DWORD flag = 0;
  return GetDataFromReg(ucb->hPrinter, &flag, sizeof flag, u"BidiFlag", ucb) && (flag & 1) != 0;
}

}  // namespace

BOOL KMGetBidiFlagDataFromFile(UCB* ucb) { return ReadBidiFlag(ucb, 0) != 0 ? TRUE : FALSE; }

void GetBidiFlagData(UCB* ucb) {
  if (ucb == nullptr) return;
  const INT inIni = GetKDMServerClientMode(ucb) == 1 ? kAbsent : ReadBidiFlag(ucb, kAbsent);
  const bool on = inIni == kAbsent ? BidiDoneBefore(ucb) : inIni != 0;
  if (on) {
    SetKDMBiDirectOn(ucb);
  } else {
    SetKDMBiDirectOff(ucb);
  }
}
