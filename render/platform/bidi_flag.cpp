#include "render/platform/bidi_flag.h"

#include "devicecomm/bidi/bidi_ini_file.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_block.h"

BOOL KMGetBidiFlagDataFromFile(UCB* ucb) { return GetBidiFlagDataFromFile(ucb); }

BOOL KMGetBidiPrinterDataFromIni(UCB* ucb) { return ReadBidiSettingsFromIni(ucb); }

void GetBidiFlagData(UCB* ucb) {
  if (ucb == nullptr) return;
  const bool fromIni = GetKDMServerClientMode(ucb) != 1 && IsBidiFlagDataRead(ucb);
  const bool on = fromIni ? GetBidiFlagDataFromFile(ucb) != FALSE : IsBidiDoneOperationBefore(ucb->hPrinter, ucb) != FALSE;
  if (on) {
    SetKDMBiDirectOn(ucb);
  } else {
    SetKDMBiDirectOff(ucb);
  }
}
