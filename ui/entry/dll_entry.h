// The configuration library's module entry and its exported spooler entry
// points. Every export is a thin forwarder to the function of the same
// name with a leading underscore, which holds the body; the bodies run on
// the caller's thread and never let an exception out.
#pragma once

#include "platform/base/dllexport.h"
#include "platform/base/wintypes.h"
#include "platform/spooler/printer_interface.h"

struct HDC__;
using HDC = HDC__*;

// Reasons of the module entry.
inline constexpr ULONG DLL_PROCESS_DETACH = 0;
inline constexpr ULONG DLL_PROCESS_ATTACH = 1;
inline constexpr ULONG DLL_THREAD_ATTACH = 2;
inline constexpr ULONG DLL_THREAD_DETACH = 3;

// The module handle of the library, stored on process attach.
extern HINSTANCE ghInstance;

KESM_EXPORT BOOL DllInitialize(HANDLE module, ULONG reason, LPVOID reserved);
KESM_EXPORT LONG DrvDocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam);
KESM_EXPORT LONG DrvDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam);
KESM_EXPORT BOOL PrinterProperties(HWND window, HANDLE printer);
KESM_EXPORT LONG DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, DEVMODEW* out,
                                       DEVMODEW* in, DWORD fMode);
KESM_EXPORT LONG DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, DEVMODEW* out,
                                               DEVMODEW* in);
KESM_EXPORT int DrvDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inBytes, PVOID in, ULONG outBytes,
                                 PVOID out);
KESM_EXPORT BOOL DrvConvertDevMode(LPWSTR printerName, DEVMODEW* in, DEVMODEW* out, LONG* size, DWORD mode);
KESM_EXPORT BOOL DevQueryPrintEx(DEVQUERYPRINT_INFO* info);
KESM_EXPORT BOOL DrvPrinterEvent(LPWSTR printerName, int event, DWORD flags, LPARAM lParam);
KESM_EXPORT BOOL DrvUpgradePrinter(DWORD level, LPBYTE info);
KESM_EXPORT DWORD DrvDeviceCapabilities(HANDLE printer, LPWSTR deviceName, WORD capability, PVOID output,
                                        DEVMODEW* devmode);

BOOL _DllInitialize(HANDLE module, ULONG reason, LPVOID reserved);
