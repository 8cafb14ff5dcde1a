// Opening the description of a printer: the process list first, then the
// cache file, then the text.
#include <memory>
#include <mutex>
#include <type_traits>

#include "platform/text/wintext.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/kpd/kpd_compile.h"
#include "settings/system/memptr.h"
#include "storage/system/section_lock.h"

namespace {

struct MemDeleter {
  void operator()(void* block) const { FreeMemPtr(block); }
};
using WideCopy = std::unique_ptr<WCHAR, MemDeleter>;
using BlockCopy = std::unique_ptr<BYTE, MemDeleter>;

constexpr int kVersionChars = 16;

// One load or compile at a time in the process: a thread that waited finds
// the description its predecessor listed instead of building it again. The
// guard is constant-initialized and never destroyed (its destructor does
// nothing), so that a detach after static destruction still finds it and
// an unloaded library leaves no block behind.
static_assert(std::is_trivially_destructible_v<std::mutex>);
std::mutex& BuildGuard() {
  static constinit std::mutex guard;
  return guard;
}

LPCWSTR DriverVersion(const UCB* ucb) {
  const DP* dp = ucb != nullptr && ucb->pDP != nullptr ? ucb->pDP : &fgDP;
  return dp->pszDriverVersion;
}

bool SameVersion(LPCWSTR a, LPCWSTR b) { return a != nullptr && b != nullptr && lstrcmpiW(a, b) == 0; }

// The cache file's block when it may be used. Otherwise null, and *save
// tells whether a block compiled now may replace the cache: not when the
// text has no version or one other than the driver's. A cache that was read
// but not taken (other version, refused by the loader) is deleted.
PCBKPD TakeCache(const UCB* ucb, LPCWSTR dataFile, bool* save) {
  DWORD size = 0;
  BlockCopy cache(GetBinaryPpdData(dataFile, &size));
  if (cache == nullptr) return nullptr;
  WCHAR textVersion[kVersionChars] = {};
  GetKPDVersion(dataFile, textVersion);
  if (textVersion[0] == 0) {
    *save = false;
    return nullptr;
  }
  const bool driversOwn = SameVersion(textVersion, DriverVersion(ucb));
  *save = driversOwn;
  PCBKPD loaded = UnpackPpdData(cache.get(), size);
  if (driversOwn && loaded != nullptr && SameVersion(textVersion, BkpdVersion(loaded))) {
    cache.release();  // the block is the copy itself
    return loaded;
  }
  BKPDFileDelete(dataFile);
  return nullptr;
}

}  // namespace

PCBKPD BKPDabsCreate(UCB* ucb, LPCWSTR dataFile, BOOL save) {
  // A compile that ran out of memory anywhere gives no description, never
  // one missing a part.
  WorkBKPD* work = WorkBKPD_Create(dataFile);
  if (work == nullptr) return nullptr;
  DWORD size = 0;
  BlockCopy block;
  if (BKPDGetWriteSize(work, &size)) block.reset(static_cast<LPBYTE>(GetMemPtr(size)));
  const bool packed = block != nullptr && PackPpdData(block.get(), size, work);
  WorkBKPD_Free(work);
  // The block is checked like a cache file before it is used or saved, so
  // that nothing the loader would refuse is ever written.
  PCBKPD bkpd = packed ? UnpackPpdData(block.get(), size) : nullptr;
  if (bkpd == nullptr) return nullptr;
  block.release();
  if (save && (ucb == nullptr || SameVersion(DriverVersion(ucb), BkpdVersion(bkpd)))) {
    SaveBKPDData(bkpd, dataFile);
  }
  return bkpd;
}

PCBKPD BKPDCreate(UCB* ucb) {
  ScopedSection section(ucb);
  const WideCopy dataFile(GetDataFileName(ucb != nullptr ? ucb->hPrinter : nullptr));
  if (dataFile == nullptr) return nullptr;
  if (PCBKPD listed = GetTargetBkpd(dataFile.get())) return listed;
  std::lock_guard build(BuildGuard());
  if (PCBKPD listed = GetTargetBkpd(dataFile.get())) return listed;
  bool save = true;
  PCBKPD bkpd = TakeCache(ucb, dataFile.get(), &save);
  if (bkpd == nullptr) bkpd = BKPDabsCreate(ucb, dataFile.get(), save ? TRUE : FALSE);
  return SetTargetBkpd(bkpd, dataFile.get());
}

int BKPDInit(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return -1;
  WORKAREA& work = *ucb->pWork;
  FreeMemPtr(work.pJudgeStack);
  work.pJudgeStack = static_cast<LONG*>(GetMemPtr(sizeof(LONG) * kJudgeStackEntries));
  work.wJudgeStackCount = 0;
  return work.pJudgeStack != nullptr ? 0 : -1;
}

void BKPDEnd(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  FreeMemPtr(ucb->pWork->pJudgeStack);
  ucb->pWork->pJudgeStack = nullptr;
  ucb->pWork->wJudgeStackCount = 0;
}
