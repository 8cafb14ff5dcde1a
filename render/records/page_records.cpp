#include "render/records/page_records.h"

#include <cstring>

#include "render/spool/job_stream.h"
#include "settings/system/unaligned.h"

BYTE* IDlPageStart(JobStream* stream, ULONG width, ULONG height, USHORT xResolution, USHORT yResolution) {
  BYTE* record = dl_alloc(stream, kPageStartBytes);
  if (record == nullptr) return nullptr;
  std::memset(record, 0, kPageStartBytes);
  record[0] = kOpPageStart;
  StoreLE<ULONG>(record, 4, width);
  StoreLE<ULONG>(record, 8, height);
  StoreLE<USHORT>(record, 12, xResolution);
  StoreLE<USHORT>(record, 14, yResolution);
  return record;
}

BYTE* IDlPageEnd(JobStream* stream) {
  BYTE* record = dl_alloc(stream, kPageEndBytes);
  if (record == nullptr) return nullptr;
  std::memset(record, 0, kPageEndBytes);
  record[0] = kOpPageEnd;
  return record;
}
