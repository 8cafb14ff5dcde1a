#include "jobsettings/request/app_request.h"

#include <cstring>
#include <iterator>
#include <span>

#include "jobsettings/devmode/devmode_defaults.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/kept_parts.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/options/option_switch.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/paper/resolution.h"
#include "jobsettings/request/capability_block.h"
#include "jobsettings/request/request_block.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/field_judgement.h"
#include "jobsettings/validate/validate_flags.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/exc_interface.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#if !KESM_KERNEL_MODE
#include "devicecomm/bidi/bidi_query.h"
#include "storage/properties/printer_properties.h"
#endif

namespace {

constexpr WORD kFuncOrientation = 7;  // dmOrientation
constexpr WORD kFuncCollate = 19;     // dmCollate
constexpr WORD kFuncSelectSort = 61;
constexpr WORD kFuncPlexor = 606;
constexpr LONG kPortrait = 1;
#if !KESM_KERNEL_MODE
constexpr int kPrinterWideBlock = 2;
#endif

constexpr std::size_t kOffRequest = KDM_OFFSET(header.kdmTcomMember);
constexpr std::size_t kOffCapabilities = KDM_OFFSET(header.kdmTcomCaps);
static_assert(sizeof(PrivDM::header.kdmTcomMember) == kRequestBlockSize);
static_assert(sizeof(PrivDM::header.kdmTcomCaps) == kCapabilityBlockSize);

BYTE* Bytes(DEVMODEW* dm) { return reinterpret_cast<BYTE*>(dm); }

void ClearRequest(DEVMODEW* dm) { std::memset(Bytes(dm) + kOffRequest, 0, kRequestBlockSize); }

LONG Stored(const UCB* ucb, WORD funcId) {
  return static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}

// The run-time bytes that describe the current call and must outlive a
// rebuild of the defaults, which starts them afresh.
constexpr KdmRunTimeFlag kCallFlags[] = {KdmRunTimeFlag::CallSrc, KdmRunTimeFlag::NoPermission,
                                         KdmRunTimeFlag::PrintLog, KdmRunTimeFlag::PropertyType,
                                         KdmRunTimeFlag::BatchInst};

// Builds the defaults into the context's DEVMODE, keeping the call's
// run-time bytes.
void RebuildDefaults(UCB* ucb, DEVMODEW* dm) {
  DWORD kept[std::size(kCallFlags)];
  for (std::size_t i = 0; i < std::size(kCallFlags); ++i) kept[i] = GetKDMRunTimeFlagByDM(dm, kCallFlags[i]);
  InitDefaultDevmode(ucb);
  for (std::size_t i = 0; i < std::size(kCallFlags); ++i) SetKDMRunTimeFlagByDM(dm, kCallFlags[i], kept[i]);
}

// Asks the printer for its current state at once, without a window, into
// the context's settings. The rendering library does not talk to the
// device: there a refresh fails, as for a printer that does not answer.
BOOL RefreshFromPrinter([[maybe_unused]] UCB* ucb) {
#if KESM_KERNEL_MODE
  return FALSE;
#else
  return GetBidiDataImmediatelyWexa(ucb);
#endif
}

// Stores one requested setting: a value the description refuses, or a code
// outside its field's table, becomes the description's default (a scale
// the nearer end of its range), so that nothing after it sees a value the
// printer does not offer. A setting the description does not cover keeps
// the requested value, or its own value for an unknown code. The setting's
// request mask bit.
DWORD SetRequested(UCB* ucb, const RequestedSetting& s) {
  SFCB* record = GetSFCBbyFuncID(ucb, s.funcId);
  if (s.useDefault) {
    if (record == nullptr || BKPDGetUiGroupAddrByFuncID(s.funcId, ucb) == nullptr) return 0;
    DevCBSetDefault(ucb, record);
    return SetFuncE(ucb, s.funcId, Stored(ucb, s.funcId));
  }
  const DWORD bit = SetFuncE(ucb, s.funcId, s.value);
  if (bit != 0) IsValidateEachDMWEXA(s.funcId, GetDevmodeValueDirectByFuncID(ucb, s.funcId, nullptr), ucb);
  return bit;
}

// Sets the requested settings on the context, field by field, and returns
// the request mask of the settings set.
DWORD SetRequestedSettings(UCB* ucb, const RequestBlock& request) {
  DWORD mask = SetFuncE(ucb, kFuncPlexor, 0);
  const FinDest* finisher = GetFinType(ucb);
  for (std::size_t field : kRequestFields) {
    const RequestContext context{Stored(ucb, kFuncOrientation) == kPortrait, finisher->dest, finisher->blankDest};
    const FieldSettings settings = SettingsOfField(request, field, context);
    for (std::size_t i = 0; i < settings.count; ++i) mask |= SetRequested(ucb, settings.items[i]);
    // Collation follows sorting, whatever the sort field asked.
    if (field == kReqSort) {
      SetDevmodeValueDirectByFuncID(ucb, kFuncCollate, Stored(ucb, kFuncSelectSort) != 0 ? 1 : 0);
    }
  }
  return mask;
}

// Applies the request on the context's DEVMODE with the merged one's
// settings, hands the result to the merged DEVMODE, and puts the context's
// own DEVMODE back. The run-time bytes and page geometry stay the
// context's throughout.
int Apply(UCB* ucb, DEVMODEW* dm, DEVMODEW* merged, const RequestBlock& request) {
  auto saved = NewMemBlock<BYTE>(kSizeofKesmDM);
  if (!saved) return 0;
  std::memcpy(saved.get(), dm, kSizeofKesmDM);
  const KeptPrivateParts own(dm);
  std::memcpy(dm, merged, kSizeofKesmDM);
  own.Restore(dm);
  const DWORD mask = SetRequestedSettings(ucb, request);
  ExcActionUI(ucb, mask);
  SetSrcAndDstResolutionFromKDM(dm, ucb);
  SetSrcDuplex(dm, ucb);
  std::memcpy(merged, dm, kSizeofKesmDM);
  std::memcpy(dm, saved.get(), kSizeofKesmDM);
  return 1;
}

}  // namespace

void KeepWholeRequestOnly(DEVMODEW* merged, const DEVMODEW* caller, std::size_t callerBytes) {
  if (merged == nullptr) return;
  constexpr std::size_t kRequestEnd = kOffRequest - kSizeofDM + kRequestBlockSize;  // inside the private part
  constexpr std::size_t kWordsEnd = offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD);
  bool whole = false;
  if (caller != nullptr && callerBytes >= kWordsEnd) {
    const std::size_t size = LoadLE<WORD>(caller, offsetof(DEVMODEW, dmSize));
    const std::size_t extra = LoadLE<WORD>(caller, offsetof(DEVMODEW, dmDriverExtra));
    whole = extra >= kRequestEnd && callerBytes >= size + kRequestEnd;
  }
  if (!whole) ClearRequest(merged);
}

int GetWEXA_API(UCB* ucb, DEVMODEW* merged) {
  if (!IsSupportWEXA_API() || ucb == nullptr || merged == nullptr) return 1;
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  if (dm == nullptr) return 1;
  const auto request = ReadPendingRequest(std::span<const BYTE>(Bytes(merged) + kOffRequest, kRequestBlockSize));
  if (!request) return 1;
  SetValidateFlags(ucb, GetValidateFlags(ucb) | kValidateRequestApplied);
  int result = 1;
  switch (request->mode()) {
    case RequestMode::Defaults:
      RebuildDefaults(ucb, dm);
      std::memcpy(merged, dm, kSizeofKesmDM);
      break;
    case RequestMode::DefaultsAndRefresh:
      RebuildDefaults(ucb, dm);
#if !KESM_KERNEL_MODE
      GetAllProperties(ucb->hPrinter, kPrinterWideBlock, ucb);
#endif
      std::memcpy(merged, dm, kSizeofKesmDM);
      [[fallthrough]];
    case RequestMode::Refresh:
      if (RefreshFromPrinter(ucb)) {
        std::memcpy(merged, dm, kSizeofKesmDM);
      } else {
        result = 0;
      }
      break;
    case RequestMode::Apply:
      if (Apply(ucb, dm, merged, *request) == 0) return 0;
      break;
  }
  // Carried out once: the request never reaches the context's DEVMODE.
  ClearRequest(merged);
  return result;
}

BOOL SetWEXA_API(UCB* ucb) {
  if (!IsSupportWEXA_API()) return TRUE;
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  if (dm == nullptr) return TRUE;
  CapabilityBlock caps{};
  if (!FillCapabilityBlock(ucb, caps)) return FALSE;
  std::memcpy(Bytes(dm) + kOffCapabilities, caps.data(), caps.size());
  ClearRequest(dm);
  return TRUE;
}
