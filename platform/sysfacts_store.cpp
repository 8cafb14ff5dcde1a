// The machine's store files: "key<TAB>value" lines, rewritten whole through
// a temporary file and a rename under an exclusive lock, so that a reader
// never sees half a file and two writers never lose each other's changes.
#include "platform/sysfacts_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/machine.h"

namespace plat::facts {
namespace {

using FactMap = std::map<std::string, std::string, std::less<>>;

std::filesystem::path FactFolder() {
  std::filesystem::path root = MachineRoot();
  return root.empty() ? root : root / "system";
}

FactMap Load(const std::filesystem::path& file) {
  FactMap facts;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    auto tab = line.find('\t');
    if (tab != std::string::npos) facts[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return facts;
}

bool Save(const std::filesystem::path& file, const FactMap& facts) {
  std::filesystem::path temp = file;
  temp += ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const auto& [key, value] : facts) out << key << '\t' << value << '\n';
    out.flush();
    if (!out) return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, file, ec);
  return !ec;
}

// Holds an exclusive lock on the fact folder's lock file for its lifetime.
class WriterLock {
 public:
  explicit WriterLock(const std::filesystem::path& file)
      : fd_(open((file.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~WriterLock() {
    if (fd_ >= 0) close(fd_);  // closing drops the lock
  }
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  }
}

// Decodes one UTF-8 sequence at text[i]; advances i past it.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (lead >= 0xF5 || extra < 0) return 0xFFFD;
  char32_t c = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return 0xFFFD;
  return c;
}

}  // namespace

std::optional<std::string> ReadIn(std::string_view store, std::string_view key) {
  std::filesystem::path folder = FactFolder();
  if (folder.empty()) return std::nullopt;
  FactMap facts = Load(folder / store);
  auto it = facts.find(key);
  if (it == facts.end()) return std::nullopt;
  return it->second;
}

bool WriteIn(std::string_view store, std::string_view key, std::optional<std::string_view> value) {
  if (key.empty() || key.find_first_of("\t\n\r") != std::string_view::npos) return false;
  if (value && value->find_first_of("\n\r") != std::string_view::npos) return false;
  std::filesystem::path folder = FactFolder();
  if (folder.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return false;
  const std::filesystem::path file = folder / store;
  WriterLock lock(file);
  if (!lock.held()) return false;
  FactMap facts = Load(file);
  if (value) {
    facts.insert_or_assign(std::string(key), std::string(*value));
  } else if (auto it = facts.find(key); it != facts.end()) {
    facts.erase(it);
  }
  return Save(file, facts);
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
  return out;
}

}  // namespace plat::facts
