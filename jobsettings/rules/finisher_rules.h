// What a finisher family can do with the current job: print sizes it takes
// in each feed direction, staple positions and punch patterns. Each answer
// depends on the installed finisher option, the print size, the paper
// loaded in the source tray (size and direction) and the print-orientation
// flag. Every rule answers 1 or 0 and only reads settings.
#pragma once

#include "jobsettings/rules/tables/rule_tables.h"
#include "platform/base/wintypes.h"

struct UCB;

// Whether the family takes the size; punch asks for a size that may be
// punched (A5 and HLT join where the family punches). Families that do not
// punch ignore it.
BOOL CheckPrintSizeSupportFin(const UCB* ucb, Fin fin, WORD size, bool punch);
// Whether the size may take three or four holes on the family.
BOOL CheckPrintSizeSupportPunchNAEU(Fin fin, WORD size);
BOOL CheckPrintSizePortraitOnly(WORD size);

// The questions of every family (QD has rules of its own below).
BOOL IsPrintSizePortraitFin(const UCB* ucb, Fin fin);
BOOL IsPrintSizeLandscapeFin(const UCB* ucb, Fin fin);
BOOL IsSupportStapleTypeFin(const UCB* ucb, Fin fin);
// Size questions without existence: the size support of QC, QD, QE, QF,
// the staple and punch size of the punching families, and the size that
// may take three or four holes.
BOOL IsPrintSizeSupportFin(const UCB* ucb, Fin fin);
BOOL IsPrintSizeSupportStapleFin(const UCB* ucb, Fin fin);
BOOL IsPrintSizeSupportPunchFin(const UCB* ucb, Fin fin);
BOOL IsPrintSizeSupportPunchFinNAEU(const UCB* ucb, Fin fin);
// Punch pattern of the punching families (QA, QG, QH, QJ, QK, QL).
BOOL IsSupportPunchTypeFin(const UCB* ucb, Fin fin);

BOOL IsPrintSizePortraitFinQDA4LT(const UCB* ucb);
BOOL IsPrintSizePortraitFinQDMiddle(const UCB* ucb);

// Shared by the finisher rules: the print size as a 16-bit code, and
// whether the family punches.
WORD FinPrintSize(const UCB* ucb);
bool IsPunchFamily(Fin fin);
