// Monkey walks over the property sheets of every test printer, each judged
// by the rules a sheet must keep whatever a person does on it: what OK
// hands out is a DEVMODE validation keeps byte for byte; Cancel writes
// nothing (printer data, INI and set files, the caller's DEVMODE); every
// message box has a text and a caption; nothing is left open when the sheet
// has gone (modal loop, window, GDI object, printer context, platform
// block); and a walk ends, within a bounded number of messages a step.
// The fuzz target and the tests that replay its seeds share these walks.
//
// A walk's input is {printer (1 byte), sheet (1 byte), the monkey's
// choices (two bytes a choice)}: the first byte, modulo the number of
// printers, picks the printer; bit 0 of the second picks the printer sheet
// (else the document sheet), bit 1 lets the windows paint, and its other
// six bits bound the steps (2 * bits + 2, at most kMaxWalkSteps, and never
// more than the choices the input holds).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/wintypes.h"

namespace kesm_test {

inline constexpr std::size_t kMaxWalkSteps = 120;

// The rules, by the names a finding gives.
inline constexpr const char* kOkValidates = "ok-hands-out-what-validation-keeps";
inline constexpr const char* kCancelWritesNothing = "cancel-writes-nothing";
inline constexpr const char* kBoxesHaveText = "boxes-have-text-and-caption";
inline constexpr const char* kNothingLeft = "nothing-left-open";
inline constexpr const char* kWalkEnds = "walk-ends";
inline constexpr const char* kPrinterDataReadsBack = "printer-data-reads-back";
inline constexpr const char* kScriptRuns = "monkey-script-runs";

struct WalkFinding {
  std::string rule;    // one of the names above
  std::string detail;  // what was found
};

// The test printers a walk's first byte picks from, in this order: their
// descriptions (file names under tests/data/kpd, or the print tool's
// sample) and what each one brings to the sheets.
struct WalkPrinter {
  const char* description;
  const char16_t* name;
};
std::span<const WalkPrinter> WalkPrinters();

// The differences between a DEVMODE and what validation keeps of it in a
// fresh context of the printer, the run-time flags (which every call sets)
// left out: "" when validation keeps it as it stands; otherwise why not
// ("offset:given->kept" for each changed byte).
std::string ChangesByValidation(HANDLE printer, std::vector<BYTE> devmode);

class SheetWalks {
 public:
  // A machine of its own (the current machine while it lives) with every
  // printer installed, the configuration library's resource module placed
  // for each, and each sheet opened once, so that a walk pays for its own
  // sheet only.
  SheetWalks();
  ~SheetWalks();
  SheetWalks(const SheetWalks&) = delete;
  SheetWalks& operator=(const SheetWalks&) = delete;

  // "" when every printer is installed; else what failed.
  const std::string& setupError() const { return setupError_; }

  // One walk; the rules it broke (none: the walk kept them all). When a
  // rule about what is left is broken, later walks may find it again.
  std::vector<WalkFinding> Walk(std::span<const std::uint8_t> input);

 private:
  struct Installed {
    std::u16string name;
    HANDLE handle = nullptr;
  };
  std::vector<WalkFinding> RunWalk(const Installed& printer, bool printerSheet, std::span<const std::uint8_t> choices,
                                   std::size_t steps);

  plat::ScopedMachine machine_;
  std::vector<Installed> printers_;
  std::string setupError_;
};

}  // namespace kesm_test
