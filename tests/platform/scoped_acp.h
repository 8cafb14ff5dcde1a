// Runs a test under a chosen process ANSI code page and restores the old one.
#pragma once

#include "platform/text/codepage.h"
#include "platform/base/control.h"

class ScopedAnsiCodePage {
 public:
  explicit ScopedAnsiCodePage(UINT cp) : previous_(GetACP()) { plat::SetAnsiCodePage(cp); }
  ~ScopedAnsiCodePage() { plat::SetAnsiCodePage(previous_); }
  ScopedAnsiCodePage(const ScopedAnsiCodePage&) = delete;
  ScopedAnsiCodePage& operator=(const ScopedAnsiCodePage&) = delete;

 private:
  UINT previous_;
};
