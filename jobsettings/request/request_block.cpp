#include "jobsettings/request/request_block.h"

#include <algorithm>
#include <iterator>

#include "settings/system/unaligned.h"

namespace {

// Settings the request sets.
constexpr WORD kFuncDstResolution = 38;  // kdmDstResolutionW
constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncOutputTray = 53;
constexpr WORD kFuncSelectScale = 55;
constexpr WORD kFuncSelectNup = 56;
constexpr WORD kFuncSelectDuplex = 58;
constexpr WORD kFuncSelectSort = 61;
constexpr WORD kFuncSelectPunch = 62;
constexpr WORD kFuncSelectStaple = 63;
constexpr WORD kFuncScaleType = 87;
constexpr WORD kFuncScaleH = 89;
constexpr WORD kFuncNupKind = 91;
constexpr WORD kFuncNupType = 92;
constexpr WORD kFuncDuplexType = 94;
constexpr WORD kFuncSortType = 119;
constexpr WORD kFuncPunchType = 120;
constexpr WORD kFuncStapleType = 121;
constexpr WORD kFuncPrintArea = 173;

struct Code {
  BYTE code;
  LONG value;
};

// A field that sets one setting from a table of codes.
struct SingleField {
  std::size_t field;
  WORD funcId;
  std::span<const Code> codes;
};

constexpr Code kResolutionCodes[] = {{1, 400}, {2, 600}, {3, 1200}};
constexpr Code kPrintAreaCodes[] = {{1, 0}, {2, 1}};
constexpr Code kPaperCodes[] = {{1, 8},   {2, 9},   {3, 11},   {4, 70},   {5, 12},  {6, 13},
                                {7, 88},  {8, 1},   {9, 5},    {10, 43},  {11, 6},  {12, 3},
                                {13, 267}, {14, 268}, {15, 66}, {18, 269}};
// Output trays; 14 and 15 name the installed finisher's destinations.
constexpr Code kTrayCodes[] = {{1, 0},   {2, 2},   {3, 13},  {4, 4},   {5, 15},  {6, 16}, {7, 17},
                               {8, 18},  {9, 19},  {10, 20}, {11, 21}, {12, 22}, {13, 23}, {16, 14},
                               {17, 1}};
constexpr BYTE kTrayFinisherBlank = 14;
constexpr BYTE kTrayFinisher = 15;

// A field that switches a function on or off and, when on, sets its kind:
// code 1 switches it off, any other code on with the kind of the table.
struct SwitchField {
  std::size_t field;
  WORD switchId;
  WORD kindId;
  std::span<const Code> kinds;
};
constexpr Code kDuplexKinds[] = {{2, 1}, {3, 2}, {4, 3}};
constexpr Code kSortKinds[] = {{2, 1}, {3, 4}, {4, 6}};
constexpr Code kPunchKinds[] = {{2, 1}, {3, 2}, {4, 3}};
constexpr Code kStapleKinds[] = {{2, 34}, {3, 33}, {4, 50},  {5, 49}, {6, 50},  {7, 49},
                                 {8, 65}, {9, 67}, {10, 66}, {11, 50}, {12, 49}};

constexpr SwitchField kSwitchFields[] = {
    {kReqDuplex, kFuncSelectDuplex, kFuncDuplexType, kDuplexKinds},
    {kReqSort, kFuncSelectSort, kFuncSortType, kSortKinds},
    {kReqPunch, kFuncSelectPunch, kFuncPunchType, kPunchKinds},
    {kReqStaple, kFuncSelectStaple, kFuncStapleType, kStapleKinds},
};
constexpr SingleField kSingleFields[] = {
    {kReqResolution, kFuncDstResolution, kResolutionCodes},
    {kReqPrintArea, kFuncPrintArea, kPrintAreaCodes},
    {kReqPaperSize, kFuncOutPaperSize, kPaperCodes},
};

// Scale codes 0x4001-0x4007 name fixed percentages; any other value is the
// percentage itself.
constexpr WORD kFirstScaleCode = 0x4001;
constexpr LONG kScaleCodes[] = {67, 70, 75, 80, 88, 100, 115};

// Pages per sheet: code 1 switches N-up off; 2-7 name {N-up kind, N-up
// type}, where code 2 lays two pages side by side in portrait (1) and one
// above the other otherwise (3).
struct NupCode {
  BYTE code;
  LONG kind;
  LONG type;
};
constexpr NupCode kNupCodes[] = {{3, 1, 2}, {4, 2, 33}, {5, 2, 34}, {6, 2, 37}, {7, 2, 38}};
constexpr BYTE kNupTwoUp = 2;

std::optional<LONG> Find(std::span<const Code> codes, BYTE code) {
  const auto it = std::find_if(codes.begin(), codes.end(), [code](const Code& c) { return c.code == code; });
  return it == codes.end() ? std::nullopt : std::optional<LONG>(it->value);
}

void Add(FieldSettings& out, WORD funcId, std::optional<LONG> value) {
  out.items[out.count++] = RequestedSetting{funcId, value.value_or(0), !value.has_value()};
}

// A finisher destination is a value only when the finisher has one.
std::optional<LONG> Destination(LONG dest) { return dest >= 0 ? std::optional<LONG>(dest) : std::nullopt; }

std::optional<LONG> TrayOf(BYTE code, const RequestContext& context) {
  if (code == kTrayFinisherBlank) return Destination(context.finisherBlankDest);
  if (code == kTrayFinisher) return Destination(context.finisherDest);
  return Find(kTrayCodes, code);
}

}  // namespace

RequestMode RequestBlock::mode() const {
  switch (bytes[kReqMode]) {
    case static_cast<BYTE>(RequestMode::Defaults): return RequestMode::Defaults;
    case static_cast<BYTE>(RequestMode::Refresh): return RequestMode::Refresh;
    case static_cast<BYTE>(RequestMode::DefaultsAndRefresh): return RequestMode::DefaultsAndRefresh;
    default: return RequestMode::Apply;
  }
}

WORD RequestBlock::scale() const { return LoadLE<WORD>(bytes.data(), kReqScale); }

std::optional<RequestBlock> ReadPendingRequest(std::span<const BYTE> bytes) {
  if (bytes.size() < kRequestBlockSize || bytes[kReqPending] != kReqIsPending) return std::nullopt;
  RequestBlock request;
  std::copy_n(bytes.begin(), kRequestBlockSize, request.bytes.begin());
  return request;
}

FieldSettings SettingsOfField(const RequestBlock& request, std::size_t field, const RequestContext& context) {
  FieldSettings out;
  if (field == kReqScale) {
    const WORD scale = request.scale();
    if (scale == 0) return out;
    const bool named = scale >= kFirstScaleCode && std::size_t{scale} < kFirstScaleCode + std::size(kScaleCodes);
    Add(out, kFuncSelectScale, 1);
    Add(out, kFuncScaleType, 1);
    Add(out, kFuncScaleH, named ? kScaleCodes[scale - kFirstScaleCode] : LONG{scale});
    return out;
  }
  const BYTE code = request.at(field);
  if (code == 0) return out;
  for (const SwitchField& f : kSwitchFields) {
    if (f.field != field) continue;
    Add(out, f.switchId, code == 1 ? 0 : 1);
    if (code != 1) Add(out, f.kindId, Find(f.kinds, code));
    return out;
  }
  for (const SingleField& f : kSingleFields) {
    if (f.field == field) Add(out, f.funcId, Find(f.codes, code));
  }
  if (field == kReqOutputTray) Add(out, kFuncOutputTray, TrayOf(code, context));
  if (field == kReqPagesPerSheet) {
    Add(out, kFuncSelectNup, code == 1 ? 0 : 1);
    if (code == 1) return out;
    if (code == kNupTwoUp) {
      Add(out, kFuncNupKind, 1);
      Add(out, kFuncNupType, context.portrait ? 1 : 3);
      return out;
    }
    const auto it = std::find_if(std::begin(kNupCodes), std::end(kNupCodes),
                                 [code](const NupCode& n) { return n.code == code; });
    const bool known = it != std::end(kNupCodes);
    Add(out, kFuncNupKind, known ? std::optional<LONG>(it->kind) : std::nullopt);
    Add(out, kFuncNupType, known ? std::optional<LONG>(it->type) : std::nullopt);
  }
  return out;
}
