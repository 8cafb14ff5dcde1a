// The undo ring of three DCB images, newest first, each with the UI request
// word of its time, and the copy of the setting records. Every ring entry
// owns its own copies of the DCB's arrays.
#include <algorithm>
#include <iterator>
#include <cstring>

#include "features/custom_modules.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/system/memptr.h"

namespace {

constexpr DWORD kModuleUndoPushed = 26;
constexpr DWORD kModuleUndoRestored = 27;

DCB* Entry(WORKAREA& work, int index) { return reinterpret_cast<DCB*>(work.apUndoRing[index]); }

bool HasRing(const UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pDCB == nullptr) return false;
  const auto& ring = ucb->pWork->apUndoRing;
  return std::all_of(std::begin(ring), std::end(ring), [](const BYTE* e) { return e != nullptr; });
}

// Moves the image into the current DCB: the DCB's own arrays are freed and
// it takes over the entry's, which the entry then no longer holds.
void MoveIntoDcb(DCB* dcb, DCB* entry) {
  FreeDcbArrays(dcb);
  std::memcpy(dcb, entry, sizeof(DCB));
  for (const DcbOwnedArray& array : kDcbOwnedArrays) SetDcbArray(entry, array, {});
}

// True when the font table set aside by the font editor is the table the
// entry holds: the editor first changed the table after the entry was taken.
bool SavedFontTableIsEntrys(const WORKAREA& work, const DCB* entry) {
  const DcbOwnedArray& fontTable = kDcbOwnedArrays[0];
  const DcbArray held = GetDcbArray(entry, fontTable);
  if (work.pSavedFontTable == nullptr || held.entries == nullptr) return false;
  if (work.cSavedFontTable != held.count) return false;
  return std::memcmp(work.pSavedFontTable, held.entries, std::size_t{held.count} * fontTable.entrySize) == 0;
}

void DropSavedFontTable(WORKAREA& work) {
  FreeMemPtr(work.pSavedFontTable);
  work.pSavedFontTable = nullptr;
  work.cSavedFontTable = 0;
  work.fFontTableSaved = 0;
}

void ClearChangedMarks(UCB* ucb) {
  if (ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr) return;
  for (int i = 0; i < ucb->pSFL->count; ++i) ucb->pSFL->pSFCB[i].flags &= static_cast<WORD>(~kSfcbChangedMask);
}

}  // namespace

void BackupPrivateDevmode(UCB* ucb) {
  if (!HasRing(ucb)) return;
  WORKAREA& work = *ucb->pWork;
  // The oldest entry's buffer becomes the newest.
  BYTE* oldest = work.apUndoRing[2];
  FreeDcbArrays(reinterpret_cast<DCB*>(oldest));
  work.apUndoRing[2] = work.apUndoRing[1];
  work.apUndoRing[1] = work.apUndoRing[0];
  work.apUndoRing[0] = oldest;
  work.aRingRequest[2] = work.aRingRequest[1];
  work.aRingRequest[1] = work.aRingRequest[0];
  std::memcpy(oldest, ucb->pDCB, sizeof(DCB));
  CopyDcbArrays(Entry(work, 0), ucb->pDCB);  // an array that cannot be copied is kept empty
  work.aRingRequest[0] = work.dwRequest;
  KesmCustomFunction(ucb, kModuleUndoPushed, nullptr);
}

void RestorePrivateDevmode(UCB* ucb, BOOL restore) {
  if (!HasRing(ucb)) return;
  WORKAREA& work = *ucb->pWork;
  if (restore) {
    if (SavedFontTableIsEntrys(work, Entry(work, 0))) DropSavedFontTable(work);
    MoveIntoDcb(ucb->pDCB, Entry(work, 0));
    work.dwRequest = work.aRingRequest[0];
    work.fChanged = 0;
    ClearChangedMarks(ucb);
    KesmCustomFunction(ucb, kModuleUndoRestored, nullptr);
  } else {
    DropSavedFontTable(work);
  }
  // Entries 1 and 2 move up; the third keeps its image, as a copy of its own.
  BYTE* newest = work.apUndoRing[0];
  FreeDcbArrays(reinterpret_cast<DCB*>(newest));
  work.apUndoRing[0] = work.apUndoRing[1];
  work.apUndoRing[1] = work.apUndoRing[2];
  work.apUndoRing[2] = newest;
  std::memcpy(newest, work.apUndoRing[1], sizeof(DCB));
  CopyDcbArrays(Entry(work, 2), Entry(work, 1));
  work.aRingRequest[0] = work.aRingRequest[1];
  work.aRingRequest[1] = work.aRingRequest[2];
}

SFL* BackupSFCB(UCB* ucb) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr) return nullptr;
  const SFL& list = *ucb->pSFL;
  const std::size_t records = list.count > 0 ? static_cast<std::size_t>(list.count) : 0;
  auto* copy = static_cast<SFL*>(GetMemPtr(sizeof(SFL) + sizeof(SFCB) * records));
  if (copy == nullptr) return nullptr;
  copy->count = list.count;
  copy->pSFCB = reinterpret_cast<SFCB*>(copy + 1);
  std::memcpy(copy->pSFCB, list.pSFCB, sizeof(SFCB) * records);
  return copy;
}

void RestoreSFCB(UCB* ucb, SFL* copy) {
  if (copy == nullptr) return;
  if (ucb != nullptr && ucb->pSFL != nullptr && ucb->pSFL->pSFCB != nullptr) {
    const int records = std::min(ucb->pSFL->count, copy->count);
    if (records > 0) std::memcpy(ucb->pSFL->pSFCB, copy->pSFCB, sizeof(SFCB) * static_cast<std::size_t>(records));
  }
  FreeMemPtr(copy);
}
