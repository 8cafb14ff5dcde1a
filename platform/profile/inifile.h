// The text of a profile (INI) file and the edits the profile services make
// to it. The text stays as bytes: UTF-16LE when it starts with the UTF-16LE
// byte-order mark (FF FE), else ANSI in the process code page; an edit
// writes in the file's own encoding and replaces only the lines it changes,
// so every other byte of the file is kept as it was. Internal to platform/.
//
// Reading rules: a line's leading and trailing blanks (spaces and tabs) do
// not count; "[name]" starts a section (blanks inside the brackets do not
// count either); ";" starts a comment; "key=value" is an entry, the key and
// the value trimmed of blanks; a section runs to the next section header.
// Names compare ignoring case, and the first section of a name is the one
// that counts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::ini {

enum class LineKind { kBlank, kComment, kSection, kEntry, kOther };

struct Line {
  std::size_t begin = 0;    // first byte of the line
  std::size_t bodyEnd = 0;  // first byte of its line break (or the text's end)
  std::size_t end = 0;      // first byte after its line break
  LineKind kind = LineKind::kBlank;
  std::u16string name;   // section name or key
  std::u16string value;  // entry value, quotes kept
  std::u16string text;   // the whole line without surrounding blanks
};

// A section: the index of its header line and the index after its last line.
struct Section {
  std::size_t header = 0;
  std::size_t end = 0;
};

class Document {
 public:
  explicit Document(std::string bytes = {});
  const std::string& bytes() const { return bytes_; }

  std::optional<Section> FindSection(std::u16string_view name) const;
  const Line* FindEntry(const Section& section, std::u16string_view key) const;
  // Section names, each name once, in file order.
  std::vector<std::u16string> SectionNames() const;
  // Key names of a section in file order, a repeated key as often as it
  // occurs.
  std::vector<std::u16string> KeyNames(const Section& section) const;
  // The entries and other non-comment lines of a section, as written.
  std::vector<std::u16string> SectionLines(const Section& section) const;

  // Edits; each returns whether the text changed.
  bool SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  bool DeleteKey(std::u16string_view section, std::u16string_view key);
  // Removes every section of the name but keeps its comment lines.
  bool DeleteSection(std::u16string_view section);
  bool ReplaceSection(std::u16string_view section, const std::vector<std::u16string>& lines);

 private:
  // Where the text starts (after a byte-order mark) and ends, and its
  // units: bytes, or UTF-16 units of two bytes.
  std::size_t TextBegin() const;
  std::size_t TextEnd() const;
  std::size_t UnitSize() const;
  char16_t UnitAt(std::size_t at) const;
  std::u16string Decode(std::size_t from, std::size_t to) const;
  std::string Encode(std::u16string_view text) const;
  void Parse();
  void Splice(std::size_t from, std::size_t to, std::string_view replacement);
  // Byte offset after the last non-blank line of a section, and whether a
  // line break must be added there before new lines.
  std::size_t InsertionPoint(const Section& section, bool* needsBreak) const;
  void AppendSection(std::u16string_view section, const std::vector<std::u16string>& lines);

  std::string bytes_;
  bool utf16_ = false;
  std::vector<Line> lines_;
};

// Surrounding blanks removed.
std::u16string_view TrimBlanks(std::u16string_view text);

}  // namespace plat::ini
