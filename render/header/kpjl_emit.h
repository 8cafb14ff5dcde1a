// How every piece of job-header text is emitted. A piece goes to a sink
// that holds the byte count and, in the fill pass, the buffer: the size
// pass only adds lengths, the fill pass writes each piece at the count,
// terminated by a zero that the next piece overwrites, and then adds its
// length. Both passes read one snapshot of what may change meanwhile (the
// replace-string texts, the clock), so the fill writes exactly what the
// size pass counted; a fill that would pass the end of its buffer writes
// nothing more and marks the sink, and the block is then not written.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/base/wintypes.h"
#include "platform/runtime/wintime.h"
#include "render/header/replace_strings.h"
#include "settings/bkpd/bkpd_access.h"

struct UCB;
struct SFCB;

// What the two passes of one block read once.
struct HeaderSnapshot {
  ReplaceStringTable replace;
  ENG_TIME_FIELDS time;
};
// The replace-string texts and the local time, now.
void TakeHeaderSnapshot(HeaderSnapshot* snapshot);

// The largest payload a block may have.
inline constexpr LONG kMaxHeaderBytes = 0x01000000;

struct HeaderSink {
  LONG count = 0;
  LPSTR buffer = nullptr;  // null in the size pass
  LONG capacity = 0;       // bytes at buffer, the final zero's included
  bool overflow = false;   // a piece did not fit; the pass has failed
  const HeaderSnapshot* snapshot = nullptr;

  bool Filling() const { return buffer != nullptr; }
};

// Emits bytes of the description's own text as they are.
void EmitText(HeaderSink* sink, std::string_view text);
// Emits text from outside the description escaped (render/header/header_text.h).
void EmitOutsideText(HeaderSink* sink, std::string_view text);
// Emits a number as signed decimal.
void EmitDecimal(HeaderSink* sink, LONG value);

// The ANSI text of a bounded field: up to its first zero, at most bytes.
std::string_view BoundedText(const void* field, std::size_t bytes);

// Where a text comes from: the description's own text goes as it is; text
// from outside is escaped, and quoted when asked.
enum class HeaderText { kDescription, kOutside, kQuotedOutside };
void EmitHeaderText(HeaderSink* sink, std::string_view text, HeaderText kind);

// The group's template (prefix, suffix) around the text: the prefix when
// the group has one, the text, the suffix when it has one. Returns 0.
int CommandSizeProc(PCBKPD bkpd, const UiGroup* group, std::string_view text, HeaderText kind, HeaderSink* sink);
// "@PJL SET " name " = " value " \r\n"; nothing when either is null.
int MakeiKPJLCommand(LPCSTR name, LPCSTR value, HeaderSink* sink);
// name followed by the decimal number into destination (bytes long, always
// terminated).
void MakeiKPJLVariable(LPSTR destination, std::size_t bytes, LPCSTR name, LONG number);

// The wide text converted to ANSI within limit bytes of destination; an
// empty or null text gives an empty string.
void CopyAddDoubleQuart(LPSTR destination, LPCWSTR text, int limit);
// Text from outside between double quotes, escaped so that it cannot end
// them; an empty text emits nothing, not even the quotes.
void EmitQuotedOutsideText(HeaderSink* sink, std::string_view text);

// A name or path of a field of at most MAX_PATH characters converted whole
// to ANSI (two bytes a character at most), with room for a file name after
// it.
struct AnsiPath {
  char text[2 * MAX_PATH + 32] = {};
  std::string_view view() const { return BoundedText(text, sizeof(text)); }
  // Appends the name; false, with the path left as it was, when it does not fit.
  bool Append(std::string_view name);
};
// The field (chars characters, not necessarily terminated) as an AnsiPath;
// empty for a null field.
AnsiPath ToAnsiPath(const WCHAR* field, std::size_t chars);

// The first group of the group list with that group keyword id whose
// sub-group id is the number, or that matches any number; null when none.
const UiGroup* BKPDGetUiGroupAddrBySubID(WORD groupId, SHORT number, const UCB* ucb);
// The low byte of the type word of the setting's group; 0 without one.
WORD BKPDGetMajorGroupTypeByFuncID(WORD funcId, const UCB* ucb);
// The command text of the option standing for a stored value (PickOne),
// the true or false text (Boolean); null otherwise.
LPCSTR GetiKPJLValueByFuncID(const UCB* ucb, WORD funcId, LONG_PTR value);
// TRUE when the setting's stored value is one of the first count values.
BOOL iKPJLChkActiveValue(const UCB* ucb, WORD funcId, int count, const LONG_PTR* values);
// The setting's group in the description: its main group (sub-group 0).
const UiGroup* GroupOfSetting(const UCB* ucb, WORD funcId);
