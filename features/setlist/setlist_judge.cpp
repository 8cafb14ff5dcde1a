// The conditions of the settings summary applied to its lines.
#include "features/setlist/setlist_judge.h"

#include <algorithm>
#include <span>

#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

template <typename Row>
std::span<const Row> RowsOf(const SETLISTTABLE<Row>& table) {
  if (table.rows == nullptr || table.count <= 0) return {};
  return {table.rows, static_cast<std::size_t>(table.count)};
}

template <typename Row>
const Row* FindLabel(const SETLISTTABLE<Row>& table, WORD label) {
  const auto rows = RowsOf(table);
  const auto it = std::find_if(rows.begin(), rows.end(), [label](const Row& row) { return row.label == label; });
  return it == rows.end() ? nullptr : &*it;
}

}  // namespace

bool SetListJudge::Holds(const SETLISTTEST& test) const {
  if (test.setting == 0) return true;
  return GetDevmodeValueDirectByFuncID(ucb_, test.setting, nullptr) == test.value;
}

bool SetListJudge::SingleHolds(WORD label) const {
  const SETLISTSINGLE* row = FindLabel(conditions_.single, label);
  return row == nullptr || Holds(row->test);
}

bool SetListJudge::DoubleHolds(WORD label) const {
  const SETLISTDOUBLE* row = FindLabel(conditions_.both, label);
  return row == nullptr || (Holds(row->first) && Holds(row->second));
}

bool SetListJudge::OccurrenceHolds(WORD label) {
  if (FindLabel(conditions_.occurrence, label) == nullptr) return true;
  auto counter = std::find_if(reached_.begin(), reached_.end(), [label](const auto& c) { return c.first == label; });
  if (counter == reached_.end()) counter = reached_.insert(reached_.end(), {label, 0});
  const int occurrence = counter->second++;
  for (const SETLISTOCCURRENCE& row : RowsOf(conditions_.occurrence)) {
    if (row.label == label && row.occurrence == occurrence) return Holds(row.first) && Holds(row.second);
  }
  return true;  // past the occurrences listed
}

bool SetListJudge::EitherHolds(WORD label) const {
  const SETLISTEITHER* row = FindLabel(conditions_.either, label);
  return row == nullptr || (Holds(row->first) && (Holds(row->either) || Holds(row->or_)));
}

bool SetListJudge::ByDialogHolds(const SUMMARYLINE& line) const {
  for (const SETLISTBYDIALOG& row : RowsOf(conditions_.byDialog)) {
    if (row.label != line.labelId) continue;
    const TCB* dialog = GetTCBbyTabID(ucb_, row.dialog);
    if (dialog == nullptr || GetICBbyItemID(ucb_, dialog, row.item) == nullptr) continue;
    if (line.shownGroupId == 0 || GetICBbyGroupID(ucb_, dialog, line.shownGroupId) == nullptr) continue;
    return Holds(row.test);
  }
  return true;
}

bool SetListJudge::BySystemHolds(WORD label) const {
  const SETLISTBYSYSTEM* row = FindLabel(conditions_.bySystem, label);
  if (row == nullptr) return true;
  const LONG_PTR value = GetDevmodeValueDirectByFuncID(ucb_, row->setting, nullptr);
  return std::any_of(std::begin(row->values), std::end(row->values),
                     [value](LONG v) { return v != -1 && v == value; });
}

bool SetListJudge::Shown(const SUMMARYLINE& line) {
  const WORD label = line.labelId;
  return SingleHolds(label) && DoubleHolds(label) && OccurrenceHolds(label) && EitherHolds(label) &&
         ByDialogHolds(line) && BySystemHolds(label);
}
