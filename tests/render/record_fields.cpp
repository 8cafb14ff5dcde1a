#include "tests/render/record_fields.h"

#include <stdexcept>

namespace jobstream {
namespace {

// At least width digits.
std::string HexText(std::uint64_t value, std::size_t width = 2) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  while (digits.size() < width) digits.insert(digits.begin(), '0');
  return "0x" + digits;
}

constexpr std::size_t RoundUp4(std::size_t n) { return (n + 3) / 4 * 4; }

// Reads a record's fields by offset, marking each byte it reads; whatever
// is left unmarked at the end must be zero.
class Reader {
 public:
  Reader(const std::vector<std::uint8_t>& bytes, Fields& fields)
      : bytes_(bytes), fields_(fields), named_(bytes.size(), false) {}

  std::size_t size() const { return bytes_.size(); }
  bool failed() const { return !fields_.error.empty(); }

  void Fail(const std::string& what) {
    if (fields_.error.empty()) fields_.error = what;
  }

  // An unsigned or signed little-endian value of 1, 2 or 4 bytes.
  std::int64_t Read(std::size_t at, std::size_t width, bool isSigned = false) {
    if (at + width > bytes_.size()) {
      Fail("a field at " + std::to_string(at) + " past the record's end");
      return 0;
    }
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < width; ++i) {
      v |= std::uint64_t{bytes_[at + i]} << (8 * i);
      named_[at + i] = true;
    }
    if (isSigned && width < 8 && (v >> (8 * width - 1)) != 0) {
      return static_cast<std::int64_t>(v) - (std::int64_t{1} << (8 * width));
    }
    return static_cast<std::int64_t>(v);
  }
  std::int64_t Field(const std::string& name, std::size_t at, std::size_t width, bool isSigned = false) {
    const std::int64_t v = Read(at, width, isSigned);
    fields_.values.push_back({name, v, 0});
    return v;
  }
  std::int64_t Hex(const std::string& name, std::size_t at, std::size_t width) {
    const std::int64_t v = Read(at, width);
    fields_.values.push_back({name, v, static_cast<int>(2 * width)});
    return v;
  }
  std::int64_t I32(const std::string& name, std::size_t at) { return Field(name, at, 4, true); }
  void Rect(const std::string& name, std::size_t at) {
    static constexpr const char* kSides[] = {".left", ".top", ".right", ".bottom"};
    for (std::size_t i = 0; i < 4; ++i) I32(name + kSides[i], at + 4 * i);
  }
  void Blob(const std::string& name, std::size_t at, std::size_t count) {
    if (at + count > bytes_.size()) {
      Fail(name + " past the record's end");
      return;
    }
    for (std::size_t i = 0; i < count; ++i) named_[at + i] = true;
    fields_.blobs.emplace_back(name,
                               std::vector<std::uint8_t>(bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                                                         bytes_.begin() + static_cast<std::ptrdiff_t>(at + count)));
  }
  void List(const std::string& name, std::size_t at, std::size_t count, std::size_t width, bool isSigned) {
    std::vector<std::int64_t> items;
    for (std::size_t i = 0; i < count && !failed(); ++i) items.push_back(Read(at + i * width, width, isSigned));
    AddList(name, std::move(items));
  }
  void AddList(const std::string& name, std::vector<std::int64_t> items) {
    fields_.lists.emplace_back(name, std::move(items));
  }
  std::int64_t Value(std::string_view name) const { return fields_.Value(name); }
  Point ReadPoint(std::size_t at) {
    const auto x = static_cast<std::int32_t>(Read(at, 4, true));
    const auto y = static_cast<std::int32_t>(Read(at + 4, 4, true));
    return {x, y};
  }

  // Subpaths from at to the record's end: u32 segment count, start point,
  // segments {u32 0, x, y} or {u32 1, x1, y1, x2, y2, x3, y3}.
  void Subpaths(std::size_t at) {
    while (at < bytes_.size() && !failed()) {
      if (bytes_.size() - at < 12) {
        Fail("a subpath head cut short");
        return;
      }
      Subpath subpath;
      const auto count = static_cast<std::uint32_t>(Read(at, 4));
      subpath.start = ReadPoint(at + 4);
      at += 12;
      for (std::uint32_t s = 0; s < count && !failed(); ++s) {
        if (bytes_.size() - at < 4) {
          Fail("a segment cut short");
          return;
        }
        const auto kind = Read(at, 4);
        Segment segment;
        if (kind == 0) {
          if (bytes_.size() - at < 12) return Fail("a line segment cut short");
          segment.points.push_back(ReadPoint(at + 4));
          at += 12;
        } else if (kind == 1) {
          if (bytes_.size() - at < 28) return Fail("a curve segment cut short");
          segment.curve = true;
          for (std::size_t k = 0; k < 3; ++k) segment.points.push_back(ReadPoint(at + 4 + 8 * k));
          at += 28;
        } else {
          return Fail("a segment of kind " + std::to_string(kind));
        }
        subpath.segments.push_back(std::move(segment));
      }
      fields_.subpaths.push_back(std::move(subpath));
    }
  }

  // Every byte that no field covers must be zero.
  void CheckRestZero() {
    for (std::size_t i = 1; i < bytes_.size(); ++i) {
      if (!named_[i] && bytes_[i] != 0) {
        Fail("byte " + std::to_string(i) + " is not part of any field and not zero");
        return;
      }
    }
  }

 private:
  const std::vector<std::uint8_t>& bytes_;
  Fields& fields_;
  std::vector<bool> named_;
};

// 3 per line segment, 7 per curve segment, 3 per subpath, 1 more for more
// than one subpath.
std::int64_t Estimate(const std::vector<Subpath>& subpaths) {
  std::int64_t estimate = 3 * static_cast<std::int64_t>(subpaths.size()) + (subpaths.size() > 1 ? 1 : 0);
  for (const Subpath& subpath : subpaths) {
    for (const Segment& segment : subpath.segments) estimate += segment.curve ? 7 : 3;
  }
  return estimate;
}

bool AnyCurve(const std::vector<Subpath>& subpaths) {
  for (const Subpath& subpath : subpaths) {
    for (const Segment& segment : subpath.segments) {
      if (segment.curve) return true;
    }
  }
  return false;
}

void ReadRect(Reader& r) {
  const auto kind = r.Field("kind", 2, 1);
  const auto length = r.Field("length", 4, 4);
  const bool one = kind == 5 || kind == 6;
  if (length != (one ? 24 : 40)) r.Fail("a rectangle record of the wrong length for its kind");
  r.Rect("rect", 8);
  if (!one) r.Rect("rect2", 24);
}

void ReadPath(Reader& r, Fields& f) {
  const auto kindByte = r.Hex("kind", 2, 1);
  r.Field("length", 4, 4);
  r.Rect("bounds", 8);
  const auto estimate = r.Field("estimate", 24, 4);
  r.Subpaths(28);
  if (r.failed()) return;
  if ((kindByte & 0x07) > 5 || (kindByte & ~0x1F) != 0) r.Fail("a path kind byte of " + HexText(kindByte));
  if (((kindByte & 0x10) != 0) != (f.subpaths.size() > 1)) r.Fail("the several-subpaths mark disagrees");
  if (f.subpaths.empty()) r.Fail("a path without a subpath");
  if (estimate != Estimate(f.subpaths)) r.Fail("a size estimate other than the segments give");
  if (f.opcode == 0x12 && AnyCurve(f.subpaths)) r.Fail("a lines-only path record with a curve");
}

// Bits a pixel and palette entries of a format code (the low nibble).
std::pair<std::size_t, std::size_t> ImageFormat(std::int64_t format) {
  switch (format & 0x0F) {
    case 0:
      return {1, 2};
    case 1:
      return {4, 16};
    case 2:
      return {8, 256};
    default:
      return {24, 0};
  }
}

void ReadImage(Reader& r) {
  const auto format = r.Hex("format", 2, 1);
  const auto banding = r.Hex("banding", 3, 1);
  const auto length = r.Field("length", 4, 4);
  r.Rect("rect", 8);
  static constexpr const char* kNames[] = {"sourceX", "sourceY", "width", "height", "x", "y", "cx", "cy"};
  std::int64_t v[8];
  for (std::size_t i = 0; i < 8; ++i) v[i] = r.I32(kNames[i], 24 + 4 * i);
  if (r.failed()) return;
  if ((format & 0x50) != 0) r.Fail("unknown bits in the image format byte");
  if (banding != 0 && banding != 4) r.Fail("a banding byte other than 0 or 4");
  if (v[2] < 0 || v[3] < 0) return r.Fail("a negative bitmap size");
  // The sums as 32-bit fields hold them.
  auto sum = [](std::int64_t a, std::int64_t b) {
    return std::int64_t{static_cast<std::int32_t>(static_cast<std::uint32_t>(a + b))};
  };
  if (r.Value("rect.left") != v[4] || r.Value("rect.top") != v[5] || r.Value("rect.right") != sum(v[4], v[6]) ||
      r.Value("rect.bottom") != sum(v[5], v[7])) {
    r.Fail("a destination rectangle other than x, y, x + cx, y + cy");
  }
  const auto [bits, entries] = ImageFormat(format);
  const std::size_t palette = (format & 0x20) != 0 ? 0 : entries * 3;
  const std::size_t line = (static_cast<std::size_t>(v[2]) * bits + 31) / 32 * 4;
  const std::size_t lines = line * static_cast<std::size_t>(v[3]);
  if (static_cast<std::size_t>(length) != (palette + lines + 59) / 4 * 4) {
    return r.Fail("an image length other than its palette and lines give");
  }
  if (palette > 0) r.Blob("palette", 56, palette);
  r.Blob("lines", 56 + palette, lines);
}

void ReadColor(Reader& r) {
  const auto length = r.Field("length", 1, 1);
  const auto flags = r.Hex("flags", 2, 1);
  if ((flags & 0x01) == 0 || (flags & ~0x59) != 0) r.Fail("a colour flags byte of " + HexText(flags));
  std::size_t at = 4;
  r.Hex("foreground", at, 3);
  at += 3;
  if ((flags & 0x08) != 0) {
    r.Hex("background", at, 3);
    at += 3;
  }
  if ((flags & 0x10) != 0) {
    r.Hex("third", at, 3);
    at += 3;
  }
  if (static_cast<std::size_t>(length) != (at + 3) / 4 * 4 && !r.failed()) {
    r.Fail("a colour length other than its colours give");
  }
}

void ReadBrush(Reader& r) {
  const auto flags = r.Hex("flags", 1, 1);
  const auto size = r.Field("size", 2, 1);
  if (r.Read(3, 1) != 1) r.Fail("a brush record whose byte 3 is not 1");
  const auto data = r.Field("data", 4, 2);
  if ((flags & ~0x81) != 0 || flags == 0x01) r.Fail("a brush flags byte of " + HexText(flags));
  if (size != 0 && size != 16 && size != 32 && size != 64) r.Fail("a brush size of " + std::to_string(size));
  std::int64_t expected = 0;
  if ((flags & 0x80) != 0) expected = (flags & 0x01) != 0 ? size * size * 3 : size * size / 8;
  if (data != expected) r.Fail("a pattern length other than the brush's size and depth give");
  if (r.failed()) return;
  if (RoundUp4(6 + static_cast<std::size_t>(data)) != r.size()) r.Fail("a brush length other than its data gives");
  r.Blob("pattern", 6, static_cast<std::size_t>(data));
}

void ReadFont(Reader& r, bool extended) {
  const std::size_t faceAt = extended ? 32 : 24;
  r.Field("charSet", extended ? 1 : 2, 1);
  r.Hex("pitchAndFamily", extended ? 2 : 3, 1);
  const auto flags = r.Hex("flags", 4, 2);
  r.Field("weight", 6, 2);
  r.Field("escapement", 8, 2, true);
  r.Field("emWidth", 10, 2, true);
  r.Field("emHeight", 12, 2, true);
  r.Field("length", 14, 2);
  r.Field("internalLeading", 20, 2, true);
  r.Hex("defaultChar", 22, 2);
  if ((flags & ~0x22FF) != 0) r.Fail("unknown font flags " + HexText(flags));
  const std::int64_t kinds = flags & 0x021C;
  if (kinds != 0 && (kinds & (kinds - 1)) != 0) r.Fail("more than one font kind");
  if (((flags & 0x2000) != 0) != (kinds != 0x0008)) r.Fail("the not-device flag disagrees with the kind");
  // The face name: 16-bit units up to the first zero unit, then one zero
  // byte, then filler.
  std::size_t units = 0;
  while (faceAt + 2 * units + 2 <= r.size() &&
         (r.Read(faceAt + 2 * units, 1) != 0 || r.Read(faceAt + 2 * units + 1, 1) != 0)) {
    ++units;
  }
  if (units > 130) r.Fail("a face name longer than its field");
  if (RoundUp4(faceAt + 2 * units + 1) != r.size()) r.Fail("a font length other than its face name gives");
  if (r.failed()) return;
  r.Blob("face", faceAt, 2 * units);
}

void ReadPutChar(Reader& r, Fields& f) {
  const auto outline = r.Field("outline", 2, 1);
  r.Field("length", 4, 4);
  r.Rect("cell", 8);
  r.I32("x", 24);
  r.I32("y", 28);
  r.Hex("code", 32, 2);
  if (outline == 0) {
    if (r.size() != 36) r.Fail("a plain character of a length other than 36");
    return;
  }
  if (outline != 1) return r.Fail("a character form of " + std::to_string(outline));
  const auto estimate = r.Field("estimate", 36, 4);
  r.Subpaths(40);
  if (!r.failed() && estimate != Estimate(f.subpaths)) r.Fail("an outline size estimate other than its segments give");
}

void ReadPutString(Reader& r) {
  const auto flags = r.Hex("flags", 2, 1);
  r.Field("length", 4, 4);
  r.Rect("rect", 8);
  r.I32("x", 24);
  r.I32("y", 28);
  const auto count = static_cast<std::size_t>(r.Field("count", 32, 2));
  if (flags != 0 && flags != 0x80) return r.Fail("a string flags byte of " + HexText(flags));
  const std::size_t advances = flags == 0x80 ? count : 1;
  if (RoundUp4(36 + 2 * advances + 2 * count) != r.size()) return r.Fail("a string length other than its counts give");
  r.List("advances", 36, advances, 2, true);
  r.List("codes", 36 + 2 * advances, count, 2, false);
}

void ReadPutCharBitmap(Reader& r) {
  r.Hex("flags", 2, 1);
  r.Field("length", 4, 4);
  r.Rect("cell", 8);
  r.I32("x", 24);
  r.I32("y", 28);
  const auto offset = r.Field("dataOffset", 32, 4);
  r.I32("left", 36);
  r.I32("top", 40);
  r.Field("width", 44, 4);
  r.Field("height", 48, 4);
  const auto data = r.Field("dataLength", 52, 4);
  r.Hex("key", 60, 2);
  const auto form = r.Field("form", 62, 1);
  if (form != 0 && form != 2) r.Fail("a data form of " + std::to_string(form));
  if (offset == 0) {
    if (data != 0) r.Fail("a data length without data");
    if (r.size() != 64) r.Fail("a reference record longer than its head");
    return;
  }
  if (offset != 64) return r.Fail("a data offset of " + std::to_string(offset));
  if (data == 0 || static_cast<std::size_t>(data) > r.size() - 64) return r.Fail("a data length beyond the record");
  r.Blob("data", 64, static_cast<std::size_t>(data));
}

void ReadRegistCharBitmap(Reader& r) {
  r.Hex("flags", 2, 1);
  r.Field("length", 4, 4);
  const auto data = r.Field("dataLength", 8, 4);
  r.Field("width", 12, 4);
  r.Field("height", 16, 4);
  r.Hex("key", 24, 2);
  const auto form = r.Field("form", 26, 1);
  if (form != 0 && form != 2) r.Fail("a data form of " + std::to_string(form));
  if (r.size() < 28) return r.Fail("a register record shorter than its head");
  if (data == 0 || static_cast<std::size_t>(data) > r.size() - 28) {
    return r.Fail("a data length of 0 or beyond the record");
  }
  r.Blob("data", 28, static_cast<std::size_t>(data));
}

void ReadPutStringEx(Reader& r) {
  r.Hex("flags", 2, 1);
  r.Field("length", 4, 4);
  r.Rect("rect", 8);
  r.I32("x", 24);
  r.I32("y", 28);
  const auto count = static_cast<std::size_t>(r.Field("count", 32, 2));
  if (36 + RoundUp4(6 * count) != r.size()) return r.Fail("an extended string length other than its count gives");
  std::vector<std::int64_t> dx, dy, codes;
  for (std::size_t i = 0; i < count; ++i) {
    dx.push_back(r.Read(36 + 6 * i, 2, true));
    dy.push_back(r.Read(38 + 6 * i, 2, true));
    codes.push_back(r.Read(40 + 6 * i, 2));
  }
  r.AddList("dx", std::move(dx));
  r.AddList("dy", std::move(dy));
  r.AddList("codes", std::move(codes));
}

}  // namespace

bool Fields::Has(std::string_view name) const {
  for (const auto& v : values) {
    if (v.name == name) return true;
  }
  return false;
}

std::int64_t Fields::Value(std::string_view name) const {
  for (const auto& v : values) {
    if (v.name == name) return v.value;
  }
  throw std::out_of_range("no field " + std::string(name));
}

const std::vector<std::int64_t>& Fields::List(std::string_view name) const {
  for (const auto& [n, items] : lists) {
    if (n == name) return items;
  }
  throw std::out_of_range("no list " + std::string(name));
}

const std::vector<std::uint8_t>& Fields::Blob(std::string_view name) const {
  for (const auto& [n, bytes] : blobs) {
    if (n == name) return bytes;
  }
  throw std::out_of_range("no blob " + std::string(name));
}

Fields ReadFields(const std::vector<std::uint8_t>& bytes) {
  Fields f;
  if (bytes.empty()) {
    f.error = "an empty record";
    return f;
  }
  f.opcode = bytes[0];
  Reader r(bytes, f);
  switch (f.opcode) {
    case 0x10:
      ReadRect(r);
      break;
    case 0x11:
    case 0x12:
      ReadPath(r, f);
      break;
    case 0x20:
      ReadImage(r);
      break;
    case 0x30:
      ReadColor(r);
      break;
    case 0x31:
      if (r.Hex("rop3", 1, 1) == 0xF0) r.Fail("ROP3 0xF0, which goes as 0xCC");
      break;
    case 0x32:
      if (const auto mode = r.Field("mode", 1, 1); mode != 1 && mode != 2)
        r.Fail("a background mode of " + std::to_string(mode));
      break;
    case 0x33:
      r.Field("unit", 1, 1);
      r.Field("width", 2, 2);
      r.Hex("mask", 4, 4);
      break;
    case 0x34:
      r.Field("shift", 1, 1);
      break;
    case 0x35:
      if (r.Field("cap", 1, 1) > 2) r.Fail("a cap above 2");
      break;
    case 0x36:
      if (r.Field("join", 1, 1) > 2) r.Fail("a join above 2");
      r.Field("miter", 4, 4);
      break;
    case 0x37:
    case 0x61:
      break;
    case 0x40:
      ReadBrush(r);
      break;
    case 0x50:
    case 0x56:
      ReadFont(r, f.opcode == 0x56);
      break;
    case 0x51:
      ReadPutChar(r, f);
      break;
    case 0x52:
      ReadPutString(r);
      break;
    case 0x53:
    case 0x57:
      ReadPutCharBitmap(r);
      break;
    case 0x54:
      ReadRegistCharBitmap(r);
      break;
    case 0x55:
      ReadPutStringEx(r);
      break;
    case 0x60:
      r.Field("width", 4, 4);
      r.Field("height", 8, 4);
      r.Field("xResolution", 12, 2);
      r.Field("yResolution", 14, 2);
      break;
    default:
      r.Fail("an unknown opcode " + HexText(f.opcode));
      break;
  }
  if (f.Has("length") && static_cast<std::size_t>(f.Value("length")) != bytes.size()) {
    r.Fail("a length field other than the record's size");
  }
  r.CheckRestZero();
  return f;
}

Fields ReadFields(const Record& record) { return ReadFields(record.bytes); }

std::string Describe(const Fields& fields) {
  std::string out = HexText(fields.opcode);
  for (const auto& v : fields.values) {
    out += ' ' + v.name + '=' +
           (v.hexDigits > 0 ? HexText(static_cast<std::uint64_t>(v.value), static_cast<std::size_t>(v.hexDigits))
                            : std::to_string(v.value));
  }
  for (const auto& [name, items] : fields.lists) {
    out += ' ' + name + "=[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i == 0 ? "" : ",") + std::to_string(items[i]);
    out += ']';
  }
  for (const auto& [name, bytes] : fields.blobs) {
    out += ' ' + name + '=';
    if (bytes.size() > 16) {
      out += '<' + std::to_string(bytes.size()) + " bytes>";
      continue;
    }
    for (std::uint8_t b : bytes) out += HexText(b).substr(2);
  }
  for (std::size_t i = 0; i < fields.subpaths.size(); ++i) {
    out += i == 0 ? " path=" : " | ";
    const Subpath& subpath = fields.subpaths[i];
    out += "M " + std::to_string(subpath.start.x) + ',' + std::to_string(subpath.start.y);
    for (const Segment& segment : subpath.segments) {
      out += segment.curve ? " C" : " L";
      for (const Point& p : segment.points) out += ' ' + std::to_string(p.x) + ',' + std::to_string(p.y);
    }
  }
  if (!fields.ok()) out += " error: " + fields.error;
  return out;
}

}  // namespace jobstream
