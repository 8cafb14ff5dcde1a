// The class registry: application classes (local to their instance, or
// global), and the system classes of the machine, registered from one table
// (system_classes.cpp) on first use. Internal to platform/window/.
#pragma once

#include <memory>

#include "platform/window/window_object.h"

namespace plat::window {

// One system class: its name, class style, procedure, extra window bytes,
// cursor (a system cursor id) and background (a system colour index + 1, or
// 0 for none). A control class fills its procedure here.
struct SystemClassRow {
  const char16_t* name;
  WORD atom;  // the class's fixed atom ("#32770" is 32770), or 0
  UINT style;
  WNDPROC proc;
  int wndExtra;
  WORD cursor;
  int background;
};
struct SystemClassTable {
  std::size_t count;
  const SystemClassRow* rows;
};
SystemClassTable SystemClasses();

// The class a window of (name or atom, instance) is made of: a local class
// of that instance, else a global class, else a system class. Null (last
// error ERROR_CANNOT_FIND_WND_CLASS) when there is none.
std::shared_ptr<WindowClass> FindClass(LPCWSTR name, HINSTANCE instance);

// Forgets every application class (for a test's fresh start).
void UnregisterApplicationClasses();

}  // namespace plat::window
