// Each control kind's window class and style, and the style bits the dialog
// engine relies on for it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/kesmdlg/definition.h"

namespace kesmdlg {

inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsGroup = 0x00020000;
inline constexpr std::uint32_t kWsTabStop = 0x00010000;

struct KindStyle {
  std::uint32_t kind;
  std::string_view className;
  std::uint32_t style;   // without WS_CHILD | WS_VISIBLE
};

// The defaults of a kind, or null for an unknown kind.
const KindStyle* DefaultsOf(std::uint32_t kind);

// The class and style a control gets: its own where the line gives them, else
// its kind's. The first button of a radio group also gets WS_GROUP.
std::string ClassOf(const Control& c);
std::uint32_t StyleOf(const Control& c, bool firstOfRadioGroup);

// Why the control's class or style does not serve its item's kind, or empty.
std::string StyleProblem(const Control& c, std::string_view className, std::uint32_t style,
                         bool firstOfRadioGroup);

bool SameClass(std::string_view a, std::string_view b);

}  // namespace kesmdlg
