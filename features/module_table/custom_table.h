// The module table: one row per feature module, in the order the
// dispatchers offer a call. A context holds its own copy of the rows, with
// each module's work area filled in.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct TCB;
struct UCB;

// The last argument of every entry is the row's work area (null when the
// module has none or it could not be allocated).
using CustomBuiltInFunc = int (*)(UCB* ucb, WORD id, void* work);
using CustomProcedure = INT_PTR (*)(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam,
                                    void* work);
using CustomFunction = int (*)(UCB* ucb, DWORD code, void* parameter, void* work);
// Frees what a module's work area points at, before the area itself goes.
using CustomRelease = void (*)(void* work);

struct CUSTOMROW {
  LONG workSize;  // > 0: a zeroed work area of this size per context
  void* work;     // null in the static table
  CustomBuiltInFunc builtInFunc;
  CustomProcedure procedure;
  CustomFunction function;
  CustomRelease release;  // null when the work area owns nothing
};

// {count, rows} in the context's work area.
struct CUSTOMTABLE {
  LONG count;
  CUSTOMROW* rows;
};

inline constexpr LONG kCustomRows = 10;

// The static rows; stores their count in *count.
const CUSTOMROW* RegisterCustomFuncs(LONG* count);
