// The captions of the owner-drawn buttons. The picture buttons of the
// pages (2037-2923 below) show their picture alone; the others take the
// string named here, among them the arrow buttons 2502 and 2503 whose
// captions "<" and ">" are drawn as triangles. A button without a row
// shows "...".
#include "ui/engine/painting_tables.h"

const OWNERCTRLSTRING OwnerCtrlStringResource[] = {
    {2037, kNoOwnerCaption}, {2038, kNoOwnerCaption}, {2079, kNoOwnerCaption}, {2080, kNoOwnerCaption},
    {2096, kNoOwnerCaption}, {2097, kNoOwnerCaption}, {2114, kNoOwnerCaption}, {2115, kNoOwnerCaption},
    {2714, kNoOwnerCaption}, {2715, kNoOwnerCaption}, {2922, kNoOwnerCaption}, {2923, kNoOwnerCaption},
    {2003, 13187},           {2002, 13188},           {2140, 13191},           {2143, 13189},
    {2144, 13190},           {2502, 13192},           {2503, 13193},           {2792, 13194},
    {2802, 13195},           {2803, 13196},           {0, 0},
};
