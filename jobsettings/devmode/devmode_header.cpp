#include "jobsettings/devmode/devmode_header.h"

#include "jobsettings/devmode/devmode_layout.h"
#include "settings/context/context_block.h"
#include "settings/tables/driver_params.h"
#include "settings/system/unaligned.h"

int sizeofDM() { return kSizeofDM; }
int sizeofPrivDM351() { return kSizeofPrivDM; }
int sizeofPrivDM() { return kSizeofPrivDM; }
int sizeofKesmDM() { return kSizeofKesmDM; }
int sizeofPrnDM() { return kSizeofPrnDM; }
int sizeofDCB() { return kSizeofDCB; }

namespace {

template <class T>
T Read(const DEVMODEW* dm, std::size_t offset) {
  return dm ? LoadLE<T>(dm, offset) : T{0};
}

template <class T>
BOOL Write(DEVMODEW* dm, std::size_t offset, T value) {
  if (!dm) return FALSE;
  StoreLE<T>(dm, offset, value);
  return TRUE;
}

const DP& ModelData(const UCB* ucb) {
  return ucb && ucb->pDP ? *ucb->pDP : fgDP;
}

}  // namespace

LPBYTE GetDocumentDevmodePrivateDocHeaderWithoutUCB(DEVMODEW* dm) {
  return dm ? reinterpret_cast<LPBYTE>(dm) + kOffPrivHeader : nullptr;
}

DWORD GetKDMdwPrivDataByDM(const DEVMODEW* dm) { return Read<DWORD>(dm, kOffDwPrivData); }
DWORD GetKDMdwSizeByDM(const DEVMODEW* dm) { return Read<DWORD>(dm, kOffDwSize); }
DWORD GetKDMdwVersionByDM(const DEVMODEW* dm) { return Read<DWORD>(dm, kOffDwVersion); }
BYTE GetKDMMachineIDByDM(const DEVMODEW* dm) { return Read<BYTE>(dm, KDM_OFFSET(kdmMachineID)); }
BYTE GetKDMDriverTypeByDM(const DEVMODEW* dm) { return Read<BYTE>(dm, KDM_OFFSET(kdmDriverType)); }

WORD GetKDMQualityFuncByDM(const DEVMODEW* dm) {
  return Read<WORD>(dm, KDM_OFFSET(kdmQualityFunc));
}
BOOL SetKDMQualityFuncByDM(DEVMODEW* dm, DWORD value) {
  return Write<WORD>(dm, KDM_OFFSET(kdmQualityFunc), static_cast<WORD>(value));
}

DWORD GetKDMFrontFuncByDM(const DEVMODEW* dm) {
  return Read<DWORD>(dm, KDM_OFFSET(kdmFrontFunc));
}
BOOL SetKDMFrontFuncByDM(DEVMODEW* dm, DWORD value) {
  return Write<DWORD>(dm, KDM_OFFSET(kdmFrontFunc), value & 0xFF);
}

DWORD GetKDMHidden2FuncByDM(const DEVMODEW* dm) {
  return Read<DWORD>(dm, KDM_OFFSET(kdmHidden2Func));
}
BOOL SetKDMHidden2FuncByDM(DEVMODEW* dm, DWORD value) {
  return Write<DWORD>(dm, KDM_OFFSET(kdmHidden2Func), value & 0xFFFF);
}

BOOL DevCBSetPrivHeader(DEVMODEW* dm, const UCB* ucb) {
  if (!dm) return FALSE;
  const DP& dp = ModelData(ucb);
  StoreBytes(dm, kOffPrivHeader, kPrivSignature, sizeof kPrivSignature);
  // The word at 224 is left as it is: it holds a setting, and a header
  // rewrite must not reset a choice the user made.
  StoreBytes(dm, kOffDwPrivData, dp.privSignature, sizeof dp.privSignature);
  StoreLE<DWORD>(dm, kOffDwSize, static_cast<DWORD>(sizeofPrivDM351()));
  StoreLE<DWORD>(dm, kOffDwVersion, dp.dwPrivVersion);
  return DevCBSetPrivHeaderOffset(dm);
}

BOOL DevCBSetPrivHeaderOffset(DEVMODEW* dm) {
  if (!dm) return FALSE;
  StoreLE<WORD>(dm, kOffBlockOffsets + 0, kDcbBlock1Offset);
  StoreLE<WORD>(dm, kOffBlockOffsets + 2, kDcbBlock2Offset);
  StoreLE<WORD>(dm, kOffBlockOffsets + 4, kDcbBlock3Offset);
  return TRUE;
}
