// Lookups of a printer context: setting records by function id or group id,
// tabs and items of the dialog layout, and the static keyword and alert
// tables. Every lookup over setting, tab and item records works on the
// context's own copies; a null context means the static root where a
// function says so. The records returned belong to the context (or to the
// read-only root) and are never freed by the caller.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/alert_table.h"
#include "settings/context/context_block.h"
#include "settings/tables/dialog_tables.h"
#include "settings/tables/keyword_tables.h"
#include "settings/tables/setting_table.h"

// --- Setting records (null context: the static table) --------------------

// The record of a function id, or null. Ids of the two contiguous runs are
// found by position; any other id is searched for and only ever yields a
// record that carries that id.
SFCB* GetSFCBbyFuncID(const UCB* ucb, WORD funcId);
// The record whose group id matches, else the record of the group
// keyword's function id; null for group 0 and for groups of no setting.
SFCB* GetSFCBbyGroupID(const UCB* ucb, WORD groupId);
// The setting name of a function id (also its save and restore key), or
// null when the id has no record or the record no name.
LPCWSTR GetSaveRestoreKeyByFuncID(const UCB* ucb, WORD funcId);

// --- Static keyword tables ------------------------------------------------

const GK* GetGKbyGroupID(WORD groupId);
const GK* GetGKbyKeyWord(LPCSTR keyword);  // case-sensitive; null keyword: null
const SP* GetSPbyPartsIDAndFunID(WORD funcId, WORD valueIndex);
const SP* GetSPbyKeyWord(LPCSTR keyword);

// --- Tabs and items (the context's copies) --------------------------------

TCB* GetTCBbyTabID(const UCB* ucb, WORD tabId);
TCB* GetTCBbyHwnd(const UCB* ucb, HWND hwnd);
// A null context searches the static root's tabs (read only).
TCB* GetTCBbyKeyWord(const UCB* ucb, LPCSTR keyword);
// The index-th item of a tab; null for a null tab or an index outside it.
ICB* GetICBbyIndex(const TCB* tcb, int index);
// With a tab: its items; without: every tab of the context in order; with
// neither a tab nor a context: null.
ICB* GetICBbyItemID(const UCB* ucb, const TCB* tcb, WORD itemId);
ICB* GetICBbyHwnd(const UCB* ucb, const TCB* tcb, HWND hwnd);
ICB* GetICBbyGroupID(const UCB* ucb, const TCB* tcb, WORD groupId);
// The item of the group that the keyword names (GK), as GetICBbyGroupID.
ICB* GetICBbyKeyWord(const UCB* ucb, const TCB* tcb, LPCSTR keyword);

// --- Alerts (the context's list; a null context: the static table) --------

WORD GetAlertNum(const UCB* ucb);
// The index-th alert, or null for an index outside the list.
const AP* GetAPbyIndex(const UCB* ucb, int index);
const AP* GetAPbyAlertID(const UCB* ucb, WORD alertId);
const AP* GetAPbyKeyWord(const UCB* ucb, LPCSTR keyword);
