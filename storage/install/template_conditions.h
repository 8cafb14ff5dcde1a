// Whether a preset template (preset icon) applies to the printer: its
// "disable" section may switch it off for a driver, and its "condition"
// section ties it to the options of the model.
//
// The "condition" section holds keys "ConditionOption<g>_<a>" (group digit
// g, alternative digit a, both 0-9). A group holds when one of its
// alternatives holds; a group without alternative 0 holds; the template
// applies when every group holds. The alternatives of a group end at the
// first missing key.
//
// An alternative is a condition text of terms separated by blanks or tabs
// and joined by "|" (or) and "&" (and). "&" binds tighter than "|", so
// "A | B & C" is A or (B and C); every term is evaluated. A term is an
// option keyword of the description's group "KPD_ConditionOption",
// optionally preceded by "!" (not). A term is true when the description's
// hide judgement of that option holds for the current settings, so "!"
// asks for an option that is not hidden. A name that is not a value
// keyword, an option without a hide judgement and an option of a
// description without that group's judgements are not hidden. A name that
// is no known keyword at all makes its term false with or without "!",
// so that a mistyped name never satisfies a condition. A text that is
// empty, longer than 259 characters, or has an operator without a term on
// either side does not hold.
#pragma once

#include <string_view>

#include "platform/base/wintypes.h"

struct UCB;

// How a term is joined to the next one.
enum class CondJoin { kEnd, kOr, kAnd };

struct CONDTERM {
  std::u16string_view keyword;  // empty: no term
  bool negated;
  CondJoin join;                // the operator after the term
};

#if !KESM_KERNEL_MODE
// Reads one term from the start of the text: blanks and tabs are skipped, a
// "!" sets negated, the keyword runs to the next blank, tab, "|", "&" or
// the end; blanks and tabs after it are skipped and a following "|" or "&"
// is taken. Returns the number of characters consumed.
std::size_t GetCondKeyData(std::u16string_view text, CONDTERM* term);

// Evaluates one condition text for the context's settings.
BOOL IsConditionTextTrue(std::u16string_view text, UCB* ucb);

// Always TRUE: every template file is a valid preset icon.
BOOL IsValidPresetIcon(LPCWSTR file, UCB* ucb);
// TRUE unless the file's "disable" section holds a non-zero value under the
// printer's real driver name.
BOOL IsValidEnablePresetIcon(LPCWSTR file, UCB* ucb);
// TRUE when every condition group of the file holds (and when the
// description has no "KPD_ConditionOption" group).
BOOL IsValidConditionPresetIcon(LPCWSTR file, UCB* ucb);
#endif
