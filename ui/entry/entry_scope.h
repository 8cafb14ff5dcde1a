// What every spooler entry point of the configuration library shares: the
// mode words it opens printer contexts with, holders that release a
// context, close a printer and reset the install switch on every way out,
// and the guard that keeps exceptions inside.
#pragma once

#include <initializer_list>
#include <utility>

#include "platform/base/winerror.h"
#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

namespace kesm_entry {

// Mode words of the contexts the entry points open.
inline constexpr DWORD kModeSheet = 0x80000000;     // sheets, job check, printer events, upgrade
inline constexpr DWORD kModeNoUi = 0x02000000;      // document properties without a dialog
inline constexpr DWORD kModeCapability = 0x01000000;  // device capabilities
// Open flags of install work: no cross-process lock, no administrator test.
inline constexpr DWORD kOpenInstall = 0x300;

// Holds a context and releases it (FreeUcb) when it goes.
class ContextHold {
 public:
  explicit ContextHold(UCB* ucb = nullptr) : ucb_(ucb) {}
  ~ContextHold() { Release(); }
  ContextHold(const ContextHold&) = delete;
  ContextHold& operator=(const ContextHold&) = delete;
  void Reset(UCB* ucb) {
    Release();
    ucb_ = ucb;
  }
  void Release();
  // Lets the context live on unreleased: its new holder (a sheet, until
  // its DESTROY) releases it.
  UCB* Keep() {
    UCB* kept = ucb_;
    ucb_ = nullptr;
    return kept;
  }
  UCB* get() const { return ucb_; }
  explicit operator bool() const { return ucb_ != nullptr; }

 private:
  UCB* ucb_;
};

// Holds a printer handle this entry point opened and closes it.
class PrinterHold {
 public:
  PrinterHold() = default;
  ~PrinterHold();
  PrinterHold(const PrinterHold&) = delete;
  PrinterHold& operator=(const PrinterHold&) = delete;
  // Opens the printer by name with the first of the rights that is granted.
  bool Open(LPCWSTR name, std::initializer_list<DWORD> rights);
  HANDLE get() const { return printer_; }

 private:
  HANDLE printer_ = nullptr;
};

// Sets the terminal-server modification switch for an install step and
// clears it again, at the latest when it goes.
class TsModifyHold {
 public:
  TsModifyHold();
  ~TsModifyHold() { End(); }
  TsModifyHold(const TsModifyHold&) = delete;
  TsModifyHold& operator=(const TsModifyHold&) = delete;
  void End();
};

// A context of the printer that holds a compiled description (GetUcb with
// the mode word); null otherwise, with nothing left open.
UCB* OpenDescribedContext(HANDLE printer, DWORD mode);
// An install context (open flags 0x300, mode 0x80000000).
UCB* OpenInstallContext(HANDLE printer);

// A context DEVMODE that is not wholly this driver's (its sizes or its
// private part) is rebuilt from the defaults and the stored properties.
void EnsureOwnDevmode(UCB* ucb);

// The flags a validation of the caller's DEVMODE must not change: whether
// the companion application is installed, and whether the user codes come
// from the job-code library (both of its flags follow the one noted).
struct MachineFlags {
  DWORD pxInstalled;
  DWORD userCodeGet;
};
// Notes PXInstalled and, after the user codes are looked up, UserCodeGet.
MachineFlags NoteMachineFlags(UCB* ucb);
void RestoreMachineFlags(UCB* ucb, const MachineFlags& flags);

// The bytes a caller's DEVMODE says it holds (dmSize and dmDriverExtra);
// 0 without one. The entry points receive no other size for it.
inline DWORD StatedDevmodeBytes(const DEVMODEW* dm) {
  return dm != nullptr ? static_cast<DWORD>(dm->dmSize) + dm->dmDriverExtra : 0;
}

// Whether the named printer is a connection to a server's printer; FALSE
// for a null name or a printer that cannot be opened for reading.
BOOL IsClientDriverByPrinterName(LPCWSTR name);

// Runs an entry point's body; an exception (out of memory) becomes the
// given failure with ERROR_NOT_ENOUGH_MEMORY.
template <class Result, class Body>
Result Guarded(Result failure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return failure;
  }
}

}  // namespace kesm_entry
