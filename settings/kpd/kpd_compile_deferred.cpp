// Entry points of the keywords whose compilers are built separately: the
// judges, the constraint definitions and the command trees. Until those
// compilers exist each entry point takes its entry and counts it in the
// compile report; nothing of it reaches the work description.
#include "settings/kpd/kpd_compile_internal.h"

namespace {

KpdFault Defer(KpdCompiler& c, KpdDeferred kind) {
  if (c.report != nullptr) {
    ++c.report->deferred[static_cast<SIZE_T>(kind)];
  }
  return KpdFault::kNone;
}

}  // namespace

KpdFault CommandGroupProc(KpdCompiler& c) { return Defer(c, KpdDeferred::kCommandGroup); }
KpdFault JudgeUiProc(KpdCompiler& c) { return Defer(c, KpdDeferred::kJudge); }
KpdFault ItemUiProc(KpdCompiler& c) { return Defer(c, KpdDeferred::kItem); }
KpdFault ActionUiProc(KpdCompiler& c) { return Defer(c, KpdDeferred::kAction); }
KpdFault TransactUiProc(KpdCompiler& c) { return Defer(c, KpdDeferred::kTransact); }
KpdFault AlertActionUiProc(KpdCompiler& c) { return Defer(c, KpdDeferred::kAlertAction); }
KpdFault AlertUiProc(KpdCompiler& c) { return Defer(c, KpdDeferred::kAlert); }
KpdFault ExclusiveUiProc(KpdCompiler& c) { return Defer(c, KpdDeferred::kExclusive); }
