// The script driver: a test's steps, run one per idle call of whatever modal
// loop runs (message boxes, dialogs, sheets, the script's own loop), as a
// person would act: click(window) moves the cursor, presses and releases
// the button through the real routing; key(vk) and type(text) go to the
// focus window; wait(ms) moves the held clock on; answerBox presses a
// button of an open message box; pickMenu picks from an open popup menu; check runs the test's own assertions at
// that point. A script that runs out while a modal loop still runs fails,
// naming the loop's window (or the box's text), and every loop is abandoned
// so the test ends at once; so does a script past its budgets.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/input_control.h"
#include "platform/window/modal_loop.h"

namespace plat::window {

// A window a step acts on, found when the step runs (a dialog's controls do
// not exist when the script is written).
class WindowRef {
 public:
  WindowRef(HWND hwnd);  // NOLINT: a handle is a reference
  // The top-level window with this text (and class, when given).
  static WindowRef Top(std::u16string text, std::u16string className = u"");
  // The child of another window with this id.
  static WindowRef Item(WindowRef parent, int id);
  // The focus window when the step runs.
  static WindowRef Focus();
  // The page a property sheet shows when the step runs (script_sheets.cpp).
  static WindowRef Page(WindowRef sheet);
  // The window find gives when the step runs; name says what it looks for.
  static WindowRef Found(std::string name, std::function<HWND()> find);
  HWND Resolve() const;
  const std::string& name() const { return name_; }

 private:
  WindowRef(std::function<HWND()> find, std::string name) : find_(std::move(find)), name_(std::move(name)) {}
  std::function<HWND()> find_;
  std::string name_;
};

// The Alt key among a script step's modifiers (the value Windows gives it
// in drag-and-drop key states).
inline constexpr WPARAM MK_ALT = 0x0020;

class Script {
 public:
  // Becomes the thread's idle hook for its life.
  Script();
  virtual ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // Presses and releases a mouse button at the centre of the window's client
  // area (or at a client point), with MK_SHIFT and MK_CONTROL held as asked.
  Script& click(WindowRef target, MouseButton button = MouseButton::kLeft, WPARAM modifiers = 0);
  Script& clickAt(WindowRef target, POINT client, MouseButton button = MouseButton::kLeft, WPARAM modifiers = 0);
  // Presses and releases a key with MK_SHIFT, MK_CONTROL and MK_ALT held
  // as asked.
  Script& key(UINT virtualKey, WPARAM modifiers = 0);
  Script& type(std::u16string_view text);
  Script& wait(DWORD milliseconds);
  // Presses the button of the innermost open message box whose text holds
  // `text` (any box for an empty text), or whose text is a string of a module.
  Script& answerBox(std::u16string text, int button);
  Script& answerBox(HINSTANCE module, UINT stringId, int button);
  // Picks an item of the open popup menu by its id; 0 dismisses the menu.
  Script& pickMenu(UINT id);
  // Runs the test's own assertions at this point; `what` names them.
  Script& check(std::string what, std::function<void()> step);

  // The standard controls as a person works them, each with the mouse:
  // drops a combo box and clicks its item `index`; clicks item `index` of a
  // list box (which must be shown); clicks the part of a scroll bar that
  // asks for SB_LINEUP, SB_LINEDOWN, SB_PAGEUP or SB_PAGEDOWN; clicks a
  // check box or radio button unless it is checked already; clicks an edit,
  // selects all its text and types `value` over it.
  Script& pick(WindowRef combo, int index);
  Script& select(WindowRef list, int index);
  Script& scroll(WindowRef bar, WORD code);
  // Takes a scroll bar's thumb with the mouse and drags it to where it
  // tells `position`, then lets go.
  Script& dragThumb(WindowRef bar, int position);
  Script& check(WindowRef control);
  Script& text(WindowRef edit, std::u16string value);

  // Property sheets and tab controls (script_sheets.cpp): clicks tab
  // `index` of a tab control or of a sheet's tabs; clicks a sheet's button
  // IDOK, IDCANCEL, IDHELP or IDC_APPLYNOW (prsht.h), which must be shown
  // and enabled.
  Script& tab(WindowRef sheet, int index);
  Script& press(WindowRef sheet, int button);
  // The open file dialog (the active window with a file-name edit and a
  // file list), worked as a person would: a path or name typed into the
  // name edit, or names clicked in the file list as it shows them; then
  // its OK button is clicked.
  Script& chooseFile(std::u16string pathOrName);
  Script& chooseFile(std::vector<std::u16string> names);

  // The common controls as a person works them (script_commctrl.cpp):
  // clicks the cell of a list view's item `item` in column `column` (which
  // must be shown), twice for a double click; picks a tree view's node by
  // the texts on its path from a root, opening closed nodes on the way by
  // their boxes (or by a double click where there is no box) and then
  // clicking its label; drags a trackbar's thumb until it stands at
  // `position`; clicks a trackbar's channel beside the thumb for TB_PAGEUP
  // or TB_PAGEDOWN.
  Script& listView(WindowRef list, int item, int column = 0, bool doubleClick = false);
  Script& pickNode(WindowRef tree, std::vector<std::u16string> path);
  Script& slide(WindowRef trackbar, int position);
  Script& pageTrack(WindowRef trackbar, WORD code);

  // Input a person holds (script_hold.cpp): moves the cursor over the
  // centre of a window's client area (or a client point) without pressing
  // anything; presses a mouse button there and keeps it down; lets a held
  // button go wherever the cursor is then; presses a key and keeps it down
  // (the focus window gets WM_KEYDOWN); lets it go. A held button routes
  // the cursor's moves to the window that took the capture.
  Script& hover(WindowRef target);
  Script& hoverAt(WindowRef target, POINT client);
  Script& hold(WindowRef target, MouseButton button = MouseButton::kLeft);
  Script& holdAt(WindowRef target, POINT client, MouseButton button = MouseButton::kLeft);
  Script& release(MouseButton button = MouseButton::kLeft);
  Script& holdKey(UINT virtualKey);
  Script& releaseKey(UINT virtualKey);

  // A step that chooses what comes next as it runs, from what the screen
  // shows then (script_decide.cpp): the steps `next` adds to the script run
  // before those queued after this one.
  Script& decide(std::function<void(Script&)> next);

  // Limits: idle calls (steps and waits for them) and messages dispatched.
  Script& budget(std::size_t idleCalls, std::size_t messages);

  // Runs an application loop until every step has run; false when the
  // script failed.
  bool run();
  bool done() const { return steps_.empty(); }
  const std::vector<std::string>& failures() const { return failures_; }

 protected:
  // Runs one check; a test framework may wrap it (to name it in failures).
  virtual void RunCheck(const std::string& what, const std::function<void()>& step);

 private:
  using Step = std::function<bool()>;  // false: the step failed
  Script& add(Step step);
  void addFront(std::vector<Step> steps);
  void fail(std::string text);
  void pressAndRelease(HWND window, POINT client, MouseButton button, WPARAM modifiers);
  // A step that acts at a window's client point (its centre for none),
  // failing with the step's name when the window is gone.
  Script& atPoint(const char* step, WindowRef target, std::optional<POINT> client, std::function<void(POINT)> act);
  static LoopAnswer OnIdle(void* context, const LoopInfo& loop);
  static LoopAnswer OnMessage(void* context, const LoopInfo& loop, const MSG& msg);

  std::deque<Step> steps_;
  std::vector<std::string> failures_;
  bool abandoned_ = false;
  bool ownLoop_ = false;
  std::size_t idleCalls_ = 0;
  std::size_t messages_ = 0;
  std::size_t idleBudget_ = 10000;
  std::size_t messageBudget_ = 200000;
  IdleHook previous_;
  bool clockWasHeld_ = false;
};

}  // namespace plat::window
