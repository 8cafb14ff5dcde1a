#include "tests/common/sheet_walk.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

#include "features/module_table/pages/page_rows.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_devmode.h"
#include "jobsettings/validate/validate_flags.h"
#include "platform/base/control.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/gdi_table.h"
#include "platform/spooler/printer_interface.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/modal_loop.h"
#include "platform/window/script_driver.h"
#include "platform/window/window_control.h"
#include "platform/window/winuser.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_names.h"
#include "settings/context/context_open.h"
#include "settings/tables/setting_table.h"
#include "settings/values/setting_value.h"
#include "tests/common/sheet_monkey.h"
#include "ui/alerts/engine_hooks.h"
#include "ui/entry/dll_entry.h"

namespace kesm_test {
namespace {

constexpr std::size_t kDriverDevmode = 1236;
constexpr DWORD kSheetMode = 0x80000000;
// A walk that does not end: one that takes more messages a step than any
// step needs (its own, and the refreshes, boxes and nested dialogs it sets
// off), or whose sheet is still open kWindDownSteps after the monkey began
// to close it (each box answered, each dialog cancelled). A step takes
// two idle turns (the choice, then the action), more when it waits or a
// nested dialog closes in stages: eight a step leaves room for that.
constexpr std::size_t kMessagesPerStep = 4000;
constexpr std::size_t kWindDownSteps = 40;
constexpr BYTE kUntouched = 0xA5;  // the caller's DEVMODE buffer before the sheet

constexpr WalkPrinter kPrinters[] = {
    {"kesm_w2_request.kpd", u"W2 Office"},          // the sample: papers, trays, output trays
    {"kesm_sample.kpd", u"Sample Office"},          // the print tool's sample printer
    {"kesm_a6_alerts.kpd", u"A6 Alerts"},           // alerts of every button and icon style
    {"kesm_w2_page_alert.kpd", u"W2 Page Alert"},   // a page judged as it is accepted
    {"kesm_w2_stamp.kpd", u"W2 Stamp"},             // stamps and their dialogs
    {"kesm_f4_finisher.kpd", u"F4 Finisher"},       // finishers: staple, punch, fold
    {"kesm_w2_preset.kpd", u"W2 Preset"},           // presets and the nested sheet that saves one
    {"kesm_w2_freesize.kpd", u"W2 Free Size"},      // free sizes and their store
    {"kesm_w2_option.kpd", u"W2 Option"},           // installable options
};

std::filesystem::path DescriptionPath(const char* name) {
  const std::filesystem::path data(KESM_TEST_DATA);
  if (std::string_view(name) == "kesm_sample.kpd") return data / ".." / ".." / "tools" / "kesmprint" / name;
  return data / "kpd" / name;
}

// What a walk can leave behind, counted before and after it.
struct Leftovers {
  std::size_t windows = 0;
  std::size_t gdiObjects = 0;
  std::size_t loops = 0;
  DWORD contexts = 0;
  std::size_t blocks = 0;
  std::size_t invalidFrees = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<std::size_t*>(count);
  return TRUE;
}
BOOL CALLBACK CountTop(HWND window, LPARAM count) {
  ++*reinterpret_cast<std::size_t*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

Leftovers CountLeftovers() {
  // The context the cache parks for the next open is no leftover, and its
  // size differs from printer to printer: let it go before counting.
  FreeStoredUcb(TRUE);
  Leftovers now;
  EnumWindows(CountTop, reinterpret_cast<LPARAM>(&now.windows));
  {
    plat::gdi::GdiTable& table = plat::gdi::Gdi();
    std::lock_guard guard(table.lock);
    now.gdiObjects = table.objects.size() + table.dcs.size();
  }
  now.loops = plat::window::RunningLoops().size();
  now.contexts = CountLiveUcb() - CountParkedUcb();
  now.blocks = plat::LiveBlocks();
  now.invalidFrees = plat::InvalidFrees();
  return now;
}

void Compare(std::vector<WalkFinding>& findings, const char* what, std::size_t before, std::size_t after) {
  if (before != after) {
    findings.push_back({kNothingLeft, std::string(what) + ": " + std::to_string(before) + " before the walk, " +
                                          std::to_string(after) + " after"});
  }
}

// The files of the machine that hold what a sheet may write: printer data
// and the spooler's records, the INI stores, set files. (The descriptions,
// their compiled caches and the resource modules are the installation's.)
using Files = std::map<std::filesystem::path, std::string>;

bool Watched(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
  // (Lock files are touched by every read of the stores they guard.)
  return extension != ".dll" && extension != ".kpd" && extension != ".bcs" && extension != ".lock";
}

Files ReadFiles() {
  Files files;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(plat::MachineRoot(), error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file(error) || !Watched(it->path())) continue;
    std::ifstream in(it->path(), std::ios::binary);
    files[it->path()] = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

std::string ChangedFiles(const Files& before, const Files& after) {
  std::string changed;
  const auto name = [](const std::filesystem::path& file) {
    return std::filesystem::relative(file, plat::MachineRoot()).generic_string();
  };
  for (const auto& [file, bytes] : after) {
    auto it = before.find(file);
    if (it == before.end()) {
      changed += " made " + name(file) + ";";
    } else if (it->second != bytes) {
      changed += " changed " + name(file) + ";";
    }
  }
  for (const auto& [file, bytes] : before) {
    if (after.find(file) == after.end()) changed += " removed " + name(file) + ";";
  }
  return changed;
}

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// " (setting N)" for the setting whose bytes hold the DEVMODE's byte at
// offset, so that a finding names what to look at; "" when none does.
std::string SettingAt(const UCB* ucb, const DEVMODEW* kept, std::size_t offset) {
  const SFL* list = ucb->pSFL;
  for (int i = 0; list != nullptr && list->pSFCB != nullptr && i < list->count; ++i) {
    const SFCB& record = list->pSFCB[i];
    const BYTE* at = GetDevmodeAddressBySFCB(ucb, &record);
    if (at == nullptr) continue;
    const auto start = static_cast<std::size_t>(at - reinterpret_cast<const BYTE*>(kept));
    if (offset >= start && offset < start + SettingSizeOf(record.descriptor)) {
      return " (setting " + std::to_string(record.funcId) + ")";
    }
  }
  return "";
}

}  // namespace

std::span<const WalkPrinter> WalkPrinters() { return kPrinters; }

std::string ChangesByValidation(HANDLE printer, std::vector<BYTE> devmode) {
  auto* dm = reinterpret_cast<DEVMODEW*>(devmode.data());
  if (devmode.size() < sizeof(DEVMODEW) || std::size_t(dm->dmSize) + dm->dmDriverExtra != devmode.size()) {
    return "the DEVMODE's sizes do not add up to its " + std::to_string(devmode.size()) + " bytes";
  }
  // A context of its own: never one the cache parked, so it reads what the
  // sheets left.
  UCB* ucb = GetUcb2(printer, printer, 0, kOpenNoLock, kSheetMode);
  if (ucb == nullptr) return "no context opens on the printer";
  std::string changes;
  if (ValidateDevmode(ucb, dm, devmode.size(), kValidateModify) != 1) {
    changes = "validation refuses it";
  } else if (const DEVMODEW* kept = GetDocumentDevmode(ucb);
             kept == nullptr || std::size_t(kept->dmSize) + kept->dmDriverExtra != devmode.size()) {
    changes = "validation changes its size";
  } else {
    std::vector<BYTE> again(reinterpret_cast<const BYTE*>(kept), reinterpret_cast<const BYTE*>(kept) + devmode.size());
    for (int flag = 0; flag < kRunTimeFlagCount; ++flag) {
      SetKDMRunTimeFlagByDM(dm, static_cast<KdmRunTimeFlag>(flag), 0);
      SetKDMRunTimeFlagByDM(reinterpret_cast<DEVMODEW*>(again.data()), static_cast<KdmRunTimeFlag>(flag), 0);
    }
    for (std::size_t i = 0; i < devmode.size(); ++i) {
      if (again[i] != devmode[i]) {
        changes += " " + std::to_string(i) + ":" + std::to_string(devmode[i]) + "->" + std::to_string(again[i]) +
                   SettingAt(ucb, kept, i);
      }
    }
  }
  FreeUcb(ucb);
  return changes;
}

SheetWalks::SheetWalks() {
  BKPDAddrFree();
  plat::window::SuspendPainting(false);
  for (std::size_t i = 0; i < std::size(kPrinters) && setupError_.empty(); ++i) {
    const WalkPrinter& p = kPrinters[i];
    const std::u16string dataFile = u"KESMWALK" + std::u16string(1, char16_t(u'0' + i)) + u".KPD";
    const std::u16string driverName = std::u16string(p.name) + u" Series";
    std::error_code error;
    std::filesystem::copy_file(DescriptionPath(p.description), plat::DriverFilesFolder() / std::filesystem::path(dataFile),
                               std::filesystem::copy_options::overwrite_existing, error);
    plat::DriverSetup driver;
    driver.name = driverName;
    driver.driverFile = u"kesmgr.dll";
    driver.dataFile = dataFile;
    driver.configFile = u"kesmui.dll";
    driver.helpFile = u"kesmw2rus.hlp";
    plat::PrinterSetup setup;
    setup.name = p.name;
    setup.driverName = driverName;
    Installed printer{p.name, nullptr};
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (error || plat::AddPrinterDriver(driver) != ERROR_SUCCESS || plat::AddPrinter(setup) != ERROR_SUCCESS ||
        !OpenPrinterW(p.name, &printer.handle, &defaults)) {
      setupError_ = std::string("cannot install the printer of ") + p.description;
      break;
    }
    printers_.push_back(printer);
    UCB* ucb = GetUcb(printer.handle, printer.handle, 0, kSheetMode);
    const auto dll = ucb != nullptr ? plat::HostPathOf(GetResDllName(ucb)) : std::nullopt;
    if (ucb != nullptr) FreeUcb2(ucb, 1);
    if (!dll) {
      setupError_ = std::string("no context opens on the printer of ") + p.description;
      break;
    }
    std::filesystem::create_directories(dll->parent_path(), error);
    std::filesystem::copy_file(KESM_UI_STRINGS, *dll, std::filesystem::copy_options::overwrite_existing, error);
    if (error) setupError_ = "cannot place the resource module for " + std::string(p.description);
  }
  // The machine's clock stands still, so that the contexts the entry points
  // park within a walk stay parked and serve its later opens, as they serve
  // an application's next call.
  SYSTEMTIME now{};
  now.wYear = 2026;
  now.wMonth = 12;
  now.wDay = 10;
  plat::SetClock(now, 1000);
  RegisterEngineHooks();
  RegisterFeaturePages();
  // The first sheets of each printer load the resource module, its
  // pictures, and make the parked contexts and the stores a first open
  // writes (the printer's options read once).
  for (const Installed& printer : printers_) {
    for (const bool printerSheet : {false, true}) RunWalk(printer, printerSheet, {}, 0);
  }
  plat::window::ClearMessageBoxRecords();
}

SheetWalks::~SheetWalks() {
  plat::window::SuspendPainting(false);
  UnregisterFeaturePages();
  UnregisterEngineHooks();
  for (const Installed& printer : printers_) ClosePrinter(printer.handle);
  FreeStoredUcb(TRUE);
  BKPDAddrFree();
  plat::UseRealClock();
}

std::vector<WalkFinding> SheetWalks::Walk(std::span<const std::uint8_t> input) {
  if (input.size() < 2 || printers_.empty()) return {};
  const Installed& printer = printers_[input[0] % printers_.size()];
  const bool printerSheet = (input[1] & 1) != 0;
  plat::window::SuspendPainting((input[1] & 2) == 0);
  const std::span<const std::uint8_t> choices = input.subspan(2);
  const std::size_t steps = std::min({kMaxWalkSteps, std::size_t(input[1] >> 2) * 2 + 2, choices.size() / 2});
  return RunWalk(printer, printerSheet, choices, steps);
}

std::vector<WalkFinding> SheetWalks::RunWalk(const Installed& printer, bool printerSheet,
                                             std::span<const std::uint8_t> bytes, std::size_t steps) {
  std::vector<WalkFinding> findings;
  plat::window::ClearMessageBoxRecords();
  plat::window::TakeAbandonedLoops();
  const Files filesBefore = ReadFiles();
  const Leftovers before = CountLeftovers();
  std::vector<BYTE> out(kDriverDevmode, kUntouched);
  bool saved = false;
  {
    plat::window::Script script;
    script.budget(8 * (steps + kWindDownSteps), (steps + kWindDownSteps) * kMessagesPerStep);
    ByteChoices choices(bytes);
    MonkeyCount count;
    AddMonkey(script, choices, steps, count);
    if (printerSheet) {
      saved = PrinterProperties(nullptr, printer.handle) != FALSE;
    } else {
      const LONG answer =
          DrvDocumentProperties(nullptr, printer.handle, const_cast<LPWSTR>(printer.name.c_str()),
                                reinterpret_cast<DEVMODEW*>(out.data()), nullptr, DM_COPY | DM_PROMPT);
      if (answer != IDOK && answer != IDCANCEL) {
        findings.push_back({kScriptRuns, "the document sheet answered " + std::to_string(answer)});
      }
      saved = answer == IDOK;
    }
    for (const std::string& failure : script.failures()) {
      const bool budget = failure.find("budget") != std::string::npos;
      findings.push_back({budget ? kWalkEnds : kScriptRuns, failure});
    }
  }
  // What OK hands out, validation keeps; Cancel writes nothing.
  if (saved && !printerSheet) {
    const std::string changes = ChangesByValidation(printer.handle, out);
    if (!changes.empty()) findings.push_back({kOkValidates, changes});
  }
  if (!saved) {
    std::string changed = ChangedFiles(filesBefore, ReadFiles());
    if (std::any_of(out.begin(), out.end(), [](BYTE b) { return b != kUntouched; })) {
      changed += " the caller's DEVMODE;";
    }
    if (!changed.empty()) findings.push_back({kCancelWritesNothing, "Cancel wrote:" + changed});
  }
  if (printerSheet) {
    DWORD type = 0, value = 0, needed = 0;
    if (GetPrinterDataW(printer.handle, u"Permission", &type, reinterpret_cast<LPBYTE>(&value), sizeof value,
                        &needed) != ERROR_SUCCESS ||
        type != REG_DWORD) {
      findings.push_back({kPrinterDataReadsBack, "the printer sheet's permission does not read back"});
    }
  }
  for (const plat::window::MessageBoxRecord& box : plat::window::MessageBoxes()) {
    if (box.text.empty() || box.caption.empty()) {
      findings.push_back({kBoxesHaveText, "a box with text \"" + Narrow(box.text) + "\" and caption \"" +
                                              Narrow(box.caption) + "\""});
    }
  }
  plat::window::ClearMessageBoxRecords();
  // The walk's GDI calls were logged for tests that look at them; a walk
  // does not, and the log would only grow.
  plat::gdi::ClearGdiCallLogs();
  const Leftovers after = CountLeftovers();
  Compare(findings, "windows", before.windows, after.windows);
  Compare(findings, "GDI objects and DCs", before.gdiObjects, after.gdiObjects);
  Compare(findings, "modal loops running", before.loops, after.loops);
  Compare(findings, "printer contexts open", before.contexts, after.contexts);
  Compare(findings, "platform blocks", before.blocks, after.blocks);
  Compare(findings, "invalid frees", before.invalidFrees, after.invalidFrees);
  for (const std::string& loop : plat::window::TakeAbandonedLoops()) {
    findings.push_back({kNothingLeft, "a modal loop abandoned: " + loop});
  }
  return findings;
}

}  // namespace kesm_test
