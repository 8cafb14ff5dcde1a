// The 32-byte request block an application leaves in the private DEVMODE
// header, and what each of its fields asks for. A field of 0 leaves its
// settings alone; a code outside a field's table asks for the setting's
// default.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "platform/base/wintypes.h"

inline constexpr std::size_t kRequestBlockSize = 32;
inline constexpr std::size_t kCapabilityBlockSize = 32;

// Field positions.
inline constexpr std::size_t kReqMode = 0;
inline constexpr std::size_t kReqPending = 1;
inline constexpr std::size_t kReqDuplex = 2;
inline constexpr std::size_t kReqSort = 3;
inline constexpr std::size_t kReqPunch = 4;
inline constexpr std::size_t kReqStaple = 5;
inline constexpr std::size_t kReqOutputTray = 6;
inline constexpr std::size_t kReqResolution = 7;
inline constexpr std::size_t kReqPrintArea = 8;
inline constexpr std::size_t kReqScale = 10;  // 16 bits, little-endian
inline constexpr std::size_t kReqPagesPerSheet = 12;
inline constexpr std::size_t kReqPaperSize = 13;

inline constexpr BYTE kReqIsPending = 1;

enum class RequestMode : BYTE {
  Apply,     // every code other than the three below
  Defaults = 2,
  Refresh = 3,
  DefaultsAndRefresh = 4,
};

struct RequestBlock {
  std::array<BYTE, kRequestBlockSize> bytes{};
  RequestMode mode() const;
  BYTE at(std::size_t field) const { return bytes[field]; }
  WORD scale() const;
};

// The request when bytes hold a whole block whose pending flag is set;
// nothing for a shorter span or a block without a pending request.
std::optional<RequestBlock> ReadPendingRequest(std::span<const BYTE> bytes);

// One setting a field asks for: a value, or the setting's default (for a
// code outside the field's table).
struct RequestedSetting {
  WORD funcId;
  LONG value;
  bool useDefault;
};

// The settings a field asks for, in the order they are to be set; at most
// three. The context facts the codes depend on are given: whether the
// orientation is portrait (pages per sheet) and the two destinations of the
// installed finisher (-1: none) for the output tray.
struct RequestContext {
  bool portrait;
  LONG finisherDest;       // ordinary kinds
  LONG finisherBlankDest;  // blank sheets
};
struct FieldSettings {
  std::array<RequestedSetting, 3> items{};
  std::size_t count = 0;
};
FieldSettings SettingsOfField(const RequestBlock& request, std::size_t field, const RequestContext& context);

// The fields that set something, in the order they are applied.
inline constexpr std::size_t kRequestFields[] = {kReqDuplex,     kReqSort,       kReqPunch,
                                                 kReqStaple,     kReqOutputTray, kReqResolution,
                                                 kReqPrintArea,  kReqScale,      kReqPagesPerSheet,
                                                 kReqPaperSize};
