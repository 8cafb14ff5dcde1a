// Splitting a resource script into tokens.
#include "tools/kesmrc/lexer.h"

#include <cctype>

#include "platform/text/utf.h"

namespace kesmrc {
namespace {

bool IsWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

Token Lexer::Fail(std::string message) const {
  Token t;
  t.kind = TokenKind::Error;
  t.line = line_;
  t.word = std::move(message);
  return t;
}

bool Lexer::SkipBlanksAndComments(Token& error) {
  while (pos_ < src_.size()) {
    char c = src_[pos_];
    if (c == '\n') {
      ++line_;
      ++pos_;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++pos_;
    } else if (src_.substr(pos_, 2) == "//") {
      while (pos_ < src_.size() && src_[pos_] != '\n') ++pos_;
    } else if (src_.substr(pos_, 2) == "/*") {
      std::size_t end = src_.find("*/", pos_ + 2);
      if (end == std::string_view::npos) {
        error = Fail("unterminated comment");
        return false;
      }
      for (std::size_t i = pos_; i < end; ++i) line_ += src_[i] == '\n';
      pos_ = end + 2;
    } else {
      break;
    }
  }
  return true;
}

Token Lexer::Next() {
  Token error;
  if (!SkipBlanksAndComments(error)) return error;
  Token t;
  t.line = line_;
  if (pos_ >= src_.size()) return t;
  char c = src_[pos_];
  if (std::isdigit(static_cast<unsigned char>(c))) return Number();
  if (c == '"') return String();
  if (IsWordStart(c)) return Word();
  if (c == '{' || c == '}') {
    ++pos_;
    t.kind = c == '{' ? TokenKind::Open : TokenKind::Close;
    return t;
  }
  if (c == ',' || c == '|') {
    ++pos_;
    t.kind = c == ',' ? TokenKind::Comma : TokenKind::Bar;
    return t;
  }
  return Fail(std::string("unexpected character '") + c + "'");
}

Token Lexer::Number() {
  Token t;
  t.kind = TokenKind::Number;
  t.line = line_;
  int base = 10;
  if (src_.substr(pos_, 2) == "0x" || src_.substr(pos_, 2) == "0X") {
    base = 16;
    pos_ += 2;
  }
  std::size_t start = pos_;
  std::uint64_t value = 0;
  while (pos_ < src_.size()) {
    int digit = HexValue(src_[pos_]);
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
    if (value > 0xFFFFFFFFu) return Fail("number too large");
    ++pos_;
  }
  if (pos_ == start || (pos_ < src_.size() && IsWordChar(src_[pos_]))) {
    return Fail("malformed number");
  }
  t.number = static_cast<std::uint32_t>(value);
  return t;
}

bool Lexer::Escape(std::u16string& text, Token& error) {
  if (pos_ >= src_.size()) {
    error = Fail("unterminated string");
    return false;
  }
  char c = src_[pos_++];
  switch (c) {
    case 'n': text += u'\n'; return true;
    case 'r': text += u'\r'; return true;
    case 't': text += u'\t'; return true;
    case '0': text += u'\0'; return true;
    case '\\': text += u'\\'; return true;
    case '"': text += u'"'; return true;
    case 'x': {
      std::uint32_t value = 0;
      int digits = 0;
      while (digits < 4 && pos_ < src_.size() && HexValue(src_[pos_]) >= 0) {
        value = value * 16 + HexValue(src_[pos_++]);
        ++digits;
      }
      if (digits == 0) break;
      text += static_cast<char16_t>(value);
      return true;
    }
    default:
      break;
  }
  error = Fail(std::string("unknown escape '\\") + c + "'");
  return false;
}

Token Lexer::String() {
  Token t;
  t.kind = TokenKind::String;
  t.line = line_;
  ++pos_;  // opening quote
  for (;;) {
    if (pos_ >= src_.size() || src_[pos_] == '\n') return Fail("unterminated string");
    char c = src_[pos_];
    if (c == '"') {
      if (src_.substr(pos_, 2) != "\"\"") break;
      t.text += u'"';
      pos_ += 2;
    } else if (c == '\\') {
      ++pos_;
      Token error;
      if (!Escape(t.text, error)) return error;
    } else {
      char32_t cp;
      pos_ += plat::utf::ReadUtf8(src_, pos_, &cp);
      if (cp == plat::utf::kInvalid) return Fail("invalid UTF-8 in string");
      char16_t units[2];
      t.text.append(units, plat::utf::EncodeUtf16(cp, units));
    }
  }
  ++pos_;  // closing quote
  return t;
}

Token Lexer::Word() {
  Token t;
  t.kind = TokenKind::Word;
  t.line = line_;
  std::size_t start = pos_;
  while (pos_ < src_.size() && IsWordChar(src_[pos_])) ++pos_;
  t.word = std::string(src_.substr(start, pos_ - start));
  if (EqualsNoCase(t.word, "BEGIN")) t.kind = TokenKind::Open;
  if (EqualsNoCase(t.word, "END")) t.kind = TokenKind::Close;
  return t;
}

}  // namespace kesmrc
