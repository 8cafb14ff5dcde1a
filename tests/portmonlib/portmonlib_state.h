// What the stand-in port-monitor library keeps and what a test scripts: the
// devices behind printer names (model name, response items, category 15
// sub-items), hostile answers (a count that is not what was written, a size
// probe that names another size), failures forced onto any step, and every
// call it received. Shared by the module and the tests that load it.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "devicecomm/bidi/bidi_api.h"

namespace portmonlib {

using Bytes = std::vector<BYTE>;

// An item of 32-bit entries as the device sends it.
inline Bytes Entries(std::initializer_list<DWORD> values) {
  Bytes bytes;
  for (DWORD value : values) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
  }
  return bytes;
}

// ANSI text as the device sends it; terminated unless told otherwise.
inline Bytes Text(std::string_view text, bool terminated = true) {
  Bytes bytes(text.begin(), text.end());
  if (terminated) bytes.push_back(0);
  return bytes;
}

struct Device {
  std::u16string model;
  std::map<DWORD, Bytes> items;     // by item number
  std::map<DWORD, Bytes> category;  // category 15, by sub-item
  // Hostile answers: the entry count a read of the item answers instead of
  // the entries it wrote, and the size a probe names instead of the item's.
  std::map<DWORD, LONG> countAnswer;
  std::map<DWORD, DWORD> probeAnswer;
};

// A step that fails: op is "open", "okword", "model", "request", "category",
// "item" or "subitem"; number the item or sub-item (0: any); probe selects
// the size probe (true) or the read (false) of an item. The last error is
// set to `error`.
struct Failure {
  std::string op;
  DWORD number = 0;
  bool probe = false;
  DWORD error = 31;
};

// One call, in the order received: op as above plus "init" and "close".
struct Call {
  std::string op;
  DWORD number = 0;  // item, sub-item, category or request mask
  bool probe = false;
};

struct State {
  std::map<std::u16string, Device> devices;  // by printer name
  std::vector<Failure> failures;
  bool refuseInitialize = false;
  std::vector<Call> calls;
  int openPrinters = 0;  // opened and not yet closed
  // The host's SetLastError, which the test hands over after loading the
  // module: a module cannot reach the process's last error on its own here.
  void (*setLastError)(DWORD) = nullptr;

  int CountOf(const std::string& op) const {
    int n = 0;
    for (const Call& call : calls) n += call.op == op ? 1 : 0;
    return n;
  }
};

}  // namespace portmonlib

// Exported by the module beside the initialising function.
extern "C" portmonlib::State* PortMonLibState();
