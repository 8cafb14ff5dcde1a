// The run-time flag bytes at the end of the private DEVMODE: the environment
// of the current call (caller, system, rights, installation state), set at
// every entry and never taken from a caller's DEVMODE. Setters store the low
// byte of the value; getters return the byte zero-extended. The forms that
// take a context act on its current DEVMODE. A null DEVMODE or context reads
// as 0 and is never written (setters then return FALSE).
#pragma once

#include "platform/spooler/devmode.h"
#include "platform/base/wintypes.h"

struct UCB;

// The seventeen flags, in their order in the DEVMODE.
enum class KdmRunTimeFlag : BYTE {
  CallSrc,
  OSKind,
  BatchInst,
  PrintLog,
  BiDirect,
  NoPermission,
  PresentUIMode,
  BidiSupport,
  ServerClientMode,
  UserCodeFIX,
  UserCodeGet,
  PXInstalled,
  PropertyType,
  UserCodeDLL,
  TSE,
  Admin,
  BidiFunc,
};
inline constexpr int kRunTimeFlagCount = 17;

DWORD GetKDMRunTimeFlagByDM(const DEVMODEW* dm, KdmRunTimeFlag flag);
BOOL SetKDMRunTimeFlagByDM(DEVMODEW* dm, KdmRunTimeFlag flag, DWORD value);

// CallSrc
BOOL SetKDMCallSrc(UCB* ucb, DWORD value);
DWORD GetKDMCallSrc(const UCB* ucb);
BOOL SetKDMCallSrcByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMCallSrcByDM(const DEVMODEW* dm);
BOOL SetKDMCallSrcAppl(UCB* ucb);  // 0
BOOL SetKDMCallSrcProperty(UCB* ucb);  // 1

// OSKind
BOOL SetKDMOSKind(UCB* ucb, DWORD value);
DWORD GetKDMOSKind(const UCB* ucb);
BOOL SetKDMOSKindByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMOSKindByDM(const DEVMODEW* dm);
BOOL SetKDMOSKindNT(UCB* ucb);  // 1
BOOL SetKDMOSKind2000(UCB* ucb);  // 2

// BatchInst
BOOL SetKDMBatchInst(UCB* ucb, DWORD value);
BOOL SetKDMBatchInstByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMBatchInstByDM(const DEVMODEW* dm);
BOOL SetKDMBatchInstOff(UCB* ucb);
BOOL SetKDMBatchInstOn(UCB* ucb);

// PrintLog
BOOL SetKDMPrintLog(UCB* ucb, DWORD value);
DWORD GetKDMPrintLog(const UCB* ucb);
BOOL SetKDMPrintLogByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMPrintLogByDM(const DEVMODEW* dm);
BOOL SetKDMPrintLogOff(UCB* ucb);
BOOL SetKDMPrintLogOn(UCB* ucb);

// BiDirect
BOOL SetKDMBiDirect(UCB* ucb, DWORD value);
DWORD GetKDMBiDirect(const UCB* ucb);
BOOL SetKDMBiDirectByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMBiDirectByDM(const DEVMODEW* dm);
BOOL SetKDMBiDirectOff(UCB* ucb);
BOOL SetKDMBiDirectOn(UCB* ucb);

// NoPermission
BOOL SetKDMNoPermission(UCB* ucb, DWORD value);
DWORD GetKDMNoPermission(const UCB* ucb);
BOOL SetKDMNoPermissionByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMNoPermissionByDM(const DEVMODEW* dm);
BOOL SetKDMNoPermissionOff(UCB* ucb);
BOOL SetKDMNoPermissionOn(UCB* ucb);

// PresentUIMode
BOOL SetKDMPresentUIMode(UCB* ucb, DWORD value);
DWORD GetKDMPresentUIMode(const UCB* ucb);
BOOL SetKDMPresentUIModeOff(UCB* ucb);
BOOL SetKDMPresentUIModeOn(UCB* ucb);

// BidiSupport
BOOL SetKDMBidiSupport(UCB* ucb, DWORD value);
BOOL SetKDMBidiSupportOff(UCB* ucb);
BOOL SetKDMBidiSupportOn(UCB* ucb);

// ServerClientMode
BOOL SetKDMServerClientMode(UCB* ucb, DWORD value);
DWORD GetKDMServerClientMode(const UCB* ucb);
BOOL SetKDMServerClientModeByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMServerClientModeByDM(const DEVMODEW* dm);
BOOL SetKDMServerClientModeOff(UCB* ucb);
BOOL SetKDMServerClientModeOn(UCB* ucb);

// UserCodeFIX
BOOL SetKDMUserCodeFIX(UCB* ucb, DWORD value);
BOOL SetKDMUserCodeFIXOff(UCB* ucb);
BOOL SetKDMUserCodeFIXOn(UCB* ucb);

// UserCodeGet
BOOL SetKDMUserCodeGet(UCB* ucb, DWORD value);
DWORD GetKDMUserCodeGet(const UCB* ucb);
BOOL SetKDMUserCodeGetOff(UCB* ucb);
BOOL SetKDMUserCodeGetOn(UCB* ucb);

// PXInstalled
BOOL SetKDMPXInstalled(UCB* ucb, DWORD value);
BOOL SetKDMPXInstalledOff(UCB* ucb);
BOOL SetKDMPXInstalledOn(UCB* ucb);

// PropertyType
BOOL SetKDMPropertyType(UCB* ucb, DWORD value);
BOOL SetKDMPropertyTypeByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMPropertyTypeByDM(const DEVMODEW* dm);
BOOL SetKDMPropertyTypeDocument(UCB* ucb);  // 0
BOOL SetKDMPropertyTypePrinter(UCB* ucb);  // 1

// UserCodeDLL
BOOL SetKDMUserCodeDLL(UCB* ucb, DWORD value);
BOOL SetKDMUserCodeDLLOff(UCB* ucb);
BOOL SetKDMUserCodeDLLOn(UCB* ucb);

// TSE
BOOL SetKDMTSE(UCB* ucb, DWORD value);
DWORD GetKDMTSE(const UCB* ucb);
BOOL SetKDMTSEByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMTSEByDM(const DEVMODEW* dm);

// Admin
BOOL SetKDMAdmin(UCB* ucb, DWORD value);
DWORD GetKDMAdmin(const UCB* ucb);
BOOL SetKDMAdminByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMAdminByDM(const DEVMODEW* dm);

// BidiFunc
BOOL SetKDMBidiFunc(UCB* ucb, DWORD value);
DWORD GetKDMBidiFunc(const UCB* ucb);
BOOL SetKDMBidiFuncByDM(DEVMODEW* dm, DWORD value);
DWORD GetKDMBidiFuncByDM(const DEVMODEW* dm);
