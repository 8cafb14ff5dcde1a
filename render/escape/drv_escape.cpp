#include "render/escape/drv_escape.h"

#include <cstring>
#include <limits>
#include <span>
#include <string_view>

#include "platform/base/winerror.h"
#include "render/escape/escape_table.h"
#include "render/header/replace_strings.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "render/spool/job_stream.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

// What an escape answers when its buffers do not hold what it needs: the
// failure value of the escape, with the engine error for a bad argument.
constexpr ULONG kFailed = 0;
constexpr ULONG kPassThroughFailed = static_cast<ULONG>(-1);

// The caller's two buffers, each with the bytes it holds.
struct Buffers {
  std::span<const BYTE> in;
  BYTE* out;
  ULONG outBytes;
};

ULONG Refuse(ULONG result) {
  EngSetLastError(ERROR_INVALID_PARAMETER);
  return result;
}

WORD ReadWord(std::span<const BYTE> in) {
  WORD word = 0;
  std::memcpy(&word, in.data(), sizeof(word));
  return word;
}

// The ANSI text at the start of the input when it ends within limit bytes
// of it; nullopt-like empty pointer otherwise.
const char* TerminatedText(std::span<const BYTE> in, std::size_t limit) {
  const std::size_t bytes = in.size() < limit ? in.size() : limit;
  if (bytes == 0 || std::memchr(in.data(), 0, bytes) == nullptr) return nullptr;
  return reinterpret_cast<const char*>(in.data());
}

// A decimal number as atoi reads it (blanks, a sign, digits), held to the
// range of an int instead of overflowing.
LONG ReadDecimal(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  long long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > std::numeric_limits<LONG>::max()) value = std::numeric_limits<LONG>::max() + 1LL;
  }
  value = negative ? -value : value;
  if (value > std::numeric_limits<LONG>::max()) value = std::numeric_limits<LONG>::max();
  return static_cast<LONG>(value);
}

// Escapes 111-118 and 123-125: the text, terminated within the setting's
// size, replaces the setting's value; the field is written whole.
ULONG StoreAnsiSetting(PDEV* pdev, WORD funcId, std::span<const BYTE> in) {
  SFCB* sfcb = GetSFCBbyFuncID(pdev->ucb, funcId);
  if (sfcb == nullptr) return Refuse(kFailed);
  const DWORD size = SettingSizeOf(sfcb->descriptor);
  const char* text = TerminatedText(in, size);
  if (text == nullptr) return Refuse(kFailed);
  auto field = NewMemBlock<char>(size + SIZE_T{1});
  if (!field) return kFailed;
  std::strcpy(field.get(), text);
  SetDevmodeValueDirect(pdev->ucb, sfcb, reinterpret_cast<LONG_PTR>(field.get()));
  return 1;
}

// Escape 117: the decimal text's value, kept in the setting's 8 bits.
ULONG StoreNumberSetting(PDEV* pdev, WORD funcId, std::span<const BYTE> in) {
  const char* text = TerminatedText(in, in.size());
  if (text == nullptr) return Refuse(kFailed);
  SetDevmodeValueDirectByFuncID(pdev->ucb, funcId, static_cast<BYTE>(ReadDecimal(text)));
  return 1;
}

// Escapes 119 and 120: the setting as a 16-bit word; without an output
// buffer nothing is written.
ULONG AnswerWord(PDEV* pdev, WORD funcId, const Buffers& b) {
  if (b.out == nullptr) return 1;
  if (b.outBytes < sizeof(WORD)) return Refuse(kFailed);
  const auto word = static_cast<WORD>(GetDevmodeValueDirectByFuncID(pdev->ucb, funcId, nullptr));
  std::memcpy(b.out, &word, sizeof(word));
  return 1;
}

// Escape 121: the path, terminated within its field, becomes the settings
// INI path of the context.
ULONG StoreIniPath(PDEV* pdev, std::span<const BYTE> in) {
  WORKAREA* work = pdev->ucb != nullptr ? pdev->ucb->pWork : nullptr;
  if (work == nullptr) return kFailed;
  const std::size_t chars = std::min<std::size_t>(in.size() / sizeof(WCHAR), kIniPathChars);
  if (chars == 0) return Refuse(kFailed);
  WCHAR path[kIniPathChars] = {};
  std::memcpy(path, in.data(), chars * sizeof(WCHAR));
  if (std::char_traits<WCHAR>::find(path, chars, 0) == nullptr) return Refuse(kFailed);
  std::memcpy(work->szIniFilePath, path, sizeof(path));
  return 1;
}

ULONG AnswerText(std::string_view text, const Buffers& b) {
  if (b.out == nullptr) return kFailed;
  if (b.outBytes < text.size() + 1) return Refuse(kFailed);
  std::memcpy(b.out, text.data(), text.size());
  b.out[text.size()] = 0;
  return 1;
}

ULONG AnswerGeometry(const PDEV* pdev, const Buffers& b) {
  if (b.out == nullptr) return kFailed;
  if (b.outBytes < kPageGeometryBytes) return Refuse(kFailed);
  const bool open = (pdev->flags & kPdevPageOpen) != 0;
  const float answer[4] = {static_cast<float>(pdev->paper.printableWidth),
                           static_cast<float>(pdev->paper.printableLength),
                           open ? static_cast<float>(pdev->paper.xOffset) : 0.0f,
                           open ? static_cast<float>(pdev->paper.yOffset) : 0.0f};
  std::memcpy(b.out, answer, sizeof(answer));
  return 1;
}

ULONG PassThrough(PDEV* pdev, std::span<const BYTE> in) {
  if (in.size() < sizeof(WORD)) return Refuse(kPassThroughFailed);
  const WORD count = ReadWord(in);
  if (in.size() - sizeof(WORD) < count) return Refuse(kPassThroughFailed);
  return dl_pass(&pdev->stream, in.data() + sizeof(WORD), count) ? count : kPassThroughFailed;
}

ULONG Serve(PDEV* pdev, const EscapeRow& row, const Buffers& b) {
  switch (row.kind) {
    case EscapeKind::kQuerySupport:
      if (b.in.size() < sizeof(WORD)) return Refuse(kFailed);
      return isSupported(pdev, ReadWord(b.in));
    case EscapeKind::kPassThrough:
      return PassThrough(pdev, b.in);
    case EscapeKind::kTechnology:
      return AnswerText(kTechnologyName, b);
    case EscapeKind::kPageGeometry:
      return AnswerGeometry(pdev, b);
    case EscapeKind::kAnsiSetting:
      return StoreAnsiSetting(pdev, row.funcId, b.in);
    case EscapeKind::kNumberSetting:
      return StoreNumberSetting(pdev, row.funcId, b.in);
    case EscapeKind::kReadWord:
      return AnswerWord(pdev, row.funcId, b);
    case EscapeKind::kIniPath:
      return StoreIniPath(pdev, b.in);
    case EscapeKind::kReplaceStrings:
      // A null input changes nothing; otherwise it must hold one whole entry.
      if (b.in.data() == nullptr) return 1;
      if (b.in.size() < sizeof(REPLACESTRING)) return Refuse(kFailed);
      StoreReplaceStrings(b.in.data(), static_cast<ULONG>(b.in.size()));
      return 1;
    case EscapeKind::kBuildId:
      return AnswerText(kBuildIdentifier, b);
  }
  return kFailed;
}

}  // namespace

ULONG isSupported(const PDEV* pdev, ULONG code) {
  const EscapeRow* row = FindEscape(code);
  if (row == nullptr) return 0;
  if (row->kind == EscapeKind::kPassThrough) return pdev != nullptr && pdev->rawMode != 0 ? 1 : 0;
  return 1;
}

BOOL dl_pass(JobStream* stream, const void* data, ULONG bytes) {
  if (!DLFlushPage(stream)) return FALSE;
  return bytes == 0 || spoolWrite(stream, data, bytes) ? TRUE : FALSE;
}

ULONG DrvEscape(SURFOBJ* pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut) {
  PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr) return 0;
  if (isSupported(pdev, iEsc) == 0) return 0;
  Buffers buffers{pvIn != nullptr ? std::span<const BYTE>(static_cast<const BYTE*>(pvIn), cjIn)
                                  : std::span<const BYTE>(),
                  static_cast<BYTE*>(pvOut), pvOut != nullptr ? cjOut : 0};
  return Serve(pdev, *FindEscape(iEsc), buffers);
}
