// Resource scripts: the text that kesmrc compiles into a module's resource
// table.
//
// A script is UTF-8 text of statements; "//" and "/* */" are comments, and
// keywords ignore case.
//
//   STRINGTABLE
//   BEGIN                      // or {
//     101 "Paper size"
//     102 "Line one\nline two"
//   END                        // or }
//
//   1 258 "fonts/metrics1.bin" // resource id, numeric type, data file
//   101 BITMAP "logo.bmp"        // pictures: BITMAP, ICON, CURSOR (image_statements.h)
//   100 MENU BEGIN ... END       // a menu template (menu_statement.h)
//
//   100 DIALOGEX 0, 0, 200, 120        // or DIALOG: the classic layout
//   STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION
//   CAPTION "Print"
//   FONT 8, "Shell Dlg"
//   BEGIN
//     LTEXT "Copies:", 200, 7, 9, 40, 8
//     EDITTEXT 101, 50, 7, 40, 12, ES_NUMBER
//     CONTROL "Duplex", 103, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 7, 30, 60, 10
//     DEFPUSHBUTTON "OK", 1, 90, 100, 50, 14
//   END
//
// A dialog's optional statements are STYLE, EXSTYLE, CAPTION, FONT (point
// size, face, and for DIALOGEX weight, italic and character set) and CLASS.
// Its controls are CONTROL (text, id, class name, style, x, y, cx, cy and
// an optional extended style) and the kinds with their own statements:
// LTEXT, RTEXT, CTEXT, PUSHBUTTON, DEFPUSHBUTTON, CHECKBOX, AUTOCHECKBOX,
// RADIOBUTTON, AUTORADIOBUTTON, GROUPBOX (text, id, x, y, cx, cy, then an
// optional style and extended style) and EDITTEXT, COMBOBOX, LISTBOX,
// SCROLLBAR (the same without the text). A style is numbers and style names
// joined by |; NOT name takes a bit of the statement's default style away.
// Sizes are in dialog units. The dialog is written in the documented
// binary layout as a resource of type 5.
//
// String ids run from 0 to 65535. Escapes in strings: \n \r \t \0 \\ \" and
// \xHHHH (one UTF-16 unit of up to four hex digits); "" is a quote. Numbers
// are decimal or 0x hexadecimal. A data file is named relative to the script
// and taken byte for byte; its type is a user-defined type (256 to 65535)
// and its id runs from 1 to 65535. Types below 256 are kept for the
// predefined kinds (bitmaps, cursors, dialogs, menus), which get statements
// of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesmrc {

struct StringResource {
  std::uint32_t id;
  std::u16string text;
};

struct DataResource {
  std::uint32_t type;
  std::uint32_t id;
  std::vector<std::byte> data;
};

struct Script {
  std::vector<StringResource> strings;
  std::vector<DataResource> resources;
  std::vector<std::filesystem::path> inputs;  // data files read
};

struct ScriptError {
  int line = 0;
  std::string message;
};

// The bytes of a file, or nothing when it cannot be read (missing, a folder,
// a read error).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

// Parses the script text; data files are read relative to folder. On failure
// returns false with the first error.
bool ParseScript(std::string_view text, const std::filesystem::path& folder, Script& script,
                 ScriptError& error);

}  // namespace kesmrc
