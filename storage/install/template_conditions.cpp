#if !KESM_KERNEL_MODE
#include "storage/install/template_conditions.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "platform/text/wintext.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "storage/install/install_ini.h"

namespace {

constexpr const WCHAR* kSectionCondition = u"condition";
constexpr const WCHAR* kSectionDisable = u"disable";
constexpr LPCSTR kConditionGroup = "KPD_ConditionOption";
// A condition text is at most this long; a longer one would have been cut.
constexpr DWORD kConditionChars = MAX_PATH - 1;
constexpr int kDigits = 10;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool EndsKeyword(char16_t c) { return IsBlank(c) || c == u'|' || c == u'&'; }

// The term's value, or nullopt for a name that is no keyword at all.
std::optional<bool> IsHidden(std::u16string_view keyword, const UiGroup* group, UCB* ucb) {
  std::string ascii;
  for (char16_t c : keyword) {
    if (c == 0 || c > 0x7F) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  const SP* sp = GetSPbyKeyWord(ascii.c_str());
  if (sp == nullptr) return std::nullopt;
  return BKPDIsHideModeUI(group, sp->valueIndex, ucb) != FALSE;
}

// "&" before "|": the text is a sum of products, each product the AND of
// its terms. nullopt for a text that is not well formed.
std::optional<bool> Evaluate(std::u16string_view text, const UiGroup* group, UCB* ucb) {
  bool any = false;
  bool product = true;
  while (true) {
    CONDTERM term{};
    const std::size_t used = GetCondKeyData(text, &term);
    text.remove_prefix(used);
    // No term: an empty text, an operator with nothing after it or first,
    // "!" alone.
    if (term.keyword.empty()) return std::nullopt;
    const std::optional<bool> hidden = IsHidden(term.keyword, group, ucb);
    const bool value = hidden.has_value() && (*hidden != term.negated);
    product = product && value;
    if (term.join != CondJoin::kAnd) {
      any = any || product;
      product = true;
    }
    if (term.join == CondJoin::kEnd) {
      const bool rest = std::any_of(text.begin(), text.end(), [](char16_t c) { return !IsBlank(c); });
      if (rest) return std::nullopt;  // two terms without an operator
      break;
    }
  }
  return any;
}

const UiGroup* ConditionGroup(UCB* ucb) {
  const GK* gk = GetGKbyKeyWord(kConditionGroup);
  return gk != nullptr ? BKPDGetUiGroupAddr(gk->groupId, ucb) : nullptr;
}

std::u16string ConditionKey(int group, int alternative) {
  std::array<WCHAR, 32> key{};
  wnsprintfW(key.data(), static_cast<int>(key.size()), u"ConditionOption%d_%d", group, alternative);
  return key.data();
}

}  // namespace

std::size_t GetCondKeyData(std::u16string_view text, CONDTERM* term) {
  CONDTERM found{};
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at < text.size() && text[at] == u'!') {
    found.negated = true;
    ++at;
  }
  const std::size_t start = at;
  while (at < text.size() && text[at] != 0 && !EndsKeyword(text[at])) ++at;
  found.keyword = text.substr(start, at - start);
  if (!found.keyword.empty()) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at < text.size() && (text[at] == u'|' || text[at] == u'&')) {
      found.join = text[at] == u'&' ? CondJoin::kAnd : CondJoin::kOr;
      ++at;
    }
  } else {
    at = start - (found.negated ? 1 : 0);  // nothing taken but the blanks
    found.negated = false;
  }
  if (term != nullptr) *term = found;
  return at;
}

BOOL IsConditionTextTrue(std::u16string_view text, UCB* ucb) {
  const UiGroup* group = ConditionGroup(ucb);
  if (text.size() > kConditionChars) return FALSE;
  return Evaluate(text, group, ucb).value_or(false) ? TRUE : FALSE;
}

BOOL IsValidPresetIcon(LPCWSTR /*file*/, UCB* /*ucb*/) { return TRUE; }

BOOL IsValidEnablePresetIcon(LPCWSTR file, UCB* ucb) {
  LPCWSTR driver = GetRealDriverName(ucb);
  if (file == nullptr || driver == nullptr || driver[0] == 0) return TRUE;
  return storage::ReadIniInt(kSectionDisable, driver, 0, file) == 0;
}

BOOL IsValidConditionPresetIcon(LPCWSTR file, UCB* ucb) {
  if (file == nullptr || ConditionGroup(ucb) == nullptr) return TRUE;
  for (int g = 0; g < kDigits; ++g) {
    bool holds = false;
    for (int a = 0; a < kDigits && !holds; ++a) {
      const std::optional<std::u16string> text =
          storage::ReadWholeValue(kSectionCondition, ConditionKey(g, a).c_str(), file, kConditionChars);
      if (text.has_value() && text->empty()) {
        // A missing key ends the alternatives; a group without any holds.
        holds = a == 0;
        break;
      }
      holds = text.has_value() && IsConditionTextTrue(*text, ucb);
    }
    if (!holds) return FALSE;
  }
  return TRUE;
}
#endif
