// The options of an item's UI group as the text, picture and icon items
// show them. Internal to ui/engine/kinds/.
#pragma once

#include <vector>

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// The option ids of the item's group in their order, up to the first 0,
// leaving out those whose hide judge holds; empty without a group.
std::vector<WORD> VisibleOptions(UCB* ucb, const ICB* icb);
// What a picture or icon shows: for a PickOne group whose item drives no
// other control only the visible option that equals the item's value,
// otherwise every visible option.
std::vector<WORD> PicturedOptions(UCB* ucb, const ICB* icb);
