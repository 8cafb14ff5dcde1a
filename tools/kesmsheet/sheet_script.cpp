#include "tools/kesmsheet/sheet_script.h"

#include <array>
#include <charconv>
#include <sstream>
#include <string_view>

#include "platform/text/utf.h"

namespace kesmsheet {
namespace {

struct Word {
  const char* name;
  StepKind kind;
  int numbers;      // numeric arguments after the word
  bool takesText;   // the rest of the line (type) or all but its last word (answer)
};

constexpr std::array<Word, 9> kWords{{
    {"tab", StepKind::kTab, 1, false},
    {"click", StepKind::kClick, 1, false},
    {"pick", StepKind::kPick, 2, false},
    {"type", StepKind::kType, 1, true},
    {"check", StepKind::kCheck, 1, false},
    {"answer", StepKind::kAnswer, 0, true},
    {"ok", StepKind::kOk, 0, false},
    {"cancel", StepKind::kCancel, 0, false},
    {"shot", StepKind::kShot, 0, true},
}};

struct ButtonName {
  const char* name;
  int id;
};
// The dialog-box command ids of message-box buttons.
constexpr std::array<ButtonName, 7> kButtons{{
    {"ok", 1}, {"cancel", 2}, {"abort", 3}, {"retry", 4}, {"ignore", 5}, {"yes", 6}, {"no", 7},
}};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  return out;
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The next word of rest, taken off it.
std::string_view TakeWord(std::string_view& rest) {
  rest = Trim(rest);
  const auto end = rest.find_first_of(" \t");
  const std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
  return word;
}

bool Number(std::string_view word, int& value) {
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size() && value >= 0 && value <= 0xFFFF;
}

bool Button(std::string_view word, int& id) {
  if (Number(word, id)) return true;
  for (const ButtonName& b : kButtons) {
    if (Lower(word) == b.name) {
      id = b.id;
      return true;
    }
  }
  return false;
}

// A picture's name stays inside the picture folder.
bool ShotName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    if (!plain) return false;
  }
  return true;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A script line is UTF-8 text without control characters but the tab and
// the carriage return of a CR LF line end: a binary file is refused at its
// first line, comments included, and no raw byte reaches a message.
bool IsTextLine(std::string_view line) {
  for (std::size_t i = 0; i < line.size();) {
    char32_t c = 0;
    i += plat::utf::ReadUtf8(line, i, &c);
    if (c == plat::utf::kInvalid || c == 0x7F || (c < 0x20 && c != '\t' && c != '\r')) return false;
  }
  return true;
}

// "in 1032:" or "in \"Caption\":" before a step names its window; takes
// it off rest. False with the reason for a prefix that names none.
bool TakeWindow(std::string_view& rest, Step& step, std::string& why) {
  std::string_view probe = rest;
  if (Lower(TakeWord(probe)) != "in") return true;
  probe = Trim(probe);
  const auto bad = [&why] {
    why = "in needs a dialog id or a quoted caption and a colon, as in: in 1032: click 2452";
    return false;
  };
  if (!probe.empty() && probe[0] == '"') {
    const auto close = probe.find('"', 1);
    if (close == std::string_view::npos || close == 1) return bad();
    step.windowTitle = std::string(probe.substr(1, close - 1));
    probe = Trim(probe.substr(close + 1));
    if (probe.empty() || probe[0] != ':') return bad();
  } else {
    const auto colon = probe.find(':');
    if (colon == std::string_view::npos || !Number(Trim(probe.substr(0, colon)), step.windowId) ||
        step.windowId == 0) {
      return bad();
    }
    probe = probe.substr(colon);
  }
  rest = probe.substr(1);
  return true;
}

// One line's step; the reason it is none otherwise.
bool ParseLine(std::string_view line, Step& step, std::string& why) {
  std::string_view rest = line;
  if (!TakeWindow(rest, step, why)) return false;
  const std::string name = Lower(TakeWord(rest));
  const Word* word = nullptr;
  for (const Word& w : kWords) {
    if (name == w.name) word = &w;
  }
  if (word == nullptr) {
    why = "unknown step \"" + name + "\"";
    return false;
  }
  if (word->kind == StepKind::kAnswer && (step.windowId != 0 || !step.windowTitle.empty())) {
    why = "answer finds its message box by its text, not by a window";
    return false;
  }
  step.kind = word->kind;
  for (int i = 0; i < word->numbers; ++i) {
    const std::string_view value = TakeWord(rest);
    int* target = (i == 0 && word->kind != StepKind::kTab) ? &step.id : &step.number;
    if (!Number(value, *target)) {
      why = name + " needs " + (word->numbers == 2 ? "a control id and an item number" : "a number") +
            (value.empty() ? "" : ", not \"" + std::string(value) + "\"");
      return false;
    }
  }
  rest = Trim(rest);
  if (word->kind == StepKind::kAnswer) {
    const auto last = rest.find_last_of(" \t");
    const std::string_view button = last == std::string_view::npos ? rest : rest.substr(last + 1);
    if (!Button(button, step.number)) {
      why = "answer needs a box's text and a button (OK, Cancel, Yes, No, Abort, Retry, Ignore or a number)";
      return false;
    }
    rest = last == std::string_view::npos ? std::string_view() : Trim(rest.substr(0, last));
  }
  if (word->kind == StepKind::kShot && !ShotName(rest)) {
    why = "shot needs a picture name of letters, digits, '-' and '_'";
    return false;
  }
  if (word->takesText) {
    step.text = std::string(rest);
  } else if (!rest.empty()) {
    why = "unexpected \"" + std::string(rest) + "\" after " + name;
    return false;
  }
  return true;
}

}  // namespace

bool ParseScript(const std::string& text, std::vector<Step>& steps, std::string& error) {
  steps.clear();
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (number == 1 && line.rfind(kByteOrderMark, 0) == 0) line.erase(0, kByteOrderMark.size());
    if (!IsTextLine(line)) {
      error = "line " + std::to_string(number) + ": not text (a script is UTF-8 text, one step a line)";
      steps.clear();
      return false;
    }
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    Step step{};
    step.line = number;
    std::string why;
    if (!ParseLine(trimmed, step, why)) {
      error = "line " + std::to_string(number) + ": " + why;
      steps.clear();
      return false;
    }
    steps.push_back(std::move(step));
  }
  return true;
}

}  // namespace kesmsheet
