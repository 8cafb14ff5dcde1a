// The static setting table: one record (SFCB) per function id, and the value
// lists (CDT_*) that the user interface offers for a setting.
#pragma once

#include "platform/base/wintypes.h"

// One entry of a value list. A list ends with an entry whose string id is 0;
// a string id of 0xFFFF marks a value that exists but has no text.
struct CDT {
  DWORD value;
  WORD strId;
  WORD zero;
};
static_assert(sizeof(CDT) == 8);

inline constexpr WORD kCdtNoText = 0xFFFF;

// Storage blocks of the devmode control block.
enum SettingBlock : DWORD {
  kBlockNone = 0,     // no storage: the value is computed by code
  kBlockDevmode = 1,  // DEVMODE, public and private part
  kBlockPrinter = 2,  // printer-wide part
  kBlockWork = 3,     // work part
};

// Value kinds (descriptor bits 29-24). 16-47 are single bits: bit (kind-16)
// of the little-endian 32-bit word at the record's offset.
enum SettingKind : DWORD {
  kKindI8 = 1,
  kKindI16 = 2,
  kKindI32 = 3,
  kKindU8 = 4,
  kKindU16 = 5,
  kKindU32 = 6,
  kKindAnsi7 = 7,
  kKindWide8 = 8,
  kKindAnsi = 10,
  kKindWide = 11,
  kKindString13 = 13,
  kKindString14 = 14,
  kKindString15 = 15,
  kKindBitFirst = 16,
  kKindBitLast = 47,
};

// Descriptor: bits 31-30 block, 29-24 kind, 23-16 zero, 15-0 size in bytes.
constexpr DWORD MakeSettingDescriptor(DWORD block, DWORD kind, DWORD size) {
  return (block << 30) | ((kind & 0x3F) << 24) | (size & 0xFFFF);
}
constexpr DWORD SettingBlockOf(DWORD descriptor) { return descriptor >> 30; }
constexpr DWORD SettingKindOf(DWORD descriptor) { return (descriptor >> 24) & 0x3F; }
constexpr DWORD SettingSizeOf(DWORD descriptor) { return descriptor & 0xFFFF; }
constexpr bool SettingKindIsBit(DWORD kind) { return kind >= kKindBitFirst && kind <= kKindBitLast; }
// A bit kind addresses bit (kind - 16) of the little-endian word at the
// record's offset: byte (kind - 16) / 8 of it, bit (kind - 16) % 8 there.
constexpr DWORD SettingBitByte(DWORD kind) { return (kind - kKindBitFirst) / 8; }
constexpr BYTE SettingBitMaskInByte(DWORD kind) { return static_cast<BYTE>(1u << ((kind - kKindBitFirst) % 8)); }
constexpr bool SettingKindIsString(DWORD kind) {
  return kind == kKindAnsi7 || kind == kKindWide8 || kind == kKindAnsi || kind == kKindWide ||
         kind == kKindString13 || kind == kKindString14 || kind == kKindString15;
}

// Persistence of a printer-wide value.
enum SettingStorage : WORD {
  kStorageNone = 0,
  kStoragePrinterData = 1,
  kStorageIni = 2,
};

// The font-array settings (10005, 10007, 10009, 10011) keep a host pointer
// in a slot of this size, aligned to it.
inline constexpr DWORD kSettingPointerSlot = 8;
static_assert(sizeof(void*) <= kSettingPointerSlot);

// Flag bits of a record.
inline constexpr WORD kSfcbChangedMask = 0x0003;  // set in a context's copy by every write
inline constexpr WORD kSfcbFlagLayout = 0x0004;   // edit/finishing/cover/header/chapter settings
inline constexpr WORD kSfcbFlagQuality = 0x0010;  // print-quality settings
inline constexpr WORD kSfcbFlagWatermark = 0x0040;

// UI request word: the bits a write posts, and the dot-length mark.
inline constexpr DWORD kSfcbRequestMask = 0x011F0000;
inline constexpr DWORD kSfcbLengthInDots = 0x80000000;

// Setting-function control block: one per function id.
struct SFCB {
  WORD funcId;              // key; the table is sorted by it
  WORD groupId;             // label string id, GK key and description UI-group key; 0 if none
  DWORD descriptor;         // block, kind, size (above)
  WORD offset;              // byte offset inside the block
  WORD storage;             // SettingStorage
  LPCWSTR iniSection;       // may be null
  LPCWSTR iniKey;           // may be null
  const CDT* valueList;     // may be null
  WORD jobHeaderCallback;   // 0, 1-13 core, 101-102 user callbacks
  WORD flags;               // kSfcb* flag bits
  DWORD uiRequest;          // 0 in the table; set per context
  LPCWSTR name;             // dm*/kdm*/wdm* name, also the save/restore key; may be null
};

// Counted head of an array of setting records.
struct SFL {
  SHORT count;
  SFCB* pSFCB;
};

inline constexpr int kSettingCount = 1561;
inline constexpr int kSettingFirstRunEnd = 1176;      // ids 1..1176 at positions 1..1176
inline constexpr WORD kSettingSecondRunFirst = 10001;  // ids 10001..10385 at positions 1177..1561
inline constexpr WORD kSettingSecondRunLast = 10385;

// The table itself, read-only; every printer context works on its own copy.
extern const SFCB fgSFCB[kSettingCount];
