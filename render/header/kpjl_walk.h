// The walk over the description's command trees that produces the text of
// a header block: commands with their judges, node lists, group references
// dispatched by group type, literal strings and the two font lines. Every
// function emits through a sink (render/header/kpjl_emit.h) and returns a
// status: 0 or 1 success, -1 failure (the walk of every enclosing list then
// stops and no block is written).
#pragma once

#include "platform/base/wintypes.h"
#include "render/header/kpjl_emit.h"

struct UCB;
struct SFCB;

// One pass over a command: a fill pass when size and buffer are both given
// (the buffer holds size bytes and a terminating zero), else a size pass,
// whose status 0 with a positive count becomes 1. The count goes through
// length when that is not null.
int OutpBufBase(UCB* ucb, const BKPDCOMMANDGROUP* command, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer,
                LONG* length);

int CommonCmdSize(UCB* ucb, const BKPDCOMMANDGROUP* command, HeaderSink* sink);
int TransCmdSize(UCB* ucb, const CmdEntryHead* first, HeaderSink* sink);
int GroupTypeSize(UCB* ucb, const CmdGroupEntry* node, HeaderSink* sink);
int FontTypeSize(UCB* ucb, HeaderSink* sink);
int FontTblCmdSize(UCB* ucb, LONG_PTR value, const UiGroup* group, HeaderSink* sink);

// The group procedures, by group type.
using GroupSizeProc = int (*)(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB* sfcb, HeaderSink* sink);
int PickOneSizeProc(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB* sfcb, HeaderSink* sink);
int BooleanSizeProc(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB* sfcb, HeaderSink* sink);
int NumericSizeProc(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB* sfcb, HeaderSink* sink);
int StringSizeProc(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB* sfcb, HeaderSink* sink);

struct GrpBufType {
  WORD type;
  GroupSizeProc proc;
};
// Searched in order; ends with a null procedure.
extern const GrpBufType GrpBufType_Table[];

// value × numerator ÷ denominator, truncated toward zero and held to the
// signed 32-bit range; FALSE (nothing to write) for a zero denominator.
BOOL ScaleHeaderNumber(LONG_PTR value, ULONGLONG numerator, ULONGLONG denominator, LONG* result);
