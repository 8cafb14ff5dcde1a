// The modules' pages seen from the module table. Only the configuration
// library carries the pages (they need the dialog engine): when it loads it
// hands the table what its pages add to each row, and every context built
// after that gets those entries in its copy of the rows. Programs without
// the pages, the rendering library among them, keep the static rows.
#pragma once

#include "features/module_table/custom_table.h"

// What the pages add to one row: each non-null entry takes the place of
// the row's own.
struct CUSTOMPAGEROW {
  CustomBuiltInFunc builtInFunc;
  CustomProcedure procedure;
  CustomFunction function;
};

// rows: kCustomRows rows in table order, kept (not copied) until replaced;
// null drops them again. Contexts already built keep the rows they got.
void RegisterCustomPages(const CUSTOMPAGEROW* rows);

// The static row with what the pages add to it, as a context copies it.
CUSTOMROW WithPages(const CUSTOMROW& row, LONG index);
