#include "platform/modules/kept_images.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <span>

#include "platform/modules/elf_section.h"

namespace plat::kept {
namespace {

constexpr std::size_t kMaxKept = 8;

struct KeptImage {
  std::filesystem::path host;
  FileId id;
  Kept kept;
};

std::vector<KeptImage>& KeptImages() {
  static auto* kept = new std::vector<KeptImage>;  // lives until process exit
  return *kept;
}

long long Nanoseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

// Whether the image's dynamic symbols define a function others can call;
// true when they cannot be read.
bool ExportsFunctions(std::span<const std::byte> image) {
  const auto symbols = res::FindElfSection(image, ".dynsym");
  if (!symbols || symbols->size() % sizeof(Elf64_Sym) != 0) return true;
  for (std::size_t at = 0; at < symbols->size(); at += sizeof(Elf64_Sym)) {
    Elf64_Sym symbol;
    std::memcpy(&symbol, symbols->data() + at, sizeof symbol);
    const unsigned type = ELF64_ST_TYPE(symbol.st_info);
    const bool code = type == STT_FUNC || type == STT_GNU_IFUNC;
    if (code && symbol.st_shndx != SHN_UNDEF && ELF64_ST_BIND(symbol.st_info) != STB_LOCAL) return true;
  }
  return false;
}

}  // namespace

std::optional<FileId> IdOf(const std::filesystem::path& host) {
  struct stat st {};
  if (stat(host.c_str(), &st) != 0) return std::nullopt;
  return FileId{st.st_dev, st.st_ino, st.st_size, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
}

Image ReadResourceOnly(const std::filesystem::path& host) {
  const int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  void* view = MAP_FAILED;
  std::size_t size = 0;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    size = static_cast<std::size_t>(st.st_size);
    view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  }
  close(fd);
  if (view == MAP_FAILED) return nullptr;
  // The bytes are copied: a mapping would follow the file if it were
  // rewritten in place.
  const std::span<const std::byte> bytes(static_cast<const std::byte*>(view), size);
  Image image;
  if (!ExportsFunctions(bytes)) image = std::make_shared<const std::vector<std::byte>>(bytes.begin(), bytes.end());
  munmap(view, size);
  return image;
}

Kept Take(const std::filesystem::path& host, const FileId& id) {
  auto& kept = KeptImages();
  for (auto it = kept.begin(); it != kept.end(); ++it) {
    if (it->host != host) continue;
    Kept taken = it->id == id ? std::move(it->kept) : Kept{};
    kept.erase(it);
    return taken;
  }
  return {};
}

void Keep(const std::filesystem::path& host, const FileId& id, Kept image) {
  auto& kept = KeptImages();
  if (kept.size() >= kMaxKept) kept.erase(kept.begin());
  kept.push_back(KeptImage{host, id, std::move(image)});
}

}  // namespace plat::kept
