// The paper ids of the free sizes and the unit conversions of the free-size
// page; both libraries have them.
#include <array>

#include "settings/context/context_block.h"
#include "storage/stores/freesize_store.h"

namespace {

struct FreeSizePaper {
  int entry;
  WORD paperId;
};

// FreeSize_ID_Table: the ten stored sizes, the DEVMODE's user size and the
// print size.
constexpr std::array<FreeSizePaper, kFreeSizePaperIds> kPapers = {{
    {0, 384}, {1, 385}, {2, 386}, {3, 387}, {4, 388}, {5, 389},
    {6, 390}, {7, 391}, {8, 392}, {9, 393}, {10, kPaperUser}, {11, kPaperPrintFreeSize},
}};
static_assert(kPapers[9].paperId == kFreeSizePaperLast);

}  // namespace

int ReadFreesizeCount(const UCB*) { return kFreeSizeEntries; }

int GetFreeSizeRegistNumEx(const UCB* ucb) { return ReadFreesizeCount(ucb); }

int GetFreeSizeRegistNum(const UCB* ucb) { return ReadFreesizeCount(ucb) + 2; }

BOOL IsFreeSizePaperIDByRegist(WORD paperId) {
  return paperId >= kFreeSizePaperFirst && paperId <= kFreeSizePaperLast;
}

WORD GetFreeSizePaperID2(int entry, int count, const UCB*) {
  if (count < entry) return 0;
  for (int i = 0; i < count && i < kFreeSizePaperIds; ++i) {
    if (kPapers[static_cast<std::size_t>(i)].entry == entry) return kPapers[static_cast<std::size_t>(i)].paperId;
  }
  return 0;
}

int GetFreeSizePaperNum(WORD paperId, UCB*, int* position) {
  int i = 0;
  while (i < kFreeSizePaperIds && kPapers[static_cast<std::size_t>(i)].paperId != paperId) ++i;
  if (position != nullptr) *position = i;
  return i < kFreeSizePaperIds ? kPapers[static_cast<std::size_t>(i)].entry : -1;
}

LONG ConvertINCHtoMM(LONG value) {
  long long mm = static_cast<long long>(value) * 254 / 100;
  while (mm * 100 / 254 < value) ++mm;
  return static_cast<LONG>(mm);
}

LONG ConvertMMtoINCH(LONG value) { return static_cast<LONG>(static_cast<long long>(value) * 100 / 254); }
