// Pattern matching for finding files.
#include "platform/files/wildcard.h"

#include <string>
#include <vector>

#include "platform/text/wintext.h"

namespace plat {
namespace {

enum class Token : char16_t {
  kStar = 0xF000,  // any run
  kDosStar,        // any run that does not take the name's last dot
  kDosQm,          // one character, or nothing at a dot or the end
  kDosDot,         // a dot, or nothing at the end
};

bool IsToken(char16_t c) { return c >= 0xF000 && c <= 0xF003; }

std::u16string Tokenize(std::u16string_view pattern) {
  if (pattern == u"*.*") pattern = u"*";
  std::u16string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    const char16_t next = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
    if (c == u'*') {
      out += static_cast<char16_t>(next == u'.' ? Token::kDosStar : Token::kStar);
    } else if (c == u'?') {
      out += static_cast<char16_t>(Token::kDosQm);
    } else if (c == u'.' && (next == u'*' || next == u'?' || next == u'\0')) {
      out += static_cast<char16_t>(Token::kDosDot);
    } else {
      out += CharUpperW1(c);
    }
  }
  return out;
}

class Matcher {
 public:
  Matcher(std::u16string pattern, std::u16string_view name)
      : pattern_(std::move(pattern)),
        name_(name),
        lastDot_(name.rfind(u'.')),
        seen_((pattern_.size() + 1) * (name.size() + 1), 0) {}

  // Whether pattern_[p..] matches name_[n..]; each pair is judged once.
  bool Match(std::size_t p, std::size_t n) {
    if (p == pattern_.size()) return n == name_.size();
    char& seen = seen_[p * (name_.size() + 1) + n];
    if (seen != 0) return seen == 1;
    const bool result = Step(p, n);
    seen = result ? 1 : 2;
    return result;
  }

 private:
  bool Step(std::size_t p, std::size_t n) {
    const char16_t t = pattern_[p];
    const bool atEnd = n == name_.size();
    switch (static_cast<Token>(t)) {
      case Token::kStar:
        for (std::size_t k = n; k <= name_.size(); ++k) {
          if (Match(p + 1, k)) return true;
        }
        return false;
      case Token::kDosStar:
        for (std::size_t k = n; k <= name_.size(); ++k) {
          if (Match(p + 1, k)) return true;
          if (k == lastDot_) return false;  // the run may not take the last dot
        }
        return false;
      case Token::kDosQm:
        if (atEnd || name_[n] == u'.') return Match(p + 1, n);
        return Match(p + 1, n + 1);
      case Token::kDosDot:
        if (atEnd) return Match(p + 1, n);
        return name_[n] == u'.' && Match(p + 1, n + 1);
    }
    return !atEnd && !IsToken(t) && CharUpperW1(name_[n]) == t && Match(p + 1, n + 1);
  }

  std::u16string pattern_;
  std::u16string_view name_;
  std::size_t lastDot_;
  std::vector<char> seen_;
};

}  // namespace

bool MatchesPattern(std::u16string_view pattern, std::u16string_view name) {
  Matcher matcher(Tokenize(pattern), name);
  return matcher.Match(0, 0);
}

}  // namespace plat
