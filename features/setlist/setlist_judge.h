// Which lines of a settings summary are shown. A judge is used for one
// pass over one summary's lines, in their order: the occurrence tables
// count the lines that reach them.
#pragma once

#include <utility>
#include <vector>

#include "features/setlist/setlist_conditions.h"
#include "settings/tables/class_data.h"

struct UCB;

class SetListJudge {
 public:
  SetListJudge(const UCB* ucb, const SETLISTCONDITIONS& conditions) : ucb_(ucb), conditions_(conditions) {}
  // The tables in their order; the first that names the line and fails
  // hides it, and the tables after it are not asked (their counters stay).
  bool Shown(const SUMMARYLINE& line);

 private:
  bool Holds(const SETLISTTEST& test) const;
  bool SingleHolds(WORD label) const;
  bool DoubleHolds(WORD label) const;
  bool OccurrenceHolds(WORD label);
  bool EitherHolds(WORD label) const;
  bool ByDialogHolds(const SUMMARYLINE& line) const;
  bool BySystemHolds(WORD label) const;

  const UCB* ucb_;
  const SETLISTCONDITIONS& conditions_;
  std::vector<std::pair<WORD, int>> reached_;  // label, lines that reached its occurrence table
};
