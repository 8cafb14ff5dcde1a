// Printer information in set files: the printer-wide settings and the
// feature modules' words, one profile value each.
#if !KESM_KERNEL_MODE
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/ansi_text.h"
#include "storage/ini/ini_script.h"
#include "storage/ini/section_names.h"
#include "storage/install/default_rst.h"
#include "storage/properties/printer_properties.h"
#include "storage/properties/property_codec.h"
#include "storage/setfiles/set_file.h"
#include "storage/setfiles/set_file_internal.h"

namespace {

struct IdRange {
  WORD first;
  WORD last;
};
// What printer information holds, in this order.
constexpr std::array<IdRange, 2> kPrinterInformation = {{{10001, 10385}, {1124, 1164}}};
// Log codes, left out of a batch install.
constexpr IdRange kLogCodes = {10001, 10003};
// The font counts and arrays (whose slots hold addresses): never taken
// from a file, stored as 0.
constexpr IdRange kFontSettings = {10004, 10011};
constexpr std::size_t kFontSettingCount = kFontSettings.last - kFontSettings.first + 1;

bool In(WORD id, IdRange range) { return id >= range.first && id <= range.last; }

// The font settings' bytes, kept aside for a transfer and put back after.
class FontSettingsKept {
 public:
  FontSettingsKept(UCB* ucb, bool zero) {
    for (std::size_t i = 0; i < kFontSettingCount; ++i) {
      const SFCB* record = GetSFCBbyFuncID(ucb, static_cast<WORD>(kFontSettings.first + i));
      BYTE* at = record != nullptr ? GetDevmodeAddressBySFCB(ucb, record) : nullptr;
      const DWORD size = record != nullptr ? SettingSizeOf(record->descriptor) : 0;
      if (at == nullptr || size > kSettingPointerSlot) continue;
      kept_[i] = {at, size, {}};
      std::memcpy(kept_[i].bytes.data(), at, size);
      if (zero) std::memset(at, 0, size);
    }
  }
  ~FontSettingsKept() {
    for (const Kept& k : kept_) {
      if (k.at != nullptr) std::memcpy(k.at, k.bytes.data(), k.size);
    }
  }
  FontSettingsKept(const FontSettingsKept&) = delete;
  FontSettingsKept& operator=(const FontSettingsKept&) = delete;

 private:
  struct Kept {
    BYTE* at = nullptr;
    DWORD size = 0;
    std::array<BYTE, kSettingPointerSlot> bytes{};
  };
  std::array<Kept, kFontSettingCount> kept_{};
};

LPCWSTR SectionOf(UCB* ucb, DWORD flags) {
  const bool batchRead = (flags & kSetFileRead) != 0 && (flags & kSetFileBatchInstall) != 0;
  return batchRead ? GetBatchInstallSectionName(ucb) : kPrnSection;
}


// The key of a line ("key=value"), or the whole line when it has none.
std::string_view KeyOfLine(std::string_view line) { return line.substr(0, line.find('=')); }

// One section of a file moved in one go: a read searches one image of the
// file; a write composes the values and then replaces the section with
// them, followed by the lines of the old section that it did not write.
class SectionTransfer {
 public:
  SectionTransfer(UCB* ucb, LPCWSTR path, LPCWSTR section, bool read) : ucb_(ucb), path_(path), read_(read) {
    lstrcpynW(section_.data(), section, static_cast<int>(section_.size()));
    CnvSQUAREBRACKETS(section_.data());
    image_.reset(ReadIniOpen(path, 0));
    body_ = image_ != nullptr ? GetSectionAddr(section_.data(), image_.get()) : nullptr;
    if (!read_) script_.reset(static_cast<LPSTR>(GetMemPtr(kSetFileScriptBytes)));
  }

  bool ok() const {
    return read_ ? storage::SectionFitsScript(section_.data(), body_) : script_ != nullptr;
  }

  // Moves one setting under its key.
  bool Move(SFCB* record) {
    if (read_) {
      // Without the section every key is missing.
      return body_ == nullptr ||
             storage::ReadIniSetting(ucb_, record, path_, body_, &position_) != storage::IniRead::kRefused;
    }
    std::string key;
    storage::ToAnsi(record->iniKey, &key);
    written_.push_back(std::move(key));
    return SetDevmodeValueToIni(nullptr, ucb_, record, path_, script_.get(), kSetFileScriptBytes, &length_);
  }

  // Replaces the section of the file; nothing to do for a read.
  bool Commit() {
    if (read_) return true;
    std::string name;
    if (!storage::ToAnsi(section_.data(), &name)) return false;
    std::string text = "[" + name + "]\r\n" + std::string(script_.get(), length_);
    for (LPCSTR line = body_; line != nullptr && *line != 0 && *line != '['; line = SkipLine(line)) {
      const std::string_view whole(line, static_cast<std::size_t>(SkipLine(line) - line));
      if (!Wrote(KeyOfLine(whole))) text.append(whole);
    }
    return UpdateSetFile(ucb_, path_, section_.data(), text.data(), static_cast<DWORD>(text.size()));
  }

 private:
  bool Wrote(std::string_view key) const {
    for (const std::string& written : written_) {
      if (storage::SameAnsiIgnoringCase(written, key)) return true;
    }
    return false;
  }

  UCB* ucb_;
  LPCWSTR path_;
  bool read_;
  std::array<WCHAR, MAX_PATH + 1> section_{};
  storage::IniImage image_;
  LPCSTR body_ = nullptr;
  LONG position_ = 0;
  MemBlock<CHAR> script_;
  DWORD length_ = 0;
  std::vector<std::string> written_;
};

// Moves the settings first..last that printer information carries.
bool MoveRange(SectionTransfer& transfer, DWORD flags, UCB* ucb, LPWSTR key, WORD first, WORD last) {
  const bool read = (flags & kSetFileRead) != 0;
  FontSettingsKept fonts(ucb, !read);
  bool moved = true;
  for (DWORD id = first; id <= last; ++id) {
    const auto funcId = static_cast<WORD>(id);
    if ((flags & kSetFileBatchInstall) != 0 && In(funcId, kLogCodes)) continue;
    if (read && In(funcId, kFontSettings)) continue;
    SFCB* record = GetSFCBbyFuncID(ucb, funcId);
    if (record == nullptr || record->name == nullptr) continue;
    storage::RecordOverride keep(record);
    lstrcpynW(key, record->name, MAX_PATH + 1);
    record->iniKey = key;
    if (!transfer.Move(record)) moved = false;
  }
  return moved;
}

bool Usable(UCB* ucb, LPCWSTR path, LPCWSTR section) {
  return ucb != nullptr && ucb->pDCB != nullptr && section != nullptr && section[0] != 0 &&
         lstrlenW(section) <= static_cast<int>(MAX_PATH) && storage::IsAbsoluteIniPath(path);
}

}  // namespace

BOOL ReadWriteSetFilePrnInfo2(LPCWSTR path, DWORD flags, UCB* ucb, LPCWSTR section, LPWSTR key, WORD first,
                              WORD last) {
  if (!Usable(ucb, path, section) || key == nullptr) return FALSE;
  SectionTransfer transfer(ucb, path, section, (flags & kSetFileRead) != 0);
  if (!transfer.ok()) return FALSE;
  const bool moved = MoveRange(transfer, flags, ucb, key, first, last);
  return moved && transfer.Commit();
}

BOOL ReadWriteSetFilePrnInfo(LPCWSTR path, DWORD flags, UCB* ucb) {
  LPCWSTR section = ucb != nullptr ? SectionOf(ucb, flags) : nullptr;
  if (!Usable(ucb, path, section)) return FALSE;
  const bool read = (flags & kSetFileRead) != 0;
  // As with a set file, a read takes every value or none.
  const MemBlock<DCB> before = NewMemBlock<DCB>();
  SectionTransfer transfer(ucb, path, section, read);
  if (before == nullptr || !transfer.ok()) return FALSE;
  std::memcpy(before.get(), ucb->pDCB, sizeof(DCB));
  std::array<WCHAR, MAX_PATH + 1> key{};
  bool moved = true;
  for (const IdRange& range : kPrinterInformation) {
    if (!MoveRange(transfer, flags, ucb, key.data(), range.first, range.last)) moved = false;
  }
  if (read && !moved) std::memcpy(ucb->pDCB, before.get(), sizeof(DCB));
  return moved && transfer.Commit();
}

BOOL ReadSetFilePrnInfo(LPCWSTR path, DWORD flags, UCB* ucb) {
  return ReadWriteSetFilePrnInfo(path, flags | kSetFileRead, ucb);
}

BOOL WriteSetFilePrnInfo(LPCWSTR path, DWORD flags, UCB* ucb) {
  std::array<WCHAR, MAX_PATH + 1> companion{};
  if ((flags & kSetFileBatchInstall) != 0) {
    if (!storage::ExportCompanionPath(ucb, companion)) return FALSE;
    path = companion.data();
  }
  return ReadWriteSetFilePrnInfo(path, flags | kSetFileWrite, ucb);
}

BOOL WriteSetFilePrnInfoToRSB(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  std::array<WCHAR, MAX_PATH + 1> path{};
  // Only a default set file named by a full path is written: a bare name
  // would land in whatever folder the profile functions pick.
  if (!GetDefaultRstFileNameFromIni(path.data(), ucb) || !storage::IsAbsoluteIniPath(path.data())) return TRUE;
  LPCWSTR section = GetBatchInstallSectionName(ucb);
  WriteSetFileVerInfo(path.data(), nullptr, ucb, section, FALSE);
  std::array<WCHAR, MAX_PATH + 1> key{};
  for (const IdRange& range : kPrinterInformation) {
    ReadWriteSetFilePrnInfo2(path.data(), kSetFileBatchInstall | kSetFileWrite, ucb, section, key.data(), range.first,
                             range.last);
  }
  return TRUE;
}
#endif
