// The configuration library's boxes offered to the layers below it (the
// storage code's messages, questions and dialogs, the device status query's
// progress window and alert): registered when the library loads and
// withdrawn when it unloads.
#pragma once

void RegisterEngineHooks();
void UnregisterEngineHooks();
