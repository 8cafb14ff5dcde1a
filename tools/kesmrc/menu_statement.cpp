// Menu templates from MENU statements.
#include "tools/kesmrc/menu_statement.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

namespace kesmrc {
namespace {

constexpr std::uint16_t kGrayed = 0x0001;
constexpr std::uint16_t kInactive = 0x0002;
constexpr std::uint16_t kChecked = 0x0008;
constexpr std::uint16_t kPopup = 0x0010;
constexpr std::uint16_t kEnd = 0x0080;
constexpr int kMaxDepth = 16;

struct Option {
  std::string_view name;
  std::uint16_t flag;
};
constexpr std::array<Option, 3> kOptions{{{"CHECKED", kChecked}, {"GRAYED", kGrayed}, {"INACTIVE", kInactive}}};

std::string Upper(std::string word) {
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return word;
}

void Put16(std::vector<std::byte>& out, std::uint16_t v) {
  out.push_back(static_cast<std::byte>(v & 0xFF));
  out.push_back(static_cast<std::byte>(v >> 8));
}

class MenuParser {
 public:
  MenuParser(TokenReader& reader, std::vector<std::byte>& out) : r_(reader), out_(out) {}

  // A level from BEGIN to END; the position of its last item's flags is
  // marked with MF_END.
  bool Level(int depth) {
    if (depth > kMaxDepth) return Fail("menus nest deeper than 16 levels");
    if (Tok().kind != TokenKind::Open) return Fail("expected BEGIN");
    r_.advance();
    std::size_t lastFlags = SIZE_MAX;
    while (r_.ok() && Tok().kind == TokenKind::Word) {
      lastFlags = out_.size();
      const std::string word = Upper(Tok().word);
      if (word == "POPUP") {
        if (!Popup(depth)) return false;
      } else if (word == "MENUITEM") {
        if (!Item()) return false;
      } else {
        return Fail("unknown menu statement '" + Tok().word + "'");
      }
    }
    if (!r_.ok()) return false;
    if (Tok().kind != TokenKind::Close) return Fail("expected END");
    if (lastFlags == SIZE_MAX) return Fail("a menu without items");
    out_[lastFlags] |= static_cast<std::byte>(kEnd);
    r_.advance();
    return true;
  }

 private:
  const Token& Tok() { return r_.current(); }
  bool Fail(std::string message) {
    r_.fail(Tok().line, std::move(message));
    return false;
  }

  bool Text(std::u16string* text) {
    if (Tok().kind != TokenKind::String) return Fail("expected a string");
    *text = Tok().text;
    if (text->find(u'\0') != std::u16string::npos) return Fail("a menu text with a zero in it");
    r_.advance();
    return true;
  }

  // Options after a comma each: GRAYED, INACTIVE, CHECKED.
  bool Options(std::uint16_t* flags) {
    while (r_.ok() && Tok().kind == TokenKind::Comma) {
      r_.advance();
      if (Tok().kind != TokenKind::Word) return Fail("expected a menu option");
      const std::string word = Upper(Tok().word);
      auto it = std::find_if(kOptions.begin(), kOptions.end(), [&](const Option& o) { return o.name == word; });
      if (it == kOptions.end()) return Fail("unknown menu option '" + Tok().word + "'");
      *flags |= it->flag;
      r_.advance();
    }
    return r_.ok();
  }

  void PutText(const std::u16string& text) {
    for (char16_t c : text) Put16(out_, c);
    Put16(out_, 0);
  }

  bool Popup(int depth) {
    r_.advance();
    std::u16string text;
    std::uint16_t flags = kPopup;
    if (!Text(&text) || !Options(&flags)) return false;
    Put16(out_, flags);
    PutText(text);
    return Level(depth + 1);
  }

  bool Item() {
    r_.advance();
    std::uint16_t flags = 0;
    if (Tok().kind == TokenKind::Word && Upper(Tok().word) == "SEPARATOR") {
      r_.advance();
      Put16(out_, 0);
      Put16(out_, 0);
      Put16(out_, 0);
      return true;
    }
    std::u16string text;
    if (!Text(&text)) return false;
    if (Tok().kind != TokenKind::Comma) return Fail("expected ',' and the item's id");
    r_.advance();
    if (Tok().kind != TokenKind::Number) return Fail("expected the item's id");
    const std::uint32_t id = Tok().number;
    if (id == 0 || id > 0xFFFF) return Fail("menu item id " + std::to_string(id) + " outside 1 to 65535");
    r_.advance();
    if (!Options(&flags)) return false;
    Put16(out_, flags);
    Put16(out_, static_cast<std::uint16_t>(id));
    PutText(text);
    return true;
  }

  TokenReader& r_;
  std::vector<std::byte>& out_;
};

}  // namespace

bool ParseMenu(TokenReader& reader, std::vector<std::byte>& out) {
  out.assign(4, std::byte{0});  // version 0, header size 0
  return MenuParser(reader, out).Level(0);
}

}  // namespace kesmrc
