#include "storage/system/printer_data.h"

#include <array>
#include <cstring>

#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "settings/system/memptr.h"
#if KESM_KERNEL_MODE
#include "platform/engine/eng_printer.h"
#else
#include "platform/spooler/winspool.h"
#endif

namespace {

DWORD Query(HANDLE printer, LPCWSTR name, LPDWORD type, LPBYTE data, DWORD size, LPDWORD needed) {
#if KESM_KERNEL_MODE
  return EngGetPrinterData(printer, name, type, data, size, needed);
#else
  return GetPrinterDataW(printer, name, type, data, size, needed);
#endif
}

// Values up to this size are read through the stack.
constexpr DWORD kLocalBytes = 256;

}  // namespace

namespace storage {

ValueRead ReadPrinterValue(HANDLE printer, LPCWSTR name, DWORD type, LPVOID buffer, DWORD bytes) {
  if (name == nullptr || buffer == nullptr || bytes == 0) return ValueRead::kRefused;
  // The value is read into a block of its expected size, so that a shorter
  // value never reaches the caller's buffer half written.
  std::array<BYTE, kLocalBytes> local{};
  BYTE* block = local.data();
  if (bytes > kLocalBytes) {
    block = static_cast<BYTE*>(GetMemPtr(bytes));
    if (block == nullptr) return ValueRead::kRefused;
  }
  DWORD stored = 0;
  DWORD needed = 0;
  const DWORD status = Query(printer, name, &stored, block, bytes, &needed);
  ValueRead result = ValueRead::kRefused;
  if (status == ERROR_FILE_NOT_FOUND) {
    result = ValueRead::kMissing;
  } else if (status == ERROR_SUCCESS && needed == bytes && (type == kAnyValueType || stored == type)) {
    std::memcpy(buffer, block, bytes);
    result = ValueRead::kRead;
  }
  if (block != local.data()) FreeMemPtr(block);
  return result;
}

BOOL DeletePrinterValue(HANDLE printer, LPCWSTR name) {
#if KESM_KERNEL_MODE
  (void)printer;
  (void)name;
  return FALSE;
#else
  const DWORD status = DeletePrinterDataW(printer, name);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
#endif
}

}  // namespace storage

BOOL GetDataFromReg(HANDLE printer, LPVOID buffer, DWORD bytes, LPCWSTR value, UCB*) {
  return storage::ReadPrinterValue(printer, value, storage::kAnyValueType, buffer, bytes) ==
                 storage::ValueRead::kRead
             ? TRUE
             : FALSE;
}

BOOL GetStrDataFromReg(HANDLE printer, LPWSTR buffer, DWORD chars, LPCWSTR value, UCB*) {
#if KESM_KERNEL_MODE
  (void)printer;
  (void)buffer;
  (void)chars;
  (void)value;
  return FALSE;
#else
  if (buffer == nullptr || chars == 0 || value == nullptr) return FALSE;
  // Read into a block of its own, so that a refused value never reaches
  // the caller's buffer half written.
  const DWORD bytes = chars * sizeof(WCHAR);
  auto* block = static_cast<LPWSTR>(GetMemPtr(bytes));
  if (block == nullptr) return FALSE;
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD status = Query(printer, value, &type, reinterpret_cast<LPBYTE>(block), bytes, &needed);
  DWORD length = 0;
  const DWORD stored = status == ERROR_SUCCESS ? needed / sizeof(WCHAR) : 0;
  while (length < stored && block[length] != 0) ++length;
  const bool taken = status == ERROR_SUCCESS && type == REG_SZ && length < chars;
  if (taken) {
    std::memcpy(buffer, block, length * sizeof(WCHAR));
    buffer[length] = 0;
  }
  FreeMemPtr(block);
  return taken ? TRUE : FALSE;
#endif
}

BOOL SetDataToRegEx(HANDLE printer, LPCVOID data, DWORD bytes, DWORD type, LPCWSTR value, UCB*) {
  if (data == nullptr || bytes == 0 || value == nullptr) return FALSE;
#if KESM_KERNEL_MODE
  (void)printer;
  (void)type;
  return FALSE;
#else
  return SetPrinterDataW(printer, value, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
#endif
}

BOOL SetDataToReg(HANDLE printer, LPCVOID data, DWORD bytes, LPCWSTR value, UCB* ucb) {
  return SetDataToRegEx(printer, data, bytes, REG_BINARY, value, ucb);
}

BOOL SetStrDataToReg(HANDLE printer, LPCWSTR data, DWORD bytes, LPCWSTR value, UCB* ucb) {
  if (data == nullptr) return FALSE;
  const DWORD chars = bytes / sizeof(WCHAR);
  DWORD length = 0;
  while (length < chars && data[length] != 0) ++length;
  if (length == chars) return FALSE;  // no terminator within the size given
  return SetDataToRegEx(printer, data, (length + 1) * sizeof(WCHAR), REG_SZ, value, ucb);
}
