// What the stand-in job-code library keeps and what a test scripts: the
// registered printers with their values by kind, the interface versions it
// hands out, statuses forced onto its operations, and every call it
// received. Shared by the module and the tests that load it.
//
// The library answers as its documentation says (devicecomm/jobcodes/
// jc_interface.h): kJCUnknownPrinter for a printer not registered,
// kJCBadHandle for a handle not open, kJCBadArgument for a kind it does not
// know (kinds 256-258 on an interface of version 257) or a value of another
// type, kJCNoValue for a kind without a value, kJCMoreData with the size
// needed for a get without room.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "devicecomm/jobcodes/jc_interface.h"

namespace jobcodelib {

struct Value {
  DWORD type = kJCTypeText;
  std::vector<BYTE> bytes;  // text: UTF-16 with its terminator
};

// A text value as the library keeps it.
inline Value Text(std::u16string_view text) {
  Value value;
  for (char16_t c : text) {
    value.bytes.push_back(static_cast<BYTE>(c & 0xFF));
    value.bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  value.bytes.insert(value.bytes.end(), {0, 0});
  return value;
}

// The text of a value up to its terminator.
inline std::u16string TextOf(const Value& value) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
    const auto c = static_cast<char16_t>(value.bytes[i] | value.bytes[i + 1] << 8);
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

struct Printer {
  std::map<DWORD, Value> values;
};

// One call, in the order received. op is "getinterface", "dispose",
// "register", "unregister", "open", "close", "query", "get", "set",
// "delete" or "launch".
struct Call {
  std::string op;
  WORD version = 0;        // of the interface the call came through
  std::u16string printer;  // register, unregister, open
  DWORD handle = 0;
  DWORD kind = 0;
  DWORD type = 0;
  DWORD size = 0;          // the buffer size given
  bool probe = false;      // a get without a buffer
  std::vector<BYTE> data;  // what a set sent
  DWORD argument = 0;      // launch
  JCLANGBLOCK language{};  // launch
  DWORD status = 0;        // the answer
};

// A status an operation answers instead of its own. With acts, the
// operation does its work first (a get fills the buffer, an open hands out
// a handle) and then answers the status.
struct Forced {
  std::string op;
  DWORD kind = 0;  // 0: every kind
  DWORD status = 0;
  bool acts = false;
  int skip = 0;    // matching calls let through first
  int times = -1;  // calls it applies to then; -1: every call
};

struct State {
  std::map<std::u16string, Printer> printers;  // the registered printers
  std::set<WORD> versions{kJCVersion257, kJCVersion258, kJCVersion259};
  bool noInterface = false;  // accept a version but hand out no interface
  std::vector<Forced> forced;
  std::vector<Call> calls;
  int interfacesOut = 0;     // handed out and not yet disposed of
  std::map<DWORD, std::u16string> open;  // open handles and their printers
  DWORD nextHandle = 1;

  // The calls of one operation.
  std::vector<Call> CallsOf(const std::string& op) const {
    std::vector<Call> found;
    for (const Call& call : calls) {
      if (call.op == op) found.push_back(call);
    }
    return found;
  }
};

}  // namespace jobcodelib

// Exported by the module, beside JCGetInterface and JCDisposeInterface.
extern "C" jobcodelib::State* JobCodeLibState();
