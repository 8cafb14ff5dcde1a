// The two things written from the definitions: the layout tables (C++
// source of the tab and item records) and the dialog templates (a resource
// script of DIALOGEX statements for the resource compiler).
#pragma once

#include <string>
#include <vector>

#include "tools/kesmdlg/checks.h"
#include "tools/kesmdlg/definition.h"

namespace kesmdlg {

// Dialogs with a group are the tab records, in the order given; each one's
// items follow in control-id order.
std::string TablesSource(const std::vector<Dialog>& dialogs);

// Every dialog's template; texts given by string id are written out.
std::string TemplatesScript(const std::vector<Dialog>& dialogs, const Resources& resources);

}  // namespace kesmdlg
