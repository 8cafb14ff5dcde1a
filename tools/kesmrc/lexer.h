// Tokens of a resource script (see script.h for the syntax).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kesmrc {

enum class TokenKind { Number, String, Word, Open, Close, Comma, Bar, End, Error };

struct Token {
  TokenKind kind = TokenKind::End;
  int line = 0;
  std::uint32_t number = 0;  // Number
  std::u16string text;       // String
  std::string word;          // Word (as written); Error: the message
};

class Lexer {
 public:
  explicit Lexer(std::string_view source) : src_(source) {}
  // The next token; End at the end of the text, Error (with its message)
  // for text that is no token. BEGIN and END come as Open and Close.
  Token Next();

 private:
  bool SkipBlanksAndComments(Token& error);
  Token Number();
  Token String();
  Token Word();
  Token Fail(std::string message) const;
  bool Escape(std::u16string& text, Token& error);

  std::string_view src_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace kesmrc
