// Neutral answers until the constraint engine evaluates the description's
// judges: no option is hidden or disabled and no action runs.
#include "settings/constraints/engine_hooks.h"

int BKPDIsHideModeUI(const UiGroup* /*group*/, WORD /*optionValue*/, UCB* /*ucb*/) { return 0; }

int BKPDIsDisableModeUI(const UiGroup* /*group*/, WORD /*optionValue*/, UCB* /*ucb*/) { return 0; }

int BKPDSetActionUI(const UiGroup* /*group*/, UCB* /*ucb*/) { return 0; }
