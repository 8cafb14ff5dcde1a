// The option-control variable list: for the settings an application may
// ask about without a dialog, which values exist, what each value needs
// (a list of conditions on other settings, or a trial under the
// description's actions) and what a trial changes besides the value. Also
// the id translation of the support conditions and the list of settings an
// application's request block may set. Static data, shared by every
// context.
#pragma once

#include <array>
#include <cstddef>

#include "platform/base/wintypes.h"

// A condition or a side effect: condition entries compare the setting's
// stored value with value; side-effect entries store value into it. Only
// the low 16 bits of funcId count. The link word joins a condition to the
// one after it.
struct ExcEntry {
  const ExcEntry* next;
  DWORD link;
  DWORD funcId;
  DWORD value;
};

// A list of entries written as an array of terms: the chain links each
// entry to the one after it, the last to none. Constant-initialised in the
// tables; never copied, so that the links stay within it.
struct ExcTerm {
  DWORD link;
  DWORD funcId;
  DWORD value;
};
struct ExcJoined {};
template <std::size_t N>
struct ExcChain {
  ExcEntry entries[N];
  constexpr ExcChain(const ExcTerm (&terms)[N]) : entries{} { Link(terms); }
  // The same from terms put together by code (a join of two lists).
  constexpr ExcChain(ExcJoined, const std::array<ExcTerm, N>& terms) : entries{} { Link(terms.data()); }
  ExcChain(const ExcChain&) = delete;
  ExcChain& operator=(const ExcChain&) = delete;
  constexpr const ExcEntry* head() const { return &entries[0]; }

 private:
  constexpr void Link(const ExcTerm* terms) {
    for (std::size_t i = 0; i < N; ++i) {
      entries[i] = {i + 1 < N ? &entries[i + 1] : nullptr, terms[i].link, terms[i].funcId, terms[i].value};
    }
  }
};

// Links of condition entries. Conditions joined by the and-link form a
// chain; chains joined by the or-link form a group (one chain must hold);
// the group-end link closes a group, and every group must hold.
inline constexpr DWORD kExcLinkOr = 0;
inline constexpr DWORD kExcLinkGroupEnd = 1;
inline constexpr DWORD kExcLinkAnd = 2;

// One value of a variable.
struct ExcValue {
  DWORD flags;             // kExcValue* bits
  DWORD value;             // the stored value
  LPCSTR name;             // its name for applications
  const ExcEntry* sideEffects;  // stored with it during a trial
  const ExcEntry* conditions;   // what it needs when the variable is not tried
};
// Left out of the listing of mode 1, and not itself stored during a trial:
// the value that switches the function off.
inline constexpr DWORD kExcValueNotListed = 0x1;

struct ExcValueList {
  DWORD count;
  const ExcValue* values;
};

// One variable: a setting and its values.
struct ExcVariable {
  DWORD funcId;
  DWORD kind;  // kExcKind* bits
  DWORD mode;  // kExcMode* bits
  LPCSTR name;
  const ExcEntry* sideEffects;   // stored with every value during a trial
  const ExcValueList* values;
  const ExcEntry* support;       // conditions on the installed options
};
// A value is judged by trial: stored with its side effects, the
// description's actions applied, and kept only when everything stored
// survives. Without it the value's condition list decides.
inline constexpr DWORD kExcKindTrial = 0x8;
// The variable is offered to applications through the listing.
inline constexpr DWORD kExcModeListed = 0x1;
// The variable exists only when its support conditions hold.
inline constexpr DWORD kExcModeSupport = 0x2;

struct ExcVariableList {
  DWORD count;
  const ExcVariable* records;
};

inline constexpr DWORD kExcVariableCount = 51;
extern const ExcVariableList ExcVariableListData;
const ExcVariableList* GetExcVariableListData();

// Support conditions name the printer-wide option settings; a row maps 32
// consecutive ids from storedId on to the DEVMODE's copies of them from
// funcId on. The table ends with a zero row.
struct OptFidRow {
  WORD storedId;
  WORD funcId;
};
inline constexpr WORD kOptFidRowSpan = 32;
inline constexpr std::size_t kOptFidRows = 5;
extern const OptFidRow gOptFidTbl[kOptFidRows + 1];

// The settings an application's request block may set, ended by 0xFFFF;
// bit n of a FuncE mask stands for the n-th.
inline constexpr std::size_t kFuncECount = 19;
inline constexpr WORD kFuncEEnd = 0xFFFF;
extern const WORD FuncE[kFuncECount + 1];
