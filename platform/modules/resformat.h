// Byte layout of a module's resource table. The resource compiler (kesmrc)
// writes it; the module services read it, both from a loaded module (through
// the exported symbol) and from a module file mapped as data (through the ELF
// section that holds the same bytes). All values are little-endian; every
// offset counts bytes from the start of the table, so the table can be read
// wherever it lies.
//
//   Header
//   StringEntry[stringCount]      sorted by id, ids unique
//   ResourceEntry[resourceCount]  sorted by (type, id), pairs unique
//   string texts                  UTF-16, each followed by a zero unit
//   resource data                 each block aligned to kDataAlignment
//
// Typed resources carry numeric types and ids. The two name offsets are
// reserved for resources named by string (0 = numeric) so that named
// dialogs, bitmaps and the like can join without a new layout.
#pragma once

#include <cstdint>

namespace plat::res {

inline constexpr char kMagic[8] = {'K', 'E', 'S', 'M', 'R', 'E', 'S', '1'};
inline constexpr std::uint32_t kVersion = 1;
// Name of the exported table symbol and of the ELF section holding it.
inline constexpr const char* kSymbolName = "kesm_resources";
inline constexpr const char* kSectionName = ".kesm_res";
// Alignment of the table in memory and of each resource's data in it.
inline constexpr std::uint32_t kTableAlignment = 16;
inline constexpr std::uint32_t kDataAlignment = 8;

struct Header {
  char magic[8];
  std::uint32_t version;
  std::uint32_t totalSize;  // bytes of the whole table
  std::uint32_t stringCount;
  std::uint32_t stringsOffset;
  std::uint32_t resourceCount;
  std::uint32_t resourcesOffset;
};

struct StringEntry {
  std::uint32_t id;          // 0-65535
  std::uint32_t length;      // UTF-16 units, without the terminating zero
  std::uint32_t textOffset;
  std::uint32_t reserved;    // 0
};

struct ResourceEntry {
  std::uint32_t type;            // numeric type (RT_* or 256 and up)
  std::uint32_t id;              // numeric id
  std::uint32_t typeNameOffset;  // 0; reserved for types named by string
  std::uint32_t nameOffset;      // 0; reserved for resources named by string
  std::uint32_t dataOffset;
  std::uint32_t dataSize;
};

static_assert(sizeof(Header) == 32);
static_assert(sizeof(StringEntry) == 16);
static_assert(sizeof(ResourceEntry) == 24);

}  // namespace plat::res
