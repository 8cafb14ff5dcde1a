// The escapes DrvEscape serves: one row per code, saying what the escape
// does, the setting it reads or writes and the bytes its buffers need.
#pragma once

#include <span>

#include "platform/base/wintypes.h"

enum class EscapeKind : BYTE {
  kQuerySupport,   // is a code supported
  kPassThrough,    // raw bytes into the job stream, raw mode only
  kTechnology,     // "KESM"
  kPageGeometry,   // printable size and offsets
  kAnsiSetting,    // an ANSI text into a string setting
  kNumberSetting,  // an ANSI decimal text into a number setting
  kReadWord,       // a setting's value as a 16-bit word
  kIniPath,        // the per-user settings INI path
  kReplaceStrings, // the replace-string texts
  kBuildId,        // the library's build identifier
};

struct EscapeRow {
  ULONG code;
  EscapeKind kind;
  WORD funcId;  // the setting read or written, 0 for none
};

inline constexpr ULONG kEscQuerySupport = 8;
inline constexpr ULONG kEscPassThrough = 19;
inline constexpr ULONG kEscTechnology = 20;

// Every row; a code without a row is not supported.
std::span<const EscapeRow> EscapeRows();
const EscapeRow* FindEscape(ULONG code);
