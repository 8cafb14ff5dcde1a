// Dialog definitions: one file per dialog, one line per control. The tool
// reads them into these records; the checks and both outputs work on them.
//
//   # a comment
//   dialog 1001 KPD_IDD_PRESET group=355 kind=0x0001 help=20101 size=316,212
//          style=page caption="Preset"
//   2001  65  7  92  40  50     -          group=418 help=20102 link=2039 setting=37
//   -      7  9  56   8  label  "Copies:"
//
// The dialog line comes first: id, keyword, then fields. style is page (a
// child page of a sheet), child (a file-dialog extension), modal or modeless;
// caption is "text" or #string-id.
//
// A control line: id (or - for an unnamed label), x, y, cx, cy in dialog
// units, the kind (an item kind number, or label, frame, button for controls
// that carry no item), the text ("text", #string-id or -), then fields:
//   item fields   group= help= popup= hint= link= builtin= setting= flags=
//                 data=NAME size-item    (group= makes the control an item)
//   template      class=NAME style=A|B|0x10 (replace the kind's defaults)
//                 bitmap=ID (a picture's bitmap) format=ID (a text the code
//                 fills with one integer)
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesmdlg {

inline constexpr std::uint32_t kUnnamedId = 0xFFFF;

// Kinds of controls that are no item of the tables.
inline constexpr std::uint32_t kLabel = 0x10000;
inline constexpr std::uint32_t kFrame = 0x10001;
inline constexpr std::uint32_t kButton = 0x10002;

struct Text {
  std::string literal;           // UTF-8
  std::optional<std::uint32_t> stringId;
  bool present = false;
};

struct Item {
  std::uint32_t group = 0;
  std::uint32_t help = 0;
  std::uint32_t popup = 0;
  std::uint32_t hint = 0;
  std::uint32_t link = 0;
  std::uint32_t builtIn = 0;
  std::uint32_t setting = 0;
  std::uint32_t flags = 0;
  bool sizeItem = false;
  std::string data;  // name of the custom-control record, empty for none
};

struct Control {
  int line = 0;
  std::uint32_t id = kUnnamedId;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::uint32_t kind = 0;
  Text text;
  std::optional<Item> item;
  std::string className;               // empty: the kind's class
  std::optional<std::uint32_t> style;  // absent: the kind's style
  std::optional<std::uint32_t> bitmap;
  std::optional<std::uint32_t> format;
};

enum class DialogStyle { Page, Child, Modal, Modeless };

struct Dialog {
  std::string file;
  int line = 0;
  std::uint32_t id = 0;
  std::string keyword;
  std::uint32_t group = 0;
  std::uint32_t kind = 0;
  std::uint32_t help = 0;
  int cx = 0, cy = 0;
  DialogStyle style = DialogStyle::Page;
  Text caption;
  std::vector<Control> controls;
};

struct Error {
  std::string file;
  int line = 0;
  std::string message;
};

// Parses one definition file's text. On failure returns false with the
// first error.
bool ParseDefinition(std::string_view text, const std::string& file, Dialog& dialog, Error& error);

// The value of a style name (the resource compiler's names and those of the
// common controls), or nothing.
std::optional<std::uint32_t> StyleName(std::string_view name);

}  // namespace kesmdlg
