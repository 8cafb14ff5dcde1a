// Profile file text: line classification and line-wise edits.
#include "platform/profile/inifile.h"

#include "platform/text/codepage.h"
#include "platform/files/winpath.h"

namespace plat::ini {
namespace {

constexpr std::u16string_view kBreak = u"\r\n";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string WideFromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), size);
  return wide;
}

std::string AnsiFromWide(std::u16string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::u16string WideFromUtf16(std::string_view bytes) {
  std::u16string wide(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return wide;
}

std::string Utf16FromWide(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

void Classify(Line& line, std::u16string_view body) {
  const std::u16string_view text = TrimBlanks(body);
  line.text.assign(text);
  if (text.empty()) {
    line.kind = LineKind::kBlank;
  } else if (text[0] == u';') {
    line.kind = LineKind::kComment;
  } else if (text[0] == u'[') {
    const std::size_t close = text.find(u']');
    if (close == std::u16string_view::npos) {
      line.kind = LineKind::kOther;
    } else {
      line.kind = LineKind::kSection;
      line.name.assign(TrimBlanks(text.substr(1, close - 1)));
    }
  } else if (const std::size_t eq = text.find(u'='); eq != std::u16string_view::npos) {
    line.kind = LineKind::kEntry;
    line.name.assign(TrimBlanks(text.substr(0, eq)));
    line.value.assign(TrimBlanks(text.substr(eq + 1)));
  } else {
    line.kind = LineKind::kOther;
  }
}

void AddUnique(std::vector<std::u16string>& names, const std::u16string& name) {
  for (const auto& known : names) {
    if (SameName(known, name)) return;
  }
  names.push_back(name);
}

}  // namespace

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

Document::Document(std::string bytes)
    : bytes_(std::move(bytes)), utf16_(bytes_.starts_with(kUtf16Mark)) {
  Parse();
}

std::size_t Document::TextBegin() const { return utf16_ ? kUtf16Mark.size() : 0; }

std::size_t Document::TextEnd() const {
  // A stray last byte of a UTF-16 file is no character: it stays where it
  // is, after the text.
  return utf16_ ? bytes_.size() - (bytes_.size() - TextBegin()) % 2 : bytes_.size();
}

std::size_t Document::UnitSize() const { return utf16_ ? 2 : 1; }

char16_t Document::UnitAt(std::size_t at) const {
  const auto low = static_cast<unsigned char>(bytes_[at]);
  return utf16_ ? static_cast<char16_t>(low | static_cast<unsigned char>(bytes_[at + 1]) << 8)
                : low;
}

std::u16string Document::Decode(std::size_t from, std::size_t to) const {
  const std::string_view bytes = std::string_view(bytes_).substr(from, to - from);
  return utf16_ ? WideFromUtf16(bytes) : WideFromAnsi(bytes);
}

std::string Document::Encode(std::u16string_view text) const {
  return utf16_ ? Utf16FromWide(text) : AnsiFromWide(text);
}

void Document::Parse() {
  lines_.clear();
  const std::size_t unit = UnitSize();
  const std::size_t end = TextEnd();
  for (std::size_t begin = TextBegin(); begin < end;) {
    Line line;
    line.begin = begin;
    std::size_t lf = begin;
    while (lf < end && UnitAt(lf) != u'\n') lf += unit;
    line.end = lf == end ? end : lf + unit;
    line.bodyEnd = lf;
    if (line.bodyEnd > begin && UnitAt(line.bodyEnd - unit) == u'\r') line.bodyEnd -= unit;
    Classify(line, Decode(begin, line.bodyEnd));
    lines_.push_back(std::move(line));
    begin = lines_.back().end;
  }
}

void Document::Splice(std::size_t from, std::size_t to, std::string_view replacement) {
  bytes_.replace(from, to - from, replacement);
  Parse();
}

std::optional<Section> Document::FindSection(std::u16string_view name) const {
  name = TrimBlanks(name);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != LineKind::kSection || !SameName(lines_[i].name, name)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && lines_[end].kind != LineKind::kSection) ++end;
    return Section{i, end};
  }
  return std::nullopt;
}

const Line* Document::FindEntry(const Section& section, std::u16string_view key) const {
  key = TrimBlanks(key);
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    if (lines_[i].kind == LineKind::kEntry && SameName(lines_[i].name, key)) return &lines_[i];
  }
  return nullptr;
}

std::vector<std::u16string> Document::SectionNames() const {
  std::vector<std::u16string> names;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::kSection) AddUnique(names, line.name);
  }
  return names;
}

std::vector<std::u16string> Document::KeyNames(const Section& section) const {
  std::vector<std::u16string> names;
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    if (lines_[i].kind == LineKind::kEntry && !lines_[i].name.empty()) {
      names.push_back(lines_[i].name);
    }
  }
  return names;
}

std::vector<std::u16string> Document::SectionLines(const Section& section) const {
  std::vector<std::u16string> out;
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    if (lines_[i].kind == LineKind::kEntry || lines_[i].kind == LineKind::kOther) {
      out.push_back(lines_[i].text);
    }
  }
  return out;
}

std::size_t Document::InsertionPoint(const Section& section, bool* needsBreak) const {
  std::size_t last = section.header;
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    if (lines_[i].kind != LineKind::kBlank) last = i;
  }
  *needsBreak = lines_[last].end == lines_[last].bodyEnd;
  return lines_[last].end;
}

void Document::AppendSection(std::u16string_view section,
                             const std::vector<std::u16string>& lines) {
  const std::size_t end = TextEnd();
  std::u16string text;
  if (end > TextBegin() && UnitAt(end - UnitSize()) != u'\n') text += kBreak;
  text += u"[" + std::u16string(TrimBlanks(section)) + u"]";
  text += kBreak;
  for (const auto& line : lines) {
    text += line;
    text += kBreak;
  }
  Splice(end, end, Encode(text));
}

bool Document::SetValue(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  const std::u16string entry = std::u16string(TrimBlanks(key)) + u"=" + std::u16string(value);
  auto found = FindSection(section);
  if (!found) {
    AppendSection(section, {entry});
    return true;
  }
  if (const Line* line = FindEntry(*found, key)) {
    // The key keeps its spelling in the file.
    const std::string text = Encode(line->name + u"=" + std::u16string(value));
    if (bytes_.compare(line->begin, line->bodyEnd - line->begin, text) == 0) return false;
    Splice(line->begin, line->bodyEnd, text);
    return true;
  }
  bool needsBreak = false;
  const std::size_t at = InsertionPoint(*found, &needsBreak);
  std::u16string text = needsBreak ? std::u16string(kBreak) : std::u16string();
  text += entry;
  text += kBreak;
  Splice(at, at, Encode(text));
  return true;
}

bool Document::DeleteKey(std::u16string_view section, std::u16string_view key) {
  bool changed = false;
  while (auto found = FindSection(section)) {
    const Line* line = FindEntry(*found, key);
    if (line == nullptr) break;
    Splice(line->begin, line->end, {});
    changed = true;
  }
  return changed;
}

bool Document::DeleteSection(std::u16string_view section) {
  bool changed = false;
  while (auto found = FindSection(section)) {
    // The section's comment lines stay in the file, in their order.
    std::string kept;
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
      if (lines_[i].kind == LineKind::kComment) {
        kept.append(bytes_, lines_[i].begin, lines_[i].end - lines_[i].begin);
      }
    }
    const std::size_t to = found->end < lines_.size() ? lines_[found->end].begin : TextEnd();
    Splice(lines_[found->header].begin, to, kept);
    changed = true;
  }
  return changed;
}

bool Document::ReplaceSection(std::u16string_view section,
                              const std::vector<std::u16string>& lines) {
  auto found = FindSection(section);
  if (!found) {
    AppendSection(section, lines);
    return true;
  }
  bool needsBreak = false;
  const std::size_t to = InsertionPoint(*found, &needsBreak);
  const Line& header = lines_[found->header];
  std::u16string text = header.end == header.bodyEnd ? std::u16string(kBreak) : std::u16string();
  for (const auto& line : lines) {
    text += line;
    text += kBreak;
  }
  const std::string bytes = Encode(text);
  if (bytes_.compare(header.end, to - header.end, bytes) == 0) return false;
  Splice(header.end, to, bytes);
  return true;
}

}  // namespace plat::ini
