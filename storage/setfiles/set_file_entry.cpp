// The set-file entries: the section each reads or writes, the lock, and
// the work around the walk.
#if !KESM_KERNEL_MODE
#include <array>
#include <cstring>

#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/paper/derived_settings.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "storage/files/path_builders.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/properties/property_codec.h"
#include "storage/setfiles/storage_services.h"
#include "storage/setfiles/section_swap.h"
#include "storage/setfiles/set_file.h"
#include "storage/setfiles/set_file_internal.h"
#include "storage/setfiles/set_file_repairs.h"
#include "storage/system/section_lock.h"

namespace {

constexpr WORD kFuncOSKind = 608;
constexpr DWORD kVersionProbeChars = 8;
// Flags within which a write first loads the stores the settings refer to.
constexpr DWORD kLoadingWriteFlags = kSetFilePreset | kSetFileWrite | kSetFileNoAlert;

bool Within(DWORD flags, DWORD allowed) { return (flags & ~allowed) == 0; }

// Whether the section of the printer's driver name carries "RstVersion".
bool HasDriverSection(UCB* ucb, LPCWSTR path) {
  LPCWSTR driver = GetRealDriverName(ucb);
  if (driver == nullptr || driver[0] == 0) return false;
  std::array<WCHAR, kVersionProbeChars> version{};
  KM_UM_GetPrivateProfileString(driver, u"RstVersion", u"*", version.data(), kVersionProbeChars, path);
  return !(version[0] == u'*' && version[1] == 0);
}

// Runs the call with name in the place of the printer name; FALSE when the
// name cannot stand there.
template <class Call>
BOOL WithSection(UCB* ucb, LPCWSTR name, Call call) {
  storage::PrinterNameSwap swap(ucb, name);
  return swap.ok() && call();
}

}  // namespace

namespace storage {

bool ExportCompanionPath(UCB* ucb, std::array<WCHAR, MAX_PATH + 1>& path) {
  return AddSystemDirToFileNameEx2(path.data(), static_cast<DWORD>(path.size()), kExportCompanionFile, ucb) != nullptr;
}

}  // namespace storage

namespace {

BOOL ReadFromItsSection(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb) {
  if (!storage::IsAbsoluteIniPath(path)) {
    DrvSetLastError(ucb, 0);
    return FALSE;
  }
  const bool plainSection = Within(flags, kSetFileNoAlert | kSetFileRead) || (flags & kSetFilePlainSection) != 0;
  if (plainSection && HasDriverSection(ucb, path)) {
    return WithSection(ucb, GetRealDriverName(ucb), [&] { return ReadSetFileMain(printer, path, flags, ucb); });
  }
  return ReadSetFileMain(printer, path, flags, ucb);
}

}  // namespace

BOOL ReadSetFile(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const BOOL read = ReadFromItsSection(printer, path, flags, ucb);
  // A file dialog tries a file by reading it and keeps itself open when
  // the read went wrong: the read failed, or the file is another driver's.
  if ((!read || DrvGetLastError(ucb) == kSetFileVersionMismatch) && ucb->pWork != nullptr) {
    ucb->pWork->fSetFileReadFault = 1;
  }
  return read;
}

BOOL WriteSetFile(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  if ((flags & kSetFileBatchSection) != 0) {
    const DWORD rest = flags & ~kSetFileBatchSection;
    return WithSection(ucb, GetBatchInstallSectionName(ucb), [&] { return WriteSetFileMain(printer, path, rest, ucb); });
  }
  if (Within(flags, kSetFileNoAlert | kSetFileWrite)) {
    return WithSection(ucb, GetRealDriverName(ucb), [&] { return WriteSetFileMain(printer, path, flags, ucb); });
  }
  return WriteSetFileMain(printer, path, flags, ucb);
}

BOOL WriteSetFileRSD(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  if (Within(flags, kSetFileNoAlert | kSetFileWrite)) {
    return WithSection(ucb, GetRealDriverName(ucb), [&] { return WriteSetFileRSDMain(printer, path, flags, ucb); });
  }
  return WriteSetFileRSDMain(printer, path, flags, ucb);
}

BOOL WriteSetFileRSDMain(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb) {
  std::array<WCHAR, MAX_PATH + 1> companion{};
  LPCWSTR target = storage::ExportCompanionPath(ucb, companion) ? companion.data() : path;
  return WriteSetFileMain(printer, target, flags | kSetFileTemplate, ucb);
}

BOOL ReadSetFileMain(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  ScopedSection lock(ucb);
  const bool plain = storage::IsPlainSetFileFlags(flags);
  const auto osKind = static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncOSKind, nullptr));
  BOOL read = ReadWriteSetFile(printer, path, flags | kSetFileRead, ucb);
  const DWORD error = DrvGetLastError(ucb);
  if (!read && error == kSetFileVersionMismatch && (flags & kSetFileQuality) != 0) {
    read = storage::RebuildQualitySetFile(ucb, path);
  }
  if (read && plain) storage::RepairAfterPlainRead(ucb, osKind);
  DrvSetLastError(ucb, error);
  return read;
}

BOOL WriteSetFileMain(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  ScopedSection lock(ucb);
  if (!Within(flags, kLoadingWriteFlags)) return ReadWriteSetFile(printer, path, flags | kSetFileWrite, ucb);
  // The file gets the stores' entries the settings refer to; the settings
  // themselves are put back as they were.
  const MemBlock<DCB> saved = NewMemBlock<DCB>();
  if (saved == nullptr) return FALSE;
  std::memcpy(saved.get(), ucb->pDCB, sizeof(DCB));
  storage::LoadReferencedEntries(ucb);
  SetValidatePrivateDMEx(GetDocumentDevmode(ucb), ucb, kDeriveCheck);
  const BOOL written = ReadWriteSetFile(printer, path, flags | kSetFileWrite, ucb);
  std::memcpy(ucb->pDCB, saved.get(), sizeof(DCB));
  return written;
}
#endif
