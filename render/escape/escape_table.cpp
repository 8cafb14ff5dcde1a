#include "render/escape/escape_table.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr EscapeRow kRows[] = {
    {kEscQuerySupport, EscapeKind::kQuerySupport, 0},
    {kEscPassThrough, EscapeKind::kPassThrough, 0},
    {kEscTechnology, EscapeKind::kTechnology, 0},
    {42, EscapeKind::kPageGeometry, 0},
    {111, EscapeKind::kAnsiSetting, 203},  // kdmUserCode
    {112, EscapeKind::kAnsiSetting, 204},  // kdmOwnerName
    {113, EscapeKind::kAnsiSetting, 207},  // kdmJOBPassword
    {114, EscapeKind::kAnsiSetting, 202},  // kdmUserID
    {115, EscapeKind::kAnsiSetting, 206},  // kdmDocumentName
    {116, EscapeKind::kAnsiSetting, 231},  // kdmTelNo
    {117, EscapeKind::kNumberSetting, 232},  // kdmTelLine
    {118, EscapeKind::kAnsiSetting, 208},  // kdmStoredPassword
    {119, EscapeKind::kReadWord, 13},      // dmDefaultSource
    {120, EscapeKind::kReadWord, 209},     // kdmPrnMethod
    {121, EscapeKind::kIniPath, 0},
    {122, EscapeKind::kReplaceStrings, 0},
    {123, EscapeKind::kAnsiSetting, 948},  // wdmAuthenticationUserName
    {124, EscapeKind::kAnsiSetting, 950},  // wdmAuthenticationNetworkKey
    {125, EscapeKind::kAnsiSetting, 949},  // wdmAuthenticationPassword
    {140, EscapeKind::kBuildId, 0},
};

}  // namespace

std::span<const EscapeRow> EscapeRows() { return kRows; }

const EscapeRow* FindEscape(ULONG code) {
  const auto* row = std::find_if(std::begin(kRows), std::end(kRows), [&](const EscapeRow& r) { return r.code == code; });
  return row != std::end(kRows) ? row : nullptr;
}
