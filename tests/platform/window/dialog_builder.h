// Extended dialog templates built in memory for the dialog tests: a
// header, then items, each on a DWORD boundary, in the documented layout.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/window/winuser_dialogs.h"

namespace kesm_test {

class DialogBuilder {
 public:
  // A dialog of cx x cy dialog units; with a point size, DS_SETFONT and
  // that face.
  DialogBuilder(std::u16string title, DWORD style, short cx, short cy, WORD pointSize = 8) {
    if (pointSize != 0) style |= DS_SETFONT;
    Put<WORD>(1);
    Put<WORD>(0xFFFF);
    Put<DWORD>(0);  // help id
    Put<DWORD>(0);  // extended style
    Put<DWORD>(style);
    countAt_ = bytes_.size();
    Put<WORD>(0);
    for (short v : {short{0}, short{0}, cx, cy}) Put<short>(v);
    Put<WORD>(0);  // no menu
    Put<WORD>(0);  // the dialog class
    String(title);
    if (pointSize != 0) {
      Put<WORD>(pointSize);
      Put<WORD>(400);
      Put<BYTE>(0);
      Put<BYTE>(1);
      String(u"Shell Dlg");
    }
  }
  // A control of a predefined class (0x80 button ... 0x85 combo box), or
  // of a class named by `className` when the ordinal is 0.
  DialogBuilder& Item(WORD classOrdinal, DWORD id, std::u16string text, DWORD style, short x, short y, short cx,
                      short cy, std::u16string className = u"") {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    Put<DWORD>(0);
    Put<DWORD>(0);
    styleAt_ = bytes_.size();
    Put<DWORD>(style | WS_CHILD | WS_VISIBLE);
    for (short v : {x, y, cx, cy}) Put<short>(v);
    Put<DWORD>(id);
    if (classOrdinal != 0) {
      Put<WORD>(0xFFFF);
      Put<WORD>(classOrdinal);
    } else {
      String(className);
    }
    Title(text);
    Put<WORD>(0);  // no creation data
    WORD count = 0;
    std::memcpy(&count, bytes_.data() + countAt_, sizeof(count));
    ++count;
    std::memcpy(bytes_.data() + countAt_, &count, sizeof(count));
    return *this;
  }
  // The last item starts hidden (without WS_VISIBLE).
  DialogBuilder& Hide() {
    DWORD style = 0;
    std::memcpy(&style, bytes_.data() + styleAt_, sizeof(style));
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(bytes_.data() + styleAt_, &style, sizeof(style));
    return *this;
  }
  LPCDLGTEMPLATEW get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(bytes_.data()); }
  const std::vector<BYTE>& bytes() const { return bytes_; }

 private:
  template <class T>
  void Put(T value) {
    const auto* p = reinterpret_cast<const BYTE*>(&value);
    bytes_.insert(bytes_.end(), p, p + sizeof(T));
  }
  void String(const std::u16string& s) {
    for (char16_t c : s) Put<char16_t>(c);
    Put<char16_t>(0);
  }
  // A title of 0xFFFF and an ordinal names a resource (a picture's), with
  // no terminator.
  void Title(const std::u16string& s) {
    if (s.size() == 2 && s[0] == u'\xFFFF') {
      Put<char16_t>(s[0]);
      Put<char16_t>(s[1]);
    } else {
      String(s);
    }
  }
  std::vector<BYTE> bytes_;
  std::size_t styleAt_ = 0;
  std::size_t countAt_ = 0;
};

inline constexpr WORD kButtonClass = 0x80;
inline constexpr WORD kEditClass = 0x81;
inline constexpr WORD kStaticClass = 0x82;
inline constexpr WORD kListBoxClass = 0x83;
inline constexpr WORD kScrollBarClass = 0x84;
inline constexpr WORD kComboBoxClass = 0x85;

}  // namespace kesm_test
