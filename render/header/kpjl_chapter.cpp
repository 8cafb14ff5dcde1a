// The chapter plan of the job header: which trays the chapters print from,
// whether each prints on both sides, and per chapter its first page and how
// it starts.
#include <algorithm>

#include "features/chapter_blocks.h"
#include "render/header/kpjl_callbacks.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncDuplex = 58;
constexpr WORD kFuncChapterTrayMax = 832;
constexpr WORD kFuncChapterNum = 833;
constexpr WORD kFuncChapterTray = 840;

constexpr BYTE kModeDuplex = 1;
constexpr BYTE kModeCopy1 = 1;
constexpr BYTE kModeCopy2 = 2;

constexpr std::size_t kNameBytes = 32;

struct Tray {
  SHORT tray;
  BYTE mode;
};

// The chapters as the blocks give them and the distinct trays of the
// chapters that do not break, in the order first met.
struct ChapterPlan {
  MemBlock<CHAPTERBLOCK> chapters;
  LONG chapterCount = 0;
  MemBlock<Tray> trays;
  LONG trayCount = 0;
  LONG trayLimit = 0;

  // The 1-based position of the tray among the distinct trays. A tray that
  // did not fit into the list is sent to the first chapter tray.
  LONG Position(SHORT tray) const {
    for (LONG i = 0; i < trayCount; ++i) {
      if (trays.get()[i].tray == tray) return i + 1;
    }
    return 1;
  }
};

bool Collect(UCB* ucb, LONG chapters, LONG trayLimit, ChapterPlan& plan) {
  plan.chapters = NewMemBlock<CHAPTERBLOCK>(static_cast<SIZE_T>(chapters));
  plan.trays = NewMemBlock<Tray>(static_cast<SIZE_T>(trayLimit));
  if (!plan.chapters || !plan.trays) return false;
  plan.trayLimit = trayLimit;
  for (LONG i = 0; i < chapters; ++i) {
    const CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb, i);
    if (block == nullptr) break;
    plan.chapters.get()[plan.chapterCount++] = *block;
    if (block->breakFlag != 0) continue;
    Tray* end = plan.trays.get() + plan.trayCount;
    Tray* found = std::find_if(plan.trays.get(), end, [&](const Tray& t) { return t.tray == block->tray; });
    if (found != end) {
      if (block->mode != 0) found->mode = block->mode;
    } else if (plan.trayCount < plan.trayLimit) {
      *end = {block->tray, block->mode};
      ++plan.trayCount;
    }
  }
  return true;
}

void Line(LPCSTR word, LONG number, LPCSTR value, HeaderSink* sink) {
  char name[kNameBytes];
  MakeiKPJLVariable(name, sizeof(name), word, number);
  MakeiKPJLCommand(name, value, sink);
}

}  // namespace

int iKPJLCBChapterPrint(LONG_PTR value, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  const UiBooleanValue* pair = BkpdBooleanValue(ucb->pBKPD, group);
  if (pair == nullptr) return 1;
  if (LPCSTR text = BkpdAnsi(ucb->pBKPD, value != 0 ? pair->trueCommand : pair->falseCommand); text != nullptr) {
    CommandSizeProc(ucb->pBKPD, group, text, HeaderText::kDescription, sink);
  }
  if (value == 0) return 1;
  const auto chapters = static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterNum, nullptr));
  const auto trayLimit = static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterTrayMax, nullptr));
  if (chapters <= 0 || trayLimit <= 0) return 1;
  ChapterPlan plan;
  if (!Collect(ucb, chapters, trayLimit, plan)) return 1;

  const bool duplex = GetDevmodeValueDirectByFuncID(ucb, kFuncDuplex, nullptr) != 0;
  for (LONG i = 0; i < plan.trayCount; ++i) {
    const Tray& tray = plan.trays.get()[i];
    Line("CHAPTERPRINTTRAY", i + 1, GetiKPJLValueByFuncID(ucb, kFuncChapterTray, tray.tray), sink);
    Line("CHAPTERPRINTDUPLEX", i + 1, duplex && tray.mode == kModeDuplex ? "ON" : "OFF", sink);
  }
  for (LONG j = 0; j < plan.chapterCount; ++j) {
    const CHAPTERBLOCK& chapter = plan.chapters.get()[j];
    char page[16];
    MakeiKPJLVariable(page, sizeof(page), "", chapter.page);
    Line("CHAPTERPAGENUMBER", j + 1, page, sink);
    if (chapter.breakFlag != 0) {
      Line("CHAPTERPAGE", j + 1, "BREAK", sink);
      continue;
    }
    Line("CHAPTERPAGE", j + 1, chapter.mode == kModeCopy1 || chapter.mode == kModeCopy2 ? "COPY" : "BLANK", sink);
    char tray[kNameBytes];
    MakeiKPJLVariable(tray, sizeof(tray), "CHAPTERPRINTTRAY", plan.Position(chapter.tray));
    Line("CHAPTERPAGETRAY", j + 1, tray, sink);
  }
  return 1;
}
