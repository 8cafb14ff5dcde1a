// Code-page services: argument checks and the Windows calling conventions
// around the conversion loops of codepage_conv.
#include "platform/text/codepage.h"

#include <atomic>
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/text/codepage_conv.h"
#include "platform/base/control.h"
#include "platform/base/winerror.h"

namespace {

using plat::cp::CodePageInfo;
using plat::cp::ConvResult;
using plat::cp::Sink;

std::atomic<UINT> g_ansiCodePage{1252};

const CodePageInfo* Resolve(UINT codePage) {
  if (codePage == CP_ACP || codePage == CP_THREAD_ACP) return plat::cp::FindCodePage(GetACP());
  if (codePage == CP_OEMCP) return plat::cp::FindCodePage(GetOEMCP());
  return plat::cp::FindCodePage(codePage);
}

bool IsUtf8(const CodePageInfo& info) { return info.iconvName == nullptr; }

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// The replacement byte(s) for characters the code page lacks: the caller's
// first character, or '?'.
plat::cp::DefaultChar DefaultFor(const CodePageInfo& info, LPCSTR given) {
  if (given == nullptr) return {{'?', 0}, 1};
  if (IsLeadByte(info, static_cast<BYTE>(given[0])) && given[1] != 0)
    return {{given[0], given[1]}, 2};
  return {{given[0], 0}, 1};
}

// Units written (or needed, without a buffer) and what went wrong, if
// anything. ERROR_INSUFFICIENT_BUFFER comes with the whole characters that fit.
struct Outcome {
  int count;
  DWORD error;
};

DWORD ErrorOf(ConvResult r, bool full) {
  if (r == ConvResult::kInvalidInput) return ERROR_NO_UNICODE_TRANSLATION;
  if (r == ConvResult::kNoTables) return ERROR_INVALID_PARAMETER;
  return full ? ERROR_INSUFFICIENT_BUFFER : ERROR_SUCCESS;
}

Outcome ToWide(const CodePageInfo& info, std::string_view src, bool strict, LPWSTR dst,
               std::size_t capacity) {
  Sink<WCHAR> out(dst, dst != nullptr ? capacity : INT_MAX);
  const ConvResult r = plat::cp::Decode(info, src, strict, out);
  return {static_cast<int>(out.count()), ErrorOf(r, out.full())};
}

Outcome ToMultiByte(const CodePageInfo& info, std::u16string_view src, LPCSTR defaultChar,
                    bool strict, LPSTR dst, std::size_t capacity, bool* usedDefault) {
  Sink<char> out(dst, dst != nullptr ? capacity : INT_MAX);
  const ConvResult r =
      plat::cp::Encode(info, src, DefaultFor(info, defaultChar), strict, out, usedDefault);
  return {static_cast<int>(out.count()), ErrorOf(r, out.full())};
}

// Whether the input and the output share memory: a conversion in place
// would read what it had already overwritten, so Windows refuses it.
bool Overlaps(const void* input, std::size_t inputBytes, const void* output,
              std::size_t outputBytes) {
  const auto in = reinterpret_cast<std::uintptr_t>(input);
  const auto out = reinterpret_cast<std::uintptr_t>(output);
  return in < out + outputBytes && out < in + inputBytes;
}

std::size_t WideLength(LPCWSTR s) {
  std::size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

}  // namespace

namespace plat {
void SetAnsiCodePage(UINT codePage) {
  if (cp::FindCodePage(codePage) != nullptr) g_ansiCodePage = codePage;
}
}  // namespace plat

UINT GetACP() { return g_ansiCodePage; }

UINT GetOEMCP() { return plat::cp::FindCodePage(GetACP())->oemCodePage; }

BOOL IsDBCSLeadByteEx(UINT codePage, BYTE testChar) {
  const CodePageInfo* info = Resolve(codePage);
  if (info == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  return IsLeadByte(*info, testChar) ? TRUE : FALSE;
}

BOOL IsDBCSLeadByte(BYTE testChar) { return IsDBCSLeadByteEx(CP_ACP, testChar); }

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int cbMultiByte, LPWSTR dst,
                        int cchWideChar) {
  const CodePageInfo* info = Resolve(codePage);
  if (info == nullptr || src == nullptr || cbMultiByte == 0 || cbMultiByte < -1 ||
      cchWideChar < 0 || (cchWideChar > 0 && dst == nullptr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const std::size_t size =
      cbMultiByte == -1 ? std::strlen(src) + 1 : static_cast<std::size_t>(cbMultiByte);
  if (cchWideChar > 0 && Overlaps(src, size, dst, cchWideChar * sizeof(WCHAR))) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const DWORD allowed =
      IsUtf8(*info) ? MB_ERR_INVALID_CHARS : MB_PRECOMPOSED | MB_ERR_INVALID_CHARS;
  if ((flags & ~allowed) != 0) return Fail(ERROR_INVALID_FLAGS);
  const Outcome o = ToWide(*info, {src, size}, (flags & MB_ERR_INVALID_CHARS) != 0,
                           cchWideChar > 0 ? dst : nullptr, static_cast<std::size_t>(cchWideChar));
  return o.error != ERROR_SUCCESS ? Fail(o.error) : o.count;
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int cchWideChar, LPSTR dst,
                        int cbMultiByte, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  const CodePageInfo* info = Resolve(codePage);
  if (info == nullptr || src == nullptr || cchWideChar == 0 || cchWideChar < -1 ||
      cbMultiByte < 0 || (cbMultiByte > 0 && dst == nullptr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const std::size_t size =
      cchWideChar == -1 ? WideLength(src) + 1 : static_cast<std::size_t>(cchWideChar);
  if (cbMultiByte > 0 && Overlaps(src, size * sizeof(WCHAR), dst, cbMultiByte)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  // UTF-8 has no default character and only one flag.
  if (IsUtf8(*info) && (defaultChar != nullptr || usedDefaultChar != nullptr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const DWORD allowed = IsUtf8(*info) ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  if ((flags & ~allowed) != 0) return Fail(ERROR_INVALID_FLAGS);
  bool used = false;
  const Outcome o =
      ToMultiByte(*info, {src, size}, defaultChar, (flags & WC_ERR_INVALID_CHARS) != 0,
                  cbMultiByte > 0 ? dst : nullptr, static_cast<std::size_t>(cbMultiByte), &used);
  if (usedDefaultChar != nullptr) *usedDefaultChar = used ? TRUE : FALSE;
  return o.error != ERROR_SUCCESS ? Fail(o.error) : o.count;
}

// The engine spellings count bytes on both sides and truncate, at a whole
// character, what does not fit. Without an output buffer they report the
// bytes needed.
INT EngMultiByteToWideChar(UINT codePage, LPWSTR wideCharString, INT bytesInWideCharString,
                           LPSTR multiByteString, INT bytesInMultiByteString) {
  const CodePageInfo* info = Resolve(codePage);
  if (info == nullptr || multiByteString == nullptr || bytesInMultiByteString < 0 ||
      bytesInWideCharString < 0) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  const Outcome o =
      ToWide(*info, {multiByteString, static_cast<std::size_t>(bytesInMultiByteString)}, false,
             wideCharString, static_cast<std::size_t>(bytesInWideCharString) / 2);
  if (o.error != ERROR_SUCCESS && o.error != ERROR_INSUFFICIENT_BUFFER) return -1;
  return o.count * 2;
}

INT EngWideCharToMultiByte(UINT codePage, LPWSTR wideCharString, INT bytesInWideCharString,
                           LPSTR multiByteString, INT bytesInMultiByteString) {
  const CodePageInfo* info = Resolve(codePage);
  if (info == nullptr || wideCharString == nullptr || bytesInWideCharString < 0 ||
      bytesInMultiByteString < 0) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  bool used = false;
  const Outcome o = ToMultiByte(
      *info, {wideCharString, static_cast<std::size_t>(bytesInWideCharString) / 2}, nullptr, false,
      multiByteString, static_cast<std::size_t>(bytesInMultiByteString), &used);
  if (o.error != ERROR_SUCCESS && o.error != ERROR_INSUFFICIENT_BUFFER) return -1;
  return o.count;
}

void EngGetCurrentCodePage(PUSHORT oemCodePage, PUSHORT ansiCodePage) {
  if (oemCodePage != nullptr) *oemCodePage = static_cast<USHORT>(GetOEMCP());
  if (ansiCodePage != nullptr) *ansiCodePage = static_cast<USHORT>(GetACP());
}

NTSTATUS EngUnicodeToMultiByteN(PCHAR multiByteString, ULONG maxBytesInMultiByteString,
                                PULONG bytesInMultiByteString, PWSTR unicodeString,
                                ULONG bytesInUnicodeString) {
  if (bytesInMultiByteString != nullptr) *bytesInMultiByteString = 0;
  if (multiByteString == nullptr || (unicodeString == nullptr && bytesInUnicodeString > 0)) {
    return STATUS_INVALID_PARAMETER;
  }
  const CodePageInfo* info = Resolve(CP_ACP);
  bool used = false;
  const Outcome o = ToMultiByte(*info, {unicodeString, bytesInUnicodeString / 2}, nullptr, false,
                                multiByteString, maxBytesInMultiByteString, &used);
  if (o.error != ERROR_SUCCESS && o.error != ERROR_INSUFFICIENT_BUFFER)
    return STATUS_INVALID_PARAMETER;
  if (bytesInMultiByteString != nullptr) *bytesInMultiByteString = static_cast<ULONG>(o.count);
  return o.error == ERROR_INSUFFICIENT_BUFFER ? STATUS_BUFFER_OVERFLOW : STATUS_SUCCESS;
}
