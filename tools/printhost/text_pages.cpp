// Plain text paged as it is read.
#include "tools/printhost/text_pages.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/text/utf.h"

namespace printhost {
namespace {

constexpr std::size_t kColumns = 80;
constexpr std::size_t kLines = 60;
constexpr LONG kLineHeight = 240;
constexpr LONG kMargin = 720;  // twips: half an inch

// The bytes at the end of the piece that begin a UTF-8 sequence the piece
// does not finish: 0 to 3 of them.
std::size_t CutSequence(std::string_view bytes) {
  const std::size_t n = bytes.size();
  for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
    const auto b = static_cast<unsigned char>(bytes[n - back]);
    if ((b & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    if (b < 0x80) return 0;
    const std::size_t length = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
    return length > back ? back : 0;
  }
  return 0;
}

}  // namespace

std::u16string DocumentName(const std::string& path) { return plat::utf::FromUtf8(path); }

void TextPaginator::Put(char16_t c) {
  if (line_.size() == kColumns) EndLine();  // wraps
  line_.push_back(c);
  lineBegun_ = true;
}

void TextPaginator::Feed(char16_t c) {
  const bool afterCr = afterCr_;
  const bool afterFormFeed = afterFormFeed_;
  afterCr_ = false;
  afterFormFeed_ = c == u'\f';
  switch (c) {
    case u'\n':
      if (!afterCr) EndLine();
      return;
    case u'\r':
      EndLine();
      afterCr_ = true;
      return;
    case u'\f':
      if (lineBegun_) EndLine();
      // Two page breaks in a row leave a blank page between them.
      if (afterFormFeed && onPage_ == 0) onPage_ = 1;
      EndPage();
      return;
    case u'\t':
      if (line_.size() == kColumns) EndLine();
      do Put(u' '); while (line_.size() % 8 != 0);
      return;
    default:
      Put(c < 0x20 || c == 0x7F ? u'\uFFFD' : c);
  }
}

void TextPaginator::EndLine() {
  if (onPage_ == kLines) EndPage();
  if (!line_.empty()) {
    Text t;
    t.face = u"DejaVu Sans Mono";
    t.points = 10;
    t.at = POINT{kMargin, kMargin + static_cast<LONG>(onPage_ + 1) * kLineHeight};
    t.text = std::move(line_);
    page_.commands.push_back(std::move(t));
  }
  line_.clear();
  lineBegun_ = false;
  ++onPage_;
}

void TextPaginator::EndPage() {
  if (onPage_ == 0) return;
  ready_.push_back(std::move(page_));
  page_ = Page{};
  onPage_ = 0;
  ++made_;
}

void TextPaginator::Finish() {
  if (lineBegun_) EndLine();
  if (made_ == 0 && onPage_ == 0) onPage_ = 1;  // a text of nothing prints one empty page
  EndPage();
}

bool TextPaginator::Take(Page& page) {
  if (ready_.empty()) return false;
  page = std::move(ready_.front());
  ready_.pop_front();
  return true;
}

bool TextPages::Restart(std::string& error) {
  in_.close();
  in_.clear();
  in_.open(copy_.empty() ? std::filesystem::path(path_) : copy_, std::ios::binary);
  if (!in_) {
    error = "cannot open " + path_;
    return false;
  }
  unread_.clear();
  offset_ = 0;
  chars_.clear();
  at_ = 0;
  finished_ = false;
  paginator_ = TextPaginator{};
  return true;
}

TextPages::Read TextPages::ReadPiece(std::string& error) {
  // unread_ starts with what the last piece carried over.
  const std::size_t kept = unread_.size();
  unread_.resize(kept + pieceBytes_);
  in_.read(unread_.data() + kept, static_cast<std::streamsize>(pieceBytes_));
  unread_.resize(kept + static_cast<std::size_t>(in_.gcount()));
  if (in_.bad()) {
    error = "cannot read " + path_;
    return Read::kFault;
  }
  if (unread_.empty()) return Read::kEnd;
  const std::size_t cut = in_.eof() ? 0 : CutSequence(unread_);
  const std::string_view whole(unread_.data(), unread_.size() - cut);
  chars_.clear();
  at_ = 0;
  std::size_t bad = 0;
  if (!DecodeUtf8(whole, chars_, bad)) {
    error = path_ + " is not valid UTF-8 (at byte " + std::to_string(offset_ + bad) + ")";
    return Read::kFault;
  }
  offset_ += whole.size();
  unread_.erase(0, whole.size());
  return Read::kPiece;
}

TextPages::~TextPages() {
  std::error_code ec;
  if (!copy_.empty()) std::filesystem::remove(copy_, ec);
}

bool TextPages::CopyOnce(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "kesm-text-XXXXXX").string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    error = "cannot keep a copy of " + path + " in " + std::filesystem::temp_directory_path().string() + ": " +
            std::strerror(errno);
    return false;
  }
  ::close(fd);
  copy_ = pattern;
  std::ofstream out(copy_, std::ios::binary | std::ios::trunc);
  std::vector<char> piece(pieceBytes_ < 4096 ? 4096 : pieceBytes_);
  while (in) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    out.write(piece.data(), in.gcount());
  }
  out.flush();
  if (in.bad() || !out) {
    error = in.bad() ? "cannot read " + path : "cannot keep a copy of " + path + " in " + copy_.string();
    return false;
  }
  return true;
}

bool TextPages::Open(const std::string& path, std::string& error) {
  std::error_code ec;
  const std::filesystem::path file(path);
  if (std::filesystem::is_directory(file, ec)) {
    error = path + " is a folder, not a document";
    return false;
  }
  path_ = path;
  name_ = DocumentName(path);
  // A pipe or a device can be read only once: what it gives is kept in a
  // temporary file, which is read twice instead.
  if (std::filesystem::exists(file, ec) && !std::filesystem::is_regular_file(file, ec)) {
    if (!CopyOnce(path, error)) return false;
  }
  if (!Restart(error)) return false;
  bytes_ = std::filesystem::file_size(copy_.empty() ? file : copy_, ec);
  // The first read checks the whole text and counts its pages, so that a
  // bad file prints nothing.
  std::size_t pages = 0;
  Page page;
  Read read;
  while ((read = ReadPiece(error)) == Read::kPiece) {
    for (char16_t c : chars_) {
      paginator_.Feed(c);
      while (paginator_.Take(page)) ++pages;
    }
  }
  if (read == Read::kFault) return false;
  paginator_.Finish();
  while (paginator_.Take(page)) ++pages;
  pageCount_ = pages;
  return Restart(error);
}

const Page* TextPages::Next(std::string& error) {
  while (!paginator_.Take(page_)) {
    if (finished_) return nullptr;
    if (at_ < chars_.size()) {
      paginator_.Feed(chars_[at_++]);
      continue;
    }
    const Read read = ReadPiece(error);
    if (read == Read::kFault) return nullptr;
    if (read == Read::kEnd) {
      paginator_.Finish();
      finished_ = true;
    }
  }
  return &page_;
}

}  // namespace printhost
