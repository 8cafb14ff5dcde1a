// Plain text paged as it is read: a file of any length is printed with only
// a page and a buffer's worth of it in memory, and each character is looked
// at once per pass, whatever the number of lines and form feeds.
//
// The layout: monospaced 10 points on 12-point lines, 80 columns and 60
// lines a page. A line ends at LF, CR LF or a lone CR; a longer one wraps;
// tabs stop every 8 columns; other control characters show as U+FFFD. A
// form feed ends the page it is on; one on a page that holds nothing yet
// (the start of the text, or after a full page) starts no page of its own,
// but two form feeds in a row leave a blank page between them, as a person
// who types two page breaks expects. A page is made only for a line that is
// on it: a newline ending a full page, or a trailing form feed, adds none.
// A text of nothing prints one empty page.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/printhost/document.h"

namespace printhost {

// The layout of a stream of characters into pages.
class TextPaginator {
 public:
  void Feed(char16_t c);
  // Ends the text: its last line and page are made.
  void Finish();
  // The next page that is complete: true with it, else false.
  bool Take(Page& page);

 private:
  void EndLine();
  void EndPage();
  void Put(char16_t c);

  std::u16string line_;
  bool lineBegun_ = false;  // the current line holds a character
  bool afterCr_ = false;    // the character before was a CR (an LF after it ends nothing)
  bool afterFormFeed_ = false;  // the character before was a form feed
  Page page_;
  std::size_t onPage_ = 0;  // lines on the current page
  std::size_t made_ = 0;    // pages made
  std::deque<Page> ready_;
};

// A text file as a page source. Open reads the file once to check it (valid
// UTF-8) and count its pages; the pages are then made from a second read as
// they are asked for. A file that can be read only once (a pipe, a device)
// is first copied whole into a temporary file, which is read instead.
class TextPages : public PageSource {
 public:
  static constexpr std::size_t kPieceBytes = 64 * 1024;
  // The file is read pieceBytes (at least 1) at a time.
  explicit TextPages(std::size_t pieceBytes = kPieceBytes) : pieceBytes_(pieceBytes > 0 ? pieceBytes : 1) {}
  ~TextPages() override;
  TextPages(const TextPages&) = delete;
  TextPages& operator=(const TextPages&) = delete;
  // False with a message naming the file.
  bool Open(const std::string& path, std::string& error);
  std::u16string Name() const override { return name_; }
  const Page* Next(std::string& error) override;
  std::size_t PageCount() const { return pageCount_; }
  // The size of the file when it was opened.
  std::uintmax_t Bytes() const { return bytes_; }

 private:
  enum class Read { kPiece, kEnd, kFault };
  // Reads the next piece of the file into chars_; a fault sets error.
  Read ReadPiece(std::string& error);
  bool Restart(std::string& error);
  bool CopyOnce(const std::string& path, std::string& error);

  std::size_t pieceBytes_;
  std::string path_;
  std::filesystem::path copy_;  // the temporary copy of a file that is read once
  std::u16string name_;
  std::size_t pageCount_ = 0;
  std::uintmax_t bytes_ = 0;
  std::ifstream in_;
  std::string unread_;       // read and not yet decoded: a UTF-8 sequence cut by a piece's end
  std::uint64_t offset_ = 0; // file bytes decoded so far
  std::u16string chars_;
  std::size_t at_ = 0;
  bool finished_ = false;
  TextPaginator paginator_;
  Page page_;  // the page Next gave
};

// The name of a document from its path: UTF-8 decoded, any byte that is
// not valid UTF-8 shown as U+FFFD.
std::u16string DocumentName(const std::string& path);

}  // namespace printhost
