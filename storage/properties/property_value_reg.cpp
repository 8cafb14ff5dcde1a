// One setting to and from printer data. Numbers and single bits are kept
// in their natural width (a bit as a 4-byte 0 or 1), text settings as their
// whole field, all REG_BINARY except "Logging", which is a REG_DWORD. A
// value read back must have exactly the type and size its setting is
// written with, and text must end within its field.
#include <array>
#include <cstring>

#include "platform/registry/winreg.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_properties.h"
#include "storage/properties/property_codec.h"
#include "storage/system/printer_data.h"

namespace {

constexpr WORD kFuncLogging = 10275;
// Values up to this size are read through the stack.
constexpr DWORD kScratchBytes = 1044;

struct Encoding {
  DWORD type;
  DWORD bytes;    // 0: the setting cannot be kept in printer data
  bool numeric;   // a number of `bytes` bytes, else the field's bytes
  bool isSigned;
};

Encoding EncodingOf(const SFCB& record) {
  const DWORD kind = SettingKindOf(record.descriptor);
  if (record.funcId == kFuncLogging) return {REG_DWORD, 4, true, false};
  if (SettingKindIsBit(kind)) return {REG_BINARY, 4, true, false};
  switch (kind) {
    case kKindI8:
      return {REG_BINARY, 1, true, true};
    case kKindU8:
      return {REG_BINARY, 1, true, false};
    case kKindI16:
      return {REG_BINARY, 2, true, true};
    case kKindU16:
      return {REG_BINARY, 2, true, false};
    case kKindI32:
      return {REG_BINARY, 4, true, true};
    case kKindU32:
      return {REG_BINARY, 4, true, false};
    default:
      break;
  }
  if (SettingKindIsString(kind)) return {REG_BINARY, SettingSizeOf(record.descriptor), false, false};
  return {REG_BINARY, 0, false, false};
}

LONG_PTR DecodeNumber(const BYTE* bytes, const Encoding& e) {
  switch (e.bytes) {
    case 1:
      return e.isSigned ? LoadLE<signed char>(bytes, 0) : LoadLE<BYTE>(bytes, 0);
    case 2:
      return e.isSigned ? LoadLE<SHORT>(bytes, 0) : LoadLE<WORD>(bytes, 0);
    default:
      return e.isSigned ? LoadLE<LONG>(bytes, 0) : static_cast<LONG_PTR>(LoadLE<DWORD>(bytes, 0));
  }
}

// Text must end within its field: a zero character (two zero bytes at an
// even offset for the wide kinds).
bool EndsWithinField(const BYTE* field, DWORD bytes, DWORD kind) {
  if (kind == kKindWide || kind == kKindWide8) {
    for (DWORD i = 0; i + 1 < bytes; i += 2) {
      if (field[i] == 0 && field[i + 1] == 0) return true;
    }
    return false;
  }
  return std::memchr(field, 0, bytes) != nullptr;
}

}  // namespace

BOOL GetDevmodeValueFromReg(HANDLE printer, UCB* ucb, SFCB* record) {
  if (record == nullptr) return FALSE;
  if (record->iniKey == nullptr) return TRUE;
  if (GetDevmodeAddressBySFCB(ucb, record) == nullptr) return FALSE;
  const Encoding e = EncodingOf(*record);
  if (e.bytes == 0) return FALSE;
  std::array<BYTE, kScratchBytes> local{};
  BYTE* scratch = local.data();
  if (e.bytes > kScratchBytes) {
    scratch = static_cast<BYTE*>(GetMemPtr(e.bytes));
    if (scratch == nullptr) return FALSE;
  }
  BOOL stored = FALSE;
  if (storage::ReadPrinterValue(printer, record->iniKey, e.type, scratch, e.bytes) ==
      storage::ValueRead::kRead) {
    if (e.numeric) {
      stored = SetDevmodeValueDirect(ucb, record, DecodeNumber(scratch, e));
    } else if (EndsWithinField(scratch, e.bytes, SettingKindOf(record->descriptor))) {
      stored = SetDevmodeValueDirect(ucb, record, reinterpret_cast<LONG_PTR>(scratch));
    }
  }
  if (scratch != local.data()) FreeMemPtr(scratch);
  return stored;
}

BOOL SetDevmodeValueToReg(HANDLE printer, UCB* ucb, SFCB* record) {
  if (record == nullptr) return FALSE;
  if (record->iniKey == nullptr) return TRUE;
  const BYTE* field = GetDevmodeAddressBySFCB(ucb, record);
  const Encoding e = EncodingOf(*record);
  if (field == nullptr || e.bytes == 0) return FALSE;
  if (!e.numeric) return SetDataToRegEx(printer, field, e.bytes, e.type, record->iniKey, ucb);
  LONG_PTR value = GetDevmodeValueDirect(ucb, record);
  if (SettingKindIsBit(SettingKindOf(record->descriptor))) value = value != 0 ? 1 : 0;
  BYTE bytes[4] = {};
  StoreLE<DWORD>(bytes, 0, static_cast<DWORD>(value));  // the low bytes are the narrower widths
  return SetDataToRegEx(printer, bytes, e.bytes, e.type, record->iniKey, ucb);
}

namespace {

// Runs a transfer with the setting name as the value name.
template <class Transfer>
BOOL UnderSettingName(SFCB* record, Transfer transfer) {
  if (record == nullptr || record->name == nullptr) return FALSE;
  storage::RecordOverride keep(record);
  record->iniKey = record->name;
  return transfer();
}

}  // namespace

BOOL GetDevmodeValueFromRegUseSetKey(HANDLE printer, UCB* ucb, SFCB* record) {
  return UnderSettingName(record, [&] { return GetDevmodeValueFromReg(printer, ucb, record); });
}

BOOL SetDevmodeValueToRegUseSetKey(HANDLE printer, UCB* ucb, SFCB* record) {
  return UnderSettingName(record, [&] { return SetDevmodeValueToReg(printer, ucb, record); });
}
