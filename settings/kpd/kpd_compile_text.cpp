// Value-text routines shared by the compiler's handlers. They work on a
// bounded view of the entry's value: nothing is read past its end, and the
// value buffer itself is never changed.
#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <string>

#include "settings/kpd/kpd_chartable.h"
#include "settings/kpd/kpd_compile_internal.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"

namespace {

bool IsBlankOrEol(char ch) { return CharHasClass(static_cast<BYTE>(ch), kCharBlank | kCharEndOfLine); }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Larger magnitudes are not accumulated further; they only mark overflow.
constexpr LONGLONG kNumberCap = 0xFFFFFFFFLL;

void Accumulate(LONGLONG& value, bool& overflow, char digit) {
  if (value > kNumberCap) {
    overflow = true;
    return;
  }
  value = value * 10 + (digit - '0');
  overflow = overflow || value > kNumberCap;
}

constexpr KpdWord kUiTypeRows[] = {
    {"PickOne", 0x0001},  {"PickMany", 0x0002}, {"Boolean", 0x0004},  {"Numeric", 0x0008},
    {"String", 0x0010},   {"PickPage", 0x0101}, {"PickSlot", 0x0201}, {"FontTbl", 0x0401},
    {"Identity", 0x1000}, {"TypeUnknown", 0x2000},
};
constexpr KpdWord kBoolRows[] = {{"True", 1}, {"False", 0}};
constexpr KpdWord kStringTypeRows[] = {
    {"MultiByte", 0x01}, {"ASCII", 0x02}, {"Numeric", 0x04}, {"Capital", 0x08}, {"Small", 0x10},
};
constexpr KpdWord kDisplayTypeRows[] = {{"Password", 0x100}, {"ShowCapital", 0x200}, {"ShowSmall", 0x400}};

}  // namespace

const KpdWordTable uitypeStrs = {kUiTypeRows, std::size(kUiTypeRows), 1};
const KpdWordTable boolStrs = {kBoolRows, std::size(kBoolRows), 0};
const KpdWordTable sttypeStrs = {kStringTypeRows, std::size(kStringTypeRows), 1};
const KpdWordTable pttypeStrs = {kDisplayTypeRows, std::size(kDisplayTypeRows), 0};

WORD SearchStringTable(const KpdWordTable& table, std::string_view word) {
  for (size_t i = 0; i < table.count; ++i) {
    if (table.rows[i].word == word) {
      return table.rows[i].value;
    }
  }
  return table.noMatch;
}

std::string_view KpdText(const BUFOBJ& b) {
  return b.text == nullptr ? std::string_view() : std::string_view(b.text, b.length);
}

KpdCursor KpdValueCursor(const PARSEROBJ* p) { return KpdCursor{KpdText(p->value), 0}; }

void KpdSkipBlanks(KpdCursor& c) {
  while (!c.AtEnd() && IsBlankOrEol(c.text[c.pos])) {
    ++c.pos;
  }
}

std::optional<std::string_view> KpdGetKeywordValue(KpdCursor& c, char* delimiter) {
  KpdSkipBlanks(c);
  if (c.AtEnd()) {
    return std::nullopt;
  }
  if (c.Peek() == '*') {
    ++c.pos;
  }
  const size_t start = c.pos;
  while (!c.AtEnd() && !CharHasClass(static_cast<BYTE>(c.text[c.pos]), kCharSeparator)) {
    ++c.pos;
  }
  const std::string_view word = c.text.substr(start, c.pos - start);
  char stop = '\0';
  if (!c.AtEnd()) {
    stop = c.text[c.pos++];
  }
  if (delimiter != nullptr) {
    *delimiter = stop;
  }
  return word;
}

std::optional<std::string_view> KpdGetListWord(KpdCursor& c) {
  char delimiter = '\0';
  const std::optional<std::string_view> word = KpdGetKeywordValue(c, &delimiter);
  if (delimiter == '"' || delimiter == '{' || delimiter == '}') {
    --c.pos;
  }
  return word;
}

KpdNumber KpdGetNumericValue(KpdCursor& c) {
  KpdNumber n{0, false, false};
  KpdSkipBlanks(c);
  bool negative = false;
  if (c.Peek() == '-') {
    negative = true;
    ++c.pos;
  }
  while (!c.AtEnd() && IsDigit(c.text[c.pos])) {
    Accumulate(n.value, n.overflow, c.text[c.pos]);
    n.digits = true;
    ++c.pos;
  }
  if (negative) {
    n.value = -n.value;
  }
  return n;
}

KpdFault KpdGetQuotedNumbers(KpdCursor& c, std::span<KpdNumber> out, size_t* count) {
  *count = 0;
  KpdSkipBlanks(c);
  if (c.Peek() != '"') {
    return KpdFault::kBadValue;
  }
  ++c.pos;
  for (;;) {
    KpdSkipBlanks(c);
    if (c.AtEnd()) {
      return KpdFault::kNone;
    }
    if (c.Peek() == '"') {
      ++c.pos;
      return KpdFault::kNone;
    }
    const KpdNumber n = KpdGetNumericValue(c);
    if (!n.digits || *count == out.size()) {
      return KpdFault::kBadValue;
    }
    if (!KpdFitsLong(n)) {
      return KpdFault::kNumberRange;
    }
    out[(*count)++] = n;
  }
}

bool KpdFitsShort(const KpdNumber& n) { return !n.overflow && n.value >= -32768 && n.value <= 32767; }
bool KpdFitsWord(const KpdNumber& n) { return !n.overflow && n.value >= 0 && n.value <= 0xFFFF; }
bool KpdFitsLong(const KpdNumber& n) {
  return !n.overflow && n.value >= -2147483648LL && n.value <= 2147483647LL;
}

namespace {

// Bytes that end a run of a quoted string copied as it stands.
constexpr std::array<bool, 256> kEndsPlainRun = [] {
  std::array<bool, 256> ends{};
  for (const unsigned char ch : {'"', '\r', '\n', '<', '%'}) ends[ch] = true;
  return ends;
}();
bool EndsPlainRun(char ch) { return kEndsPlainRun[static_cast<unsigned char>(ch)]; }

constexpr size_t kDecodedOnStack = 1024;

// The length of the plain run from `from` on.
size_t PlainRun(std::string_view text, size_t from) {
  size_t end = from;
  while (end < text.size() && !EndsPlainRun(text[end])) {
    ++end;
  }
  return end - from;
}

// Decodes the quoted string whose opening quote the cursor has passed,
// handing the decoded bytes to put(bytes, count) in order; the cursor moves
// past the closing quote (or to the end). False for a '%' at the very end.
template <class Put>
bool DecodeQuoted(KpdCursor& c, Put put) {
  bool hex = false;
  int pendingNibble = -1;
  while (!c.AtEnd()) {
    if (!hex) {
      const size_t end = c.pos + PlainRun(c.text, c.pos);
      if (end != c.pos) {
        put(c.text.data() + c.pos, end - c.pos);
        c.pos = end;
        if (c.AtEnd()) {
          break;
        }
      }
    }
    const char ch = c.text[c.pos++];
    if (ch == '"') {
      break;
    }
    if (ch == '\r' || ch == '\n') {
      continue;
    }
    if (hex) {
      if (ch == '>') {
        hex = false;
        pendingNibble = -1;
      } else if (CharHasClass(static_cast<BYTE>(ch), kCharDigit | kCharHexLetter)) {
        const int v = HexValue(static_cast<BYTE>(ch));
        if (pendingNibble < 0) {
          pendingNibble = v;
        } else {
          const char byte = static_cast<char>(pendingNibble * 16 + v);
          put(&byte, 1);
          pendingNibble = -1;
        }
      } else {
        pendingNibble = -1;  // a lone digit is dropped
      }
      continue;
    }
    if (ch == '<') {
      hex = true;
    } else if (ch == '%') {
      if (c.AtEnd()) {
        return false;
      }
      put(c.text.data() + c.pos, 1);
      ++c.pos;
    }
  }
  return true;
}

}  // namespace

KpdString KpdGetStringValue(KpdCursor& c, char stop) {
  // The string begins at the first quote; any text before it is passed over.
  const std::string_view rest = c.Rest();
  const size_t quote = rest.find('"');
  const size_t bound = stop == '\0' ? std::string_view::npos : rest.find(stop);
  if (quote == std::string_view::npos || (bound != std::string_view::npos && bound < quote)) {
    c.pos += bound == std::string_view::npos ? rest.size() : bound;
    return {KpdFault::kNone, nullptr, 0};
  }
  c.pos += quote + 1;
  // One pass decodes into a buffer on the stack, which holds nearly every
  // string; a longer one is decoded again straight into its block.
  const KpdCursor start = c;
  std::array<char, kDecodedOnStack> local;
  size_t decoded = 0;
  if (!DecodeQuoted(c, [&local, &decoded](const char* bytes, size_t n) {
        if (decoded + n <= local.size()) std::memcpy(local.data() + decoded, bytes, n);
        decoded += n;
      })) {
    return {KpdFault::kBadString, nullptr, 0};
  }
  if (decoded == 0) {
    return {KpdFault::kNone, nullptr, 0};
  }
  const DWORD length = static_cast<DWORD>(decoded + 1);
  auto* text = static_cast<LPSTR>(GetMemPtr(length));
  if (text == nullptr) {
    return {KpdFault::kNoMemory, nullptr, 0};
  }
  if (decoded <= local.size()) {
    std::memcpy(text, local.data(), decoded);
    return {KpdFault::kNone, text, length};
  }
  KpdCursor again = start;
  size_t written = 0;
  DecodeQuoted(again, [text, &written](const char* bytes, size_t n) {
    std::memcpy(text + written, bytes, n);
    written += n;
  });
  return {KpdFault::kNone, text, length};
}

bool KpdGetCharSkip(KpdCursor& c, char ch) {
  const size_t at = c.Rest().find(ch);
  if (at == std::string_view::npos) {
    c.pos = c.text.size();
    return false;
  }
  c.pos += at + 1;
  return true;
}

std::optional<LONGLONG> KpdGetId(std::string_view word) {
  LONGLONG value = 0;
  bool overflow = false;
  bool negative = false;
  for (const char ch : word) {
    if (ch == ' ' || ch == '\t' || ch == '=') {
      break;
    }
    if (IsDigit(ch)) {
      Accumulate(value, overflow, ch);
    } else if (ch == '-') {
      negative = true;
    }
  }
  if (overflow) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

LPWSTR KpdAnsiToWide(std::string_view text) {
  if (text.empty() || text.size() > 0x7FFFFFF) {
    return nullptr;
  }
  const std::string terminated(text);
  auto* wide = static_cast<LPWSTR>(GetMemPtr((text.size() + 1) * sizeof(WCHAR)));
  if (wide != nullptr) {
    CopyStr2Unicode(wide, terminated.c_str(), static_cast<int>(text.size() + 1));
  }
  return wide;
}

BOOL _isdigit(LPCSTR text) {
  if (text == nullptr) {
    return FALSE;
  }
  for (; *text != '\0'; ++text) {
    if (!IsDigit(*text)) {
      return FALSE;
    }
  }
  return TRUE;
}

BOOL _isalnum(LPCSTR text) {
  if (text == nullptr) {
    return FALSE;
  }
  for (; *text != '\0'; ++text) {
    const char ch = *text;
    if (!IsDigit(ch) && !((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'))) {
      return FALSE;
    }
  }
  return TRUE;
}
