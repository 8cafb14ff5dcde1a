#include "jobsettings/convert/devmode_convert.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

#include "jobsettings/devmode/devmode_layout.h"
#include "platform/base/winerror.h"
#include "settings/system/unaligned.h"
#include "settings/tables/driver_params.h"

namespace {

constexpr std::size_t kOffSpecVersion = offsetof(DEVMODEW, dmSpecVersion);
constexpr std::size_t kOffDriverVersion = offsetof(DEVMODEW, dmDriverVersion);
constexpr std::size_t kOffSize = offsetof(DEVMODEW, dmSize);
constexpr std::size_t kOffDriverExtra = offsetof(DEVMODEW, dmDriverExtra);
static_assert(kDmHeaderBytes == kOffDriverExtra + sizeof(WORD));

// Positions inside a private part, from its start.
constexpr std::size_t kPrivSignatureAt = offsetof(PrivDM, header.signature);
constexpr std::size_t kPrivDataAt = offsetof(PrivDM, header.dwPrivData);
constexpr std::size_t kPrivBlockOffsetsAt = offsetof(PrivDM, header.blockOffset);
constexpr std::size_t kPrivBlockOffsetsEnd = kPrivBlockOffsetsAt + sizeof(PrivateDocHeader::blockOffset);

// Needed sizes of the conversion modes that hand out a fixed form.
constexpr DWORD kNeededNT351 = kDmSize351 + kSizeofPrivDM;
constexpr DWORD kNeededDefault = kSizeofDM + kSizeofPrivDM;

// The size and version words of a DEVMODE.
struct Header {
  WORD specVersion;
  WORD driverVersion;
  WORD size;
  WORD driverExtra;
};

std::optional<Header> ReadWords(const DEVMODEW* dm, std::size_t bytes) {
  if (dm == nullptr || bytes < kDmHeaderBytes) return std::nullopt;
  return Header{LoadLE<WORD>(dm, kOffSpecVersion), LoadLE<WORD>(dm, kOffDriverVersion),
                LoadLE<WORD>(dm, kOffSize), LoadLE<WORD>(dm, kOffDriverExtra)};
}

// The words of a DEVMODE whose buffer holds them and its whole public part,
// and whose public part is at least as long as those words.
std::optional<Header> ReadHeader(const DEVMODEW* dm, std::size_t bytes) {
  const auto h = ReadWords(dm, bytes);
  if (!h || h->size < kDmHeaderBytes || h->size > bytes) return std::nullopt;
  return h;
}

void PutHeader(DEVMODEW* dm, const Header& h) {
  StoreLE<WORD>(dm, kOffSpecVersion, h.specVersion);
  StoreLE<WORD>(dm, kOffDriverVersion, h.driverVersion);
  StoreLE<WORD>(dm, kOffSize, h.size);
  StoreLE<WORD>(dm, kOffDriverExtra, h.driverExtra);
}

WORD SpecVersionOf(const Header& h) {
  switch (h.size) {
    case kDmSize351: return kDmSpecVersion351;
    case kDmSize400: return kDmSpecVersion400;
    case kDmSize401: return kDmSpecVersion401;
    default: return h.specVersion;
  }
}

const BYTE* Bytes(const DEVMODEW* dm) { return reinterpret_cast<const BYTE*>(dm); }
BYTE* Bytes(DEVMODEW* dm) { return reinterpret_cast<BYTE*>(dm); }

// Copies the common public length and puts the target's own words back
// (its dmSpecVersion as its size implies it). Returns the length copied.
std::size_t MergePublic(const DEVMODEW* source, const Header& s, DEVMODEW* target, Header t) {
  const std::size_t length = std::min(t.size, s.size);
  std::memmove(target, source, length);
  t.specVersion = SpecVersionOf(t);
  PutHeader(target, t);
  return length;
}

// Bytes copied into a target: block offsets a private part brings are never
// trusted, and no text runs past its field.
void SettleCopiedPart(DEVMODEW* target, const Header& t, std::size_t publicLength,
                     std::size_t privateLength) {
  BYTE* priv = Bytes(target) + t.size;
  if (privateLength >= kPrivBlockOffsetsEnd) {
    const WORD offsets[] = {kDcbBlock1Offset, kDcbBlock2Offset, kDcbBlock3Offset};
    for (std::size_t i = 0; i < std::size(offsets); ++i) {
      StoreLE<WORD>(priv, kPrivBlockOffsetsAt + i * sizeof(WORD), offsets[i]);
    }
  }
  for (const KdmTextField& field : kKdmTextFields) {
    const std::size_t last = field.size - (field.wide ? sizeof(WCHAR) : 1);
    if (field.offset < kSizeofDM) {
      if (field.offset + field.size <= publicLength) {
        std::memset(Bytes(target) + field.offset + last, 0, field.wide ? sizeof(WCHAR) : 1);
      }
    } else if (const std::size_t at = field.offset - kSizeofDM; at + field.size <= privateLength) {
      priv[at + last] = 0;
    }
  }
}

// Copies length private bytes and settles them. Returns the length.
std::size_t TakePrivate(const DEVMODEW* source, const Header& s, DEVMODEW* target, const Header& t,
                        std::size_t publicLength, std::size_t length) {
  std::memmove(Bytes(target) + t.size, Bytes(source) + s.size, length);
  SettleCopiedPart(target, t, publicLength, length);
  return length;
}

// A private part of this driver: its full size inside the source buffer,
// with the driver's signature and the model's signature in its header.
bool IsOurPrivatePart(const DEVMODEW* source, const Header& s, std::size_t sourceBytes) {
  if (s.driverExtra != kSizeofPrivDM || sourceBytes - s.size < kSizeofPrivDM) return false;
  const BYTE* priv = Bytes(source) + s.size;
  return std::memcmp(priv + kPrivSignatureAt, kPrivSignature, sizeof kPrivSignature) == 0 &&
         std::memcmp(priv + kPrivDataAt, fgDP.privSignature, sizeof fgDP.privSignature) == 0;
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

void SettleDevmodeImage(DEVMODEW* image) {
  if (image == nullptr) return;
  const Header whole{kDmSpecVersion401, 0, kDmSize401, static_cast<WORD>(kSizeofPrivDM)};
  SettleCopiedPart(image, whole, kSizeofDM, kSizeofPrivDM);
}

SHORT CheckDevmodeVersion(const DEVMODEW* dm, std::size_t bytes) {
  const auto h = ReadWords(dm, bytes);
  return h ? static_cast<SHORT>(SpecVersionOf(*h)) : SHORT{0};
}

int ConvertDevmode(const DEVMODEW* source, std::size_t sourceBytes, DEVMODEW* target,
                   std::size_t targetBytes) {
  const auto s = ReadHeader(source, sourceBytes);
  const auto t = ReadHeader(target, targetBytes);
  if (!s || !t || s->size != kSizeofDM || SpecVersionOf(*t) == 0) {
    return -1;
  }
  const std::size_t pub = MergePublic(source, *s, target, *t);
  const std::size_t priv = std::min({std::size_t{t->driverExtra}, std::size_t{s->driverExtra},
                                     sourceBytes - s->size, targetBytes - t->size});
  return static_cast<int>(pub + TakePrivate(source, *s, target, *t, pub, priv));
}

int ConvertDevmode2(const DEVMODEW* source, std::size_t sourceBytes, DEVMODEW* target,
                    std::size_t targetBytes) {
  if (CheckDevmodeVersion(source, sourceBytes) == kDmSpecVersion351) {
    return ConvertDevmode(source, sourceBytes, target, targetBytes);
  }
  const auto s = ReadHeader(source, sourceBytes);
  const auto t = ReadHeader(target, targetBytes);
  if (!s || !t) return -1;
  const std::size_t pub = MergePublic(source, *s, target, *t);
  if (s->driverVersion != t->driverVersion || !IsOurPrivatePart(source, *s, sourceBytes)) {
    SettleCopiedPart(target, *t, pub, 0);
    return -1;
  }
  const std::size_t priv =
      std::min({std::size_t{t->driverExtra}, std::size_t{kSizeofPrivDM}, targetBytes - t->size});
  return static_cast<int>(pub + TakePrivate(source, *s, target, *t, pub, priv));
}

int ConvertDevmodeOut(const DEVMODEW* source, std::size_t sourceBytes, const DEVMODEW* reference,
                      std::size_t referenceBytes, DEVMODEW* target, std::size_t targetBytes) {
  if (target == nullptr) return -1;
  const auto s = ReadHeader(source, sourceBytes);
  if (!s) return 0;
  if (reference == nullptr) {
    const std::size_t whole = std::size_t{s->size} + s->driverExtra;
    if (whole > sourceBytes || whole > targetBytes) return 0;
    std::memmove(target, source, whole);
    SettleCopiedPart(target, *s, s->size, s->driverExtra);
    return 1;
  }
  const auto r = ReadHeader(reference, referenceBytes);
  if (!r) return 0;
  const Header& pub = r->size < s->size ? *r : *s;
  const Header& priv = r->driverExtra < s->driverExtra ? *r : *s;
  const Header out{pub.specVersion, priv.driverVersion, pub.size, priv.driverExtra};
  if (std::size_t{out.size} + out.driverExtra > targetBytes) return 0;
  PutHeader(target, out);
  return ConvertDevmode(source, sourceBytes, target, targetBytes) > 0 ? 1 : 0;
}

int CommonDrvConvertDevmode(LPCWSTR /*printerName*/, const DEVMODEW* source, std::size_t sourceBytes,
                            DEVMODEW* target, DWORD* size, DWORD mode) {
  if (size == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  switch (mode) {
    case CDM_CONVERT: {
      const auto t = ReadHeader(target, *size);
      if (!t) return Fail(ERROR_INVALID_PARAMETER);
      const DWORD needed = DWORD{t->size} + t->driverExtra;
      if (*size < needed || ConvertDevmode(source, sourceBytes, target, *size) <= 0) {
        return Fail(ERROR_INVALID_PARAMETER);
      }
      *size = needed;
      return 1;
    }
    case CDM_CONVERT351:
      if (target == nullptr || *size < kNeededNT351) {
        *size = kNeededNT351;
        return Fail(ERROR_INSUFFICIENT_BUFFER);
      }
      PutHeader(target, Header{kDmSpecVersion351, kDmDriverVersion351, kDmSize351,
                               static_cast<WORD>(kSizeofPrivDM)});
      if (ConvertDevmode(source, sourceBytes, target, *size) <= 0) return Fail(ERROR_INVALID_PARAMETER);
      *size = kNeededNT351;
      return 1;
    case CDM_DRIVER_DEFAULT:
      if (target == nullptr || *size < kNeededDefault) {
        *size = kNeededDefault;
        return Fail(ERROR_INSUFFICIENT_BUFFER);
      }
      *size = kNeededDefault;
      return 2;
    default:
      return 2;
  }
}
