// The index beside a work description's group list and option lists, so
// that the compiler finds a group by its group id, or by group id and
// sub-group number, and a group's option by its value, in constant time
// however many groups and options the description has. The lists stay what
// they are (order, links); the index only points into them. A part of it
// is built from its list when first needed and again whenever the list was
// changed behind its back (a new head, or a node linked after the last one
// it knows).
//
// The index lives in standard containers: a lookup that has to build or
// grow it may throw std::bad_alloc, which the compiler's handlers turn into
// their no-memory fault. The appends either link and file the node or,
// when memory is short, leave everything as it was.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_work.h"

// Links the group at the end of the group list (its next link must be
// null) and files it; false, with nothing linked, when memory is short.
bool WorkBKPD_AppendGroup(WorkBKPD* work, WorkUiGroup* group);
// The first group in list order with the group id, or null.
WorkUiGroup* WorkBKPD_FirstGroup(WorkBKPD* work, WORD groupId);
// The first group in list order with the group id and sub-group number.
WorkUiGroup* WorkBKPD_FirstGroupOf(WorkBKPD* work, WORD groupId, WORD subGroupId);
// Calls visit(group, context) for each group with the group id, in list
// order, until it returns true; true when one did.
bool WorkBKPD_AnyGroupOf(WorkBKPD* work, WORD groupId, bool (*visit)(const WorkUiGroup*, const void*),
                         const void* context);

// The first option of the group's option list with the value, or null.
WorkOption* WorkBKPD_FindOption(WorkBKPD* work, WorkUiGroup* group, WORD value);
// Links the option at the end of the group's option list (its next link
// must be null) and files it; false, with nothing linked, when memory is
// short.
bool WorkBKPD_AppendOption(WorkBKPD* work, WorkUiGroup* group, WorkOption* option);

// Frees the index (WorkBKPD_Free does); the lists are not touched.
void WorkBKPD_FreeGroupIndex(WorkBKPD* work);
