// The selectable-value lists a context already judged, kept while nothing
// they depend on changes. A listing judged by trial costs a consistency pass
// per value; callers that ask again on the same settings (each DEVMODE
// merge of an application, the capability block of every hand-out, a page
// listing its controls) take the kept answer instead.
//
// What a judgement reads is all in the key: the compiled description, the
// whole DCB (its owned arrays by content, not by address), the settings'
// changed marks, the changed-page flag, the request word, the open mode,
// the last validation's mode word and the tab the dialog engine serves. Any
// other state makes a new key, and the kept lists are dropped.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;
struct ACTIVEVALUEMEMO;

// The list kept for (funcId, mode) on the context's current state: true
// with values and count pointing into the memo (valid until the next call
// on the context) when one was kept.
bool FindActiveValues(UCB* ucb, WORD funcId, DWORD mode, const DWORD*& values, DWORD& count);
// Keeps the list judged for (funcId, mode) on the context's current state.
// Nothing is kept when memory runs short.
void KeepActiveValues(UCB* ucb, WORD funcId, DWORD mode, const DWORD* values, DWORD count);
// Frees the context's kept lists.
void FreeActiveValueMemo(UCB* ucb);
