// Builds the conversion tables of a code page by asking iconv about every
// byte, byte pair and UTF-16 unit once. iconv descriptors are not
// thread-safe; they live only inside the one-time build.
#include "platform/text/codepage_map.h"

#include <iconv.h>

#include <map>
#include <memory>
#include <mutex>

namespace plat::cp {
namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of in; returns the output size, or -1 when iconv refuses.
  int Convert(const char* in, std::size_t inSize, char* out, std::size_t outSize) {
    char* ip = const_cast<char*>(in);
    char* op = out;
    std::size_t il = inSize, ol = outSize;
    std::size_t r = iconv(cd_, &ip, &il, &op, &ol);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    if (r == static_cast<std::size_t>(-1) || il != 0) return -1;
    return static_cast<int>(op - out);
  }

  // Decodes bytes to exactly one UTF-16 unit, or kNoChar.
  WCHAR DecodeOne(const char* in, std::size_t size) {
    unsigned char out[8];
    if (Convert(in, size, reinterpret_cast<char*>(out), sizeof out) != 2) return kNoChar;
    return static_cast<WCHAR>(out[0] | (out[1] << 8));
  }

 private:
  iconv_t cd_;
};

void BuildDecoding(const CodePageInfo& info, Iconv& decoder, CodePageMap& map) {
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    WCHAR u = IsLeadByte(info, static_cast<BYTE>(b)) ? kNoChar : decoder.DecodeOne(&byte, 1);
    if (u == kNoChar && info.undefinedBytesAsC1 && b >= 0x80 && b <= 0x9F)
      u = static_cast<WCHAR>(b);
    map.single[b] = u;
  }
  if (!IsDoubleByte(info)) return;
  map.pairs.assign(0x10000, kNoChar);
  for (int lead = 0; lead < 256; ++lead) {
    if (!IsLeadByte(info, static_cast<BYTE>(lead))) continue;
    for (int trail = 0; trail < 256; ++trail) {
      if (!IsTrailByte(info, static_cast<BYTE>(trail))) continue;
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      map.pairs[(lead << 8) | trail] = decoder.DecodeOne(pair, 2);
    }
  }
}

void BuildEncoding(const CodePageInfo& info, Iconv& encoder, CodePageMap& map) {
  map.encode.assign(0x10000, kNoCode);
  for (unsigned u = 0; u < 0x10000; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
    unsigned char out[4];
    const int n = encoder.Convert(in, 2, reinterpret_cast<char*>(out), sizeof out);
    if (n == 1) {
      map.encode[u] = out[0];
    } else if (n == 2 && IsLeadByte(info, out[0])) {
      map.encode[u] = static_cast<std::uint16_t>((out[0] << 8) | out[1]);
    }
  }
  // Whatever decodes must encode back, even where iconv has no mapping for
  // it (the C1 bytes of 1252); the lowest byte sequence wins.
  for (int b = 0; b < 256; ++b) {
    if (map.single[b] != kNoChar && map.encode[map.single[b]] == kNoCode)
      map.encode[map.single[b]] = b;
  }
  for (std::size_t code = 0; code < map.pairs.size(); ++code) {
    const WCHAR u = map.pairs[code];
    if (u != kNoChar && map.encode[u] == kNoCode) map.encode[u] = static_cast<std::uint16_t>(code);
  }
}

std::unique_ptr<CodePageMap> Build(const CodePageInfo& info) {
  Iconv decoder("UTF-16LE", info.iconvName);
  Iconv encoder(info.iconvName, "UTF-16LE");
  if (!decoder.ok() || !encoder.ok()) return nullptr;
  auto map = std::make_unique<CodePageMap>();
  BuildDecoding(info, decoder, *map);
  BuildEncoding(info, encoder, *map);
  return map;
}

}  // namespace

const CodePageMap* MapOf(const CodePageInfo& info) {
  if (info.iconvName == nullptr) return nullptr;
  // Built under the lock on first use (a few milliseconds), then only read.
  static std::mutex lock;
  static auto* maps = new std::map<UINT, std::unique_ptr<CodePageMap>>;  // lives until exit
  std::lock_guard guard(lock);
  auto [it, inserted] = maps->try_emplace(info.id);
  if (inserted) it->second = Build(info);
  return it->second.get();
}

}  // namespace plat::cp
