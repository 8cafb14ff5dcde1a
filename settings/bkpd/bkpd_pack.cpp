#include "settings/bkpd/bkpd_pack.h"

#include <cstring>

#include "settings/bkpd/bkpd_pack_cursor.h"

namespace {

using SectionWriter = void (*)(PackCursor& c, WorkBKPD* work, BKPDHEADER& header);

// The three section writers in block order.
constexpr SectionWriter kSections[] = {BKPD_ExclusiveCreate, BKPD_UiGroupsCreate, BKPD_OtherCreate};

bool Usable(const WorkBKPD* work) { return work != nullptr && work->header != nullptr; }

ULONGLONG CountSection(WorkBKPD* work, SectionWriter writer) {
  if (!Usable(work)) {
    return 0;
  }
  PackCursor counter;
  counter.pos = kBkpdHeaderSize;
  BKPDHEADER scratch{};
  writer(counter, work, scratch);
  return counter.pos - kBkpdHeaderSize;
}

}  // namespace

ULONGLONG GetExclusiveWriteSize(WorkBKPD* work) { return CountSection(work, BKPD_ExclusiveCreate); }
ULONGLONG GetUiGroupsWriteSize(WorkBKPD* work) { return CountSection(work, BKPD_UiGroupsCreate); }
ULONGLONG GetWriteSizeOther(WorkBKPD* work) { return CountSection(work, BKPD_OtherCreate); }

BOOL BKPDGetWriteSize(WorkBKPD* work, DWORD* totalSize) {
  if (!Usable(work) || totalSize == nullptr) {
    return FALSE;
  }
  const ULONGLONG total = kBkpdHeaderSize + GetExclusiveWriteSize(work) + GetUiGroupsWriteSize(work) +
                          GetWriteSizeOther(work);
  if (total > kBkpdMaxSize) {
    return FALSE;  // tagged offsets could not reach the end of the block
  }
  *totalSize = static_cast<DWORD>(total);
  return TRUE;
}

BOOL PackPpdData(LPVOID block, DWORD blockSize, WorkBKPD* work) {
  if (block == nullptr || !Usable(work) || blockSize < kBkpdHeaderSize || blockSize > kBkpdMaxSize) {
    return FALSE;
  }
  auto* bytes = static_cast<BYTE*>(block);
  std::memset(bytes, 0, blockSize);
  PackCursor writer;
  writer.block = bytes;
  writer.pos = kBkpdHeaderSize;
  writer.limit = blockSize;
  BKPDHEADER header{};
  for (SectionWriter section : kSections) {
    section(writer, work, header);
  }
  if (writer.overflow || writer.pos != blockSize) {
    std::memset(bytes, 0, blockSize);
    return FALSE;
  }
  // The version is kept terminated within its 16 characters.
  std::memcpy(header.version, work->header->version, sizeof(header.version) - sizeof(WCHAR));
  header.totalSize = blockSize;
  std::memcpy(bytes, &header, sizeof(header));
  return TRUE;
}
