// Everything of the graphics engine a driver sees: its objects, its
// services and the driver interface's types, in one include.
#pragma once

#include "platform/base/winerror.h"
#include "platform/engine/eng_module.h"
#include "platform/engine/eng_printer.h"
#include "platform/engine/eng_semaphore.h"
#include "platform/engine/objects/brushobj.h"
#include "platform/engine/objects/clipobj.h"
#include "platform/engine/objects/ddi_types.h"
#include "platform/engine/objects/devcaps.h"
#include "platform/engine/objects/fontobj.h"
#include "platform/engine/objects/pathobj.h"
#include "platform/engine/objects/strobj.h"
#include "platform/engine/objects/surfobj.h"
#include "platform/engine/objects/xformobj.h"
#include "platform/engine/objects/xlateobj.h"
#include "platform/engine/raster/engraster.h"
#include "platform/runtime/winmem.h"
#include "platform/spooler/devmode.h"
#include "platform/runtime/wintime.h"
#include "platform/text/codepage.h"
