// The steps of a kesmsheet script, one a line, as a person works a sheet:
//   tab N              click tab N of the sheet (0 the first)
//   click ID           click the control ID of the dialog open over the sheet,
//                      else of the page shown (or of the sheet)
//   pick ID N          click item N of the list box or list view ID, or drop
//                      the combo box ID and click its item N
//   type ID TEXT       click the edit ID, select its text and type TEXT over it
//   check ID           click the check box or radio button ID unless it is checked
//   answer TEXT BUTTON press BUTTON (OK, Cancel, Yes, No, Abort, Retry, Ignore or
//                      a number) of the open message box whose text holds TEXT
//   ok, cancel         press the sheet's OK or Cancel button
//   shot NAME          write a picture of the window in front (the sheet or
//                      the dialog open over it) as NAME.png into the --shots
//                      folder; NAME holds letters, digits, '-' and '_'
// Steps work the window in front: a dialog open over the sheet, or the
// page shown of a sheet (the main one or a nested one). A step may name
// its window first, where control ids repeat or the window is not in front:
//   in 1032: type 2452 Draft    the dialog, or the page of a sheet, made
//                               from template 1032
//   in "Fonts": click 2386      the window, or the sheet page, of that
//                               caption (a sheet's page by its tab's title)
// A list a click left dropped is folded before another control is worked.
// Blank lines and lines starting with '#' are passed over. A script is
// UTF-8 text: a line with other bytes or control characters is refused.
#pragma once

#include <string>
#include <vector>

namespace kesmsheet {

enum class StepKind { kTab, kClick, kPick, kType, kCheck, kAnswer, kOk, kCancel, kShot };

struct Step {
  StepKind kind;
  int id = 0;        // the control (tab, click, pick, type, check)
  int number = 0;    // tab N, pick's item, answer's button
  std::string text;  // type's text, answer's box text (UTF-8), shot's name
  int line = 0;
  // The window the step names ("in ...:"); neither set: the one in front.
  int windowId = 0;         // a dialog's template id
  std::string windowTitle;  // a window's caption or a sheet page's title (UTF-8)
};

// The steps of a script's text; false with "line N: why" for the first
// line that is not a step.
bool ParseScript(const std::string& text, std::vector<Step>& steps, std::string& error);

// True when the step ends the sheet (ok, cancel) in front of the script's
// main sheet: a step that names a window ends that window only.
inline bool EndsSheet(const Step& step) {
  return (step.kind == StepKind::kOk || step.kind == StepKind::kCancel) && step.windowId == 0 &&
         step.windowTitle.empty();
}

}  // namespace kesmsheet
