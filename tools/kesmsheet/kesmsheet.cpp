#include "tools/kesmsheet/kesmsheet.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <system_error>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"
#include "platform/modules/winmodule.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "platform/text/utf.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_names.h"
#include "settings/context/context_open.h"
#include "tools/kesmprint/kesmprint.h"
#include "tools/kesmprint/machine_setup.h"
#include "tools/kesmprint/printer_setup.h"
#include "tools/kesmsheet/layout_check.h"
#include "tools/kesmsheet/setting_changes.h"
#include "tools/kesmsheet/sheet_run.h"
#include "ui/entry/dll_entry.h"

namespace kesmsheet {
namespace {

namespace fs = std::filesystem;

constexpr const char16_t* kUiFileName = u"kesmui.dll";

// One line of UTF-8 text: a control character or a byte that is not UTF-8
// (a file name's, say) shows as '?'.
int Fail(std::ostream& err, const std::string& message) {
  std::string shown;
  for (std::size_t i = 0; i < message.size();) {
    char32_t c = 0;
    const std::size_t n = plat::utf::ReadUtf8(message, i, &c);
    const bool plain = c != plat::utf::kInvalid && c >= 0x20 && c != 0x7F;
    shown += plain ? message.substr(i, n) : std::string("?");
    i += n;
  }
  err << "kesmsheet: " << shown << '\n';
  return 1;
}

bool ReadScript(const std::string& file, std::vector<Step>& steps, std::string& error) {
  std::error_code ec;
  std::ifstream in(file, std::ios::binary);
  if (!fs::is_regular_file(file, ec) || !in) {
    error = "cannot read the script " + file;
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (ParseScript(text, steps, error)) return true;
  error = "the script " + file + ", " + error;
  return false;
}

// The configuration library's resource and bitmap libraries where the
// printer's contexts look for them; a file already there that is the
// same size is left alone (another process may have it loaded).
bool InstallResources(HANDLE printer, std::string& error) {
  UCB* ucb = GetUcb(printer, printer, 0, 0x80000000);
  if (ucb == nullptr) {
    error = "the printer's description cannot be opened";
    return false;
  }
  const std::u16string strings = GetResDllName(ucb);
  const std::u16string bitmaps = GetBmpDllName(ucb);
  FreeUcb(ucb);
  FreeStoredUcb(TRUE);
  const std::pair<std::u16string, const char*> files[] = {{strings, KESMSHEET_UI_STRINGS},
                                                          {bitmaps, KESMSHEET_UI_BITMAPS}};
  for (const auto& [machinePath, source] : files) {
    const auto target = plat::HostPathOf(machinePath.c_str());
    std::error_code ec;
    if (!target) {
      error = "the resource library " + plat::utf::ToUtf8(machinePath) + " has no place on the machine";
      return false;
    }
    if (fs::exists(*target, ec) && fs::file_size(*target, ec) == fs::file_size(source, ec)) continue;
    fs::create_directories(target->parent_path(), ec);
    if (!fs::copy_file(source, *target, fs::copy_options::overwrite_existing, ec)) {
      error = "cannot install the resource library " + target->string() + ": " + ec.message();
      return false;
    }
  }
  return true;
}

// The configuration library, loaded from the driver folder as the spooler
// loads it, and its module entry called.
struct UiLibrary {
  HMODULE module = nullptr;
  ~UiLibrary() {
    if (module == nullptr) return;
    if (auto entry = reinterpret_cast<decltype(&DllInitialize)>(GetProcAddress(module, "DllInitialize"))) {
      entry(module, DLL_PROCESS_DETACH, nullptr);
    }
    FreeLibrary(module);
  }
  template <class Fn>
  Fn Get(const char* name) const {
    return reinterpret_cast<Fn>(GetProcAddress(module, name));
  }
  bool Load(std::string& error) {
    if (plat::InstallDriverFile(KESMSHEET_UI_LIBRARY, kUiFileName) != ERROR_SUCCESS) {
      error = plat::WithMachineFault("the configuration library cannot be installed in the driver folder");
      return false;
    }
    const std::u16string path = plat::DriverFilesDirectory() + u"\\" + kUiFileName;
    module = LoadLibraryW(path.c_str());
    auto entry = module != nullptr ? Get<decltype(&DllInitialize)>("DllInitialize") : nullptr;
    if (entry == nullptr || !entry(module, DLL_PROCESS_ATTACH, nullptr)) {
      error = plat::WithMachineFault("the configuration library cannot be loaded");
      return false;
    }
    return true;
  }
};

struct Printer {
  HANDLE handle = nullptr;
  ~Printer() {
    if (handle != nullptr) ClosePrinter(handle);
  }
};

// The printer's default DEVMODE as its document properties give it.
bool DefaultDevmode(const UiLibrary& ui, HANDLE printer, std::u16string& name, std::vector<BYTE>& devmode,
                    std::string& error) {
  auto properties = ui.Get<decltype(&DrvDocumentProperties)>("DrvDocumentProperties");
  const LONG size = properties != nullptr ? properties(nullptr, printer, name.data(), nullptr, nullptr, 0) : -1;
  devmode.assign(size > 0 ? static_cast<std::size_t>(size) : 0, 0);
  if (size <= 0 || properties(nullptr, printer, name.data(), reinterpret_cast<DEVMODEW*>(devmode.data()), nullptr,
                              DM_COPY) != 1) {
    error = "the printer has no default DEVMODE";
    return false;
  }
  return true;
}

// The printer of that name (the sample printer installed from the sample
// description when missing), its resource libraries in place.
bool OpenWithResources(const std::string& label, Printer& printer, std::ostream& out, std::string& error) {
  const std::u16string name = plat::utf::FromUtf8(label);
  if (label == kesmprint::kSamplePrinter) {
    std::string note;
    fs::path dataFile;
    if (!kesmprint::EnsurePrinter(name, KESMSHEET_SAMPLE_DESCRIPTION, false, note, dataFile, error)) return false;
    if (!note.empty()) out << note << '\n';
  }
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(name.c_str(), &printer.handle, &access)) {
    printer.handle = nullptr;
    error = "there is no printer " + label + " on the machine";
    return false;
  }
  const bool sample = label == kesmprint::kSamplePrinter;
  if (std::string note; !kesmprint::SetUpAsInstalled(name, sample ? KESMSHEET_SAMPLE_INSTALL : "", note, error)) {
    return false;
  } else if (!note.empty()) {
    out << note << '\n';
  }
  return InstallResources(printer.handle, error);
}

// The layout check of the printer, then of the sample printer when it is
// another; 1 when a finding fails the check.
int Check(const Options& options, const std::string& label, std::ostream& out, std::ostream& err) {
  std::size_t failing = 0;
  for (const std::string& printer : {label, std::string(kesmprint::kSamplePrinter)}) {
    LayoutReport report;
    std::string error;
    out << "layout check of " << printer << '\n';
    // Pictures are of the printer asked for only.
    const fs::path shots = printer == label ? fs::path(options.shots) : fs::path();
    if (!CheckPrinterLayout(printer, report, out, error, shots)) return Fail(err, error);
    failing += PrintLayoutReport(report, options.details, out);
    if (label == kesmprint::kSamplePrinter) break;
  }
  if (failing == 0) return 0;
  return Fail(err, std::to_string(failing) + " findings fail the layout check");
}

void PrintChanges(std::ostream& out, const char* what, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) out << what << ": " << line << '\n';
}

}  // namespace

bool CheckPrinterLayout(const std::string& label, LayoutReport& report, std::ostream& out, std::string& error,
                        const fs::path& shots) {
  Printer printer;
  if (!OpenWithResources(label, printer, out, error)) return false;
  report = CheckLayout(printer.handle, plat::utf::FromUtf8(label), shots);
  return true;
}

const char* Usage() {
  return "usage: kesmsheet [--printer NAME] [--printer-sheet] [--shots DIR] [--script FILE]\n"
         "       kesmsheet --check [--details] [--printer NAME] [--shots DIR]\n"
         "  Opens the document property sheet of a printer (the printer property sheet with\n"
         "  --printer-sheet) without a screen, and prints what it changed in the DEVMODE and in\n"
         "  the printer data by setting name, old -> new.\n"
         "  --printer NAME   the printer (default \"Kesm Sample\", installed when missing)\n"
         "  --printer-sheet  the printer's property sheet instead of the document's\n"
         "  --shots DIR      writes a PNG of the sheet with each page shown: DIR/NN-Caption.png\n"
         "  --script FILE    runs the steps of the file, one a line: tab N, click ID, pick ID N,\n"
         "                   type ID TEXT, check ID, answer TEXT BUTTON, ok, cancel, shot NAME\n"
         "                   (the window in front is worked: a dialog open over the sheet, or\n"
         "                   the page shown of a nested sheet; a step may name its window first,\n"
         "                   \"in 1032: type 2452 Draft\" by a dialog's id, \"in \\\"Edit\\\": ...\" by\n"
         "                   a caption or a page's tab; shot writes DIR/NAME.png of the window in\n"
         "                   front and needs --shots)\n"
         "  Without a script the sheet is cancelled after the pictures; a script that does not\n"
         "  end with ok or cancel is followed by Cancel. Boxes shown before the sheet opens are\n"
         "  answered with OK.\n"
         "  --check          instead of showing the sheet, opens every page of both sheets and\n"
         "                   every dialog of the printer (and of the sample printer) and prints\n"
         "                   per dialog what a person would see wrong: captions wider than their\n"
         "                   control, overlapping or outside controls, placeholder captions (layout,\n"
         "                   counted), missing texts, empty entries, missing or flat pictures\n"
         "                   (failing); --details lists every finding; --shots DIR writes a PNG\n"
         "                   of each dialog looked at: DIR/ID.png\n"
         "  Exit code: 0 when the sheet ran (or the check found nothing failing), 1 on an error\n"
         "  or a failing finding, 2 for a bad command line.\n"
         "  The simulated machine is kept in $KESM_MACHINE, else ~/.kesm/machine.\n";
}

bool ParseArguments(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    std::string* value = arg == "--printer" ? &options.printer
                         : arg == "--shots" ? &options.shots
                         : arg == "--script" ? &options.script
                                             : nullptr;
    if (value != nullptr) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        error = arg + " needs a value";
        return false;
      }
      *value = arguments[++i];
    } else if (arg == "--printer-sheet") {
      options.printerSheet = true;
    } else if (arg == "--check") {
      options.check = true;
    } else if (arg == "--details") {
      options.details = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else {
      error = (arg.size() > 1 && arg[0] == '-' ? "unknown option " : "unexpected argument ") + arg;
      return false;
    }
  }
  if (options.check && (options.printerSheet || !options.script.empty())) {
    error = "--check takes only --printer, --details and --shots";
    return false;
  }
  if (options.details && !options.check) {
    error = "--details goes with --check";
    return false;
  }
  return true;
}

int Run(const Options& options, const fs::path& machine, std::ostream& out, std::ostream& err) {
  SheetPlan plan;
  std::string error;
  if (!options.script.empty() && !ReadScript(options.script, plan.steps, error)) return Fail(err, error);
  for (const Step& step : plan.steps) {
    if (step.kind == StepKind::kShot && options.shots.empty()) {
      return Fail(err, "line " + std::to_string(step.line) + ": shot needs --shots DIR");
    }
  }
  std::error_code ec;
  if (!options.shots.empty()) {
    plan.shots = options.shots;
    fs::create_directories(plan.shots, ec);
    if (!fs::is_directory(plan.shots, ec)) return Fail(err, "cannot make the picture folder " + options.shots);
  }
  const bool fresh = !fs::exists(machine, ec);
  if (!plat::SetMachineRoot(machine)) return Fail(err, "cannot use the machine folder " + machine.string());
  if (fresh) out << "set up a simulated machine in " << plat::MachineRoot().string() << '\n';

  const std::string label = options.printer.empty() ? kesmprint::kSamplePrinter : options.printer;
  std::u16string name = plat::utf::FromUtf8(label);
  Printer printer;
  if (options.check) return Check(options, label, out, err);
  if (!OpenWithResources(label, printer, out, error)) return Fail(err, error);
  UiLibrary ui;
  if (!ui.Load(error)) return Fail(err, error);

  std::vector<BYTE> in, written;
  if (!options.printerSheet && !DefaultDevmode(ui, printer.handle, name, in, error)) return Fail(err, error);
  written.assign(in.size(), 0);
  const SettingSnapshot before = TakeSnapshot(printer.handle, in.empty() ? nullptr : in.data(), in.size());

  DOCUMENTPROPERTYHEADER document{sizeof document, 0, printer.handle, name.data(),
                                  reinterpret_cast<DEVMODEW*>(in.data()), reinterpret_cast<DEVMODEW*>(written.data()),
                                  static_cast<DWORD>(written.size()), DM_COPY | DM_MODIFY | DM_PROMPT};
  DEVICEPROPERTYHEADER device{sizeof device, 0, printer.handle, name.data()};
  const auto entry = ui.Get<PFNPROPSHEETUI>(options.printerSheet ? "DrvDevicePropertySheets"
                                                                 : "DrvDocumentPropertySheets");
  if (entry == nullptr) return Fail(err, "the configuration library has no property sheets");
  out << (options.printerSheet ? "printer" : "document") << " property sheet of " << label << '\n';
  const SheetOutcome outcome = RunSheet(
      entry, options.printerSheet ? reinterpret_cast<LPARAM>(&device) : reinterpret_cast<LPARAM>(&document), plan);
  for (const std::string& note : outcome.notes) out << note << '\n';
  if (!outcome.failures.empty()) return Fail(err, outcome.failures.front());
  if (outcome.answer != CPSUI_OK) return Fail(err, "the property sheet could not be shown");
  const bool accepted = outcome.result == CPSUI_OK;
  out << "the sheet ended with " << (accepted ? "OK" : "Cancel") << '\n';

  // The document sheet hands its settings out only when it says so.
  const bool handedOut = !options.printerSheet && accepted;
  if (handedOut && !PassesValidation(printer.handle, written.data(), written.size(), error)) {
    return Fail(err, "the DEVMODE the sheet handed out is not one the printer keeps: " + error);
  }
  const SettingSnapshot after = TakeSnapshot(printer.handle, handedOut ? written.data() : in.data(), in.size());
  if (!before.ok || !after.ok) return Fail(err, "the settings cannot be read back");
  const auto devmode = Changes(before.devmode, after.devmode);
  const auto data = Changes(before.printer, after.printer);
  PrintChanges(out, "DEVMODE", devmode);
  PrintChanges(out, "printer data", data);
  if (devmode.empty() && data.empty()) out << "no settings changed\n";
  return 0;
}

}  // namespace kesmsheet
