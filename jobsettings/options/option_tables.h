// The installable options of the device (trays, memory, finishers, cover
// feeder, booklet finisher, folding unit) as static, read-only tables: which
// options need another one, which printer-wide settings change when an
// option is switched on or off, which output destinations each finisher
// brings, and where each option sits in the printer picture. Every model
// shares the same tables.
#pragma once

#include "platform/base/wintypes.h"

// A {setting, value} pair of a switch list; a zero function id ends a list.
struct OptionSetting {
  DWORD funcId;
  DWORD value;
};

// An entry of a required list: the function id of a required option and
// the name string id of its record; a zero function id ends the list.
struct OptionRequirement {
  DWORD funcId;
  DWORD nameId;
};

// One installable option. It is installed while its setting holds the
// installed value and, when a second setting is given, that one holds the
// second value too. A record whose name id is 0 ends the table.
struct OptionInfo {
  DWORD nameId;       // name string id, also the record's key
  DWORD funcId;       // the option's printer-wide setting
  DWORD onValue;      // the value that means installed
  DWORD secondFuncId; // 0: none
  DWORD secondValue;
  const OptionSetting* lock;           // no option of this device is ever locked
  const OptionRequirement* required;   // at least one of these must be installed
  const OptionSetting* switchOn;       // applied when the option is switched on
  const OptionSetting* switchOff;      // applied when the option is switched off
  DWORD trayFlag;     // switching it changes the trays
  DWORD repaintFlag;  // switching it changes other options
};

// The finisher destinations: an option and the output destination it
// brings, one for ordinary kinds and one for blank sheets (-1: none). A row
// whose id is -1 ends the table.
struct FinDest {
  SHORT funcId;
  SHORT dest;
  SHORT blankDest;
};
inline constexpr DWORD kFinKindBlank = 0x20;

// A picture of a related option drawn shifted with a region's option; a
// zero function id ends a list.
struct RelatedShift {
  DWORD funcId;
  LONG dx;
  LONG dy;
};

// A region of the printer picture. A record of zeros ends a table.
struct HitTestRegion {
  DWORD kind;  // 144 in every region
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
  WORD funcId;  // 0: no option
  WORD nameId;
  DWORD secondFuncId;
  DWORD reserved;
  const RelatedShift* related;
};

// A machine's two code values for the DEVMODE defaults and the status
// mapping. A machine id of 0 ends the table.
struct MachineCodes {
  WORD machineId;
  WORD reserved;
  WORD first;
  WORD second;
};

// The tables, each ended as its record says.
const OptionInfo* GetOptionInfo(DWORD machine);
const HitTestRegion* GetHitTestDataInput(DWORD machine);
const HitTestRegion* GetHitTestDataOutput(DWORD machine);
const FinDest* GetFinInfo();
const MachineCodes* GetMachineCodes();
// The device punch codes of the punch units, ended by 0.
const WORD* GetPunchUnitCodes();

// The record of the name string id, or null.
const OptionInfo* GetOptionInfoByStringID(DWORD nameId, DWORD machine);
// 1 when some finisher row brings the destination: its blank-sheet column
// for the blank kind, its ordinary column for any other kind; else 0.
BOOL IsFinDEST(LONG dest, DWORD kind);
