// The checks a set of dialog definitions must pass before anything is
// written: controls whose class or style the item's kind cannot serve, ids
// that code names but the dialog lacks, strings and bitmaps used but not
// defined, format texts the code cannot fill, controls that overlap.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/kesmdlg/definition.h"

namespace kesmdlg {

// What the resource scripts define.
struct Resources {
  std::map<std::uint32_t, std::u16string> strings;
  std::set<std::uint32_t> bitmaps;
};

// A control id that code looks up in a dialog.
struct NamedId {
  std::string file;
  int line = 0;
  std::uint32_t dialog = 0;
  std::uint32_t control = 0;
};

// Reads "DIALOG CONTROL" lines ('#' starts a comment).
bool ParseNamedIds(const std::string& text, const std::string& file, std::vector<NamedId>& out, Error& error);

// Every fault found, in file and line order.
std::vector<Error> CheckDialogs(const std::vector<Dialog>& dialogs, const Resources& resources,
                                const std::vector<NamedId>& named);

// Whether the text holds exactly one conversion and it takes an integer.
bool IsIntegerFormat(std::u16string_view text);

// For each control of the dialog, whether it is the first button of its
// radio group.
std::vector<bool> FirstOfRadioGroups(const Dialog& d);

}  // namespace kesmdlg
