#include "devicecomm/jobcodes/jc_code_table.h"

#include "devicecomm/jobcodes/jc_interface.h"

// Text buffers hold the setting's size in wide characters; the telephone
// line travels as decimal text in 32 bytes; the product word and the driver
// version in 32 bytes; the language word as a 4-byte number.
const JCCODE DrvJCCodeTbl[kJCCodeCount] = {
    {kJCKindUserCode, 0x1, 203, 18, kJCTypeText, FALSE},        // kdmUserCode
    {kJCKindOwnerName, 0x2, 204, 34, kJCTypeText, FALSE},       // kdmOwnerName
    {kJCKindJobPassword, 0x4, 207, 18, kJCTypeText, FALSE},     // kdmJOBPassword
    {kJCKindUserId, 0x8, 202, 18, kJCTypeText, FALSE},          // kdmUserID
    {kJCKindDocumentName, 0x10, 206, 34, kJCTypeText, FALSE},   // kdmDocumentName
    {kJCKindTelNo, 0x20, 231, 130, kJCTypeText, FALSE},         // kdmTelNo
    {kJCKindTelLine, 0x40, 232, 32, kJCTypeText, FALSE},        // kdmTelLine
    {kJCKindStoredPassword, 0x80, 208, 18, kJCTypeText, FALSE}, // kdmStoredPassword
    {kJCKindProduct, 0x100, 0, 32, kJCTypeText, TRUE},          // "KESM"
    {kJCKindDriverVersion, 0x200, 954, 32, kJCTypeText, TRUE},  // wdmDriverVersion
    {kJCKindLanguage, 0x400, 0, 4, kJCTypeNumber, TRUE},        // from kdmLanguageID
};

const JCCODE* DrvJCFindCode(DWORD kind) {
  for (const JCCODE& code : DrvJCCodeTbl) {
    if (code.dwKind == kind) return &code;
  }
  return nullptr;
}
