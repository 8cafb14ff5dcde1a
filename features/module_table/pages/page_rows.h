// What the configuration library's pages add to the module table's rows.
#pragma once

// Called when the library loads (and by the tests that open pages, as the
// loader would); Unregister when it goes.
void RegisterFeaturePages();
void UnregisterFeaturePages();
