// The start of a document revalidates the PDEV's settings: the printer's
// stored settings may have changed since the PDEV was enabled, while the
// job-level texts that the configuration library sent by escape must
// survive. Also collation and the paper revisions that follow it, and the
// hand-over of the job-level values when a PDEV is reset.
#pragma once

#include <array>
#include <cstddef>

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// One job-level value kept across a revalidation: the setting and the
// size of its saved copy (text and terminator); a text longer than
// bytes - 1 is not kept. A size of 1 keeps a number's low 8 bits.
struct KeptJobValue {
  WORD funcId;
  BYTE bytes;
};
inline constexpr std::array<KeptJobValue, 8> kKeptJobValues = {{
    {202, 9},   // kdmUserID
    {203, 9},   // kdmUserCode
    {204, 17},  // kdmOwnerName
    {206, 17},  // kdmDocumentName
    {207, 9},   // kdmJOBPassword
    {208, 9},   // kdmStoredPassword
    {231, 65},  // kdmTelNo
    {232, 1},   // kdmTelLine
}};

// The values as saved: each copy zero-filled, empty when its text was
// missing or too long.
struct KeptJobValues {
  std::array<std::array<char, 65>, kKeptJobValues.size()> copies{};
};

// Saves the job-level values of the context, and puts them back: a text
// only when its copy is not empty, the telephone line always.
KeptJobValues SaveJobValues(const UCB* ucb);
void RestoreJobValues(UCB* ucb, const KeptJobValues& kept);

// Reads the printer's stored settings into the context again, validates
// the DEVMODE (of `bytes` bytes) into it with flags, brings collation and
// the paper revisions in line and restores the job-level values. Reports
// no failure: always TRUE. The job id is not used.
BOOL ValidateDevmodeStartDoc(UCB* ucb, const DEVMODEW* dm, std::size_t bytes, DWORD flags, HANDLE printer,
                             DWORD jobId);
// Collation from the context's public DEVMODE, then the paper revisions
// the front function word asks for.
void SetCollateToDevmode(UCB* ucb);
void RevisePaperFit(UCB* ucb);
void RevisePaperCut(UCB* ucb);
// Carries the job-level values from the old context to the new one.
void SetDevmodeInGuarantee(UCB* to, UCB* from);
