#include "jobsettings/devmode/public_defaults.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "jobsettings/devmode/devmode_defaults.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/validate/description_verdict.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncPrintQuality = 14;
constexpr WORD kFuncSelectSort = 61;
// Defaults of the colour-management and media fields, which the model data
// does not carry.
constexpr DWORD kDefaultIcmAndMedia = 1;
constexpr SHORT kDefaultYResolution = 600;

// What the description says about a field: whether it has a UI group,
// the group's type without its flags, and a numeric group's range.
struct Group {
  bool exists = false;
  WORD type = 0;
  bool ranged = false;
  LONG min = 0;
  LONG max = 0;

  bool InRange(LONG v) const { return type == kUiNumeric && ranged && v >= min && v <= max; }
};

Group GroupOf(WORD funcId, const UCB* ucb) {
  Group g;
  const UiGroup* group = BKPDGetUiGroupAddrByFuncID(funcId, ucb);
  if (group == nullptr) return g;
  g.exists = true;
  g.type = BKPDGetGroupTypeByFuncID(funcId, ucb);
  g.ranged = GetNumericRange(ucb, group, &g.min, &g.max) != 0;
  return g;
}

const DP& Model(const UCB* ucb) { return ucb != nullptr && ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

void SetBit(DEVMODEW& dm, DWORD bit, bool on) { dm.dmFields = on ? dm.dmFields | bit : dm.dmFields & ~bit; }

// A keep rule answers whether the field keeps its value (and sets its bit
// where the field's rule says so); a default step writes the model default.
using KeepRule = bool (*)(DEVMODEW& dm, const Group& g, UCB* ucb);
using DefaultStep = void (*)(DEVMODEW& dm, const DP& dp);

struct PublicField {
  WORD funcId;
  KeepRule keep;          // null: no sync step, the value always stays
  DefaultStep byDefault;  // null: the default step writes nothing
};

bool KeepWithGroup(DEVMODEW&, const Group& g, UCB*) { return g.exists; }

bool KeepOrientation(DEVMODEW& dm, const Group& g, UCB*) {
  if (g.type != kUiPickOne || (dm.dmOrientation != 1 && dm.dmOrientation != 2)) return false;
  SetBit(dm, DM_ORIENTATION, true);
  return true;
}

bool KeepPaperSize(DEVMODEW& dm, const Group& g, UCB*) {
  const SHORT v = dm.dmPaperSize;
  if (g.type != kUiPickPage || !((v >= 1 && v <= 118) || v >= 256)) return false;
  SetBit(dm, DM_PAPERSIZE, true);
  return true;
}

// A length (width) of 0 keeps the bits; a positive one sets its bit when
// the other dimension is positive too, and clears it otherwise.
bool KeepDimension(SHORT value, SHORT other, DWORD bit, DEVMODEW& dm, const Group& g) {
  if (g.type != kUiNumeric || value < 0) return false;
  if (value > 0) SetBit(dm, bit, other > 0);
  return true;
}
bool KeepLength(DEVMODEW& dm, const Group& g, UCB*) {
  return KeepDimension(dm.dmPaperLength, dm.dmPaperWidth, DM_PAPERLENGTH, dm, g);
}
bool KeepWidth(DEVMODEW& dm, const Group& g, UCB*) {
  return KeepDimension(dm.dmPaperWidth, dm.dmPaperLength, DM_PAPERWIDTH, dm, g);
}

bool KeepScale(DEVMODEW& dm, const Group& g, UCB*) {
  return (g.type == kUiPickOne && dm.dmScale > 0) || g.InRange(dm.dmScale);
}

bool KeepCopies(DEVMODEW& dm, const Group& g, UCB*) {
  if (!g.InRange(dm.dmCopies) || dm.dmCopies <= 0) return false;
  SetBit(dm, DM_COPIES, true);
  return true;
}

bool KeepDefaultSource(DEVMODEW& dm, const Group& g, UCB*) {
  const SHORT v = dm.dmDefaultSource;
  if (g.type != kUiPickSlot || !((v >= 1 && v <= 15) || v >= 256)) return false;
  SetBit(dm, DM_DEFAULTSOURCE, true);
  return true;
}

bool KeepPrintQuality(DEVMODEW& dm, const Group& g, UCB*) {
  const SHORT v = dm.dmPrintQuality;
  const bool constant = (g.type == kUiPickOne || g.type == kUiNumeric) && v >= -4 && v <= -1;
  if (!((g.type == kUiPickOne && v > 0) || g.InRange(v) || constant)) return false;
  SetBit(dm, DM_PRINTQUALITY, true);
  return true;
}

// A pick-one field kept while its value is above 0 (or non-zero), its bit
// set.
bool KeepPositive(SHORT v, DWORD bit, DEVMODEW& dm, const Group& g) {
  if (g.type != kUiPickOne || v <= 0) return false;
  SetBit(dm, bit, true);
  return true;
}
bool KeepColor(DEVMODEW& dm, const Group& g, UCB*) { return KeepPositive(dm.dmColor, DM_COLOR, dm, g); }
bool KeepTTOption(DEVMODEW& dm, const Group& g, UCB*) { return KeepPositive(dm.dmTTOption, DM_TTOPTION, dm, g); }

bool KeepDuplex(DEVMODEW& dm, const Group& g, UCB*) {
  if ((g.type != kUiPickOne && g.type != kUiBoolean) || dm.dmDuplex <= 0) return false;
  SetBit(dm, DM_DUPLEX, true);
  return true;
}

bool KeepYResolution(DEVMODEW& dm, const Group& g, UCB*) {
  if (!((g.type == kUiPickOne && dm.dmYResolution > 0) || g.InRange(dm.dmYResolution))) return false;
  SetBit(dm, DM_YRESOLUTION, true);
  return true;
}

bool KeepCollate(DEVMODEW& dm, const Group&, UCB* ucb) {
  if (!IsValidateCollate(ucb)) {
    dm.dmCollate = 0;
    SetBit(dm, DM_COLLATE, false);
  } else if ((dm.dmFields & DM_COLLATE) == 0) {
    dm.dmCollate = GetDevmodeValueDirectByFuncID(ucb, kFuncSelectSort, nullptr) != 0 ? 1 : 0;
    SetBit(dm, DM_COLLATE, true);
  }
  return true;
}

bool KeepFormName(DEVMODEW& dm, const Group& g, UCB*) {
  if (!g.exists || dm.dmFormName[0] == 0) return false;
  SetBit(dm, DM_FORMNAME, true);
  return true;
}

bool KeepNonZero(DWORD v, DWORD bit, DEVMODEW& dm, const Group& g) {
  if (g.type != kUiPickOne || v == 0) return false;
  if (bit != 0) SetBit(dm, bit, true);
  return true;
}
bool KeepICMMethod(DEVMODEW& dm, const Group& g, UCB*) { return KeepNonZero(dm.dmICMMethod, DM_ICMMETHOD, dm, g); }
bool KeepICMIntent(DEVMODEW& dm, const Group& g, UCB*) { return KeepNonZero(dm.dmICMIntent, DM_ICMINTENT, dm, g); }
bool KeepMediaType(DEVMODEW& dm, const Group& g, UCB*) { return KeepNonZero(dm.dmMediaType, 0, dm, g); }
bool KeepDitherType(DEVMODEW& dm, const Group& g, UCB*) { return KeepNonZero(dm.dmDitherType, DM_DITHERTYPE, dm, g); }

void DefSpecVersion(DEVMODEW& dm, const DP& dp) { dm.dmSpecVersion = dp.wSpecVersion; }
void DefDriverVersion(DEVMODEW& dm, const DP& dp) { dm.dmDriverVersion = dp.wDriverVersion; }
void DefSize(DEVMODEW& dm, const DP&) { dm.dmSize = static_cast<WORD>(sizeofDM()); }
void DefDriverExtra(DEVMODEW& dm, const DP&) { dm.dmDriverExtra = static_cast<WORD>(sizeofKesmDM() - sizeofDM()); }
void DefFields(DEVMODEW& dm, const DP& dp) { dm.dmFields = dp.dwFields; }
void DefOrientation(DEVMODEW& dm, const DP& dp) {
  dm.dmOrientation = dp.pub.dmOrientation;
  SetBit(dm, DM_ORIENTATION, true);
}
void DefPaperSize(DEVMODEW& dm, const DP& dp) {
  dm.dmPaperSize = dp.pub.dmPaperSize;
  SetBit(dm, DM_PAPERSIZE, true);
}
void DefLength(DEVMODEW& dm, const DP& dp) {
  dm.dmPaperLength = dp.pub.dmPaperLength;
  SetBit(dm, DM_PAPERLENGTH, false);
}
void DefWidth(DEVMODEW& dm, const DP& dp) {
  dm.dmPaperWidth = dp.pub.dmPaperWidth;
  SetBit(dm, DM_PAPERWIDTH, false);
}
void DefScale(DEVMODEW& dm, const DP& dp) { dm.dmScale = dp.pub.dmScale; }
void DefCopies(DEVMODEW& dm, const DP& dp) {
  dm.dmCopies = dp.pub.dmCopies;
  SetBit(dm, DM_COPIES, true);
}
void DefDefaultSource(DEVMODEW& dm, const DP& dp) {
  dm.dmDefaultSource = dp.pub.dmDefaultSource;
  SetBit(dm, DM_DEFAULTSOURCE, true);
}
void DefPrintQuality(DEVMODEW& dm, const DP& dp) {
  dm.dmPrintQuality = dp.pub.dmPrintQuality;
  SetBit(dm, DM_PRINTQUALITY, true);
}
void DefColor(DEVMODEW& dm, const DP& dp) { dm.dmColor = dp.pub.dmColor; }
void DefDuplex(DEVMODEW& dm, const DP& dp) {
  dm.dmDuplex = dp.pub.dmDuplex;
  SetBit(dm, DM_DUPLEX, true);
}
void DefYResolution(DEVMODEW& dm, const DP& dp) { dm.dmYResolution = dp.pub.dmYResolution; }
void DefTTOption(DEVMODEW& dm, const DP& dp) {
  dm.dmTTOption = dp.pub.dmTTOption;
  SetBit(dm, DM_TTOPTION, true);
}
void DefCollate(DEVMODEW& dm, const DP& dp) {
  dm.dmCollate = dp.pub.dmCollate;
  SetBit(dm, DM_COLLATE, false);
}
void DefFormName(DEVMODEW& dm, const DP& dp) {
  if (dp.pszFormName == nullptr) return;
  CopyFormName(dm.dmFormName, dp.pszFormName);
  SetBit(dm, DM_FORMNAME, false);
}
void DefLogPixels(DEVMODEW& dm, const DP&) { dm.dmLogPixels = 0; }
void DefBitsPerPel(DEVMODEW& dm, const DP&) { dm.dmBitsPerPel = 0; }
void DefPelsWidth(DEVMODEW& dm, const DP&) { dm.dmPelsWidth = 0; }
void DefPelsHeight(DEVMODEW& dm, const DP&) { dm.dmPelsHeight = 0; }
void DefDisplayFlags(DEVMODEW& dm, const DP&) { dm.dmDisplayFlags = 0; }
void DefDisplayFrequency(DEVMODEW& dm, const DP&) { dm.dmDisplayFrequency = 0; }
void DefICMMethod(DEVMODEW& dm, const DP&) { dm.dmICMMethod = kDefaultIcmAndMedia; }
void DefICMIntent(DEVMODEW& dm, const DP&) { dm.dmICMIntent = kDefaultIcmAndMedia; }
void DefMediaType(DEVMODEW& dm, const DP&) { dm.dmMediaType = kDefaultIcmAndMedia; }
void DefDitherType(DEVMODEW& dm, const DP&) { dm.dmDitherType = kDefaultIcmAndMedia; }
void DefPanningWidth(DEVMODEW& dm, const DP&) { dm.dmPanningWidth = 0; }
void DefPanningHeight(DEVMODEW& dm, const DP&) { dm.dmPanningHeight = 0; }

// Row n holds function id n + 1.
constexpr PublicField kPublicFields[] = {
    {1, nullptr, nullptr},                          // dmDeviceName
    {2, KeepWithGroup, DefSpecVersion},             // dmSpecVersion
    {3, KeepWithGroup, DefDriverVersion},           // dmDriverVersion
    {4, KeepWithGroup, DefSize},                    // dmSize
    {5, KeepWithGroup, DefDriverExtra},             // dmDriverExtra
    {6, KeepWithGroup, DefFields},                  // dmFields
    {7, KeepOrientation, DefOrientation},           // dmOrientation
    {8, KeepPaperSize, DefPaperSize},               // dmPaperSize
    {9, KeepLength, DefLength},                     // dmPaperLength
    {10, KeepWidth, DefWidth},                      // dmPaperWidth
    {11, KeepScale, DefScale},                      // dmScale
    {12, KeepCopies, DefCopies},                    // dmCopies
    {13, KeepDefaultSource, DefDefaultSource},      // dmDefaultSource
    {14, KeepPrintQuality, DefPrintQuality},        // dmPrintQuality
    {15, KeepColor, DefColor},                      // dmColor
    {16, KeepDuplex, DefDuplex},                    // dmDuplex
    {17, KeepYResolution, DefYResolution},          // dmYResolution (sync falls back below)
    {18, KeepTTOption, DefTTOption},                // dmTTOption
    {19, KeepCollate, DefCollate},                  // dmCollate
    {20, KeepFormName, DefFormName},                // dmFormName
    {21, nullptr, DefLogPixels},                    // dmLogPixels
    {22, nullptr, DefBitsPerPel},                   // dmBitsPerPel
    {23, nullptr, DefPelsWidth},                    // dmPelsWidth
    {24, nullptr, DefPelsHeight},                   // dmPelsHeight
    {25, nullptr, DefDisplayFlags},                 // dmDisplayFlags
    {26, nullptr, DefDisplayFrequency},             // dmDisplayFrequency
    {27, KeepICMMethod, DefICMMethod},              // dmICMMethod
    {28, KeepICMIntent, DefICMIntent},              // dmICMIntent
    {29, KeepMediaType, DefMediaType},              // dmMediaType
    {30, KeepDitherType, DefDitherType},            // dmDitherType
    {31, nullptr, nullptr},                         // dmICCManufacturer
    {32, nullptr, nullptr},                         // dmICCModel
    {33, nullptr, DefPanningWidth},                 // dmPanningWidth
    {34, nullptr, DefPanningHeight},                // dmPanningHeight
};
constexpr WORD kYResolutionId = 17;

const PublicField* FieldOf(WORD funcId) {
  if (funcId < 1 || funcId > std::size(kPublicFields)) return nullptr;
  return &kPublicFields[funcId - 1];
}

// dmYResolution that the description does not keep follows dmPrintQuality
// when that has a group of its own.
void SyncYResolution(DEVMODEW& dm, UCB* ucb) {
  if (BKPDGetUiGroupAddrByFuncID(kFuncPrintQuality, ucb) != nullptr) {
    SyncPublicField(kFuncPrintQuality, &dm, ucb);
    dm.dmYResolution = dm.dmPrintQuality;
  } else {
    dm.dmYResolution = kDefaultYResolution;
  }
}

}  // namespace

void CopyFormName(WCHAR (&to)[CCHFORMNAME], const WCHAR* from) {
  std::size_t n = 0;
  while (from != nullptr && n + 1 < CCHFORMNAME && from[n] != 0) ++n;
  std::fill(std::begin(to), std::end(to), WCHAR{0});
  if (n != 0) std::memcpy(to, from, n * sizeof(WCHAR));
}

void SetDefaultPublicField(WORD funcId, DEVMODEW* dm, UCB* ucb) {
  const PublicField* f = FieldOf(funcId);
  if (f != nullptr && f->byDefault != nullptr && dm != nullptr) f->byDefault(*dm, Model(ucb));
}

void SyncPublicField(WORD funcId, DEVMODEW* dm, UCB* ucb) {
  const PublicField* f = FieldOf(funcId);
  if (f == nullptr || f->keep == nullptr || dm == nullptr) return;
  if (f->keep(*dm, GroupOf(funcId, ucb), ucb)) return;
  if (funcId == kYResolutionId) {
    SyncYResolution(*dm, ucb);
  } else {
    SetDefaultPublicField(funcId, dm, ucb);
  }
}

void _SetDefaultPublicDM(DEVMODEW* dm, UCB* ucb) {
  for (const PublicField& f : kPublicFields) SetDefaultPublicField(f.funcId, dm, ucb);
}

void DMPrivate2DMPublic(const DEVMODEW* /*ignored*/, UCB* ucb) {
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  for (const PublicField& f : kPublicFields) SyncPublicField(f.funcId, dm, ucb);
}

void SetDefaultPublicDM(DEVMODEW* dm, int type, UCB* ucb) {
  switch (type) {
    case 2:
      DevCBSetPrivInit(ucb);
      DevCBSetModify(ucb);
      [[fallthrough]];
    case 1:
      DMPrivate2DMPublic(dm, ucb);
      return;
    default:
      _SetDefaultPublicDM(dm, ucb);
  }
}
