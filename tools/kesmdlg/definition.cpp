// Reading a dialog definition: each line is first cut into words (a quoted
// text is one word, "" inside it a quote), then given its meaning.
#include "tools/kesmdlg/definition.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "tools/kesmrc/dialog_statement.h"

namespace kesmdlg {
namespace {

struct Word {
  std::string text;   // a quoted word without its quotes
  bool quoted = false;
};

// Cuts a line into words; key="text" is one word whose text keeps "key=".
bool SplitLine(std::string_view line, std::vector<Word>& words, std::string& problem) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    if (line[i] == '#' && words.empty()) return true;
    Word w;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
      if (line[i] != '"') {
        w.text += line[i++];
        continue;
      }
      w.quoted = true;
      for (++i;; ++i) {
        if (i >= line.size()) {
          problem = "text without its closing quote";
          return false;
        }
        if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
          w.text += '"';
          ++i;
        } else if (line[i] == '"') {
          ++i;
          break;
        } else {
          w.text += line[i];
        }
      }
    }
    words.push_back(std::move(w));
  }
  return true;
}

std::optional<std::uint32_t> Number(std::string_view s) {
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    s.remove_prefix(2);
    base = 16;
  }
  std::uint32_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

std::optional<int> Signed(std::string_view s) {
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

class LineParser {
 public:
  explicit LineParser(std::string& problem) : problem_(problem) {}

  bool Fail(std::string message) {
    if (problem_.empty()) problem_ = std::move(message);
    return false;
  }
  bool Num(std::string_view s, std::uint32_t& out, const char* what) {
    const auto v = Number(s);
    if (!v) return Fail(std::string(what) + " '" + std::string(s) + "' is no number");
    out = *v;
    return true;
  }
  bool Id16(std::string_view s, std::uint32_t& out, const char* what) {
    if (!Num(s, out, what)) return false;
    if (out > 0xFFFF) return Fail(std::string(what) + " " + std::string(s) + " above 65535");
    return true;
  }
  // "text", #id or -.
  bool TextOf(const Word& w, Text& out) {
    if (w.quoted) {
      out.literal = w.text;
      out.present = true;
      return true;
    }
    if (w.text == "-") return true;
    if (w.text.size() > 1 && w.text[0] == '#') {
      std::uint32_t id = 0;
      if (!Id16(std::string_view(w.text).substr(1), id, "string id")) return false;
      out.stringId = id;
      out.present = true;
      return true;
    }
    return Fail("expected \"text\", #string-id or -, not '" + w.text + "'");
  }
  bool Style(std::string_view s, std::uint32_t& out) {
    out = 0;
    while (!s.empty()) {
      const std::size_t bar = s.find('|');
      const std::string_view term = s.substr(0, bar);
      if (auto named = StyleName(term)) {
        out |= *named;
      } else if (auto n = Number(term)) {
        out |= *n;
      } else {
        return Fail("unknown style '" + std::string(term) + "'");
      }
      s = bar == std::string_view::npos ? std::string_view() : s.substr(bar + 1);
    }
    return true;
  }

 private:
  std::string& problem_;
};

struct Field {
  std::string_view key;
  std::string_view value;
  bool quoted;
};

Field FieldOf(const Word& w) {
  const std::size_t eq = w.text.find('=');
  if (eq == std::string::npos) return {w.text, {}, w.quoted};
  return {std::string_view(w.text).substr(0, eq), std::string_view(w.text).substr(eq + 1), w.quoted};
}

bool DialogFields(const std::vector<Word>& words, Dialog& d, LineParser& p) {
  if (words.size() < 3) return p.Fail("a dialog line needs an id and a keyword");
  if (!p.Id16(words[1].text, d.id, "dialog id")) return false;
  d.keyword = words[2].text;
  for (std::size_t i = 3; i < words.size(); ++i) {
    const Field f = FieldOf(words[i]);
    bool ok = true;
    if (f.key == "group") {
      ok = p.Id16(f.value, d.group, "group");
    } else if (f.key == "kind") {
      ok = p.Num(f.value, d.kind, "kind");
    } else if (f.key == "help") {
      ok = p.Num(f.value, d.help, "help id");
    } else if (f.key == "size") {
      const std::size_t comma = f.value.find(',');
      const auto cx = Signed(f.value.substr(0, comma));
      const auto cy = comma == std::string_view::npos ? std::nullopt : Signed(f.value.substr(comma + 1));
      if (!cx || !cy || *cx <= 0 || *cy <= 0 || *cx > 0x7FFF || *cy > 0x7FFF) {
        return p.Fail("size must be two positive numbers, cx,cy");
      }
      d.cx = *cx;
      d.cy = *cy;
    } else if (f.key == "style") {
      constexpr std::pair<std::string_view, DialogStyle> kStyles[] = {
          {"page", DialogStyle::Page}, {"child", DialogStyle::Child},
          {"modal", DialogStyle::Modal}, {"modeless", DialogStyle::Modeless}};
      const auto* it = std::find_if(std::begin(kStyles), std::end(kStyles),
                                    [&](const auto& s) { return s.first == f.value; });
      if (it == std::end(kStyles)) return p.Fail("unknown dialog style '" + std::string(f.value) + "'");
      d.style = it->second;
    } else if (f.key == "caption") {
      Word w{std::string(f.value), f.quoted};
      ok = p.TextOf(w, d.caption);
    } else {
      return p.Fail("unknown dialog field '" + std::string(f.key) + "'");
    }
    if (!ok) return false;
  }
  if (d.cx == 0) return p.Fail("the dialog has no size");
  return true;
}

bool KindOf(std::string_view s, std::uint32_t& kind, LineParser& p) {
  constexpr std::pair<std::string_view, std::uint32_t> kNamed[] = {
      {"label", kLabel}, {"frame", kFrame}, {"button", kButton}};
  for (const auto& [name, value] : kNamed) {
    if (s == name) {
      kind = value;
      return true;
    }
  }
  return p.Num(s, kind, "control kind");
}

bool ItemField(const Field& f, Item& item, LineParser& p) {
  struct Row {
    std::string_view key;
    std::uint32_t Item::*member;
  };
  constexpr Row kRows[] = {
      {"group", &Item::group}, {"help", &Item::help},       {"popup", &Item::popup},
      {"hint", &Item::hint},   {"link", &Item::link},       {"builtin", &Item::builtIn},
      {"setting", &Item::setting},
  };
  for (const Row& r : kRows) {
    if (f.key == r.key) return p.Id16(f.value, item.*r.member, "item field");
  }
  if (f.key == "flags") return p.Num(f.value, item.flags, "flags");
  if (f.key == "size-item") {
    item.sizeItem = true;
    return true;
  }
  if (f.key == "data") {
    item.data = std::string(f.value);
    return !item.data.empty() || p.Fail("data= needs a record name");
  }
  return p.Fail("unknown control field '" + std::string(f.key) + "'");
}

bool ControlFields(const std::vector<Word>& words, Control& c, LineParser& p) {
  if (words.size() < 7) return p.Fail("a control line needs id, x, y, cx, cy, kind and text");
  if (words[0].text != "-" && !p.Id16(words[0].text, c.id, "control id")) return false;
  int* const rect[] = {&c.x, &c.y, &c.cx, &c.cy};
  for (int i = 0; i < 4; ++i) {
    const auto v = Signed(words[1 + i].text);
    if (!v || *v < 0 || *v > 0x7FFF) return p.Fail("dialog unit '" + words[1 + i].text + "' outside 0 to 32767");
    *rect[i] = *v;
  }
  if (!KindOf(words[5].text, c.kind, p) || !p.TextOf(words[6], c.text)) return false;
  Item item;
  bool isItem = false;
  for (std::size_t i = 7; i < words.size(); ++i) {
    const Field f = FieldOf(words[i]);
    bool ok = true;
    if (f.key == "class") {
      c.className = std::string(f.value);
    } else if (f.key == "style") {
      std::uint32_t s = 0;
      ok = p.Style(f.value, s);
      c.style = s;
    } else if (f.key == "bitmap" || f.key == "format") {
      std::uint32_t v = 0;
      ok = p.Id16(f.value, v, f.key == "bitmap" ? "bitmap id" : "format string id");
      (f.key == "bitmap" ? c.bitmap : c.format) = v;
    } else {
      isItem = isItem || f.key == "group";
      ok = ItemField(f, item, p);
    }
    if (!ok) return false;
  }
  if (isItem) c.item = item;
  return true;
}

}  // namespace

bool ParseDefinition(std::string_view text, const std::string& file, Dialog& dialog, Error& error) {
  dialog = Dialog{};
  dialog.file = file;
  int number = 0;
  bool seenDialog = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    std::string problem;
    LineParser p(problem);
    std::vector<Word> words;
    bool ok = SplitLine(line, words, problem);
    if (ok && words.empty()) continue;
    if (ok && !seenDialog) {
      seenDialog = true;
      dialog.line = number;
      ok = words[0].text == "dialog" ? DialogFields(words, dialog, p) : p.Fail("the first line must be the dialog line");
    } else if (ok) {
      Control c;
      c.line = number;
      ok = ControlFields(words, c, p);
      if (ok) dialog.controls.push_back(std::move(c));
    }
    if (!ok) {
      error = {file, number, problem};
      return false;
    }
  }
  if (!seenDialog) {
    error = {file, number, "no dialog line"};
    return false;
  }
  return true;
}

}  // namespace kesmdlg
