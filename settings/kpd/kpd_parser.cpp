// PARSEROBJ: splits the description text into entries.
#include <array>

#include "platform/text/codepage.h"
#if KESM_KERNEL_MODE
#include "render/platform/code_page.h"
#endif
#include "settings/kpd/kpd_chartable.h"
#include "settings/kpd/kpd_reader.h"
#include "settings/system/memptr.h"

namespace {

bool IsEndOfLine(BYTE c) { return CharHasClass(c, kCharEndOfLine); }
bool IsBlank(BYTE c) { return CharHasClass(c, kCharBlank); }

// Whether c starts a two-byte character of the code page. The kernel build
// has no lead-byte service of the engine and decides by the page alone.
bool IsLeadByte(UINT codePage, BYTE c) {
#if KESM_KERNEL_MODE
  return MyIsDBCSLeadByteEx(codePage, c) != FALSE;
#else
  return c >= 0x80 && IsDBCSLeadByteEx(codePage, c) != FALSE;
#endif
}

// Skips blanks; kKpdOk with *current on the first other byte, or
// kKpdEndOfFile.
int SkipBlanks(FILEOBJ* f, BYTE* current) {
  while (IsBlank(*current)) {
    if (FILEOBJ_GetChar(f, current) != kKpdOk) {
      return kKpdEndOfFile;
    }
  }
  return kKpdOk;
}

// A byte the value loop only stores: no line end, quote, bracket, brace or
// escape, and not a byte that may start a two-byte character.
constexpr bool IsPlainByte(int c) {
  return c < 0x80 && c != '\r' && c != '\n' && c != '"' && c != '(' && c != ')' && c != '{' && c != '}' &&
         c != '%';
}
constexpr auto kPlainBytes = [] {
  std::array<bool, 256> plain{};
  for (int c = 0; c < 256; ++c) {
    plain[c] = IsPlainByte(c);
  }
  return plain;
}();
bool IsPlain(BYTE c) { return kPlainBytes[c]; }

// Open quote, parentheses and braces of a value.
struct Nesting {
  bool quoted = false;
  DWORD parens = 0;
  DWORD braces = 0;
  bool open() const { return quoted || parens != 0 || braces != 0; }
};

// Applies one stored byte of the value to the nesting; kKpdSyntax when the
// byte is not allowed where it stands.
int ApplyBracket(Nesting& n, BYTE c) {
  switch (c) {
    case '"':
      n.quoted = !n.quoted;
      return kKpdOk;
    case '(':
      if (n.quoted) {
        return kKpdSyntax;
      }
      ++n.parens;
      return kKpdOk;
    case ')':
      if (n.quoted || n.parens == 0) {
        return kKpdSyntax;
      }
      --n.parens;
      return kKpdOk;
    case '{':
      if (n.quoted || n.parens != 0) {
        return kKpdSyntax;
      }
      ++n.braces;
      return kKpdOk;
    case '}':
      if (n.quoted || n.parens != 0 || n.braces == 0) {
        return kKpdSyntax;
      }
      --n.braces;
      return kKpdOk;
    default:
      return kKpdOk;
  }
}

// Step result: the value ended at a line end or at the end of the text.
constexpr int kValueDone = -1;

// State of the value loop between bytes.
struct ValueReader {
  BUFOBJ* value;
  FILEOBJ* f;
  Nesting nesting;

  // Result when the text ends: a value with nothing open is complete.
  int AtEnd() const { return nesting.open() ? kKpdTruncated : kKpdOk; }

  // Stores a whole character that starts with c: a lead byte takes its trail
  // byte along, unless the text ends or a line end follows (the line end is
  // then left in *next for the caller). Returns kKpdOk with *next holding the
  // byte to look at next and *haveNext telling whether one was read.
  int StoreCharacter(BYTE c, BYTE* next, bool* haveNext) {
    *haveNext = false;
    if (BUFOBJ_AddCharGrow(value, c) != kKpdOk) {
      return kKpdNoMemory;
    }
    if (!IsLeadByte(f->codePage, c)) {
      return kKpdOk;
    }
    BYTE trail = 0;
    if (FILEOBJ_GetChar(f, &trail) != kKpdOk) {
      return kKpdOk;  // the caller sees the end at its next read
    }
    if (IsEndOfLine(trail)) {
      *next = trail;
      *haveNext = true;
      return kKpdOk;
    }
    return BUFOBJ_AddCharGrow(value, trail);
  }

  // A '%' inside quotes: the next character is stored without meaning.
  int Escape(BYTE* next, bool* haveNext) {
    BYTE c = 0;
    if (FILEOBJ_GetChar(f, &c) != kKpdOk) {
      return kKpdTruncated;
    }
    if (IsEndOfLine(c)) {
      return kKpdSyntax;
    }
    return StoreCharacter(c, next, haveNext);
  }

  // A run of plain bytes, *current and those after it, stored in one
  // piece; the same as a Step for each.
  int StorePlainRun(BYTE* current) {
    DWORD run = 0;
    while (run < f->remaining && IsPlain(f->readPtr[run])) {
      ++run;
    }
    if (BUFOBJ_AddCharGrow(value, *current) != kKpdOk || BUFOBJ_AddBytes(value, f->readPtr, run) != kKpdOk) {
      return kKpdNoMemory;
    }
    FILEOBJ_Skip(f, run);
    if (FILEOBJ_GetChar(f, current) != kKpdOk) {
      const int end = AtEnd();
      return end == kKpdOk ? kValueDone : end;
    }
    return kKpdOk;
  }

  // One byte of the value; *current holds it and receives the next one.
  // kKpdOk to go on, kValueDone when the value is complete, or a result
  // that ends the entry.
  int Step(BYTE* current) {
    const BYTE c = *current;
    if (IsPlain(c)) {
      return StorePlainRun(current);
    }
    if (IsEndOfLine(c) && !nesting.open()) {
      return kValueDone;  // the line end is consumed, not stored
    }
    BYTE next = 0;
    bool haveNext = false;
    int r = StoreCharacter(c, &next, &haveNext);
    if (r == kKpdOk && !IsLeadByte(f->codePage, c)) {
      r = ApplyBracket(nesting, c);
      if (r == kKpdOk && c == '%' && nesting.quoted) {
        r = Escape(&next, &haveNext);
      }
    }
    if (r != kKpdOk) {
      return r;
    }
    if (haveNext) {
      *current = next;
      return kKpdOk;
    }
    if (FILEOBJ_GetChar(f, current) != kKpdOk) {
      const int end = AtEnd();
      return end == kKpdOk ? kValueDone : end;
    }
    return kKpdOk;
  }
};

}  // namespace

int HexValue(BYTE c) {
  if (CharHasClass(c, kCharDigit)) {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 0x57;
  }
  return c - 0x37;
}

PARSEROBJ* PARSEROBJ_Create() {
  auto* p = static_cast<PARSEROBJ*>(GetMemPtr(sizeof(PARSEROBJ)));
  if (p == nullptr) {
    return nullptr;
  }
  if (!BUFOBJ_Create(&p->keyword) || !BUFOBJ_Create(&p->option1) || !BUFOBJ_Create(&p->option2) ||
      !BUFOBJ_Create(&p->value)) {
    PARSEROBJ_Free(p);  // buffers not made are empty and free as nothing
    return nullptr;
  }
  return p;
}

void PARSEROBJ_Free(PARSEROBJ* p) {
  if (p == nullptr) {
    return;
  }
  BUFOBJ_Free(&p->keyword);
  BUFOBJ_Free(&p->option1);
  BUFOBJ_Free(&p->option2);
  BUFOBJ_Free(&p->value);
  FreeMemPtr(p);
}

int PARSEROBJ_SkipLine(FILEOBJ* f) {
  DWORD n = 0;
  while (n < f->remaining && !IsEndOfLine(f->readPtr[n])) {
    ++n;
  }
  if (n == f->remaining) {
    FILEOBJ_Skip(f, n);
    return kKpdEndOfFile;
  }
  FILEOBJ_Skip(f, n + 1);  // the line end too
  return kKpdOk;
}

int PARSEROBJ_ParseKeyword(PARSEROBJ* p, FILEOBJ* f, BYTE* current) {
  for (;;) {
    BYTE c = 0;
    if (FILEOBJ_GetChar(f, &c) != kKpdOk) {
      return kKpdEndOfFile;
    }
    if (IsEndOfLine(c)) {
      continue;  // an empty line
    }
    if (c == '*') {
      if (FILEOBJ_GetChar(f, &c) != kKpdOk) {
        return kKpdEndOfFile;
      }
      if (c != '%') {
        *current = c;
        return BUFOBJ_GetString(&p->keyword, f, current, kCharKeyword);
      }
    }
    // A comment: "*%" lines and lines that do not begin with '*'.
    if (PARSEROBJ_SkipLine(f) != kKpdOk) {
      return kKpdEndOfFile;
    }
  }
}

int PARSEROBJ_ParseOption(BUFOBJ* option, FILEOBJ* f, BYTE* current) {
  return BUFOBJ_GetString(option, f, current, kCharOption);
}

int PARSEROBJ_ParseValue(PARSEROBJ* p, FILEOBJ* f, BYTE* current) {
  if (SkipBlanks(f, current) != kKpdOk) {
    return kKpdOk;  // an empty value at the end of the text
  }
  ValueReader reader{&p->value, f, {}};
  int r = kKpdOk;
  do {
    r = reader.Step(current);
  } while (r == kKpdOk);
  return r == kValueDone ? kKpdOk : r;
}

namespace {

// After the keyword: options, then the value. *current is the byte after the
// keyword.
int ParseAfterKeyword(PARSEROBJ* p, FILEOBJ* f, BYTE* current) {
  BUFOBJ* options[] = {&p->option1, &p->option2};
  for (BUFOBJ* option : options) {
    if (SkipBlanks(f, current) != kKpdOk) {
      return kKpdEndOfFile;
    }
    if (*current == ':') {
      break;
    }
    const int r = PARSEROBJ_ParseOption(option, f, current);
    if (r != kKpdOk) {
      return r;  // an empty word, the end of the text or no memory
    }
  }
  if (SkipBlanks(f, current) != kKpdOk) {
    return kKpdEndOfFile;
  }
  if (*current != ':') {
    return kKpdSyntax;  // a third word, or a word that goes on with '/'
  }
  if (FILEOBJ_GetChar(f, current) != kKpdOk) {
    return kKpdOk;  // ':' as the last byte: an empty value
  }
  return PARSEROBJ_ParseValue(p, f, current);
}

}  // namespace

namespace {

int ParseEntry(PARSEROBJ* p, FILEOBJ* f) {
  BUFOBJ_Reset(&p->keyword);
  BUFOBJ_Reset(&p->option1);
  BUFOBJ_Reset(&p->option2);
  BUFOBJ_Reset(&p->value);
  BYTE current = 0;
  const int r = PARSEROBJ_ParseKeyword(p, f, &current);
  if (r == kKpdEndOfFile && p->keyword.length != 0) {
    return kKpdOk;  // the last line is a keyword alone without a line end
  }
  if (r != kKpdOk) {
    return r;
  }
  if (IsEndOfLine(current)) {
    return kKpdOk;  // keyword only
  }
  return ParseAfterKeyword(p, f, &current);
}

}  // namespace

int PARSEROBJ_ParseEntry(PARSEROBJ* p, FILEOBJ* f) {
  const int r = ParseEntry(p, f);
  FILEOBJ_UpdateCrc(f);
  return r;
}
