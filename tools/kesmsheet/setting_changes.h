// What a sheet changed: the named settings of the DEVMODE and of the
// printer-wide part (printer data) as a printer context reads them, taken
// before and after, and the differences as lines "name: old -> new".
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"

namespace kesmsheet {

struct SettingSnapshot {
  std::map<std::string, std::string> devmode;  // setting name -> value as text
  std::map<std::string, std::string> printer;
  bool ok = false;
};

// The settings of a context opened on the printer now (its printer data),
// with the DEVMODE given (bytes long) validated into it; without one, the
// printer's default DEVMODE.
SettingSnapshot TakeSnapshot(HANDLE printer, const BYTE* devmode, std::size_t bytes);

// True when the DEVMODE (bytes long) is one the printer's validation keeps
// as it stands: validated into a fresh context it comes back byte for byte,
// but for the run-time flags, which each call sets. Otherwise where it
// differs goes to fault.
bool PassesValidation(HANDLE printer, const BYTE* devmode, std::size_t bytes, std::string& fault);

// "name: old -> new" for every setting whose value differs, in name order.
std::vector<std::string> Changes(const std::map<std::string, std::string>& before,
                                 const std::map<std::string, std::string>& after);

}  // namespace kesmsheet
