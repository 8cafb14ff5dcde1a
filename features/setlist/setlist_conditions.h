// When a line of the settings summary is shown: six tables keyed by the
// line's label, asked in a fixed order. Values are the settings' stored
// values.
#pragma once

#include "platform/base/wintypes.h"

// One test of a setting's stored value; setting 0 is no test.
struct SETLISTTEST {
  WORD setting;
  LONG value;
};

// Shown only when the setting holds the value.
struct SETLISTSINGLE {
  WORD label;
  SETLISTTEST test;
};

// Shown only when both hold.
struct SETLISTDOUBLE {
  WORD label;
  SETLISTTEST first;
  SETLISTTEST second;
};

// The occurrence-th line with the label (counted over the lines that get
// this far) is shown only when both tests hold (second may be none). Lines
// past the occurrences listed are shown. Rows of one label are adjacent.
struct SETLISTOCCURRENCE {
  WORD label;
  WORD occurrence;
  SETLISTTEST first;
  SETLISTTEST second;
};

// Shown only when the first holds and one of the other two does.
struct SETLISTEITHER {
  WORD label;
  SETLISTTEST first;
  SETLISTTEST either;
  SETLISTTEST or_;
};

// The first row whose dialog holds the item and an item of the line's shown
// group decides by its test; a line no row matches is shown.
struct SETLISTBYDIALOG {
  WORD label;
  WORD dialog;
  WORD item;
  SETLISTTEST test;
};

// Shown only when the setting holds one of the values (-1: none).
struct SETLISTBYSYSTEM {
  WORD label;
  WORD setting;
  LONG values[4];
};

template <typename Row>
struct SETLISTTABLE {
  LONG count;
  const Row* rows;
};

// The six tables in the order they are asked.
struct SETLISTCONDITIONS {
  SETLISTTABLE<SETLISTSINGLE> single;
  SETLISTTABLE<SETLISTDOUBLE> both;
  SETLISTTABLE<SETLISTOCCURRENCE> occurrence;
  SETLISTTABLE<SETLISTEITHER> either;
  SETLISTTABLE<SETLISTBYDIALOG> byDialog;
  SETLISTTABLE<SETLISTBYSYSTEM> bySystem;
};

extern const SETLISTCONDITIONS kSetListConditions;
