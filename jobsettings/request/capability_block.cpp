#include "jobsettings/request/capability_block.h"

#include "jobsettings/options/option_tables.h"
#include "jobsettings/request/capability_walks.h"
#include "settings/constraints/exc_interface.h"
#include "settings/system/memptr.h"

namespace {

constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncSortType = 119;
constexpr WORD kFuncPunchType = 120;
constexpr WORD kFuncStapleType = 121;

// A value of a setting and the capability bit that reports it.
struct ValueBit {
  WORD funcId;
  LONG value;
  BYTE byte;
  BYTE bit;
};

// The selectable values reported, by setting.
constexpr ValueBit kValueBits[] = {
    {kFuncSortType, 1, 2, 0x01},      {kFuncSortType, 4, 2, 0x02},      {kFuncSortType, 6, 2, 0x04},
    {kFuncPunchType, 1, 4, 0x01},     {kFuncPunchType, 2, 4, 0x02},     {kFuncPunchType, 3, 4, 0x04},
    {kFuncStapleType, 1, 5, 0x20},    {kFuncStapleType, 2, 5, 0x10},    {kFuncStapleType, 17, 5, 0x08},
    {kFuncStapleType, 18, 5, 0x04},   {kFuncStapleType, 33, 5, 0x02},   {kFuncStapleType, 34, 5, 0x01},
    {kFuncStapleType, 65, 5, 0x40},   {kFuncStapleType, 67, 5, 0x80},   {kFuncStapleType, 49, 6, 0x04},
    {kFuncStapleType, 50, 6, 0x02},   {kFuncStapleType, 66, 6, 0x01},   {kFuncOutPaperSize, 1, 13, 0x80},
    {kFuncOutPaperSize, 8, 13, 0x01}, {kFuncOutPaperSize, 9, 13, 0x02}, {kFuncOutPaperSize, 11, 13, 0x04},
    {kFuncOutPaperSize, 70, 13, 0x08}, {kFuncOutPaperSize, 12, 13, 0x10}, {kFuncOutPaperSize, 13, 13, 0x20},
    {kFuncOutPaperSize, 88, 13, 0x40}, {kFuncOutPaperSize, 3, 14, 0x08}, {kFuncOutPaperSize, 5, 14, 0x01},
    {kFuncOutPaperSize, 6, 14, 0x04}, {kFuncOutPaperSize, 43, 14, 0x02}, {kFuncOutPaperSize, 66, 14, 0x40},
    {kFuncOutPaperSize, 267, 14, 0x10}, {kFuncOutPaperSize, 268, 14, 0x20}, {kFuncOutPaperSize, 269, 15, 0x02},
};
constexpr WORD kFinishingSettings[] = {kFuncSortType, kFuncPunchType, kFuncStapleType};

// Output destinations with a bit of their own.
struct DestBit {
  WORD dest;
  BYTE byte;
  BYTE bit;
};
constexpr DestBit kDestBits[] = {
    {0, 7, 0x01},  {2, 7, 0x02},  {13, 7, 0x04}, {4, 7, 0x08},  {15, 7, 0x10}, {16, 7, 0x20},
    {17, 7, 0x40}, {18, 7, 0x80}, {19, 8, 0x01}, {20, 8, 0x02}, {21, 8, 0x04}, {22, 8, 0x08},
    {23, 8, 0x10}, {14, 8, 0x80},
};
// Other destinations: a finisher's blank-sheet or ordinary destination.
constexpr BYTE kDestFinisherBlank = 0x20;
constexpr BYTE kDestFinisher = 0x40;
constexpr BYTE kDestAlways = 0x02;  // in byte 7

struct ResolutionBit {
  LONG dpi;
  BYTE bit;
};
constexpr ResolutionBit kResolutionBits[] = {{400, 0x01}, {600, 0x02}, {1200, 0x04}};

// Fixed bytes.
constexpr BYTE kDuplexAll = 7;
constexpr std::size_t kByteDuplex = 1;
constexpr std::size_t kByteSortKinds = 3;
constexpr std::size_t kByteDests = 7;
constexpr std::size_t kByteResolutions = 10;
constexpr std::size_t kByteEleven = 11;
constexpr std::size_t kByteTwelve = 12;
constexpr std::size_t kByteSeventeen = 17;

// The selectable values of the setting set their bits. False when memory
// ran short.
bool ListValues(UCB* ucb, WORD funcId, CapabilityBlock& caps) {
  LONG count = 0;
  const LONG asked = ExcGetActiveValue(ucb, funcId, 0, nullptr, &count);
  if (asked == kExcNoMemory) return false;
  if (asked != kExcCountOnly || count <= 0) return true;
  auto values = NewMemBlock<DWORD>(static_cast<SIZE_T>(count));
  if (!values) return false;
  LONG listed = 0;
  const LONG result = ExcGetActiveValue(ucb, funcId, static_cast<DWORD>(count), values.get(), &listed);
  if (result == kExcNoMemory) return false;
  // Values that changed between the two questions are not read past the
  // buffer.
  if (result != kExcListed || listed < 0 || listed > count) return true;
  for (LONG i = 0; i < listed; ++i) {
    for (const ValueBit& v : kValueBits) {
      if (v.funcId == funcId && static_cast<DWORD>(v.value) == values.get()[i]) caps[v.byte] |= v.bit;
    }
  }
  return true;
}

bool ListDestinations(UCB* ucb, CapabilityBlock& caps) {
  caps[kByteDests] |= kDestAlways;
  const LONG count = CapDESTS(ucb, nullptr);
  if (count <= 0) return true;
  auto dests = NewMemBlock<WORD>(static_cast<SIZE_T>(count));
  if (!dests) return false;
  const LONG written = CapDESTS(ucb, dests.get());
  for (LONG i = 0; i < written && i < count; ++i) {
    const WORD dest = dests.get()[i];
    bool own = false;
    for (const DestBit& d : kDestBits) {
      if (d.dest == dest) {
        caps[d.byte] |= d.bit;
        own = true;
      }
    }
    if (own) continue;
    if (IsFinDEST(dest, kFinKindBlank)) {
      caps[8] |= kDestFinisherBlank;
    } else if (IsFinDEST(dest, 0)) {
      caps[8] |= kDestFinisher;
    }
  }
  return true;
}

bool ListResolutions(UCB* ucb, CapabilityBlock& caps) {
  const LONG count = CapENUMRESOLUTIONS(ucb, nullptr);
  if (count <= 0) return true;
  auto pairs = NewMemBlock<LONG>(2 * static_cast<SIZE_T>(count));
  if (!pairs) return false;
  const LONG written = CapENUMRESOLUTIONS(ucb, pairs.get());
  for (LONG i = 0; i < written && i < count; ++i) {
    const LONG x = pairs.get()[2 * i];
    if (x != pairs.get()[2 * i + 1]) continue;
    for (const ResolutionBit& r : kResolutionBits) {
      if (r.dpi == x) caps[kByteResolutions] |= r.bit;
    }
  }
  return true;
}

}  // namespace

bool FillCapabilityBlock(UCB* ucb, CapabilityBlock& caps) {
  caps.fill(0);
  caps[kByteDuplex] = CapDUPLEX(ucb) != 0 ? kDuplexAll : 0;
  caps[kByteSortKinds] = 3;
  for (WORD funcId : kFinishingSettings) {
    if (!ListValues(ucb, funcId, caps)) return false;
  }
  if (!ListDestinations(ucb, caps) || !ListResolutions(ucb, caps)) return false;
  caps[kByteEleven] = 1;
  caps[kByteTwelve] = 0x3F;
  if (!ListValues(ucb, kFuncOutPaperSize, caps)) return false;
  caps[kByteSeventeen] = 1;
  return true;
}
