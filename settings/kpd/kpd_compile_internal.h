// Shared parts of the description compiler's handlers; only the compiler's
// own files include this.
#pragma once

#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "settings/kpd/kpd_compile.h"
#include "settings/tables/keyword_tables.h"

// A definition, exclusive records or a command tree, read whole but not
// yet in the work. A judge may be defined after the entry that names it,
// so the compile loop holds these entries until the whole text is read and
// then adds them in the order written; one that names a judge that never
// came is refused then, noted at its own offset, so that no guarded action
// or block is ever written unguarded. An entry handed over on its own is
// checked and added at once.
class KpdHeldEntry {
 public:
  KpdHeldEntry() = default;
  KpdHeldEntry(const KpdHeldEntry&) = delete;
  KpdHeldEntry& operator=(const KpdHeldEntry&) = delete;
  virtual ~KpdHeldEntry() = default;
  // Hands the entry's blocks to the work.
  virtual void AddTo(WorkBKPD* work) = 0;

  std::vector<WORD> judges;  // the numbers of the judges it names
};
struct KpdHeld {
  DWORD offset;  // bytes of the text read with the entry
  std::unique_ptr<KpdHeldEntry> entry;
};

// One compile: the work description, the entry being handled and the report.
struct KpdCompiler {
  WorkBKPD* work;
  PARSEROBJ* parser;
  KpdCompileReport* report;  // may be null
  DWORD entryEnd;            // bytes of the text read with the current entry
  std::vector<KpdHeld>* held = nullptr;  // null: entries are checked and added at once
};

// Notes a fault in the report without dropping the entry (a repair).
void KpdNote(const KpdCompiler& c, KpdFault fault);

// Takes an entry that names judges: held for the end of the text, or,
// outside a compile loop, added at once when its judges exist
// (kUnknownJudge otherwise).
KpdFault KpdTakeHeld(KpdCompiler& c, std::unique_ptr<KpdHeldEntry> entry);

// A handler: kNone when it took the entry.
using KpdHandler = KpdFault (*)(KpdCompiler& c);

// Finds a keyword's handler through the work's keyword cache; null when the
// keyword has none (the cache is then cleared).
KpdHandler KpdFindHandler(WorkBKPD* work, std::string_view keyword);
// Dispatches the parser's entry; kNone when a handler took it.
KpdFault KpdInterpret(KpdCompiler& c);

// Runs a step that uses standard containers; running out of memory there is
// the same fault as a failed record allocation, never an exception that
// leaves the compiler.
template <class Step>
KpdFault KpdCatchNoMemory(Step step) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    return KpdFault::kNoMemory;
  }
}

// --- Value text -----------------------------------------------------------

// A read position in a value text. Every routine stops at the end of the
// text; nothing is read or written past it.
struct KpdCursor {
  std::string_view text;
  size_t pos = 0;

  bool AtEnd() const { return pos >= text.size(); }
  char Peek() const { return AtEnd() ? '\0' : text[pos]; }
  std::string_view Rest() const { return AtEnd() ? std::string_view() : text.substr(pos); }
};

KpdCursor KpdValueCursor(const PARSEROBJ* p);
std::string_view KpdText(const BUFOBJ& b);

// Skips blanks and line ends.
void KpdSkipBlanks(KpdCursor& c);
// A word: after blanks and one leading '*', the run up to a blank, line end,
// separator or the end. The stopping character is consumed and returned in
// delimiter ('\0' at the end). Nullopt at the end of the text.
std::optional<std::string_view> KpdGetKeywordValue(KpdCursor& c, char* delimiter = nullptr);

// A word of a list: as KpdGetKeywordValue, but a quote or brace that ends
// the word stays for the caller.
std::optional<std::string_view> KpdGetListWord(KpdCursor& c);

// A decimal number: after blanks, an optional '-' and digits.
struct KpdNumber {
  LONGLONG value;
  bool digits;    // at least one digit was read
  bool overflow;  // more than fits 32 bits
};
KpdNumber KpdGetNumericValue(KpdCursor& c);
// A quoted list of at most out.size() numbers, each fitting 32 bits; the
// cursor moves past the closing quote.
KpdFault KpdGetQuotedNumbers(KpdCursor& c, std::span<KpdNumber> out, size_t* count);
bool KpdFitsShort(const KpdNumber& n);
bool KpdFitsWord(const KpdNumber& n);
bool KpdFitsLong(const KpdNumber& n);

// A quoted string decoded: CR and LF dropped, hex pairs between angle
// brackets as bytes, '%' takes the next character. The string begins at the
// first quote, whatever text comes before it; the cursor moves past the
// closing quote. Empty (no quote or "") gives an empty result. A stop
// character bounds the search for the quote: a braced list entry that lacks
// its string passes its own closing brace to no one and never takes the
// string of the entry after it (the cursor stays at the stop character).
struct KpdString {
  KpdFault fault;  // kBadString for a '%' with nothing after it
  LPSTR text;      // a new NUL-terminated block, null when empty
  DWORD length;    // bytes with the NUL; 0 when empty
};
KpdString KpdGetStringValue(KpdCursor& c, char stop = '\0');
// Moves past the next ch; false (cursor at the end) when there is none.
bool KpdGetCharSkip(KpdCursor& c, char ch);
// The number in an option word: every digit accumulated, a '-' anywhere
// makes it negative, other characters passed over, stopping at a blank or
// '='. Nullopt when it does not fit 32 bits.
std::optional<LONGLONG> KpdGetId(std::string_view word);

// Word tables: the value of the matching row, else the table's value on no
// match.
struct KpdWord {
  std::string_view word;
  WORD value;
};
struct KpdWordTable {
  const KpdWord* rows;
  size_t count;
  WORD noMatch;
};
WORD SearchStringTable(const KpdWordTable& table, std::string_view word);
extern const KpdWordTable uitypeStrs;
extern const KpdWordTable boolStrs;
extern const KpdWordTable sttypeStrs;
extern const KpdWordTable pttypeStrs;

// Characters of the "FileVersion" text that are kept.
inline constexpr DWORD kKpdVersionChars = 14;
// Writes the first kKpdVersionChars characters of raw as wide text and
// zero-fills the rest of the 16-character field.
void KpdCopyVersion(std::string_view raw, LPWSTR version);

// ANSI text to a new wide block of the same character count (null for
// empty text or no memory).
LPWSTR KpdAnsiToWide(std::string_view text);

// --- Groups ---------------------------------------------------------------

// The group of the open group id and sub-group number; null when none.
WorkUiGroup* KpdOpenGroup(WorkBKPD* work);
// The first group of a group id (the main group); null when none.
WorkUiGroup* KpdFirstGroupOf(WorkBKPD* work, WORD groupId);
// The option of a value keyword in a group's list; null when absent.
WorkOption* KpdFindOption(WorkBKPD* work, WorkUiGroup* g, std::string_view keyword);
// Whether a group other than g holds g's command pair. Only groups of g's
// group id can: a sub-group starts as a copy of the first group of its id,
// and no other group takes a command pair from another.
bool KpdCommandsSharedWithOther(WorkBKPD* work, const WorkUiGroup* g);

// Closes the open group as CloseUI does.
void KpdCloseOpenGroup(WorkBKPD* work);

// --- Judge words, definition numbers, macros and references ------------

// A word of a judge expression or of a definition's value
// (settings/kpd/kpd_compile_judge.cpp).
enum class KpdWordKind : BYTE {
  kEnd,       // the end of the text
  kNumber,    // decimal digits not followed by a keyword character
  kKeyword,   // a run of keyword characters
  kBracket,   // one of ( ) { }
  kOperator,  // a run of = ! & | > <
  kOther,     // any other single character
};
struct KpdSplitWord {
  KpdWordKind kind;
  std::string_view text;
};
KpdSplitWord KpdCopyWord(KpdCursor& c);

// The number of a definition from its option word (the digits before any
// '='): 1-65535, as references carry 16 bits.
KpdFault KpdDefinitionNumber(std::string_view option1, WORD* number);
// The macro name of an option word: the text after its first '=', empty
// when there is none.
std::string_view KpdMacroName(std::string_view option1);
// Binds a name to a number in the kind's macro list (an empty name is not
// stored); a name bound twice keeps its first number.
KpdFault KpdSetKeywordMacro(WorkBKPD* work, WorkMacroKind kind, std::string_view name, DWORD number);
// The number bound to the name, or 0.
DWORD KpdSearchKeywordMacro(const WorkBKPD* work, WorkMacroKind kind, std::string_view name);

// The first compiled judge of a number, or null.
const WorkJudge* KpdFindJudge(const WorkBKPD* work, DWORD number);

// A reference word read for a field expecting a definition of kind (one of
// kRefJudge ... kRefAlertAction): "NULL", a kind prefix with a number
// ("Transact4"), or a macro name of that kind.
struct KpdReference {
  KpdFault fault;  // kNumberRange for a number beyond 16 bits
  bool null;       // the word is "NULL": no reference, on purpose
  WORD number;     // 0 when the word names nothing of the kind
};
KpdReference KpdResolveReference(const WorkBKPD* work, std::string_view word, DWORD kind);
// A judge reference: 0 for "NULL"; the number of "Judge<n>", or of a judge
// name bound before (names are read when met). Whether that judge exists
// is known only at the end of the text (KpdHeldEntry). Anything else
// ("Judge0", a reference of another kind, a name not bound yet) is
// kUnknownJudge, so that a guard never silently becomes "always".
KpdFault KpdJudgeReference(const WorkBKPD* work, std::string_view word, WORD* number);

// Handlers of the option lines of the open group.
KpdFault OptionCommonProc(KpdCompiler& c);
KpdFault OptionDefaultProc(KpdCompiler& c);

// Handlers of the keyword table.
KpdFault VersionProc(KpdCompiler& c);
KpdFault OpenUiProc(KpdCompiler& c);
KpdFault CloseUiProc(KpdCompiler& c);
KpdFault OptionNumericProc(KpdCompiler& c);
KpdFault OptionStringProc(KpdCompiler& c);
KpdFault OptionPageProc(KpdCompiler& c);
KpdFault OptionPageMMProc(KpdCompiler& c);
KpdFault OptionSlotProc(KpdCompiler& c);
KpdFault OptionCommandProc(KpdCompiler& c);
KpdFault DeviceFontProc(KpdCompiler& c);
KpdFault OptionFontProc(KpdCompiler& c);
KpdFault FontConvTblProc(KpdCompiler& c);
KpdFault CommandStringProc(KpdCompiler& c);
KpdFault UIResDLLNameProc(KpdCompiler& c);
KpdFault ExcDepDLLNameProc(KpdCompiler& c);
// Command trees (settings/kpd/kpd_compile_cmdgroups.cpp).
KpdFault CommandGroupProc(KpdCompiler& c);
// Judges (settings/kpd/kpd_compile_judge.cpp) and the constraint
// definitions (settings/kpd/kpd_compile_definitions.cpp).
KpdFault JudgeUiProc(KpdCompiler& c);
KpdFault ItemUiProc(KpdCompiler& c);
KpdFault ActionUiProc(KpdCompiler& c);
KpdFault TransactUiProc(KpdCompiler& c);
KpdFault AlertActionUiProc(KpdCompiler& c);
KpdFault AlertUiProc(KpdCompiler& c);
KpdFault ExclusiveUiProc(KpdCompiler& c);
