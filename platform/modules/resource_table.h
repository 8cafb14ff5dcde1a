// Checked reader of a resource table (platform/modules/resformat.h). Private to the
// module services.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/modules/resformat.h"

namespace plat::res {

class Table {
 public:
  // A view of the table at the start of bytes, or nothing when the bytes are
  // not a table of this version or any entry points outside it, is out of
  // order or misaligned.
  static std::optional<Table> Open(std::span<const std::byte> bytes);
  // The table a loaded module exports: its header tells its size.
  static std::optional<Table> AtSymbol(const void* table);
  // The table in a module file mapped as data: found through its ELF section.
  static std::optional<Table> InImage(std::span<const std::byte> image);

  // The string of that id (terminated text), or null.
  const StringEntry* FindString(std::uint32_t id) const;
  const char16_t* Text(const StringEntry& entry) const;

  // The resource of that numeric type and id, or null.
  const ResourceEntry* Find(std::uint32_t type, std::uint32_t id) const;
  const void* Data(const ResourceEntry& entry) const;
  bool HasType(std::uint32_t type) const;
  // True when entry is one of this table's resource entries.
  bool Contains(const void* entry) const;

 private:
  explicit Table(const std::byte* base, const Header& header);

  const std::byte* base_;
  std::span<const StringEntry> strings_;
  std::span<const ResourceEntry> resources_;
};

}  // namespace plat::res
