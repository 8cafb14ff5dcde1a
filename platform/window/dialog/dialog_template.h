// A dialog template read into a plain record: the classic layout and the
// extended one, both from bytes whose size is known, every read checked.
// Internal to platform/window/.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/window/winuser_dialogs.h"

namespace plat::window {

// A name in a template: nothing, an ordinal (after 0xFFFF) or a string.
struct NameOrOrdinal {
  bool isOrdinal = false;
  WORD ordinal = 0;
  std::u16string text;
  bool empty() const { return !isOrdinal && text.empty(); }
};

struct DialogItem {
  DWORD helpId = 0;
  DWORD exStyle = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  DWORD id = 0;
  NameOrOrdinal className;
  NameOrOrdinal title;
  std::vector<BYTE> creationData;  // led by its WORD size, as controls get it
};

struct DialogTemplate {
  bool extended = false;
  DWORD helpId = 0;
  DWORD exStyle = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  NameOrOrdinal menu;
  NameOrOrdinal className;
  std::u16string title;
  WORD pointSize = 0;  // with DS_SETFONT
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::u16string face;
  std::vector<DialogItem> items;
  WORD resourceId = 0;  // the module resource's ordinal it was read from; 0 otherwise
};

// Reads a template of `size` bytes; false when it is cut short or malformed.
bool ReadDialogTemplate(const BYTE* bytes, std::size_t size, DialogTemplate* out);

// Reads a dialog's template from a module's resources (`name`) or, when
// `inMemory` is set, from memory; false with the last error set
// (ERROR_RESOURCE_NAME_NOT_FOUND, ERROR_INVALID_PARAMETER).
bool ReadDialogFrom(HINSTANCE instance, LPCWSTR name, const void* inMemory, DialogTemplate* t);
// A modeless dialog made from a template already read.
HWND CreateDialogFrom(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc, LPARAM param);
// The resource ordinal of the template a dialog (or property page) was made
// from, for tools that name a window as its maker does; 0 for a window the
// dialog manager did not make, or made from memory or a named template.
WORD DialogTemplateId(HWND dialog);

// The window class of a predefined control ordinal (0x80 Button ... 0x85
// ComboBox); null for any other ordinal.
const char16_t* PredefinedControlClass(WORD ordinal);

}  // namespace plat::window
