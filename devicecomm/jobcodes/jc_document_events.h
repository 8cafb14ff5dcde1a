// Job codes on document events: at the start of a document and of each
// page the codes the job-code library holds for the printer go to the
// rendering library by private escapes on the application's printer DC, so
// that they reach the job. There is no printer context here, only the
// printer handle and the DC. User mode only.
#pragma once

#include "devicecomm/jobcodes/jc_interface.h"
#include "platform/base/wintypes.h"
#include "platform/gdi/printer_dc.h"

#if !KESM_KERNEL_MODE
// Sends kinds 1-5 and 8 when the driver supports the job-code library.
// Always TRUE: a missing library or value sends fewer escapes.
BOOL EscapeJobCodeWithoutUCB(HANDLE printer, HDC dc);
// Sends each kind of the mask that has an escape and a value. TRUE when
// the library was opened for the printer. The library stays loaded for the
// DC until EndJobCodeDocument: it is loaded once per document, and the
// codes are fetched afresh at each event.
BOOL _EscapeJobCodeWithoutUCB(HANDLE printer, HDC dc, DWORD kindMask);
// Gives the DC's interface back and unloads the library; called when the
// document ends, is aborted or the DC is deleted. Nothing for a DC without
// one.
void EndJobCodeDocument(HDC dc);
// The DCs whose document holds the library now.
DWORD CountJobCodeDocuments();

// Fetches one kind as wide text into a buffer of wideBytes and converts it
// into text, zero-filled ANSI of wideBytes / 2 bytes. TRUE when a text was
// produced.
BOOL _GetJobCodeInBuf(WORD version, const JCINTERFACE* iface, DWORD handle, DWORD kind, DWORD type,
                      DWORD wideBytes, LPSTR text);
// The interface's get operation with the last six arguments; its status.
DWORD _GetJobCodeSelect(WORD version, const JCINTERFACE* iface, DWORD handle, DWORD kind, DWORD type,
                        LPVOID buffer, DWORD size, DWORD* needed);
#endif
