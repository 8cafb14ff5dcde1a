// Marks a deliverable's entry points. Both driver libraries are compiled with
// hidden symbols, so a function is visible to the loader (the spooler's
// GetProcAddress, the engine's DrvEnableDriver lookup) only when it carries
// this mark. Entry points keep their undecorated C names, as a module
// definition file would export them.
#pragma once

#define KESM_EXPORT extern "C" __attribute__((visibility("default")))
