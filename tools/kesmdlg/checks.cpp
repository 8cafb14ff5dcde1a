#include "tools/kesmdlg/checks.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "tools/kesmdlg/control_styles.h"

namespace kesmdlg {
namespace {

constexpr std::u16string_view kIntegerConversions = u"diuxXo";
constexpr std::u16string_view kFormatFlags = u"-+ #0";

// The visible height: a drop-down combo's template height includes its list.
int VisibleHeight(const Control& c) {
  return SameClass(ClassOf(c), "ComboBox") ? std::min(c.cy, 14) : c.cy;
}

bool Overlap(const Control& a, const Control& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + VisibleHeight(b) && b.y < a.y + VisibleHeight(a);
}

std::string Name(const Control& c) {
  if (c.item) return "item " + std::to_string(c.id);
  if (c.id == kUnnamedId) return "control";
  return "control " + std::to_string(c.id);
}

class Checker {
 public:
  Checker(const Resources& r, std::vector<Error>& errors) : resources_(r), errors_(errors) {}

  void Dialog(const struct Dialog& d) {
    if (d.caption.stringId) String(d, d.line, "dialog " + std::to_string(d.id), *d.caption.stringId, "caption");
    const std::vector<bool> first = FirstOfRadioGroups(d);
    for (std::size_t i = 0; i < d.controls.size(); ++i) Control(d, d.controls[i], first[i]);
    Overlaps(d);
  }

  void Fail(const struct Dialog& d, int line, const std::string& who, const std::string& message) {
    errors_.push_back({d.file, line, who + ": " + message});
  }

 private:
  void String(const struct Dialog& d, int line, const std::string& who, std::uint32_t id, const char* what) {
    if (!resources_.strings.count(id)) Fail(d, line, who, std::string(what) + " string " + std::to_string(id) + " is not defined");
  }

  void Control(const struct Dialog& d, const struct Control& c, bool firstOfGroup) {
    const std::string who = Name(c);
    if (!DefaultsOf(c.kind)) return Fail(d, c.line, who, "unknown kind " + std::to_string(c.kind));
    if (c.item && c.kind >= kLabel) return Fail(d, c.line, who, "a label, frame or button carries no item");
    if (c.x + c.cx > d.cx || c.y + VisibleHeight(c) > d.cy) Fail(d, c.line, who, "lies outside the dialog");
    if (c.id != kUnnamedId) {
      const auto [it, fresh] = ids_.emplace(c.id, c.line);
      if (!fresh) Fail(d, c.line, who, "id used twice (first on line " + std::to_string(it->second) + ")");
    }
    const std::string problem = StyleProblem(c, ClassOf(c), StyleOf(c, firstOfGroup), firstOfGroup);
    if (!problem.empty()) Fail(d, c.line, who, problem);
    if (c.text.stringId) String(d, c.line, who, *c.text.stringId, "text");
    if (c.item && c.item->popup) String(d, c.line, who, c.item->popup, "pop-up");
    if (c.item && c.item->hint) String(d, c.line, who, c.item->hint, "hint");
    if (c.bitmap && !resources_.bitmaps.count(*c.bitmap)) {
      Fail(d, c.line, who, "bitmap " + std::to_string(*c.bitmap) + " is not defined");
    }
    if (c.format) Format(d, c, who);
  }

  void Format(const struct Dialog& d, const struct Control& c, const std::string& who) {
    const auto it = resources_.strings.find(*c.format);
    if (it == resources_.strings.end()) return String(d, c.line, who, *c.format, "format");
    if (!IsIntegerFormat(it->second)) {
      Fail(d, c.line, who, "format string " + std::to_string(*c.format) + " must hold one integer conversion");
    }
  }

  void Overlaps(const struct Dialog& d) {
    for (std::size_t i = 0; i < d.controls.size(); ++i) {
      const struct Control& a = d.controls[i];
      if (a.kind == kFrame) continue;
      for (std::size_t j = 0; j < i; ++j) {
        const struct Control& b = d.controls[j];
        if (b.kind != kFrame && Overlap(a, b)) {
          Fail(d, a.line, Name(a), "overlaps the " + Name(b) + " of line " + std::to_string(b.line));
        }
      }
    }
  }

 public:
  std::map<std::uint32_t, int> ids_;

 private:
  const Resources& resources_;
  std::vector<Error>& errors_;
};

// Links name a control of the same dialog, except a picture's, which names
// the group of the radio list it stands for.
void CheckLinks(const Dialog& d, const std::map<std::uint32_t, int>& ids, Checker& checker) {
  for (const Control& c : d.controls) {
    if (!c.item || c.item->link == 0 || c.kind == 2) continue;
    if (!ids.count(c.item->link)) {
      checker.Fail(d, c.line, Name(c), "links to control " + std::to_string(c.item->link) + ", which the dialog lacks");
    }
  }
}

}  // namespace

std::vector<bool> FirstOfRadioGroups(const Dialog& d) {
  std::vector<bool> first(d.controls.size(), false);
  std::set<std::uint32_t> seen;
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const Control& c = d.controls[i];
    if (c.kind == 41 && c.item) first[i] = seen.insert(c.item->group).second;
  }
  return first;
}

bool IsIntegerFormat(std::u16string_view text) {
  int conversions = 0;
  bool integer = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    if (i + 1 < text.size() && text[i + 1] == u'%') {
      ++i;
      continue;
    }
    ++i;
    while (i < text.size() && kFormatFlags.find(text[i]) != std::u16string_view::npos) ++i;
    while (i < text.size() && ((text[i] >= u'0' && text[i] <= u'9') || text[i] == u'.')) ++i;
    while (i < text.size() && (text[i] == u'h' || text[i] == u'l')) ++i;
    ++conversions;
    if (i >= text.size() || kIntegerConversions.find(text[i]) == std::u16string_view::npos) integer = false;
  }
  return conversions == 1 && integer;
}

bool ParseNamedIds(const std::string& text, const std::string& file, std::vector<NamedId>& out, Error& error) {
  std::size_t pos = 0;
  int line = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view s(text.data() + pos, end - pos);
    pos = end + 1;
    ++line;
    s = s.substr(0, s.find('#'));
    std::uint32_t v[2] = {0, 0};
    int found = 0;
    while (!s.empty()) {
      const std::size_t start = s.find_first_not_of(" \t\r");
      if (start == std::string_view::npos) break;
      s.remove_prefix(start);
      const std::size_t stop = std::min(s.find_first_of(" \t\r"), s.size());
      auto [p, ec] = std::from_chars(s.data(), s.data() + stop, found < 2 ? v[found] : v[0]);
      if (found >= 2 || ec != std::errc() || p != s.data() + stop) {
        error = {file, line, "expected two numbers: dialog id and control id"};
        return false;
      }
      ++found;
      s.remove_prefix(stop);
    }
    if (found == 0) continue;
    if (found != 2) {
      error = {file, line, "expected two numbers: dialog id and control id"};
      return false;
    }
    out.push_back({file, line, v[0], v[1]});
  }
  return true;
}

std::vector<Error> CheckDialogs(const std::vector<Dialog>& dialogs, const Resources& resources,
                                const std::vector<NamedId>& named) {
  std::vector<Error> errors;
  std::map<std::uint32_t, const Dialog*> byId;
  std::map<std::uint32_t, std::map<std::uint32_t, int>> idsOf;
  for (const Dialog& d : dialogs) {
    const auto [it, fresh] = byId.emplace(d.id, &d);
    if (!fresh) errors.push_back({d.file, d.line, "dialog " + std::to_string(d.id) + ": also defined in " + it->second->file});
    Checker checker(resources, errors);
    checker.Dialog(d);
    CheckLinks(d, checker.ids_, checker);
    idsOf[d.id] = checker.ids_;
  }
  for (const NamedId& n : named) {
    const auto it = byId.find(n.dialog);
    if (it == byId.end()) {
      errors.push_back({n.file, n.line, "dialog " + std::to_string(n.dialog) + " is not defined"});
    } else if (!idsOf[n.dialog].count(n.control)) {
      errors.push_back({it->second->file, it->second->line,
                        "item " + std::to_string(n.control) + ": named by code (" + n.file + ":" +
                            std::to_string(n.line) + ") but dialog " + std::to_string(n.dialog) + " lacks it"});
    }
  }
  return errors;
}

}  // namespace kesmdlg
