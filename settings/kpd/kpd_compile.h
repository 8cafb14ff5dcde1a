// The printer-description compiler: turns the KPD text into a work
// description (settings/bkpd/bkpd_work.h) that the packer lays out as a compiled
// description. It reads entry by entry, hands each entry to the handler of
// its keyword and never stops on a bad entry: the entry is dropped, the
// reason is noted in the report, and compiling goes on. Only the end of the
// text ends a compile with a result; a text cut inside a quote or bracket,
// or exhausted memory anywhere (reading or handling an entry), gives none.
// Definitions and command trees that name judges are added once the whole
// text is read, so "Judge12" may name a judge defined later; one that
// names a judge that never comes is refused then.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_work.h"
#include "settings/kpd/kpd_reader.h"

// Why an entry was dropped (or, for kGroupNotClosed, repaired).
enum class KpdFault : BYTE {
  kNone,
  kSyntax,          // the reader could not split the entry
  kUnknownKeyword,  // no handler for the keyword
  kGroupNotClosed,  // OpenUI or the end of text while a group was open; it was closed
  kNoGroup,         // a keyword that needs an open group came outside one
  kUnknownGroup,    // not a group keyword, or a group that does not exist
  kUnknownValue,    // not a value keyword where one is required
  kUnknownOption,   // the named option is not one of the open group's options
  kWrongGroupType,  // the entry does not fit the type of the open group
  kTypeWordTooLong, // a group type word longer than kKpdMaxTypeWord characters
  kNumberRange,     // a number that does not fit its field
  kBadString,       // a quoted string that cannot be decoded (a '%' with nothing after it)
  kBadValue,        // a value that does not have the entry's form
  kBadJudge,        // a judge expression that is not well formed (see settings/kpd/kpd_compile_judge.cpp)
  kJudgeTooLong,    // a judge of more tokens than kJudgeMaxTokens
  kUnknownJudge,    // a reference to a judge that is not defined (by the end of the text),
                    // or to a judge name not bound before it
  kUnclosedBraces,  // a definition or command block whose braces never close
  kTooDeep,         // parentheses or command blocks nested deeper than allowed
  kNoMemory,        // a record could not be allocated; the compile gives no result
};
inline constexpr SIZE_T kKpdFaultCount = static_cast<SIZE_T>(KpdFault::kNoMemory) + 1;

// Text of a fault, for logs and test messages.
LPCSTR KpdFaultName(KpdFault fault);

// The longest group type word after OpenUI's colon.
inline constexpr DWORD kKpdMaxTypeWord = 15;

struct KpdDiagnostic {
  KpdFault fault;
  DWORD offset;  // bytes of the text read when the entry ended
};

inline constexpr DWORD kKpdReportedFaults = 32;

// What a compile noted. The first kKpdReportedFaults faults in the order
// of the text are kept; faultCount counts all of them.
struct KpdCompileReport {
  DWORD faultCount;
  KpdDiagnostic faults[kKpdReportedFaults];
  int endResult;  // the reader result that ended the compile; kKpdNoMemory also
                  // when it could not start or an entry's handler ran out of
                  // memory, kKpdOk when the file could not be opened
};

// Compiles the description file. Null when the file cannot be opened, the
// text ends inside an open quote or bracket, or memory runs out. The caller
// frees the result with WorkBKPD_Free (after packing it).
WorkBKPD* WorkBKPD_Create(LPCWSTR fileName);
// The same over text in memory; the report, when given, is filled.
WorkBKPD* WorkBKPD_CreateFromText(const BYTE* text, DWORD size, KpdCompileReport* report);
// The same over a file, with a report.
WorkBKPD* WorkBKPD_CreateWithReport(LPCWSTR fileName, KpdCompileReport* report);

// Hands one entry read by the parser to its handler: kKpdOk when a handler
// took it, kKpdSyntax when it was dropped. An entry handed over on its own
// is added at once, so the judges it names must exist already.
int WorkBKPD_InterpretEntry(WorkBKPD* work, PARSEROBJ* parser);
// The same, noting the reason of a drop (or of a repair) in the report,
// which is added to, not reset.
int WorkBKPD_InterpretEntryWithReport(WorkBKPD* work, PARSEROBJ* parser, KpdCompileReport* report);

// Reads entries until the first "FileVersion" and copies its raw value
// text, at most 14 characters, into version (16 characters). Always 1;
// without such an entry, or when the file cannot be opened, version is left
// as it was.
int GetKPDVersion(LPCWSTR fileName, LPWSTR version);

// A new zero-filled copy of the full path of the printer driver's data
// file, or null; the caller frees it with FreeMemPtr. The kernel-mode build
// asks the engine for the device's data file.
LPWSTR GetDataFileName(HANDLE printer);

// TRUE when every character of the text is a decimal digit (an empty text
// included); TRUE when every one is an ASCII letter or digit.
BOOL _isdigit(LPCSTR text);
BOOL _isalnum(LPCSTR text);
