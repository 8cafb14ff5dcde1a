// Binding a printer context to the job-code library: loading it from the
// system folder, taking its interface, opening the printer's job codes and
// registering the printer. Every function answers a status: 0, a Win32
// error of the loader or the library's own status. User mode only.
#pragma once

#include <span>

#include "devicecomm/jobcodes/jc_record.h"
#include "platform/base/wintypes.h"

struct UCB;

// A library that accepts an interface version but hands out no interface.
inline constexpr DWORD kJCNoInterface = 50;  // ERROR_NOT_SUPPORTED

#if !KESM_KERNEL_MODE
// Binds a record: loads the library from the system folder by its full
// path, so that no other module of that name can stand in for it, and takes
// the interface of the first of the versions the library hands one out
// for. A record already bound keeps its interface. On failure the record is
// unbound and cleared.
DWORD DrvJCBind(JCBINDING& record, std::span<const WORD> versions);
// Gives the interface back, unloads the library and clears the record.
void DrvJCUnbind(JCBINDING& record);

// The context's binding record, null without a work area.
JCBINDING* DrvJCRecord(UCB* ucb);
// The interface while the library is bound, else null.
const JCINTERFACE* DrvJCInterface(UCB* ucb);
// The open job-code handle, 0 when none is open or nothing is bound.
DWORD DrvJCHandle(UCB* ucb);

// Loads the library from the system folder by its full path, so that no
// other module of that name can stand in for it, and takes interface 258,
// else 257. A context already bound keeps its interface and asks for none.
// On failure the binding is terminated.
DWORD DrvJCLoadDll(UCB* ucb);
// Gives the interface back, unloads the library and clears the record.
DWORD DrvJCTerminate(UCB* ucb);
// Opens the job codes of the context's printer (0 when already open).
DWORD DrvJCOpenJobCode(UCB* ucb);
// Closes them; 0 when nothing was open.
DWORD DrvJCCloseJobCode(UCB* ucb);
DWORD DrvJCRegisterPrinter(UCB* ucb);
DWORD DrvJCUnregisterPrinter(UCB* ucb);

// The binding of one self-contained operation. It loads and opens only what
// the context does not hold yet, and closes and unloads only what it loaded
// and opened itself, so that an operation inside an open load bracket
// neither asks for a second interface nor ends the bracket's binding.
class JCBindingScope {
 public:
  explicit JCBindingScope(UCB* ucb)
      : ucb_(ucb), heldBinding_(DrvJCInterface(ucb) != nullptr), heldHandle_(DrvJCHandle(ucb) != 0) {}
  ~JCBindingScope() { Release(); }
  JCBindingScope(const JCBindingScope&) = delete;
  JCBindingScope& operator=(const JCBindingScope&) = delete;

  DWORD Load() { return DrvJCLoadDll(ucb_); }
  DWORD Open() { return DrvJCOpenJobCode(ucb_); }
  // Closes and unloads what the scope brought; also done at its end.
  void Release() {
    if (!heldHandle_) DrvJCCloseJobCode(ucb_);
    if (!heldBinding_) DrvJCTerminate(ucb_);
  }

 private:
  UCB* ucb_;
  bool heldBinding_;
  bool heldHandle_;
};
#endif
