// Bounded printf-style formatting with the Windows conventions, one
// implementation for wide and for ANSI output. Output goes through one
// writer that stops at the buffer's end and never splits a character.
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <new>
#include <string>
#include <type_traits>

#include "platform/text/codepage.h"
#include "platform/text/wintext.h"

namespace {

// Units of the character at s, n units being available: a surrogate pair,
// or a double-byte character of the ANSI code page, is two.
std::size_t CharSize(const WCHAR* s, std::size_t n) {
  return n >= 2 && s[0] >= 0xD800 && s[0] <= 0xDBFF && s[1] >= 0xDC00 && s[1] <= 0xDFFF ? 2 : 1;
}
std::size_t CharSize(const char* s, std::size_t n) {
  return n >= 2 && s[1] != 0 && IsDBCSLeadByte(static_cast<BYTE>(s[0])) ? 2 : 1;
}

template <class Ch>
std::size_t Length(const Ch* s) {
  std::size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

template <class Ch>
class Output {
 public:
  Output(Ch* dst, int cch) : dst_(dst), cap_(static_cast<std::size_t>(cch) - 1) {}
  bool truncated() const { return truncated_; }

  // Puts one character of n units, all or nothing.
  bool Put(const Ch* units, std::size_t n) {
    if (truncated_ || cap_ - pos_ < n) {
      truncated_ = true;
      return false;
    }
    std::copy(units, units + n, dst_ + pos_);
    pos_ += n;
    return true;
  }
  bool Put(Ch c) { return Put(&c, 1); }
  void Repeat(Ch c, std::size_t n) {
    for (; n > 0 && Put(c); --n) {
    }
  }
  void PutText(const Ch* s, std::size_t n) {
    for (std::size_t k; n > 0 && Put(s, k = CharSize(s, n)); s += k, n -= k) {
    }
  }
  int Finish() {
    dst_[pos_] = 0;
    return truncated_ ? -1 : static_cast<int>(pos_);
  }

 private:
  Ch* dst_;
  std::size_t cap_;  // units before the terminator
  std::size_t pos_ = 0;
  bool truncated_ = false;
};

enum class Size { kDefault, kShort, kLong };

template <class Ch>
struct Conversion {
  bool left = false;
  bool zero = false;
  bool alternate = false;
  std::size_t width = 0;
  int precision = -1;  // none
  Size size = Size::kDefault;
  Ch type = 0;  // 0: the format ended inside the conversion
};

constexpr std::size_t kMaxWidth = 0x7FFFFFFF;

template <class Ch>
const Ch* ParseNumber(const Ch* f, std::size_t* value) {
  for (*value = 0; *f >= '0' && *f <= '9'; ++f) {
    *value = std::min(*value * 10 + static_cast<std::size_t>(*f - '0'), kMaxWidth);
  }
  return f;
}

// Reads flags, width, precision, size and type after a '%'.
template <class Ch>
const Ch* ParseConversion(const Ch* f, va_list* ap, Conversion<Ch>* conv) {
  for (;; ++f) {
    bool* flag = *f == '-'   ? &conv->left
                 : *f == '0' ? &conv->zero
                 : *f == '#' ? &conv->alternate
                             : nullptr;
    if (flag == nullptr) break;
    *flag = true;
  }
  if (*f == '*') {
    const long long w = va_arg(*ap, int);
    conv->left = conv->left || w < 0;
    conv->width = static_cast<std::size_t>(w < 0 ? -w : w);
    ++f;
  } else {
    f = ParseNumber(f, &conv->width);
  }
  if (*f == '.') {
    ++f;
    if (*f == '*') {
      conv->precision = std::max(va_arg(*ap, int), -1);
      ++f;
    } else {
      std::size_t p;
      f = ParseNumber(f, &p);
      conv->precision = static_cast<int>(p);
    }
  }
  if (*f == 'h' || *f == 'l') conv->size = *f++ == 'h' ? Size::kShort : Size::kLong;
  conv->type = *f;
  return *f != 0 ? f + 1 : f;
}

template <class Ch>
void PutNumber(Output<Ch>& out, const Conversion<Ch>& conv, unsigned long long magnitude,
               bool negative, unsigned base, const char* prefix) {
  const char* digitSet = conv.type == 'x' ? "0123456789abcdef" : "0123456789ABCDEF";
  char digits[24];
  std::size_t n = 0;
  for (; magnitude != 0 || (n == 0 && conv.precision != 0); magnitude /= base) {
    digits[n++] = digitSet[magnitude % base];
  }
  const std::size_t precise = std::max(n, static_cast<std::size_t>(std::max(conv.precision, 0)));
  const std::size_t body = precise + (negative ? 1 : 0) + std::strlen(prefix);
  const std::size_t pad = conv.width > body ? conv.width - body : 0;
  const bool zeroPad = conv.zero && !conv.left && conv.precision < 0;
  if (!conv.left && !zeroPad) out.Repeat(' ', pad);
  if (negative) out.Put('-');
  for (const char* p = prefix; *p != 0; ++p) out.Put(static_cast<Ch>(*p));
  if (zeroPad) out.Repeat('0', pad);
  out.Repeat('0', precise - n);
  while (n > 0) out.Put(static_cast<Ch>(digits[--n]));
  if (conv.left) out.Repeat(' ', pad);
}

template <class Ch>
void PutField(Output<Ch>& out, const Conversion<Ch>& conv, const Ch* text, std::size_t n) {
  std::size_t len = 0;  // whole characters within the precision
  const std::size_t limit = conv.precision < 0 ? n : std::min<std::size_t>(n, conv.precision);
  for (std::size_t k; len < limit && len + (k = CharSize(text + len, n - len)) <= limit; len += k) {
  }
  const std::size_t pad = conv.width > len ? conv.width - len : 0;
  if (!conv.left) out.Repeat(' ', pad);
  out.PutText(text, len);
  if (conv.left) out.Repeat(' ', pad);
}

std::u16string Convert(const char* s, const WCHAR*) {
  if (*s == 0) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
  std::u16string out(static_cast<std::size_t>(std::max(n, 1)), u'\0');
  MultiByteToWideChar(CP_ACP, 0, s, -1, out.data(), n);
  out.resize(Length(out.c_str()));
  return out;
}

std::string Convert(const WCHAR* s, const char*) {
  if (*s == 0) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(n, 1)), '\0');
  WideCharToMultiByte(CP_ACP, 0, s, -1, out.data(), n, nullptr, nullptr);
  out.resize(Length(out.c_str()));
  return out;
}

// A string argument of either width, converted through the ANSI code page
// when it differs from the output.
template <class Ch, class Arg>
void PutString(Output<Ch>& out, const Conversion<Ch>& conv, const Arg* arg) {
  static constexpr Ch kNull[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
  if (arg == nullptr) return PutField(out, conv, kNull, 6);
  if constexpr (std::is_same_v<Ch, Arg>) {
    PutField(out, conv, arg, Length(arg));
  } else {
    const auto text = Convert(arg, static_cast<const Ch*>(nullptr));
    PutField(out, conv, text.data(), text.size());
  }
}

// %s and %c take the output's width, %S and %C the other one; 'h' forces
// ANSI and 'l' wide.
template <class Ch>
bool WideArgument(const Conversion<Ch>& conv) {
  if (conv.size != Size::kDefault) return conv.size == Size::kLong;
  const bool lower = conv.type == 's' || conv.type == 'c';
  return lower == std::is_same_v<Ch, WCHAR>;
}

template <class Ch>
void PutText(Output<Ch>& out, const Conversion<Ch>& conv, va_list* ap) {
  const bool wide = WideArgument(conv);
  if (conv.type == 's' || conv.type == 'S') {
    if (wide) return PutString(out, conv, va_arg(*ap, const WCHAR*));
    return PutString(out, conv, va_arg(*ap, const char*));
  }
  const int c = va_arg(*ap, int);  // WCHAR and char arrive promoted
  const WCHAR w[2] = {static_cast<WCHAR>(c), 0};
  const char a[2] = {static_cast<char>(c), 0};
  if (wide) return PutString(out, conv, w);
  PutString(out, conv, a);
}

template <class Ch>
void PutConversion(Output<Ch>& out, const Conversion<Ch>& conv, va_list* ap) {
  const bool isShort = conv.size == Size::kShort;
  switch (conv.type) {
    case 'd':
    case 'i': {
      int v = va_arg(*ap, int);  // LONG is 32-bit, like int
      if (isShort) v = static_cast<SHORT>(v);
      const long long wideV = v;
      return PutNumber(out, conv, static_cast<unsigned long long>(wideV < 0 ? -wideV : wideV),
                       v < 0, 10, "");
    }
    case 'u':
    case 'x':
    case 'X': {
      unsigned v = va_arg(*ap, unsigned);
      if (isShort) v = static_cast<USHORT>(v);
      const bool hex = conv.type != 'u';
      const char* prefix = hex && conv.alternate && v != 0 ? (conv.type == 'x' ? "0x" : "0X") : "";
      return PutNumber(out, conv, v, false, hex ? 16 : 10, prefix);
    }
    case 'p': {
      Conversion<Ch> pointer = conv;
      pointer.type = 'X';
      pointer.precision = 2 * sizeof(void*);
      return PutNumber(out, pointer, reinterpret_cast<ULONG_PTR>(va_arg(*ap, void*)), false, 16,
                       "");
    }
    case 's':
    case 'S':
    case 'c':
    case 'C':
      return PutText(out, conv, ap);
    default:  // "%%", and an unknown conversion shows its letter
      out.Put(conv.type);
  }
}

template <class Ch>
int Format(Ch* dst, int cchDest, const Ch* fmt, va_list* ap) {
  Output<Ch> out(dst, cchDest);
  for (const Ch* f = fmt; *f != 0 && !out.truncated();) {
    if (*f != '%') {
      std::size_t run = 0;
      while (f[run] != 0 && f[run] != '%') ++run;
      out.PutText(f, run);
      f += run;
      continue;
    }
    Conversion<Ch> conv;
    f = ParseConversion(f + 1, ap, &conv);
    if (conv.type == 0) break;
    PutConversion(out, conv, ap);
  }
  return out.Finish();
}

template <class Ch>
int FormatEntry(Ch* dst, int cchDest, const Ch* fmt, va_list args) {
  if (dst == nullptr || cchDest <= 0) return -1;
  if (fmt == nullptr) {
    dst[0] = 0;
    return -1;
  }
  va_list ap;
  va_copy(ap, args);
  int result;
  try {
    result = Format(dst, cchDest, fmt, &ap);
  } catch (const std::bad_alloc&) {
    dst[0] = 0;
    result = -1;
  }
  va_end(ap);
  return result;
}

}  // namespace

int wvnsprintfW(LPWSTR dst, int cchDest, LPCWSTR fmt, va_list args) {
  return FormatEntry(dst, cchDest, fmt, args);
}

int wvnsprintfA(LPSTR dst, int cchDest, LPCSTR fmt, va_list args) {
  return FormatEntry(dst, cchDest, fmt, args);
}

int wnsprintfW(LPWSTR dst, int cchDest, LPCWSTR fmt, ...) {
  va_list args;
  va_start(args, fmt);
  const int result = wvnsprintfW(dst, cchDest, fmt, args);
  va_end(args);
  return result;
}

int wnsprintfA(LPSTR dst, int cchDest, LPCSTR fmt, ...) {
  va_list args;
  va_start(args, fmt);
  const int result = wvnsprintfA(dst, cchDest, fmt, args);
  va_end(args);
  return result;
}
