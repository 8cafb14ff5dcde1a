// The pictures of owner-drawn list entries: the four copy-guard patterns of
// choice 2937, each with its greyed form for a disabled choice; none of
// them has a hint text.
#include "ui/engine/painting_tables.h"

const RELATEDRESOURCE aRelatedResource[] = {
    {2937, 13137, 7447, 7451, 0},
    {2937, 13138, 7446, 7450, 0},
    {2937, 13139, 7445, 7449, 0},
    {2937, 13140, 7448, 7452, 0},
    {0, 0, 0, 0, 0},
};
