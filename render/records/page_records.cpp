#include "render/records/page_records.h"

#include "render/records/record_write.h"

BYTE* IDlPageStart(JobStream* stream, ULONG width, ULONG height, USHORT xResolution, USHORT yResolution) {
  BYTE* record = idl::NewRecord(stream, kOpPageStart, kPageStartBytes);
  if (record == nullptr) return nullptr;
  StoreLE<ULONG>(record, 4, width);
  StoreLE<ULONG>(record, 8, height);
  StoreLE<USHORT>(record, 12, xResolution);
  StoreLE<USHORT>(record, 14, yResolution);
  return record;
}

BYTE* IDlPageEnd(JobStream* stream) { return idl::NewRecord(stream, kOpPageEnd, kPageEndBytes); }
