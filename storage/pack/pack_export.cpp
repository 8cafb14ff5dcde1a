// The export of a pack: the package folder and its files.
#include "storage/pack/pack_files.h"

#if !KESM_KERNEL_MODE
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "platform/runtime/wintime.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/tables/driver_params.h"
#include "storage/files/file_helpers.h"
#include "storage/files/file_names.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/ini/section_names.h"
#include "storage/install/install_ini.h"
#include "storage/install/template_register.h"
#include "storage/pack/pack_common.h"
#include "storage/pack/pack_stamp.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/store_ini.h"
#include "storage/stores/watermark_store.h"

namespace {

// Room the package folder's name leaves below the dummy directory for the
// root, the separators and a file name.
constexpr std::size_t kPackPathSpare = 34;
constexpr DWORD kPrnInfoFlags = kSetFileWrite | kSetFileBatchInstall;
struct IdRange {
  WORD first;
  WORD last;
};
constexpr IdRange kPrinterInformation[] = {{10001, 10385}, {1124, 1164}};

bool Write(LPCWSTR section, LPCWSTR key, const std::u16string& value, LPCWSTR file) {
  return storage::WriteStoreText(section, key, value.c_str(), file) != FALSE;
}

std::u16string Numbered(std::u16string_view prefix, int n) {
  return std::u16string(prefix) + storage::DecimalText(n);
}

// The package file "R<stamp><index>.<extension>" beside the default set
// file.
std::u16string PackFile(LPCWSTR rsbPath, const std::u16string& stamp, int index, std::u16string_view extension) {
  return pack::FolderOf(rsbPath) + u"\\R" + stamp + PackIndexChar(index) + u"." + std::u16string(extension);
}

// The name of a package file as the default set file names it.
std::u16string TemplateName(const std::u16string& stamp, int index, std::u16string_view extension) {
  return u"%sysdir%R" + stamp + PackIndexChar(index) + u"." + std::u16string(extension);
}

std::u16string QualityStamp(LPCWSTR rsbPath) {
  std::u16string stamp = pack::StampOf(rsbPath);
  if (!stamp.empty()) NextCnvTimeToSTR36(stamp.data());
  return stamp;
}

std::u16string ListPathOf(LPCWSTR path) {
  std::array<WCHAR, MAX_PATH> list{};
  return MakeBatchUseFileName(list.data(), path, u"lst", nullptr) ? std::u16string(list.data()) : std::u16string();
}

// A store's entry sections (free sizes or watermarks) from the settings INI
// into the default set file, with their count. The entries are taken up
// to the first one the settings INI does not hold (the free-size store
// always counts its ten slots), and the count written is the number
// taken; an entry too long to copy whole fails the step.
template <typename MakeKey>
bool CopyEntries(LPCWSTR countKey, int count, MakeKey makeKey, LPCWSTR rsbPath, LPCWSTR section, UCB* ucb) {
  std::array<WCHAR, MAX_PATH> key{};
  int taken = 0;
  for (; taken < count; ++taken) {
    makeKey(key.data(), taken, 0, ucb);
    const auto lines = storage::ReadWholeSection(key.data(), storage::SettingsIniOf(ucb), kPackSectionChars);
    if (!lines) return false;
    if (lines->empty() || (*lines)[0] == 0) break;
    if (!pack::CopySection(key.data(), storage::SettingsIniOf(ucb), key.data(), rsbPath, kPackSectionChars)) {
      return false;
    }
  }
  return Write(section, countKey, storage::DecimalText(taken), rsbPath);
}

}  // namespace

BOOL CreatePackInstallDirectory(LPCWSTR listPath, LPWSTR rsbPath, UCB* ucb) {
  if (listPath == nullptr || rsbPath == nullptr || ucb == nullptr) return FALSE;
  rsbPath[0] = 0;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::array<WCHAR, kStampChars> stamp{};
  CnvTimeToSTR36(CnvTimeToDWORD(now), stamp.data());

  const std::u16string dummy = storage::DummyDirectory(ucb->hPrinter);
  const std::u16string root = pack::PackRoot(ucb->hPrinter);
  if (root.empty() || dummy.size() + kPackPathSpare >= MAX_PATH) return FALSE;
  char time[32] = {};
  std::snprintf(time, sizeof time, "%04u%02u%02u%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  DWORD baseLength = 0;
  LPCWSTR base = GetFileNameBase(listPath, &baseLength);
  std::u16string name(time, time + 14);
  name.append(base, baseLength);
  // The name is cut, never refused.
  name.resize(std::min(name.size(), MAX_PATH - kPackPathSpare - dummy.size()));
  const std::u16string folder = storage::JoinPath(root, name);
  const std::u16string rsb = folder + u"\\R" + stamp.data() + u"1.rsb";
  storage::CopyOut(rsbPath, MAX_PATH, rsb);
  return _CreateDirectory(root.c_str()) && _CreateDirectory(folder.c_str());
}

BOOL WriteScenarioKey(LPCWSTR file, UCB* ucb) {
  if (file == nullptr || ucb == nullptr) return FALSE;
  return Write(kScenarioSection, u"DriverType", u"KESM", file) && Write(kScenarioSection, u"RstFileOSVersion", u"1", file) &&
         Write(kScenarioSection, u"DriverVersion", fgDP.pszDriverVersion, file) &&
         Write(kScenarioSection, u"DrvInst", storage::View(GetRealDriverName(ucb)).data(), file);
}

BOOL WritePackRSB(LPCWSTR rsbPath, LPCWSTR listPath, UCB* ucb) {
  const std::u16string stamp = pack::StampOf(rsbPath);
  const std::u16string qualityStamp = QualityStamp(rsbPath);
  if (stamp.empty() || listPath == nullptr || ucb == nullptr) return FALSE;
  const int presets = ReadPresetCount(ucb);
  const int qualities = ReadQualityCount(ucb);
  // Each file of a kind takes one index character.
  if (presets > kPackFilesMax || qualities > kPackFilesMax) return FALSE;
  LPCWSTR section = GetRsbSectionName(ucb);
  bool ok = Write(section, u"NumDeficonfiles", storage::DecimalText(presets), rsbPath);
  for (int i = 0; ok && i < presets; ++i) {
    ok = Write(section, Numbered(u"Deficonfiles", i + 1).c_str(), TemplateName(stamp, i, u"rsd"), rsbPath);
  }
  ok = ok && Write(section, u"NumDefqualityfiles", storage::DecimalText(qualities), rsbPath);
  for (int i = 0; ok && i < qualities; ++i) {
    ok = Write(section, Numbered(u"Defqualityfiles", i + 1).c_str(), TemplateName(qualityStamp, i, u"rsq"), rsbPath);
  }
  ok = ok && WriteSetFileVerInfo(rsbPath, nullptr, ucb, section, FALSE);
  std::array<WCHAR, MAX_PATH + 1> key{};
  // As the default set file of a driver package gets it: a setting the
  // transfer refuses is left out, the rest is written.
  for (const IdRange& range : kPrinterInformation) {
    if (ok) ReadWriteSetFilePrnInfo2(rsbPath, kPrnInfoFlags, ucb, section, key.data(), range.first, range.last);
  }
  ok = ok && CopyEntries(u"FreeSizeCount", ReadFreesizeCount(ucb), MakeFreesizeKey, rsbPath, section, ucb);
  ok = ok && CopyEntries(u"StampCount", ReadWatermarkCount(ucb), MakeWatermarkKey, rsbPath, section, ucb);
  return ok && WriteScenarioKey(rsbPath, ucb) &&
         Write(kScenarioSection, u"DefaultRstName", ListPathOf(listPath), rsbPath);
}

BOOL WritePackRSD(LPCWSTR rsbPath, UCB* ucb) {
  const std::u16string stamp = pack::StampOf(rsbPath);
  if (stamp.empty() || ucb == nullptr) return FALSE;
  LPCWSTR settingsIni = storage::SettingsIniOf(ucb);
  LPCWSTR section = GetRsdSectionName(ucb);
  const int presets = ReadPresetCount(ucb);
  for (int i = 0; i < presets && i < kPackFilesMax; ++i) {
    std::array<WCHAR, storage::kStoreKeyChars> key{};
    const std::u16string file = PackFile(rsbPath, stamp, i, u"rsd");
    std::array<WCHAR, MAX_PATH> setFile{};
    if (!GetStringFromFile(settingsIni, GetPresetSectionName(ucb), MakePresetKey(key.data(), i, 0), setFile.data()) ||
        setFile[0] == 0 ||
        !pack::CopySection(GetPrinterName(ucb), setFile.data(), section, file.c_str(), kPackSectionChars)) {
      return FALSE;
    }
    for (const auto& [part, name] : {std::pair{1, u"setname"}, std::pair{2, u"setcomment"}}) {
      const std::u16string value =
          storage::ReadWholeValue(GetPresetSectionName(ucb), MakePresetKey(key.data(), i, part), settingsIni,
                                  kPackSectionChars)
              .value_or(u"");
      if (!Write(section, name, value, file.c_str())) return FALSE;
    }
    for (LPCWSTR extra : {u"condition", u"disable"}) {
      const auto lines = storage::ReadWholeSection(extra, setFile.data(), kPackSectionChars);
      if (lines && !lines->empty() && (*lines)[0] != 0 &&
          !pack::CopySection(extra, setFile.data(), extra, file.c_str(), kPackSectionChars)) {
        return FALSE;
      }
    }
    if (!WriteScenarioKey(file.c_str(), ucb)) return FALSE;
  }
  return TRUE;
}

BOOL WritePackRSQ(LPCWSTR rsbPath, UCB* ucb) {
  const std::u16string stamp = QualityStamp(rsbPath);
  if (stamp.empty() || ucb == nullptr) return FALSE;
  LPCWSTR settingsIni = storage::SettingsIniOf(ucb);
  LPCWSTR section = GetRsdSectionName(ucb);
  const int qualities = ReadQualityCount(ucb);
  if (qualities > kPackFilesMax) return FALSE;
  for (int i = 0; i < qualities; ++i) {
    std::array<WCHAR, 64> key{};
    const std::u16string file = PackFile(rsbPath, stamp, i, u"rsq");
    std::array<WCHAR, MAX_PATH> setFile{};
    if (!GetStringFromFile(settingsIni, GetQualitySectionName(ucb), MakeQualityKeyEx(key.data(), i, 0),
                           setFile.data()) ||
        setFile[0] == 0 ||
        !pack::CopySection(GetPrinterName(ucb), setFile.data(), section, file.c_str(), kPackSectionChars)) {
      return FALSE;
    }
    const std::u16string name =
        storage::ReadWholeValue(GetQualitySectionName(ucb), MakeQualityKeyEx(key.data(), i, 1), settingsIni,
                                kPackSectionChars)
            .value_or(u"");
    if (!Write(section, u"qualityname", name, file.c_str()) || !WriteScenarioKey(file.c_str(), ucb)) return FALSE;
  }
  return TRUE;
}

BOOL WritePackLST(LPCWSTR rsbPath, LPCWSTR listPath, UCB* ucb) {
  const std::u16string stamp = pack::StampOf(rsbPath);
  const std::u16string qualityStamp = QualityStamp(rsbPath);
  const std::u16string list = listPath != nullptr ? ListPathOf(listPath) : std::u16string();
  if (stamp.empty() || list.empty() || ucb == nullptr) return FALSE;
  bool ok = Write(kScenarioSection, u"TALVOKESMDriverFileList", u"1", list.c_str()) &&
            Write(kScenarioSection, u"DefaultRst", rsbPath, list.c_str());
  int n = 1;
  const int presets = std::min(ReadPresetCount(ucb), kPackFilesMax);
  for (int i = 0; ok && i < presets; ++i) {
    ok = Write(kScenarioSection, Numbered(u"OtherFiles", n++).c_str(), PackFile(rsbPath, stamp, i, u"rsd"), list.c_str());
  }
  const int qualities = std::min(ReadQualityCount(ucb), kPackFilesMax);
  for (int i = 0; ok && i < qualities; ++i) {
    ok = Write(kScenarioSection, Numbered(u"OtherFiles", n++).c_str(), PackFile(rsbPath, qualityStamp, i, u"rsq"),
               list.c_str());
  }
  return ok && WriteScenarioKey(list.c_str(), ucb);
}

BOOL WritePackInstallFiles(LPCWSTR listPath, LPCWSTR rsbPath, UCB* ucb) {
  if (listPath == nullptr || rsbPath == nullptr || ucb == nullptr) return FALSE;
  return WriteScenarioKey(listPath, ucb) && WritePackRSB(rsbPath, listPath, ucb) && WritePackRSD(rsbPath, ucb) &&
         WritePackRSQ(rsbPath, ucb) && WritePackLST(rsbPath, listPath, ucb);
}
#endif
