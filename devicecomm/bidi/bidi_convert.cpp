#if !KESM_KERNEL_MODE
#include "devicecomm/bidi/bidi_convert.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "devicecomm/bidi/bidi_def_trays.h"
#include "devicecomm/bidi/bidi_events.h"
#include "devicecomm/bidi/bidi_map.h"
#include "features/custom_modules.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/model_corrections.h"
#include "platform/base/winerror.h"
#include "settings/constraints/fixed_switches.h"
#include "settings/context/context_block.h"
#include "settings/tables/setting_table.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_properties.h"

namespace {

constexpr WORD kFuncMediaType = 54;
constexpr WORD kFuncPrinterMemory = 10012;
constexpr WORD kFuncMemoryType = 10013;
constexpr WORD kFuncTrayLock0 = 10239;
constexpr WORD kFuncSystemVersion = 10271;
constexpr WORD kFuncEmulationVersion = 10272;
constexpr WORD kFuncOther = 10274;
constexpr WORD kFuncCoverDefTray = 10276;
constexpr WORD kFuncMPDefTray = 10277;
constexpr WORD kFuncReverseCoverDefTray = 10288;
constexpr WORD kFuncChapterSep[3] = {10285, 10286, 10287};

// Tray state bits and the BidiFunc bits they lead to.
constexpr DWORD kStateCover = 0x4;
constexpr DWORD kStateMP = 0x8;
constexpr DWORD kStateReverseCover = 0x200;
constexpr DWORD kFuncBitCover = 0x1;
constexpr DWORD kFuncBitMP = 0x2;
constexpr DWORD kFuncBitSeparator[3] = {0x4, 0x8, 0x10};
constexpr DWORD kFuncBitReverseCover = 0x40;

// Memory types the device reports, and what kdmMemoryType keeps.
constexpr DWORD kDeviceMemoryType2 = 2;

// An item as the device delivered it.
struct Item {
  enum State { kFailed, kEmpty, kRead } state = kFailed;
  std::vector<BYTE> bytes;
  LONG answer = -1;  // the read's answer
};

Item ReadItem(const BIDIAPIEX2& api, DWORD response, DWORD number) {
  Item item;
  DWORD needed = 0;
  if (api.pfnGetItem(response, number, nullptr, 0, &needed) == -1) return item;
  if (needed == 0) {
    item.state = Item::kEmpty;
    return item;
  }
  if (needed > kBidiMaxItemBytes) return item;
  item.bytes.assign(needed, 0);
  DWORD again = 0;
  item.answer = api.pfnGetItem(response, number, item.bytes.data(), needed, &again);
  if (item.answer >= 0) item.state = Item::kRead;
  return item;
}

// The entries of an item of 32-bit entries, as many as both the read's
// answer and the bytes delivered vouch for; nothing for a broken answer
// (a size that is not whole entries, or a count beyond the bytes).
bool Entries(const Item& item, std::vector<DWORD>* entries) {
  entries->clear();
  if (item.state != Item::kRead || item.bytes.size() % 4 != 0) return false;
  const std::size_t available = item.bytes.size() / 4;
  if (item.answer < 0 || static_cast<std::size_t>(item.answer) > available) return false;
  entries->resize(static_cast<std::size_t>(item.answer));
  std::memcpy(entries->data(), item.bytes.data(), entries->size() * 4);
  return true;
}

// ANSI text within the bytes delivered, cut to what the setting keeps.
std::string TextOf(const std::vector<BYTE>& bytes, std::size_t limit, UCB* ucb, WORD funcId) {
  const SFCB* record = GetSFCBbyFuncID(ucb, funcId);
  const std::size_t room = record != nullptr ? SettingSizeOf(record->descriptor) : 1;
  const std::size_t within = std::min({bytes.size(), limit, room > 0 ? room - 1 : 0});
  const auto* text = reinterpret_cast<const char*>(bytes.data());
  return std::string(text, strnlen(text, within));
}

BOOL StoreText(UCB* ucb, WORD funcId, const std::string& text) {
  return SetDevmodeValueDirectByFuncID(ucb, funcId, reinterpret_cast<LONG_PTR>(text.c_str()));
}

// A sub-item of category 15: probe, then a read into a block of at least
// the setting's size. Nothing when the probe fails or names 0 bytes.
enum class SubRead { kStop, kFailed, kRead };
SubRead ReadSubItem(const BIDIAPIEX2& api, DWORD category, DWORD subItem, WORD funcId, UCB* ucb,
                    std::string* text) {
  DWORD needed = 0;
  SetLastError(ERROR_SUCCESS);
  if (!api.pfnGetCategoryItem(category, kBidiCategoryUnique, subItem, nullptr, 0, &needed) &&
      GetLastError() != kBidiProbeDenied) {
    return SubRead::kStop;
  }
  if (needed == 0 || needed > kBidiMaxItemBytes) return SubRead::kStop;
  const SFCB* record = GetSFCBbyFuncID(ucb, funcId);
  const std::size_t size = std::max<std::size_t>(needed, record != nullptr ? SettingSizeOf(record->descriptor) : 0);
  std::vector<BYTE> block(size, 0);
  DWORD again = 0;
  if (!api.pfnGetCategoryItem(category, kBidiCategoryUnique, subItem, block.data(), static_cast<DWORD>(size),
                              &again)) {
    return SubRead::kFailed;
  }
  *text = TextOf(block, needed, ucb, funcId);
  return SubRead::kRead;
}

// Reads sub-items 2 and (unless only the version is wanted) 259.
void ReadUniqueTexts(const BIDIAPIEX2& api, DWORD category, bool versionOnly, UCB* ucb) {
  std::string text;
  const SubRead version = ReadSubItem(api, category, kBidiSubEmulationVersion, kFuncEmulationVersion, ucb, &text);
  if (version == SubRead::kStop) return;
  if (version == SubRead::kRead) StoreText(ucb, kFuncEmulationVersion, text);
  if (versionOnly) return;
  if (ReadSubItem(api, category, kBidiSubOther, kFuncOther, ucb, &text) == SubRead::kRead) {
    StoreText(ucb, kFuncOther, text);
  }
}

// Opens category 15; FALSE when it is refused with anything but "pending".
bool OpenUnique(const BIDIAPIEX2& api, DWORD printer, DWORD* category) {
  SetLastError(ERROR_SUCCESS);
  return api.pfnOpenCategory(printer, category, kBidiCategoryUnique, 1) || GetLastError() == kBidiPending;
}

// The per-tray details: paper and orientation, media, lock and the default
// and chapter trays of one tray.
struct TrayMarks {
  std::vector<DWORD> cover, mp, reverseCover;
  DWORD covers = 0, mps = 0, reverseCovers = 0;
  DWORD separators[3] = {};
  DWORD bidiFunc = 0;
};

void SetPaper(DWORD code, DWORD paperCode, UCB* ucb) {
  DWORD landscape = 0;
  LONG_PTR paper = GetFidFromBidiDataPaper(paperCode, &landscape);
  const WORD paperId = GetFidFromBidiDataTray(code);
  const WORD orientId = GetFidFromBidiDataOrientAvailable(code);
  const SFCB* paperRecord = paperId != 0 ? GetSFCBbyFuncID(ucb, paperId) : nullptr;
  if (paperRecord != nullptr && !CheckDevmodeValueByCDT(ucb, paperRecord, paper)) paper = 0;
  if (paperId != 0 && orientId != 0) {
    SetDevmodeValueDirectByFuncID(ucb, paperId, paper);
    CorrectManualTrayPaperEx(code, orientId, landscape, ucb);
    return;
  }
  if (paperId != 0) SetDevmodeValueDirectByFuncID(ucb, paperId, paper);
  if (orientId != 0) SetDevmodeValueDirectByFuncID(ucb, orientId, landscape);
}

void SetMedia(DWORD code, DWORD mediaCode, UCB* ucb) {
  LONG_PTR media = GetFidFromBidiDataMedia(mediaCode);
  const SFCB* mediaType = GetSFCBbyFuncID(ucb, kFuncMediaType);
  if (mediaType != nullptr && !CheckDevmodeValueByCDT(ucb, mediaType, media)) media = 0;
  const WORD mediaId = GetFidFromBidiDataTrayMedia(code);
  if (mediaId != 0) SetDevmodeValueDirectByFuncID(ucb, mediaId, media == 0 ? 1 : media);
}

void SetTrayState(DWORD index, DWORD code, DWORD bits, TrayMarks& marks, UCB* ucb) {
  const WORD lockId = GetFidFromBidiDataTrayTrayLock(code);
  if (lockId != 0) SetDevmodeValueDirectByFuncID(ucb, lockId, GetFidFromBidiDataTrayLock(bits));
  using Ask = WORD (*)(DWORD, UCB*);
  constexpr Ask kSeparators[3] = {GetFidFromBidiDataChapterDefTray1, GetFidFromBidiDataChapterDefTray2,
                                  GetFidFromBidiDataChapterDefTray3};
  for (int n = 0; n < 3; ++n) {
    // A tray without a lock setting has no bit in the separator masks.
    if (lockId >= kFuncTrayLock0 && kSeparators[n](bits, ucb) != 0) {
      marks.separators[n] |= 1u << (lockId - kFuncTrayLock0);
    }
  }
  const WORD defTray = GetFidFromBidiDataTrayDefTray(code);
  struct Default {
    DWORD bit;
    WORD funcId;
    std::vector<DWORD>* marked;
    DWORD* count;
  };
  const Default defaults[] = {{kStateCover, kFuncCoverDefTray, &marks.cover, &marks.covers},
                              {kStateMP, kFuncMPDefTray, &marks.mp, &marks.mps},
                              {kStateReverseCover, kFuncReverseCoverDefTray, &marks.reverseCover,
                               &marks.reverseCovers}};
  for (const Default& d : defaults) {
    if ((bits & d.bit) == 0) continue;
    SetDevmodeValueDirectByFuncID(ucb, d.funcId, defTray);
    (*d.marked)[index] = code;
    ++*d.count;
  }
  if (GetFidFromBidiDataChapterDefTray(bits, ucb) != 0) SetChapterDefTray(bits, defTray, &marks.bidiFunc, ucb);
}

void FinishDefaultTrays(TrayMarks& marks, UCB* ucb) {
  const auto count = static_cast<DWORD>(marks.cover.size());
  SetCoverDefTray(marks.cover.data(), count, ucb);
  SetMPDefTray(marks.mp.data(), count, ucb);
  SetReverseCoverDefTray(marks.reverseCover.data(), count, ucb);
  if (marks.covers != 0) marks.bidiFunc |= kFuncBitCover;
  if (marks.mps != 0) marks.bidiFunc |= kFuncBitMP;
  if (marks.reverseCovers != 0) marks.bidiFunc |= kFuncBitReverseCover;
  for (int n = 0; n < 3; ++n) {
    if (marks.separators[n] != 0) marks.bidiFunc |= kFuncBitSeparator[n];
    SetDevmodeValueDirectByFuncID(ucb, kFuncChapterSep[n], marks.separators[n]);
  }
  SetKDMBidiFunc(ucb, marks.bidiFunc);
}

// Step 2 of the full conversion: installed options and tray fields start
// from nothing.
void ClearInstalled(UCB* ucb) {
  for (int list : {kValidSourceOption, kValidOutputOption, kValidTrayField}) {
    const DMSpecialRecord* record = GetDMSpecialTableByIndex(list);
    if (record == nullptr || record->values == nullptr) continue;
    for (DWORD i = 0; i < record->count; ++i) {
      SetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(record->values[i]), 0);
    }
  }
}

}  // namespace

void CorrectOptDevByOptDevPunch(DWORD code, UCB* ucb) { CorrectOptDevByOptDevPunchDependOnMachine(code, ucb); }

BOOL Bidi_INPUTTRAY(const BIDIAPIEX2* api, DWORD response, UCB* ucb) {
  if (api == nullptr || ucb == nullptr) return FALSE;
  // The Other module asks for the tray details; the rendering library,
  // where it does not answer, reads them too.
  CustomBidiTrayDetails details{1};
  KesmCustomFunction(ucb, kCustomBidiTrayDetails, &details);
  const Item trayItem = ReadItem(*api, response, kBidiItemTrays);
  if (trayItem.state == Item::kEmpty) return TRUE;
  std::vector<DWORD> trays;
  if (!Entries(trayItem, &trays)) return FALSE;
  std::vector<DWORD> paper, media, state;
  if (details.wanted != 0) {
    // Each of these is indexed by the tray count of item 1.
    std::vector<DWORD>* lists[] = {&paper, &media, &state};
    const DWORD numbers[] = {kBidiItemTrayPaper, kBidiItemTrayMedia, kBidiItemTrayState};
    for (int k = 0; k < 3 && details.wanted != 0; ++k) {
      const Item item = ReadItem(*api, response, numbers[k]);
      // A device without tray details still told which trays it has: the
      // trays are set, their details left alone.
      if (item.state == Item::kEmpty) {
        details.wanted = 0;
        break;
      }
      if (!Entries(item, lists[k]) || lists[k]->size() < trays.size()) return FALSE;
    }
  }
  if (details.wanted != 0) SetDefaultChapterDefTray(ucb);
  TrayMarks marks;
  marks.cover.assign(trays.size(), 0);
  marks.mp.assign(trays.size(), 0);
  marks.reverseCover.assign(trays.size(), 0);
  for (std::size_t i = 0; i < trays.size(); ++i) {
    const DWORD code = trays[i];
    const WORD field = GetFidFromBidiDataTrayAvailable(code);
    if (field != 0) SetDevmodeValueDirectByFuncID(ucb, field, 1);
    if (details.wanted == 0) continue;
    SetPaper(code, paper[i], ucb);
    SetMedia(code, media[i], ucb);
    SetTrayState(static_cast<DWORD>(i), code, state[i], marks, ucb);
  }
  if (details.wanted != 0) FinishDefaultTrays(marks, ucb);
  return TRUE;
}

BOOL Bidi_DEVICE(const BIDIAPIEX2* api, DWORD response, UCB* ucb) {
  if (api == nullptr || ucb == nullptr) return FALSE;
  const Item item = ReadItem(*api, response, kBidiItemOptions);
  if (item.state == Item::kEmpty) return TRUE;
  std::vector<DWORD> codes;
  if (!Entries(item, &codes)) return FALSE;
  DWORD punch = 0;
  LONG running = 0;
  for (DWORD code : codes) {
    const WORD option = GetFidFromBidiDataOptionDevice(code, ucb);
    if (IsOptDevPunch(code)) punch = code;
    if (option == 0) continue;
    SetDevmodeValueDirectByFuncID(ucb, option, 1);
    Setkdm1StepOptionNumDependOnMachine(option, code, &running, ucb);
  }
  CorrectOptDevByOptDevPunch(punch, ucb);
  return TRUE;
}

BOOL Bidi_MEMORYSIZE(const BIDIAPIEX2* api, DWORD response, UCB* ucb) {
  if (api == nullptr || ucb == nullptr) return FALSE;
  const Item item = ReadItem(*api, response, kBidiItemMemory);
  if (item.state == Item::kEmpty) return TRUE;
  if (item.state == Item::kFailed) return FALSE;
  // A size below one entry, or a read that vouches for none, leaves the
  // memory as it was.
  if (item.bytes.size() < 4 || item.answer < 1) return TRUE;
  DWORD bytes = 0;
  std::memcpy(&bytes, item.bytes.data(), 4);
  SetDevmodeValueDirectByFuncID(ucb, kFuncPrinterMemory, bytes >> 10);
  return TRUE;
}

BOOL Bidi_SYSVERSION(const BIDIAPIEX2* api, DWORD response, UCB* ucb) {
  if (api == nullptr || ucb == nullptr) return FALSE;
  const Item item = ReadItem(*api, response, kBidiItemSystemVersion);
  if (item.state == Item::kEmpty) return TRUE;
  if (item.state == Item::kFailed) return FALSE;
  if (item.answer != 0) StoreText(ucb, kFuncSystemVersion, TextOf(item.bytes, item.bytes.size(), ucb, kFuncSystemVersion));
  return TRUE;
}

BOOL Bidi_UNIQINFO(const BIDIAPIEX2* api, DWORD printer, DWORD /*response*/, UCB* ucb) {
  DWORD category = 0;
  if (api == nullptr || ucb == nullptr || !OpenUnique(*api, printer, &category)) return TRUE;
  DWORD type = 0;
  DWORD needed = 0;
  if (api->pfnGetCategoryItem(category, kBidiCategoryUnique, kBidiSubMemoryType, &type, sizeof type, &needed)) {
    if (needed == 0) {
      SetDevmodeValueDirectByFuncID(ucb, kFuncMemoryType, 1);
      return TRUE;
    }
    SetDevmodeValueDirectByFuncID(ucb, kFuncMemoryType, type == kDeviceMemoryType2 ? 0 : 1);
  }
  ReadUniqueTexts(*api, category, false, ucb);
  return TRUE;
}

BOOL Bidi_UNIQINFO2(const BIDIAPIEX2* api, DWORD printer, DWORD /*response*/, UCB* ucb) {
  DWORD category = 0;
  if (api == nullptr || ucb == nullptr || !OpenUnique(*api, printer, &category)) return TRUE;
  ReadUniqueTexts(*api, category, true, ucb);
  return TRUE;
}

BOOL GetBidiDataAndConvert2DriverData(const BIDIAPIEX2* api, DWORD printer, DWORD response, UCB* ucb) {
  LPBYTE printerPart = GetPrinterDevmode(ucb);
  const int size = sizeofPrnDM();
  if (api == nullptr || printerPart == nullptr || size <= 0) return FALSE;
  const std::vector<BYTE> snapshot(printerPart, printerPart + size);
  const DWORD bidiFunc = GetKDMBidiFunc(ucb);
  ClearInstalled(ucb);
  using Step = BOOL (*)(const BIDIAPIEX2*, DWORD, UCB*);
  for (Step step : {Bidi_INPUTTRAY, Bidi_DEVICE, Bidi_MEMORYSIZE, Bidi_SYSVERSION}) {
    if (!step(api, response, ucb)) {
      std::memcpy(printerPart, snapshot.data(), snapshot.size());
      SetKDMBidiFunc(ucb, bidiFunc);
      return FALSE;
    }
  }
  KesmCustomFunction(ucb, kCustomBidiConverted, nullptr);
  if (Bidi_UNIQINFO(api, printer, response, ucb)) {
    SetProperties(ucb->hPrinter, ucb, kBlockPrinter, kPropertiesBidi);
  }
  return TRUE;
}

BOOL GetBidiDataAndConvert2DriverData2(const BIDIAPIEX2* api, DWORD printer, DWORD response, UCB* ucb) {
  if (!Bidi_SYSVERSION(api, response, ucb)) return FALSE;
  Bidi_UNIQINFO2(api, printer, response, ucb);
  return TRUE;
}
#endif
