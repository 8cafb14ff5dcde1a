// A stand-in for the printer maker's job-code library: it keeps values by
// kind for each registered printer in memory, for as long as the module
// stays loaded, and answers the nine operations of its interface as the
// documentation says, or as the test scripted (jobcodelib_state.h).
#include <algorithm>
#include <cstring>
#include <optional>

#include "tests/jobcodelib/jobcodelib_state.h"

#define JOBCODELIB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using jobcodelib::Call;
using jobcodelib::State;

State& TheState() {
  static State state;
  return state;
}

Call NewCall(const char* op, WORD version) {
  Call call;
  call.op = op;
  call.version = version;
  return call;
}

// The status the test forces on this call, if any.
std::optional<jobcodelib::Forced> ForcedFor(const std::string& op, DWORD kind) {
  for (jobcodelib::Forced& forced : TheState().forced) {
    if (forced.op != op || (forced.kind != 0 && forced.kind != kind) || forced.times == 0) continue;
    if (forced.skip > 0) {
      --forced.skip;
      continue;
    }
    if (forced.times > 0) --forced.times;
    return forced;
  }
  return std::nullopt;
}

// Runs an operation's work unless a forced status stands in for it, and
// records the call with its answer.
template <class Work>
DWORD Answer(Call call, Work work) {
  const std::optional<jobcodelib::Forced> forced = ForcedFor(call.op, call.kind);
  DWORD status = 0;
  if (!forced || forced->acts) status = work();
  if (forced) status = forced->status;
  call.status = status;
  TheState().calls.push_back(std::move(call));
  return status;
}

bool KnowsKind(WORD version, DWORD kind) {
  if (kind >= 1 && kind <= 8) return true;
  return version >= kJCVersion258 && kind >= 256 && kind <= 258;
}

// The printer of an open handle.
jobcodelib::Printer* PrinterOf(DWORD handle) {
  const auto open = TheState().open.find(handle);
  if (open == TheState().open.end()) return nullptr;
  const auto printer = TheState().printers.find(open->second);
  return printer != TheState().printers.end() ? &printer->second : nullptr;
}

template <WORD kVersion>
struct Interface {
  static DWORD WINAPI RegisterPrinter(LPCWSTR name) {
    Call call = NewCall("register", kVersion);
    call.printer = name != nullptr ? name : u"";
    return Answer(call, [&] {
      if (name == nullptr) return kJCBadArgument;
      TheState().printers.try_emplace(name);
      return kJCSuccess;
    });
  }

  static DWORD WINAPI UnregisterPrinter(LPCWSTR name) {
    Call call = NewCall("unregister", kVersion);
    call.printer = name != nullptr ? name : u"";
    return Answer(call, [&] {
      return name != nullptr && TheState().printers.erase(name) == 1 ? kJCSuccess : kJCUnknownPrinter;
    });
  }

  static DWORD WINAPI OpenJobCode(LPCWSTR name, DWORD* handle) {
    Call call = NewCall("open", kVersion);
    call.printer = name != nullptr ? name : u"";
    return Answer(call, [&] {
      if (name == nullptr || handle == nullptr) return kJCBadArgument;
      if (TheState().printers.count(name) == 0) return kJCUnknownPrinter;
      *handle = TheState().nextHandle++;
      TheState().open[*handle] = name;
      return kJCSuccess;
    });
  }

  static DWORD WINAPI CloseJobCode(DWORD handle) {
    Call call = NewCall("close", kVersion);
    call.handle = handle;
    return Answer(call, [&] { return TheState().open.erase(handle) == 1 ? kJCSuccess : kJCBadHandle; });
  }

  static DWORD WINAPI QueryKind(DWORD handle, DWORD kind, DWORD* flags) {
    Call call = NewCall("query", kVersion);
    call.handle = handle;
    call.kind = kind;
    return Answer(call, [&] {
      jobcodelib::Printer* printer = PrinterOf(handle);
      if (printer == nullptr) return kJCBadHandle;
      if (!KnowsKind(kVersion, kind) || flags == nullptr) return kJCBadArgument;
      *flags = printer->values.count(kind) != 0 ? kJCQueryHasValue : 0;
      return kJCSuccess;
    });
  }

  static DWORD WINAPI GetValue(DWORD handle, DWORD kind, DWORD type, LPVOID buffer, DWORD size, DWORD* needed) {
    Call call = NewCall("get", kVersion);
    call.handle = handle;
    call.kind = kind;
    call.type = type;
    call.size = size;
    call.probe = buffer == nullptr || size == 0;
    return Answer(call, [&] {
      jobcodelib::Printer* printer = PrinterOf(handle);
      if (printer == nullptr) return kJCBadHandle;
      if (!KnowsKind(kVersion, kind) || needed == nullptr) return kJCBadArgument;
      *needed = 0;
      const auto value = printer->values.find(kind);
      if (value == printer->values.end()) return kJCNoValue;
      if (value->second.type != type) return kJCBadArgument;
      *needed = static_cast<DWORD>(value->second.bytes.size());
      if (buffer == nullptr || size < *needed) return kJCMoreData;
      std::memcpy(buffer, value->second.bytes.data(), value->second.bytes.size());
      return kJCSuccess;
    });
  }

  static DWORD WINAPI SetValue(DWORD handle, DWORD kind, DWORD type, LPCVOID buffer, DWORD size) {
    const auto* bytes = static_cast<const BYTE*>(buffer);
    Call call = NewCall("set", kVersion);
    call.handle = handle;
    call.kind = kind;
    call.type = type;
    call.size = size;
    if (bytes != nullptr) call.data.assign(bytes, bytes + size);
    return Answer(call, [&] {
      jobcodelib::Printer* printer = PrinterOf(handle);
      if (printer == nullptr) return kJCBadHandle;
      if (!KnowsKind(kVersion, kind) || bytes == nullptr) return kJCBadArgument;
      jobcodelib::Value value;
      value.type = type;
      if (type == kJCTypeNumber) {
        if (size != sizeof(DWORD)) return kJCBadArgument;
        value.bytes.assign(bytes, bytes + size);
      } else if (type == kJCTypeText) {
        // The text up to its terminator, which is kept.
        DWORD end = 0;
        while (end + 1 < size && (bytes[end] != 0 || bytes[end + 1] != 0)) end += 2;
        value.bytes.assign(bytes, bytes + std::min(size, end + 2));
      } else {
        return kJCBadArgument;
      }
      printer->values[kind] = std::move(value);
      return kJCSuccess;
    });
  }

  static DWORD WINAPI DeleteValue(DWORD handle, DWORD kind) {
    Call call = NewCall("delete", kVersion);
    call.handle = handle;
    call.kind = kind;
    return Answer(call, [&] {
      jobcodelib::Printer* printer = PrinterOf(handle);
      if (printer == nullptr) return kJCBadHandle;
      if (!KnowsKind(kVersion, kind)) return kJCBadArgument;
      return printer->values.erase(kind) == 1 ? kJCSuccess : kJCNoValue;
    });
  }

  static DWORD WINAPI LaunchUtility(DWORD handle, DWORD argument, const JCLANGBLOCK* language) {
    Call call = NewCall("launch", kVersion);
    call.handle = handle;
    call.argument = argument;
    if (language != nullptr) call.language = *language;
    return Answer(call, [&] {
      if (PrinterOf(handle) == nullptr) return kJCBadHandle;
      return language != nullptr && language->cbSize == sizeof(JCLANGBLOCK) ? kJCSuccess : kJCBadArgument;
    });
  }

  static constexpr JCINTERFACE kTable = {RegisterPrinter, UnregisterPrinter, OpenJobCode, CloseJobCode, QueryKind,
                                         GetValue,        SetValue,          DeleteValue, LaunchUtility};
};

const JCINTERFACE* TableOf(WORD version) {
  switch (version) {
    case kJCVersion257:
      return &Interface<kJCVersion257>::kTable;
    case kJCVersion258:
      return &Interface<kJCVersion258>::kTable;
    case kJCVersion259:
      return &Interface<kJCVersion259>::kTable;
    default:
      return nullptr;
  }
}

bool IsOurTable(const JCINTERFACE* iface) {
  for (WORD version : {kJCVersion257, kJCVersion258, kJCVersion259}) {
    if (iface == TableOf(version)) return true;
  }
  return false;
}

}  // namespace

JOBCODELIB_EXPORT jobcodelib::State* JobCodeLibState() { return &TheState(); }

JOBCODELIB_EXPORT DWORD JCGetInterface(WORD version, const JCINTERFACE** iface) {
  Call call = NewCall("getinterface", version);
  return Answer(call, [&] {
    if (iface == nullptr) return kJCBadArgument;
    if (TheState().versions.count(version) == 0 || TableOf(version) == nullptr) return kJCBadArgument;
    if (TheState().noInterface) return kJCSuccess;
    *iface = TableOf(version);
    ++TheState().interfacesOut;
    return kJCSuccess;
  });
}

JOBCODELIB_EXPORT DWORD JCDisposeInterface(const JCINTERFACE* iface) {
  Call call = NewCall("dispose", 0);
  return Answer(call, [&] {
    if (!IsOurTable(iface) || TheState().interfacesOut == 0) return kJCBadArgument;
    --TheState().interfacesOut;
    return kJCSuccess;
  });
}
