// Shape check of a judge's postfix tokens, shared by the packer and the
// loader so that neither keeps a judge the other would refuse.
#include "settings/bkpd/bkpd_format.h"

DWORD BkpdJudgeTokenCount(const JudgeToken* tokens, DWORD available) {
  if (tokens == nullptr) {
    return 0;
  }
  DWORD depth = 0;
  const DWORD limit = available < kJudgeMaxTokens ? available : kJudgeMaxTokens;
  for (DWORD i = 0; i < limit; ++i) {
    const JudgeToken& t = tokens[i];
    if (t.kind == kJudgeSetting || t.kind == kJudgeConstant) {
      if (++depth > kJudgeMaxDepth) {
        return 0;
      }
      continue;
    }
    if (t.kind != kJudgeOperator || t.value < kJudgeOpEqual || t.value > kJudgeOpEnd) {
      return 0;
    }
    if (t.value == kJudgeOpEnd) {
      return depth == 1 ? i + 1 : 0;
    }
    if (t.value == kJudgeOpNot) {
      if (depth < 1) {
        return 0;
      }
      continue;
    }
    if (depth < 2) {
      return 0;
    }
    --depth;
  }
  return 0;
}
