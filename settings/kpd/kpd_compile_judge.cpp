// Judges: "*Judge <number>[=<name>]: <expression>", compiled to the postfix
// tokens the constraint engine evaluates. The expression is read strictly
// from left to right with one operator waiting for its right operand;
// there is no precedence, and parentheses are the only grouping:
//   X == Y && Z   gives  X Y == Z &&
//   !X            gives  X !
//   X && (Y || Z) gives  X Y Z || &&
// A judge is never shortened into a different one: an operator still
// waiting at the end, an operator word that is not one of the nine, a
// number that is not a 16-bit value, an unmatched parenthesis or any text
// after the expression refuses the judge, and so does a judge whose
// tokens do not leave exactly one value (the stack-depth check).
#include <algorithm>
#include <vector>

#include "settings/kpd/kpd_chartable.h"
#include "settings/kpd/kpd_compile_internal.h"
#include "settings/kpd/kpd_compile_lookup.h"
#include "settings/system/memptr.h"

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsKeywordChar(char ch) { return CharHasClass(static_cast<BYTE>(ch), kCharKeyword); }
bool IsOperatorChar(char ch) {
  return ch == '=' || ch == '!' || ch == '&' || ch == '|' || ch == '>' || ch == '<';
}
bool IsBracket(char ch) { return ch == '(' || ch == ')' || ch == '{' || ch == '}'; }

// The operators, matched whole.
struct OperatorRow {
  std::string_view text;
  WORD code;
};
constexpr OperatorRow JudgeType[] = {
    {"==", kJudgeOpEqual},        {"!=", kJudgeOpNotEqual}, {"&&", kJudgeOpAnd},
    {"||", kJudgeOpOr},           {"!", kJudgeOpNot},       {">", kJudgeOpGreater},
    {"<", kJudgeOpLess},          {">=", kJudgeOpGreaterEqual}, {"<=", kJudgeOpLessEqual},
};

WORD OperatorCode(std::string_view text) {
  for (const OperatorRow& row : JudgeType) {
    if (row.text == text) {
      return row.code;
    }
  }
  return 0;
}

// Parentheses nest at most this deep (each level is one call).
constexpr DWORD kMaxParentheses = kJudgeMaxDepth;

class JudgeCompiler {
 public:
  JudgeCompiler(const WorkBKPD* work, KpdCursor cursor) : work_(work), cur_(cursor) {}

  // The whole value as one expression, its end token included.
  KpdFault Compile(std::vector<JudgeToken>& tokens) {
    tokens_ = &tokens;
    if (const KpdFault f = Expression(0); f != KpdFault::kNone) {
      return f;
    }
    const DWORD count = static_cast<DWORD>(tokens.size());
    return BkpdJudgeTokenCount(tokens.data(), count) == count ? KpdFault::kNone : KpdFault::kBadJudge;
  }

 private:
  KpdFault Push(WORD kind, WORD value) {
    if (tokens_->size() >= kJudgeMaxTokens) {
      return KpdFault::kJudgeTooLong;
    }
    tokens_->push_back(JudgeToken{kind, value});
    return KpdFault::kNone;
  }

  // Emits the waiting operator, if any.
  KpdFault Flush(WORD& pending) {
    const WORD code = pending;
    pending = 0;
    return code == 0 ? KpdFault::kNone : Push(kJudgeOperator, code);
  }

  KpdFault Number(std::string_view digits) {
    DWORD value = 0;
    for (const char ch : digits) {
      value = value * 10 + static_cast<DWORD>(ch - '0');
      if (value > 0xFFFF) {
        return KpdFault::kNumberRange;
      }
    }
    return Push(kJudgeConstant, static_cast<WORD>(value));
  }

  // A setting, a value keyword, or the name of an earlier judge, whose
  // tokens (without its end token) stand in its place.
  KpdFault Keyword(std::string_view word) {
    if (const GK* gk = KpdGKbyKeyWord(word)) {
      return Push(kJudgeSetting, gk->funcId);
    }
    if (const SP* sp = KpdSPbyKeyWord(word)) {
      return Push(kJudgeConstant, sp->valueIndex);
    }
    const DWORD number = KpdSearchKeywordMacro(work_, kMacroJudge, word);
    if (number == 0) {
      return KpdFault::kUnknownValue;
    }
    const WorkJudge* named = KpdFindJudge(work_, number);
    if (named == nullptr) {
      return KpdFault::kUnknownJudge;  // bound, but its judge was refused or comes later
    }
    const DWORD count = named->areaSize / sizeof(JudgeToken);
    for (DWORD i = 0; i + 1 < count; ++i) {
      if (const KpdFault f = Push(named->tokens[i].kind, named->tokens[i].value); f != KpdFault::kNone) {
        return f;
      }
    }
    return KpdFault::kNone;
  }

  // Tokens up to the end of the text (depth 0) or the ')' that closes this
  // depth.
  KpdFault Expression(DWORD depth) {
    WORD pending = 0;
    for (;;) {
      const KpdSplitWord w = KpdCopyWord(cur_);
      KpdFault f = KpdFault::kNone;
      switch (w.kind) {
        case KpdWordKind::kNumber:
        case KpdWordKind::kKeyword:
          f = w.kind == KpdWordKind::kNumber ? Number(w.text) : Keyword(w.text);
          if (f == KpdFault::kNone) {
            f = Flush(pending);
          }
          break;
        case KpdWordKind::kOperator:
          f = Flush(pending);
          pending = OperatorCode(w.text);
          if (pending == 0) {
            return KpdFault::kBadJudge;  // it would vanish and change the judge
          }
          break;
        case KpdWordKind::kBracket:
          if (w.text == "(") {
            if (depth + 1 > kMaxParentheses) {
              return KpdFault::kTooDeep;
            }
            f = Expression(depth + 1);
            // The operator waiting before the group takes the group as its
            // operand: !(A == 1) is A 1 == !.
            if (f == KpdFault::kNone) {
              f = Flush(pending);
            }
            break;
          }
          if (w.text == ")" && depth > 0 && pending == 0) {
            return KpdFault::kNone;
          }
          return KpdFault::kBadJudge;  // ')' closing nothing or after an operator; a brace
        case KpdWordKind::kEnd:
          if (depth > 0 || pending != 0) {
            return KpdFault::kBadJudge;  // an open parenthesis, or an operator without its operand
          }
          return Push(kJudgeOperator, kJudgeOpEnd);
        case KpdWordKind::kOther:
          return KpdFault::kBadJudge;  // text the expression cannot hold (a '-', a quote)
      }
      if (f != KpdFault::kNone) {
        return f;
      }
    }
  }

  const WorkBKPD* work_;
  KpdCursor cur_;
  std::vector<JudgeToken>* tokens_ = nullptr;
};

}  // namespace

KpdSplitWord KpdCopyWord(KpdCursor& c) {
  KpdSkipBlanks(c);
  if (c.AtEnd()) {
    return {KpdWordKind::kEnd, {}};
  }
  const std::string_view text = c.text;
  const size_t start = c.pos;
  const auto take = [&](KpdWordKind kind, size_t end) {
    c.pos = end;
    return KpdSplitWord{kind, text.substr(start, end - start)};
  };
  const char first = text[start];
  size_t end = start;
  if (IsDigit(first)) {
    while (end < text.size() && IsDigit(text[end])) {
      ++end;
    }
    if (end == text.size() || !IsKeywordChar(text[end])) {
      return take(KpdWordKind::kNumber, end);
    }
    // Digits followed by letters make a keyword.
  }
  if (IsKeywordChar(first)) {
    while (end < text.size() && IsKeywordChar(text[end])) {
      ++end;
    }
    return take(KpdWordKind::kKeyword, end);
  }
  if (IsBracket(first)) {
    return take(KpdWordKind::kBracket, start + 1);
  }
  if (IsOperatorChar(first)) {
    while (end < text.size() && IsOperatorChar(text[end])) {
      ++end;
    }
    return take(KpdWordKind::kOperator, end);
  }
  return take(KpdWordKind::kOther, start + 1);
}

KpdFault JudgeUiProc(KpdCompiler& c) {
  WorkBKPD* work = c.work;
  const std::string_view option1 = KpdText(c.parser->option1);
  WORD number = 0;
  if (const KpdFault f = KpdDefinitionNumber(option1, &number); f != KpdFault::kNone) {
    return f;
  }
  // The name is bound before the expression is read, and stays bound when
  // the judge is refused (references through it then fail).
  if (const KpdFault f = KpdSetKeywordMacro(work, kMacroJudge, KpdMacroName(option1), number);
      f != KpdFault::kNone) {
    return f;
  }
  std::vector<JudgeToken> tokens;
  if (const KpdFault f = JudgeCompiler(work, KpdValueCursor(c.parser)).Compile(tokens); f != KpdFault::kNone) {
    return f;
  }
  // All judges together stay within what one block can hold.
  ULONGLONG total = tokens.size() * sizeof(JudgeToken);
  WorkJudge** link = &work->judges;
  for (; *link != nullptr; link = &(*link)->next) {
    total += (*link)->areaSize;
  }
  if (total > kBkpdMaxSize) {
    return KpdFault::kJudgeTooLong;
  }
  auto* node = static_cast<WorkJudge*>(GetMemPtr(sizeof(WorkJudge)));
  auto* area = static_cast<JudgeToken*>(GetMemPtr(tokens.size() * sizeof(JudgeToken)));
  if (node == nullptr || area == nullptr) {
    FreeMemPtr(node);
    FreeMemPtr(area);
    return KpdFault::kNoMemory;
  }
  std::copy(tokens.begin(), tokens.end(), area);
  node->number = number;
  node->areaSize = static_cast<DWORD>(tokens.size() * sizeof(JudgeToken));
  node->tokens = area;
  *link = node;
  return KpdFault::kNone;
}
