// A temporary ValidateDevmode for the rendering library, until the real
// validation of the job settings replaces it (this file then goes away): it
// merges the caller's DEVMODE into the context's current one and derives the
// source page geometry the PDEV reads (settings 38-45) from the
// description's paper size and printable area, nothing more. No value is
// checked against the description.
#include "render/pdev/validate_devmode_pending.h"

#include <cstring>

#include "jobsettings/convert/devmode_convert.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/bkpd/description_queries.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"

namespace {

constexpr DWORD kGateBits = 0x8 | 0x2000000;

// A DCB's DEVMODE starts without its own size and version words; they are
// what the merge keeps.
void GiveOwnWords(DEVMODEW* current, const UCB* ucb) {
  if (current->dmSize != 0) return;
  current->dmSpecVersion = kDmSpecVersion401;
  current->dmDriverVersion = 0x400;
  current->dmSize = kSizeofDM;
  current->dmDriverExtra = kSizeofPrivDM;
  DevCBSetPrivHeader(current, ucb);
}

void Set(UCB* ucb, WORD id, LONG_PTR value) { SetDevmodeValueDirectByFuncID(ucb, id, value); }

void DeriveSourcePage(UCB* ucb, const DEVMODEW* current) {
  const DWORD dpi = current->dmPrintQuality > 0 ? static_cast<DWORD>(current->dmPrintQuality) : 600;
  for (WORD id : {WORD{38}, WORD{39}}) Set(ucb, id, static_cast<LONG_PTR>(dpi));
  MMPAPERSIZE size{};
  if (!GetmmPaperArea(ucb, &size)) return;
  const auto width = static_cast<LONG>(CmnToDot(kUnitMmOf01, size.width, dpi));
  const auto length = static_cast<LONG>(CmnToDot(kUnitMmOf01, size.length, dpi));
  RECT area{0, 0, width, length};
  const LONG_PTR option = ConvertDevmodeValueToResID(ucb, GetSFCBbyFuncID(ucb, 8), current->dmPaperSize);
  GetPaperAreaForSrcPaper(ucb, &area, nullptr, static_cast<WORD>(option));
  Set(ucb, 40, length);
  Set(ucb, 41, width);
  Set(ucb, 42, area.bottom - area.top);
  Set(ucb, 43, area.right - area.left);
  Set(ucb, 44, area.left);
  Set(ucb, 45, area.top);
}

}  // namespace

int ValidateDevmode(UCB* ucb, DEVMODEW* devmode, DWORD flags) {
  if ((flags & kGateBits) == 0) return 1;
  DEVMODEW* current = GetDocumentDevmode(ucb);
  if (current == nullptr) return 1;
  GiveOwnWords(current, ucb);
  if (devmode != nullptr) {
    ConvertDevmode2(devmode, std::size_t{devmode->dmSize} + devmode->dmDriverExtra, current, kSizeofKesmDM);
  }
  DeriveSourcePage(ucb, current);
  return 1;
}
