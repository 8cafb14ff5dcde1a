#include "jobsettings/devmode/runtime_flags.h"

#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/system/unaligned.h"

static_assert(sizeof(KDMRunTimeFlags) == kRunTimeFlagCount);
// Each flag's position agrees with the DEVMODE layout.
#define KDM_FLAG_AT(Name) \
  static_assert(offsetof(KDMRunTimeFlags, Name) == static_cast<std::size_t>(KdmRunTimeFlag::Name))
KDM_FLAG_AT(CallSrc);
KDM_FLAG_AT(OSKind);
KDM_FLAG_AT(BatchInst);
KDM_FLAG_AT(PrintLog);
KDM_FLAG_AT(BiDirect);
KDM_FLAG_AT(NoPermission);
KDM_FLAG_AT(PresentUIMode);
KDM_FLAG_AT(BidiSupport);
KDM_FLAG_AT(ServerClientMode);
KDM_FLAG_AT(UserCodeFIX);
KDM_FLAG_AT(UserCodeGet);
KDM_FLAG_AT(PXInstalled);
KDM_FLAG_AT(PropertyType);
KDM_FLAG_AT(UserCodeDLL);
KDM_FLAG_AT(TSE);
KDM_FLAG_AT(Admin);
KDM_FLAG_AT(BidiFunc);
#undef KDM_FLAG_AT

DWORD GetKDMRunTimeFlagByDM(const DEVMODEW* dm, KdmRunTimeFlag flag) {
  if (!dm) return 0;
  return LoadLE<BYTE>(dm, kOffRunTimeFlags + static_cast<std::size_t>(flag));
}

BOOL SetKDMRunTimeFlagByDM(DEVMODEW* dm, KdmRunTimeFlag flag, DWORD value) {
  if (!dm) return FALSE;
  StoreLE<BYTE>(dm, kOffRunTimeFlags + static_cast<std::size_t>(flag), static_cast<BYTE>(value));
  return TRUE;
}

// The named members of each flag's family.
#define KDM_FLAG_GET_BY_DM(Name) \
  DWORD GetKDM##Name##ByDM(const DEVMODEW* dm) { \
    return GetKDMRunTimeFlagByDM(dm, KdmRunTimeFlag::Name); \
  }
#define KDM_FLAG_SET_BY_DM(Name) \
  BOOL SetKDM##Name##ByDM(DEVMODEW* dm, DWORD value) { \
    return SetKDMRunTimeFlagByDM(dm, KdmRunTimeFlag::Name, value); \
  }
#define KDM_FLAG_GET(Name) \
  DWORD GetKDM##Name(const UCB* ucb) { \
    return GetKDMRunTimeFlagByDM(GetDocumentDevmode(ucb), KdmRunTimeFlag::Name); \
  }
#define KDM_FLAG_SET(Name) \
  BOOL SetKDM##Name(UCB* ucb, DWORD value) { \
    return SetKDMRunTimeFlagByDM(GetDocumentDevmode(ucb), KdmRunTimeFlag::Name, value); \
  }
#define KDM_FLAG_NAMED(Name, Suffix, value) \
  BOOL SetKDM##Name##Suffix(UCB* ucb) { \
    return SetKDMRunTimeFlagByDM(GetDocumentDevmode(ucb), KdmRunTimeFlag::Name, value); \
  }

KDM_FLAG_SET(CallSrc)
KDM_FLAG_GET(CallSrc)
KDM_FLAG_SET_BY_DM(CallSrc)
KDM_FLAG_GET_BY_DM(CallSrc)
KDM_FLAG_NAMED(CallSrc, Appl, 0)
KDM_FLAG_NAMED(CallSrc, Property, 1)
KDM_FLAG_SET(OSKind)
KDM_FLAG_GET(OSKind)
KDM_FLAG_SET_BY_DM(OSKind)
KDM_FLAG_GET_BY_DM(OSKind)
KDM_FLAG_NAMED(OSKind, NT, 1)
KDM_FLAG_NAMED(OSKind, 2000, 2)
KDM_FLAG_SET(BatchInst)
KDM_FLAG_SET_BY_DM(BatchInst)
KDM_FLAG_GET_BY_DM(BatchInst)
KDM_FLAG_NAMED(BatchInst, Off, 0)
KDM_FLAG_NAMED(BatchInst, On, 1)
KDM_FLAG_SET(PrintLog)
KDM_FLAG_GET(PrintLog)
KDM_FLAG_SET_BY_DM(PrintLog)
KDM_FLAG_GET_BY_DM(PrintLog)
KDM_FLAG_NAMED(PrintLog, Off, 0)
KDM_FLAG_NAMED(PrintLog, On, 1)
KDM_FLAG_SET(BiDirect)
KDM_FLAG_GET(BiDirect)
KDM_FLAG_SET_BY_DM(BiDirect)
KDM_FLAG_GET_BY_DM(BiDirect)
KDM_FLAG_NAMED(BiDirect, Off, 0)
KDM_FLAG_NAMED(BiDirect, On, 1)
KDM_FLAG_SET(NoPermission)
KDM_FLAG_GET(NoPermission)
KDM_FLAG_SET_BY_DM(NoPermission)
KDM_FLAG_GET_BY_DM(NoPermission)
KDM_FLAG_NAMED(NoPermission, Off, 0)
KDM_FLAG_NAMED(NoPermission, On, 1)
KDM_FLAG_SET(PresentUIMode)
KDM_FLAG_GET(PresentUIMode)
KDM_FLAG_NAMED(PresentUIMode, Off, 0)
KDM_FLAG_NAMED(PresentUIMode, On, 1)
KDM_FLAG_SET(BidiSupport)
KDM_FLAG_NAMED(BidiSupport, Off, 0)
KDM_FLAG_NAMED(BidiSupport, On, 1)
KDM_FLAG_SET(ServerClientMode)
KDM_FLAG_GET(ServerClientMode)
KDM_FLAG_SET_BY_DM(ServerClientMode)
KDM_FLAG_GET_BY_DM(ServerClientMode)
KDM_FLAG_NAMED(ServerClientMode, Off, 0)
KDM_FLAG_NAMED(ServerClientMode, On, 1)
KDM_FLAG_SET(UserCodeFIX)
KDM_FLAG_NAMED(UserCodeFIX, Off, 0)
KDM_FLAG_NAMED(UserCodeFIX, On, 1)
KDM_FLAG_SET(UserCodeGet)
KDM_FLAG_GET(UserCodeGet)
KDM_FLAG_NAMED(UserCodeGet, Off, 0)
KDM_FLAG_NAMED(UserCodeGet, On, 1)
KDM_FLAG_SET(PXInstalled)
KDM_FLAG_NAMED(PXInstalled, Off, 0)
KDM_FLAG_NAMED(PXInstalled, On, 1)
KDM_FLAG_SET(PropertyType)
KDM_FLAG_SET_BY_DM(PropertyType)
KDM_FLAG_GET_BY_DM(PropertyType)
KDM_FLAG_NAMED(PropertyType, Document, 0)
KDM_FLAG_NAMED(PropertyType, Printer, 1)
KDM_FLAG_SET(UserCodeDLL)
KDM_FLAG_NAMED(UserCodeDLL, Off, 0)
KDM_FLAG_NAMED(UserCodeDLL, On, 1)
KDM_FLAG_SET(TSE)
KDM_FLAG_GET(TSE)
KDM_FLAG_SET_BY_DM(TSE)
KDM_FLAG_GET_BY_DM(TSE)
KDM_FLAG_SET(Admin)
KDM_FLAG_GET(Admin)
KDM_FLAG_SET_BY_DM(Admin)
KDM_FLAG_GET_BY_DM(Admin)
KDM_FLAG_SET(BidiFunc)
KDM_FLAG_GET(BidiFunc)
KDM_FLAG_SET_BY_DM(BidiFunc)
KDM_FLAG_GET_BY_DM(BidiFunc)
