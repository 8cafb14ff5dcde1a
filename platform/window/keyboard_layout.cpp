// The machine's keyboard: the US layout, one table of keys and the two
// characters each gives without and with shift.
#include <iterator>

#include "platform/window/input_control.h"
#include "platform/window/window_internal.h"

namespace plat::window {
namespace {

struct KeyRow {
  UINT vk;
  WCHAR plain;
  WCHAR shifted;
};

constexpr KeyRow kKeys[] = {
    {'0', u'0', u')'},        {'1', u'1', u'!'},          {'2', u'2', u'@'},          {'3', u'3', u'#'},
    {'4', u'4', u'$'},        {'5', u'5', u'%'},          {'6', u'6', u'^'},          {'7', u'7', u'&'},
    {'8', u'8', u'*'},        {'9', u'9', u'('},          {VK_SPACE, u' ', u' '},     {VK_RETURN, u'\r', u'\r'},
    {VK_BACK, u'\b', u'\b'},  {VK_TAB, u'\t', u'\t'},     {VK_ESCAPE, 0x1B, 0x1B},    {VK_OEM_1, u';', u':'},
    {VK_OEM_PLUS, u'=', u'+'}, {VK_OEM_COMMA, u',', u'<'}, {VK_OEM_MINUS, u'-', u'_'}, {VK_OEM_PERIOD, u'.', u'>'},
    {VK_OEM_2, u'/', u'?'},   {VK_OEM_3, u'`', u'~'},     {VK_OEM_4, u'[', u'{'},     {VK_OEM_5, u'\\', u'|'},
    {VK_OEM_6, u']', u'}'},   {VK_OEM_7, u'\'', u'"'},    {VK_MULTIPLY, u'*', u'*'},  {VK_ADD, u'+', u'+'},
    {VK_SUBTRACT, u'-', u'-'}, {VK_DECIMAL, u'.', u'.'},  {VK_DIVIDE, u'/', u'/'},
};

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

WCHAR CharacterOf(UINT virtualKey, LPARAM keyData) {
  if (virtualKey == VK_PACKET) return static_cast<WCHAR>((keyData >> 32) & 0xFFFF);
  const bool shift = Down(VK_SHIFT);
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    if (Down(VK_CONTROL)) return static_cast<WCHAR>(virtualKey - 'A' + 1);
    const bool upper = shift != ((GetKeyState(VK_CAPITAL) & 0x01) != 0);
    return static_cast<WCHAR>(upper ? virtualKey : virtualKey - 'A' + 'a');
  }
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD0 + 9) return static_cast<WCHAR>(u'0' + virtualKey - VK_NUMPAD0);
  for (const KeyRow& row : kKeys) {
    if (row.vk == virtualKey) return shift ? row.shifted : row.plain;
  }
  return 0;
}

bool KeyOf(WCHAR ch, UINT* virtualKey, bool* shift) {
  if (ch >= u'a' && ch <= u'z') {
    *virtualKey = ch - u'a' + 'A';
    *shift = false;
    return true;
  }
  if (ch >= u'A' && ch <= u'Z') {
    *virtualKey = ch;
    *shift = true;
    return true;
  }
  // The main keys come first in the table, so a character both they and the
  // number pad give is typed on the main keys.
  for (const KeyRow& row : kKeys) {
    if (row.plain == ch || row.shifted == ch) {
      *virtualKey = row.vk;
      *shift = row.plain != ch;
      return true;
    }
  }
  return false;
}

}  // namespace plat::window
