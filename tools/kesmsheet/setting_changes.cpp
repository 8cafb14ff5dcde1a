#include "tools/kesmsheet/setting_changes.h"

#include <cstring>

#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_devmode.h"
#include "jobsettings/validate/validate_flags.h"
#include "platform/text/codepage.h"
#include "platform/text/utf.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"
#include "settings/tables/setting_table.h"
#include "settings/values/setting_value.h"

namespace kesmsheet {
namespace {

// The font-array settings hold a pointer of the context: no value to show.
bool HoldsPointer(WORD funcId) { return funcId == 10005 || funcId == 10007 || funcId == 10009 || funcId == 10011; }

std::string StringValue(const UCB* ucb, const SFCB& record) {
  const DWORD kind = SettingKindOf(record.descriptor);
  const DWORD size = SettingSizeOf(record.descriptor);
  const BYTE* at = GetDevmodeAddressBySFCB(ucb, &record);
  if (at == nullptr) return "(none)";
  if (kind == kKindWide || kind == kKindWide8) {
    std::u16string text;
    for (DWORD i = 0; i + 1 < size; i += 2) {
      char16_t c = 0;
      std::memcpy(&c, at + i, 2);
      if (c == 0) break;
      text.push_back(c);
    }
    return "\"" + plat::utf::ToUtf8(text) + "\"";
  }
  // ANSI text of the process code page, shown in UTF-8.
  std::string ansi;
  for (DWORD i = 0; i < size && at[i] != 0; ++i) ansi.push_back(static_cast<char>(at[i]));
  std::u16string wide(ansi.size() + 1, u'\0');
  const int n = ansi.empty() ? 0
                             : MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                                   static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return "\"" + plat::utf::ToUtf8(wide) + "\"";
}

void Record(const UCB* ucb, const SFCB& record, SettingSnapshot& snapshot) {
  const DWORD block = SettingBlockOf(record.descriptor);
  if (record.name == nullptr || HoldsPointer(record.funcId)) return;
  if (block != kBlockDevmode && block != kBlockPrinter) return;
  const std::string name = plat::utf::ToUtf8(record.name);
  const std::string value = SettingKindIsString(SettingKindOf(record.descriptor))
                                ? StringValue(ucb, record)
                                : std::to_string(static_cast<long long>(GetDevmodeValueDirect(ucb, &record)));
  (block == kBlockDevmode ? snapshot.devmode : snapshot.printer)[name] = value;
}

}  // namespace

SettingSnapshot TakeSnapshot(HANDLE printer, const BYTE* devmode, std::size_t bytes) {
  SettingSnapshot snapshot;
  // A fresh context reads the printer data as it is now.
  FreeStoredUcb(TRUE);
  UCB* ucb = GetUcb(printer, printer, 0, 0x80000000);
  if (ucb == nullptr) return snapshot;
  if (devmode == nullptr ||
      ValidateDevmode(ucb, reinterpret_cast<const DEVMODEW*>(devmode), bytes, kValidateModify) == 1) {
    const SFL* list = ucb->pSFL;
    for (SHORT i = 0; list != nullptr && i < list->count; ++i) Record(ucb, list->pSFCB[i], snapshot);
    snapshot.ok = true;
  }
  FreeUcb(ucb);
  FreeStoredUcb(TRUE);
  return snapshot;
}

bool PassesValidation(HANDLE printer, const BYTE* devmode, std::size_t bytes, std::string& fault) {
  FreeStoredUcb(TRUE);
  UCB* ucb = GetUcb(printer, printer, 0, 0x80000000);
  if (ucb == nullptr) {
    fault = "no context can be opened on the printer";
    return false;
  }
  std::vector<BYTE> given(devmode, devmode + bytes), kept;
  if (ValidateDevmode(ucb, reinterpret_cast<const DEVMODEW*>(devmode), bytes, kValidateModify) != 1) {
    fault = "its validation failed";
  } else if (const DEVMODEW* current = GetDocumentDevmode(ucb); current == nullptr) {
    fault = "the context holds no DEVMODE";
  } else if (std::size_t(current->dmSize) + current->dmDriverExtra != bytes) {
    fault = "its size changed to " + std::to_string(current->dmSize + current->dmDriverExtra);
  } else {
    kept.assign(reinterpret_cast<const BYTE*>(current), reinterpret_cast<const BYTE*>(current) + bytes);
  }
  FreeUcb(ucb);
  FreeStoredUcb(TRUE);
  if (kept.empty()) return false;
  for (int flag = 0; flag < kRunTimeFlagCount; ++flag) {
    SetKDMRunTimeFlagByDM(reinterpret_cast<DEVMODEW*>(given.data()), static_cast<KdmRunTimeFlag>(flag), 0);
    SetKDMRunTimeFlagByDM(reinterpret_cast<DEVMODEW*>(kept.data()), static_cast<KdmRunTimeFlag>(flag), 0);
  }
  for (std::size_t i = 0; i < bytes; ++i) {
    if (given[i] != kept[i]) {
      fault = "validation changes its byte " + std::to_string(i);
      return false;
    }
  }
  return true;
}

std::vector<std::string> Changes(const std::map<std::string, std::string>& before,
                                 const std::map<std::string, std::string>& after) {
  std::vector<std::string> lines;
  for (const auto& [name, value] : after) {
    const auto old = before.find(name);
    const std::string was = old == before.end() ? "(none)" : old->second;
    if (was != value) lines.push_back(name + ": " + was + " -> " + value);
  }
  return lines;
}

}  // namespace kesmsheet
