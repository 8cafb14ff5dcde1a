#include "devicecomm/jobcodes/jc_escape_table.h"

#include <algorithm>
#include <iterator>

#include "devicecomm/jobcodes/jc_code_table.h"

namespace {

// The telephone line travels as decimal text, fetched like the other texts.
constexpr JCESCAPE kEscapes[] = {
    {kJCKindUserCode, 111, 18, 9},        // kdmUserCode
    {kJCKindOwnerName, 112, 34, 17},      // kdmOwnerName
    {kJCKindJobPassword, 113, 18, 9},     // kdmJOBPassword
    {kJCKindUserId, 114, 18, 9},          // kdmUserID
    {kJCKindDocumentName, 115, 34, 17},   // kdmDocumentName
    {kJCKindTelNo, 116, 130, 65},         // kdmTelNo
    {kJCKindTelLine, 117, 18, 9},         // kdmTelLine
    {kJCKindStoredPassword, 118, 18, 9},  // kdmStoredPassword
};

}  // namespace

std::span<const JCESCAPE> JCEscapeTable() { return kEscapes; }

const JCESCAPE* JCFindEscape(DWORD kind) {
  const auto* row =
      std::find_if(std::begin(kEscapes), std::end(kEscapes), [&](const JCESCAPE& e) { return e.dwKind == kind; });
  return row != std::end(kEscapes) ? row : nullptr;
}
