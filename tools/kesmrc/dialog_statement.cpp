// Parsing dialog statements and writing their templates.
#include "tools/kesmrc/dialog_statement.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"

namespace kesmrc {
namespace {

constexpr std::uint32_t kControlBase = WS_CHILD | WS_VISIBLE;

std::string Upper(std::string_view word) {
  std::string upper(word);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

struct Control {
  std::u16string text;
  std::uint32_t id = 0;
  std::uint16_t classOrdinal = 0;  // 0x80 ... 0x85, or 0 for a named class
  std::u16string className;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::uint32_t helpId = 0;
  std::uint16_t x = 0, y = 0, cx = 0, cy = 0;
};

struct Dialog {
  bool extended = false;
  std::uint32_t helpId = 0;
  std::uint32_t style = WS_POPUP | WS_BORDER | WS_SYSMENU;
  std::uint32_t exStyle = 0;
  std::uint16_t x = 0, y = 0, cx = 0, cy = 0;
  std::u16string caption;
  std::u16string className;
  bool hasFont = false;
  std::uint16_t pointSize = 0, weight = 0;
  std::uint8_t italic = 0, charset = 1;
  std::u16string face;
  std::vector<Control> controls;
};

// A control statement: its class, default style, and whether it has a text.
struct ControlKind {
  std::string_view name;
  std::uint16_t classOrdinal;
  std::uint32_t style;
  bool hasText;
};

// Sorted by name.
constexpr ControlKind kKinds[] = {
    {"AUTOCHECKBOX", 0x80, BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {"AUTORADIOBUTTON", 0x80, BS_AUTORADIOBUTTON, true},
    {"CHECKBOX", 0x80, BS_CHECKBOX | WS_TABSTOP, true},
    {"COMBOBOX", 0x85, CBS_SIMPLE | WS_TABSTOP, false},
    {"CTEXT", 0x82, SS_CENTER | WS_GROUP, true},
    {"DEFPUSHBUTTON", 0x80, BS_DEFPUSHBUTTON | WS_TABSTOP, true},
    {"EDITTEXT", 0x81, ES_LEFT | WS_BORDER | WS_TABSTOP, false},
    {"GROUPBOX", 0x80, BS_GROUPBOX, true},
    {"LISTBOX", 0x83, LBS_NOTIFY | WS_BORDER, false},
    {"LTEXT", 0x82, SS_LEFT | WS_GROUP, true},
    {"PUSHBUTTON", 0x80, BS_PUSHBUTTON | WS_TABSTOP, true},
    {"RADIOBUTTON", 0x80, BS_RADIOBUTTON, true},
    {"RTEXT", 0x82, SS_RIGHT | WS_GROUP, true},
    {"SCROLLBAR", 0x84, SBS_HORZ, false},
};

const ControlKind* FindKind(const std::string& upper) {
  const auto* it = std::lower_bound(std::begin(kKinds), std::end(kKinds), upper,
                                    [](const ControlKind& k, const std::string& n) { return k.name < n; });
  return it != std::end(kKinds) && it->name == upper ? it : nullptr;
}

struct PredefinedClass {
  std::u16string_view name;
  std::uint16_t ordinal;
};
constexpr PredefinedClass kClasses[] = {
    {u"BUTTON", 0x80}, {u"EDIT", 0x81}, {u"STATIC", 0x82}, {u"LISTBOX", 0x83}, {u"SCROLLBAR", 0x84}, {u"COMBOBOX", 0x85},
};

class DialogParser {
 public:
  DialogParser(Lexer& lexer, Token& token, ScriptError& error) : lexer_(lexer), token_(token), error_(error) {}

  bool Parse(Dialog& d) {
    d.extended = Upper(token_.word) == "DIALOGEX";
    Advance();
    d.x = Coordinate();
    Comma();
    d.y = Coordinate();
    Comma();
    d.cx = Coordinate();
    Comma();
    d.cy = Coordinate();
    if (ok_ && d.extended && token_.kind == TokenKind::Comma) {
      Advance();
      d.helpId = Number("a help id");
    }
    while (ok_ && token_.kind == TokenKind::Word) Option(d);
    if (!Expect(TokenKind::Open, "BEGIN")) return false;
    Advance();
    while (ok_ && token_.kind == TokenKind::Word) d.controls.push_back(ControlStatement());
    if (Expect(TokenKind::Close, "END")) Advance();
    return ok_;
  }

 private:
  void Advance() {
    token_ = lexer_.Next();
    if (token_.kind == TokenKind::Error) Fail(token_.word);
  }
  void Fail(std::string message) {
    if (!ok_) return;
    ok_ = false;
    error_ = {token_.line, std::move(message)};
  }
  bool Expect(TokenKind kind, const char* what) {
    if (ok_ && token_.kind != kind) Fail(std::string("expected ") + what);
    return ok_;
  }
  void Comma() {
    if (Expect(TokenKind::Comma, "','")) Advance();
  }
  std::uint32_t Number(const char* what) {
    if (!Expect(TokenKind::Number, what)) return 0;
    const std::uint32_t n = token_.number;
    Advance();
    return n;
  }
  std::uint16_t Coordinate() {
    const std::uint32_t n = Number("a number");
    if (ok_ && n > 0x7FFF) Fail("dialog unit " + std::to_string(n) + " above 32767");
    return static_cast<std::uint16_t>(n);
  }
  std::u16string Text() {
    if (!Expect(TokenKind::String, "a string")) return {};
    std::u16string text = std::move(token_.text);
    Advance();
    return text;
  }
  // Numbers and names joined by |, each NOT name taking bits away.
  std::uint32_t Style(std::uint32_t base) {
    std::uint32_t value = base;
    for (;;) {
      bool remove = false;
      if (ok_ && token_.kind == TokenKind::Word && Upper(token_.word) == "NOT") {
        remove = true;
        Advance();
      }
      std::uint32_t term = 0;
      if (ok_ && token_.kind == TokenKind::Word) {
        const auto known = StyleValue(Upper(token_.word));
        if (!known) {
          Fail("unknown style '" + token_.word + "'");
          return 0;
        }
        term = *known;
        Advance();
      } else {
        term = Number("a style");
      }
      value = remove ? (value & ~term) : (value | term);
      if (!ok_ || token_.kind != TokenKind::Bar) return value;
      Advance();
    }
  }
  void Option(Dialog& d) {
    const std::string word = Upper(token_.word);
    if (word == "STYLE") {
      Advance();
      d.style = Style(0);
    } else if (word == "EXSTYLE") {
      Advance();
      d.exStyle = Style(0);
    } else if (word == "CAPTION") {
      Advance();
      d.caption = Text();
      d.style |= WS_CAPTION;
    } else if (word == "CLASS") {
      Advance();
      d.className = Text();
    } else if (word == "FONT") {
      Advance();
      Font(d);
    } else {
      Fail("unknown dialog statement '" + token_.word + "'");
    }
  }
  void Font(Dialog& d) {
    d.hasFont = true;
    d.style |= DS_SETFONT;
    const std::uint32_t size = Number("a point size");
    if (ok_ && (size == 0 || size > 0xFFFF)) Fail("point size " + std::to_string(size) + " outside 1 to 65535");
    d.pointSize = static_cast<std::uint16_t>(size);
    Comma();
    d.face = Text();
    if (!d.extended || token_.kind != TokenKind::Comma) return;
    Advance();
    d.weight = static_cast<std::uint16_t>(Number("a weight"));
    Comma();
    d.italic = static_cast<std::uint8_t>(Number("italic 0 or 1") != 0);
    Comma();
    d.charset = static_cast<std::uint8_t>(Number("a character set"));
  }
  void ClassOf(Control& c) {
    if (ok_ && token_.kind == TokenKind::Word) {
      token_.text.assign(token_.word.begin(), token_.word.end());
      token_.kind = TokenKind::String;
    }
    std::u16string name = Text();
    std::u16string upper = name;
    for (char16_t& ch : upper) ch = ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - 32) : ch;
    for (const PredefinedClass& p : kClasses) {
      if (upper == p.name) c.classOrdinal = p.ordinal;
    }
    if (c.classOrdinal == 0) c.className = std::move(name);
  }
  void Rectangle(Control& c) {
    c.x = Coordinate();
    Comma();
    c.y = Coordinate();
    Comma();
    c.cx = Coordinate();
    Comma();
    c.cy = Coordinate();
  }
  Control ControlStatement() {
    Control c;
    const std::string word = Upper(token_.word);
    Advance();
    if (word == "CONTROL") {
      c.text = Text();
      Comma();
      c.id = Number("a control id");
      Comma();
      ClassOf(c);
      Comma();
      c.style = Style(kControlBase);
      Comma();
      Rectangle(c);
    } else if (const ControlKind* kind = FindKind(word)) {
      if (kind->hasText) {
        c.text = Text();
        Comma();
      }
      c.id = Number("a control id");
      Comma();
      c.classOrdinal = kind->classOrdinal;
      Rectangle(c);
      c.style = kControlBase | kind->style;
      if (ok_ && token_.kind == TokenKind::Comma) {
        Advance();
        c.style = Style(c.style);
      }
    } else {
      Fail("unknown control statement '" + word + "'");
      return c;
    }
    if (ok_ && token_.kind == TokenKind::Comma) {
      Advance();
      c.exStyle = Style(0);
    }
    if (ok_ && token_.kind == TokenKind::Comma) {
      Advance();
      c.helpId = Number("a help id");
    }
    return c;
  }

  Lexer& lexer_;
  Token& token_;
  ScriptError& error_;
  bool ok_ = true;
};

class Writer {
 public:
  std::vector<std::byte> bytes;

  template <class T>
  void Put(T value) {
    const auto* p = reinterpret_cast<const std::byte*>(&value);
    bytes.insert(bytes.end(), p, p + sizeof(T));
  }
  void Text(const std::u16string& s) {
    for (char16_t c : s) Put<std::uint16_t>(c);
    Put<std::uint16_t>(0);
  }
  // A class or menu: 0xFFFF and an ordinal, a name, or nothing.
  void NameOrOrdinal(std::uint16_t ordinal, const std::u16string& name) {
    if (ordinal != 0) {
      Put<std::uint16_t>(0xFFFF);
      Put<std::uint16_t>(ordinal);
    } else {
      Text(name);
    }
  }
  void Align4() {
    while (bytes.size() % 4 != 0) bytes.push_back(std::byte{0});
  }
};

void WriteHeader(const Dialog& d, Writer& w) {
  if (d.extended) {
    w.Put<std::uint16_t>(kDialogExVersion);
    w.Put<std::uint16_t>(kDialogExSignature);
    w.Put<std::uint32_t>(d.helpId);
    w.Put<std::uint32_t>(d.exStyle);
    w.Put<std::uint32_t>(d.style);
  } else {
    w.Put<std::uint32_t>(d.style);
    w.Put<std::uint32_t>(d.exStyle);
  }
  w.Put<std::uint16_t>(static_cast<std::uint16_t>(d.controls.size()));
  for (std::uint16_t v : {d.x, d.y, d.cx, d.cy}) w.Put<std::uint16_t>(v);
  w.Put<std::uint16_t>(0);  // no menu
  w.Text(d.className);
  w.Text(d.caption);
  if (!d.hasFont) return;
  w.Put<std::uint16_t>(d.pointSize);
  if (d.extended) {
    w.Put<std::uint16_t>(d.weight);
    w.Put<std::uint8_t>(d.italic);
    w.Put<std::uint8_t>(d.charset);
  }
  w.Text(d.face);
}

void WriteControl(const Dialog& d, const Control& c, Writer& w) {
  w.Align4();
  if (d.extended) {
    w.Put<std::uint32_t>(c.helpId);
    w.Put<std::uint32_t>(c.exStyle);
    w.Put<std::uint32_t>(c.style);
  } else {
    w.Put<std::uint32_t>(c.style);
    w.Put<std::uint32_t>(c.exStyle);
  }
  for (std::uint16_t v : {c.x, c.y, c.cx, c.cy}) w.Put<std::uint16_t>(v);
  if (d.extended) {
    w.Put<std::uint32_t>(c.id);
  } else {
    w.Put<std::uint16_t>(static_cast<std::uint16_t>(c.id));
  }
  w.NameOrOrdinal(c.classOrdinal, c.className);
  w.Text(c.text);
  w.Put<std::uint16_t>(0);  // no creation data
}

}  // namespace

bool ParseDialog(std::uint32_t id, Lexer& lexer, Token& token, DataResource& out, ScriptError& error) {
  Dialog d;
  if (!DialogParser(lexer, token, error).Parse(d)) return false;
  if (d.controls.size() > 0xFFFF) {
    error = {token.line, "dialog " + std::to_string(id) + " has more than 65535 controls"};
    return false;
  }
  for (const Control& c : d.controls) {
    if (!d.extended && c.id > 0xFFFF) {
      error = {token.line, "control id " + std::to_string(c.id) + " above 65535 in a DIALOG (use DIALOGEX)"};
      return false;
    }
  }
  Writer w;
  WriteHeader(d, w);
  for (const Control& c : d.controls) WriteControl(d, c, w);
  out = DataResource{kDialogType, id, std::move(w.bytes)};
  return true;
}

}  // namespace kesmrc
