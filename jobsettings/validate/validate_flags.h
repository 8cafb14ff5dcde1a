// The mode word of DEVMODE validation: who validates and what the call
// does. The whole word of the last call is kept in the context's work area,
// where later steps of the same validation and the application request
// read it back.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The system's document-properties bits.
inline constexpr DWORD kValidateDeviceSheet = 0x2;
inline constexpr DWORD kValidatePrompt = 0x4;  // DM_PROMPT
inline constexpr DWORD kValidateModify = 0x8;  // DM_MODIFY: a DEVMODE is given
// The driver's own bits.
inline constexpr DWORD kValidatePdevEnable = 0x10000;
inline constexpr DWORD kValidateDocumentStart = 0x20000;
inline constexpr DWORD kValidateUnused200000 = 0x200000;
inline constexpr DWORD kValidateDeviceCaps = 0x1000000;
inline constexpr DWORD kValidateDocumentSheet = 0x2000000;
inline constexpr DWORD kValidateConvert = 0x4000000;
inline constexpr DWORD kValidateJobCheck = 0x8000000;
inline constexpr DWORD kValidateSetFile = 0x10000000;
inline constexpr DWORD kValidateNoUi = 0x20000000;
inline constexpr DWORD kValidateRequestApplied = 0x40000000;  // set by the application request

// Validation runs only with one of these.
inline constexpr DWORD kValidateGate = kValidateModify | kValidateDocumentSheet;
// Printer properties are read again for these, unless a set file is read.
inline constexpr DWORD kValidateReadsProperties =
    kValidateJobCheck | kValidateConvert | kValidateUnused200000 | kValidateDocumentStart | kValidatePrompt;
// The description's constraint actions are applied again for these.
inline constexpr DWORD kValidateConstraintPass = kValidateSetFile | kValidateJobCheck | kValidateConvert |
                                                 kValidateDeviceCaps | kValidateUnused200000 |
                                                 kValidateDocumentStart | kValidatePrompt;
static_assert(kValidateReadsProperties == 0xC220004);
static_assert(kValidateConstraintPass == 0x1D220004);

// The steps of a validation that depend on the mode word.
struct ValidationSteps {
  bool runs;                  // DM_MODIFY or the document sheet: anything happens at all
  bool readsProperties;       // printer properties are read again
  bool constraintPass;        // the description's constraint actions are applied again
  bool jobCodes;              // the job-code library fills the job codes
  bool rederivesPrivate;      // the private geometry is re-derived (else the free size and
                              // the destination area are refreshed)
  bool resolutionFromPublic;  // the resolutions follow the public print quality
  bool downResolution;        // a job that must come down goes to 600 dpi
  bool storedQualitySet;      // the user's stored quality set decides the print quality
};
// The steps of a mode word; rederivesPrivate as the word stands after the
// application request (which may add kValidateRequestApplied).
ValidationSteps StepsOf(DWORD flags);

// The stored word; 0 for a context without a work area.
DWORD GetValidateFlags(const UCB* ucb);
void SetValidateFlags(UCB* ucb, DWORD flags);
