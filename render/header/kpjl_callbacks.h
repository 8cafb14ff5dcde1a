// The job-header callbacks: settings whose header text the plain group
// procedures cannot write (date and time, names of the printer, the driver
// and its files, margins scaled to the device resolution, the chapter
// plan, replaced texts and the colour-rendering files). A setting names
// its callback by the id in its setting record; a callback that reports
// the group as handled (non-zero) replaces the group procedure. Every
// callback emits through the sink of the block being built.
#pragma once

#include "platform/base/wintypes.h"
#include "render/header/kpjl_emit.h"

struct UCB;
struct SFCB;

// Ids 1-13 here; any other id goes to UserCallBack. 0 for a null context
// or record.
int CoreCallBack(UCB* ucb, const SFCB* sfcb, LONG_PTR value, const UiGroup* group, HeaderSink* sink);
// Ids 101 and 102; 0 for any other id.
int UserCallBack(UCB* ucb, const SFCB* sfcb, LONG_PTR value, const UiGroup* group, HeaderSink* sink);

// The callbacks; each returns non-zero, whatever it emitted.
int iKPJLCBTime(BOOL date, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBChgDefRes(LONG_PTR value, const UiGroup* group, HeaderSink* sink, BOOL negate, UCB* ucb);
int iKPJLCBPrinterName(BOOL driver, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBIniFileName(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBLogFileName(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBDrvFileName(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBTellNoConv(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBChapterPrint(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBReplaceStr(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBAddInstDir(const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBColorProfile(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb);
int iKPJLCBColorProfileExt(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb);

// The stamp of the snapshot's local time between double quotes: the date
// as 2004/03/07 with the flag, else the time as 09:05:01. buffer holds at
// least kTimeStampBytes.
inline constexpr int kTimeStampBytes = 24;
void GetTimeStamp(LPSTR buffer, BOOL date, const ENG_TIME_FIELDS& time);
// The printer-data value "LogFileName" (UTF-16), at most bytes of it, into
// buffer; FALSE for a null buffer, a zero size or a failed read.
BOOL GetLogFileNameFromReg(LPWSTR buffer, DWORD bytes, UCB* ucb);
