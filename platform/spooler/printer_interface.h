// What the spooler and GDI pass to a printer interface DLL (the
// configuration library of a printer driver): the records of its entry
// points and the codes they take.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"
#include "platform/compstui/compstui.h"
#include "platform/spooler/devmode.h"

// A document-properties request, as a document sheet receives it through
// PROPSHEETUI_INFO.lParamInit.
struct DOCUMENTPROPERTYHEADER {
  WORD cbSize;
  WORD Reserved;
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
  DEVMODEW* pdmIn;
  DEVMODEW* pdmOut;
  DWORD cbOut;
  DWORD fMode;
};

// A printer-properties request.
struct DEVICEPROPERTYHEADER {
  WORD cbSize;
  WORD Flags;
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
};
inline constexpr WORD DPS_NOPERMISSION = 0x0001;

// The job check: the job's DEVMODE and room for an error text.
struct DEVQUERYPRINT_INFO {
  WORD cbSize;
  WORD Level;
  HANDLE hPrinter;
  DEVMODEW* pDevMode;
  LPWSTR pszErrorStr;
  DWORD cchErrorStr;
  DWORD cchNeeded;
};

// A driver upgrade of level 1.
struct DRIVER_UPGRADE_INFO_1 {
  LPWSTR pPrinterName;
  LPWSTR pOldDriverDirectory;
};

#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == 48 && offsetof(DOCUMENTPROPERTYHEADER, cbOut) == 40);
static_assert(sizeof(DEVICEPROPERTYHEADER) == 24);
static_assert(sizeof(DEVQUERYPRINT_INFO) == 40 && offsetof(DEVQUERYPRINT_INFO, cchErrorStr) == 32);
static_assert(sizeof(DRIVER_UPGRADE_INFO_1) == 16);
#endif

// fMode bits beyond those of devmode.h.
inline constexpr DWORD DM_ADVANCED = 0x10;
inline constexpr DWORD DM_NOPERMISSION = 0x20;
inline constexpr DWORD DM_USER_DEFAULT = 0x40;

// Document events GDI raises on a printer DC (iEsc of DrvDocumentEvent).
inline constexpr int DOCUMENTEVENT_CREATEDCPRE = 1;
inline constexpr int DOCUMENTEVENT_CREATEDCPOST = 2;
inline constexpr int DOCUMENTEVENT_RESETDCPRE = 3;
inline constexpr int DOCUMENTEVENT_RESETDCPOST = 4;
inline constexpr int DOCUMENTEVENT_STARTDOC = 5;
inline constexpr int DOCUMENTEVENT_STARTPAGE = 6;
inline constexpr int DOCUMENTEVENT_ENDPAGE = 7;
inline constexpr int DOCUMENTEVENT_ENDDOC = 8;
inline constexpr int DOCUMENTEVENT_ABORTDOC = 9;
inline constexpr int DOCUMENTEVENT_DELETEDC = 10;
inline constexpr int DOCUMENTEVENT_ESCAPE = 11;
inline constexpr int DOCUMENTEVENT_ENDDOCPOST = 12;
inline constexpr int DOCUMENTEVENT_STARTDOCPOST = 13;  // pvIn: the LONG job id
inline constexpr int DOCUMENTEVENT_QUERYFILTER = 14;
// Results of DrvDocumentEvent.
inline constexpr int DOCUMENTEVENT_SUCCESS = 1;
inline constexpr int DOCUMENTEVENT_UNSUPPORTED = 0;
inline constexpr int DOCUMENTEVENT_FAILURE = -1;

// Printer events the spooler sends (DrvPrinterEvent).
inline constexpr int PRINTER_EVENT_ADD_CONNECTION = 1;
inline constexpr int PRINTER_EVENT_DELETE_CONNECTION = 2;
inline constexpr int PRINTER_EVENT_INITIALIZE = 3;
inline constexpr int PRINTER_EVENT_DELETE = 4;
inline constexpr int PRINTER_EVENT_CACHE_REFRESH = 5;

// Device capabilities (DrvDeviceCapabilities).
inline constexpr WORD DC_FIELDS = 1;
inline constexpr WORD DC_PAPERS = 2;
inline constexpr WORD DC_PAPERSIZE = 3;
inline constexpr WORD DC_MINEXTENT = 4;
inline constexpr WORD DC_MAXEXTENT = 5;
inline constexpr WORD DC_BINS = 6;
inline constexpr WORD DC_DUPLEX = 7;
inline constexpr WORD DC_SIZE = 8;
inline constexpr WORD DC_EXTRA = 9;
inline constexpr WORD DC_VERSION = 10;
inline constexpr WORD DC_DRIVER = 11;
inline constexpr WORD DC_BINNAMES = 12;
inline constexpr WORD DC_ENUMRESOLUTIONS = 13;
inline constexpr WORD DC_FILEDEPENDENCIES = 14;
inline constexpr WORD DC_TRUETYPE = 15;
inline constexpr WORD DC_PAPERNAMES = 16;
inline constexpr WORD DC_ORIENTATION = 17;
inline constexpr WORD DC_COPIES = 18;
inline constexpr WORD DC_BINADJUST = 19;
inline constexpr WORD DC_EMF_COMPLIANT = 20;
inline constexpr WORD DC_DATATYPE_PRODUCED = 21;
inline constexpr WORD DC_COLLATE = 22;
// The sizes of the names DC_BINNAMES and DC_PAPERNAMES write, in WCHARs.
inline constexpr int CCHBINNAME = 24;
inline constexpr int CCHPAPERNAME = 64;
// DC_TRUETYPE bits.
inline constexpr DWORD DCTT_BITMAP = 0x1;
inline constexpr DWORD DCTT_DOWNLOAD = 0x2;
inline constexpr DWORD DCTT_SUBDEV = 0x4;

// The property-sheet host's side of a sheet call.
struct PROPSHEETUI_INFO {
  WORD cbSize;
  WORD Version;
  WORD Flags;
  WORD Reason;
  HANDLE hComPropSheet;
  PFNCOMPROPSHEET pfnComPropSheet;
  LPARAM lParamInit;
  ULONG_PTR UserData;
  ULONG_PTR Result;
};
// The sheet callback a driver hands the host.
using PFNPROPSHEETUI = LONG(CALLBACK*)(PROPSHEETUI_INFO* info, LPARAM lParam);
