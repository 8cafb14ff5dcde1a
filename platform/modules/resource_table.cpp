// Reading and checking resource tables.
#include "platform/modules/resource_table.h"

#include <algorithm>
#include <cstring>

#include "platform/modules/elf_section.h"

namespace plat::res {
namespace {

bool Aligned(const void* p, std::size_t alignment) {
  return reinterpret_cast<std::uintptr_t>(p) % alignment == 0;
}

// True when count records of size bytes at offset lie inside total bytes.
bool Fits(std::uint64_t offset, std::uint64_t count, std::uint64_t size, std::uint64_t total) {
  return offset <= total && count * size <= total - offset;
}

bool StringsValid(const std::byte* base, std::span<const StringEntry> strings,
                  std::uint32_t total) {
  for (std::size_t i = 0; i < strings.size(); ++i) {
    const StringEntry& s = strings[i];
    if (s.id > 0xFFFF || (i > 0 && s.id <= strings[i - 1].id)) return false;
    if (s.textOffset % 2 != 0 || !Fits(s.textOffset, std::uint64_t{s.length} + 1, 2, total)) {
      return false;
    }
    char16_t terminator;
    std::memcpy(&terminator, base + s.textOffset + std::size_t{s.length} * 2, 2);
    if (terminator != 0) return false;
  }
  return true;
}

bool ResourcesValid(std::span<const ResourceEntry> resources, std::uint32_t total) {
  return std::all_of(resources.begin(), resources.end(), [total](const ResourceEntry& r) {
    return r.dataOffset % kDataAlignment == 0 && Fits(r.dataOffset, r.dataSize, 1, total);
  });
}

}  // namespace

Table::Table(const std::byte* base, const Header& header)
    : base_(base),
      strings_(reinterpret_cast<const StringEntry*>(base + header.stringsOffset),
               header.stringCount),
      resources_(reinterpret_cast<const ResourceEntry*>(base + header.resourcesOffset),
                 header.resourceCount) {}

std::optional<Table> Table::Open(std::span<const std::byte> bytes) {
  Header h;
  if (bytes.size() < sizeof h || !Aligned(bytes.data(), kDataAlignment)) return std::nullopt;
  std::memcpy(&h, bytes.data(), sizeof h);
  if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.version != kVersion ||
      h.totalSize < sizeof h || h.totalSize > bytes.size()) {
    return std::nullopt;
  }
  if (h.stringsOffset % alignof(StringEntry) != 0 ||
      h.resourcesOffset % alignof(ResourceEntry) != 0 ||
      !Fits(h.stringsOffset, h.stringCount, sizeof(StringEntry), h.totalSize) ||
      !Fits(h.resourcesOffset, h.resourceCount, sizeof(ResourceEntry), h.totalSize)) {
    return std::nullopt;
  }
  Table table(bytes.data(), h);
  if (!StringsValid(bytes.data(), table.strings_, h.totalSize) ||
      !ResourcesValid(table.resources_, h.totalSize)) {
    return std::nullopt;
  }
  return table;
}

std::optional<Table> Table::AtSymbol(const void* table) {
  Header h;
  if (table == nullptr) return std::nullopt;
  std::memcpy(&h, table, sizeof h);
  if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0) return std::nullopt;
  return Open({static_cast<const std::byte*>(table), h.totalSize});
}

std::optional<Table> Table::InImage(std::span<const std::byte> image) {
  auto section = FindElfSection(image, kSectionName);
  if (!section) return std::nullopt;
  return Open(*section);
}

const StringEntry* Table::FindString(std::uint32_t id) const {
  auto it = std::lower_bound(strings_.begin(), strings_.end(), id,
                             [](const StringEntry& s, std::uint32_t v) { return s.id < v; });
  return it != strings_.end() && it->id == id ? &*it : nullptr;
}

const char16_t* Table::Text(const StringEntry& entry) const {
  return reinterpret_cast<const char16_t*>(base_ + entry.textOffset);
}

const ResourceEntry* Table::Find(std::uint32_t type, std::uint32_t id) const {
  auto it = std::find_if(resources_.begin(), resources_.end(), [&](const ResourceEntry& r) {
    return r.typeNameOffset == 0 && r.nameOffset == 0 && r.type == type && r.id == id;
  });
  return it != resources_.end() ? &*it : nullptr;
}

const void* Table::Data(const ResourceEntry& entry) const { return base_ + entry.dataOffset; }

bool Table::HasType(std::uint32_t type) const {
  return std::any_of(resources_.begin(), resources_.end(), [&](const ResourceEntry& r) {
    return r.typeNameOffset == 0 && r.type == type;
  });
}

bool Table::Contains(const void* entry) const {
  return std::any_of(resources_.begin(), resources_.end(),
                     [&](const ResourceEntry& r) { return &r == entry; });
}

}  // namespace plat::res
