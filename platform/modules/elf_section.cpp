// Section lookup in an ELF image held as bytes.
#include "platform/modules/elf_section.h"

#include <cstring>
#include <elf.h>

namespace plat::res {
namespace {

template <class T>
std::optional<T> ReadAt(std::span<const std::byte> image, std::uint64_t offset) {
  if (offset > image.size() || image.size() - offset < sizeof(T)) return std::nullopt;
  T value;
  std::memcpy(&value, image.data() + offset, sizeof(T));
  return value;
}

std::optional<std::span<const std::byte>> Slice(std::span<const std::byte> image,
                                                 std::uint64_t offset, std::uint64_t size) {
  if (offset > image.size() || size > image.size() - offset) return std::nullopt;
  return image.subspan(offset, size);
}

// The section name at offset in the section-name table, if it is terminated
// inside the table.
std::optional<std::string_view> NameAt(std::span<const std::byte> names, std::uint32_t offset) {
  if (offset >= names.size()) return std::nullopt;
  auto text = reinterpret_cast<const char*>(names.data() + offset);
  const void* end = std::memchr(text, '\0', names.size() - offset);
  if (end == nullptr) return std::nullopt;
  return std::string_view(text, static_cast<const char*>(end) - text);
}

bool IsElf64Le(const Elf64_Ehdr& h) {
  return std::memcmp(h.e_ident, ELFMAG, SELFMAG) == 0 && h.e_ident[EI_CLASS] == ELFCLASS64 &&
         h.e_ident[EI_DATA] == ELFDATA2LSB && h.e_shentsize == sizeof(Elf64_Shdr) &&
         h.e_shstrndx != SHN_UNDEF && h.e_shstrndx < h.e_shnum;
}

}  // namespace

std::optional<std::span<const std::byte>> FindElfSection(std::span<const std::byte> image,
                                                         std::string_view name) {
  auto header = ReadAt<Elf64_Ehdr>(image, 0);
  if (!header || !IsElf64Le(*header)) return std::nullopt;
  auto sectionHeader = [&](std::uint64_t index) {
    return ReadAt<Elf64_Shdr>(image, header->e_shoff + index * sizeof(Elf64_Shdr));
  };
  auto nameTable = sectionHeader(header->e_shstrndx);
  if (!nameTable) return std::nullopt;
  auto names = Slice(image, nameTable->sh_offset, nameTable->sh_size);
  if (!names) return std::nullopt;
  for (std::uint64_t i = 0; i < header->e_shnum; ++i) {
    auto section = sectionHeader(i);
    if (!section) return std::nullopt;
    if (section->sh_type == SHT_NOBITS || section->sh_size == 0) continue;
    if (NameAt(*names, section->sh_name) == name) {
      return Slice(image, section->sh_offset, section->sh_size);
    }
  }
  return std::nullopt;
}

}  // namespace plat::res
