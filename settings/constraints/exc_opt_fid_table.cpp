// Support conditions name the option settings of the printer-wide part;
// judging reads the DEVMODE's copies of them, which follow the same order:
// input options, the three groups of output options, and the fourth and
// fifth groups. A row covers 32 ids.
#include "settings/constraints/exc_variables.h"

const OptFidRow gOptFidTbl[kOptFidRows + 1] = {
    {10014, 244},  // kdmSourceOptionType*  -> kdmInOptionSupport*
    {10046, 276},  // kdmOutputOptionType*  -> kdmOutOptionSupport*
    {10078, 308},  // kdmOutputOption2Type* -> kdmOutOption2Support*
    {10290, 412},  // kdmOutputOption3Type* -> kdmOutOption3Support*
    {10322, 479},  // kdmOutputOption4Type* -> kdmOutOption4Support*
    {0, 0},
};
