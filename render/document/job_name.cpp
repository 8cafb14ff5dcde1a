#include "render/document/job_name.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "render/fonts/char_codes.h"
#include "render/header/header_text.h"
#include "render/pdev/pdev.h"
#include "render/platform/code_page.h"
#include "render/platform/pdev_heap.h"

namespace {

constexpr std::string_view kJobNameHead = "@PJL SET JOBNAME = \"";
constexpr std::string_view kJobNameTail = "\"\r\n";

}  // namespace

ULONG EscapeDocumentName(LPSTR text, ULONG bytes, UINT codePage) {
  return EscapeHeaderText(text, bytes, codePage, kDocumentNameBytes);
}

void FreeDocumentName(PDEV* pdev) {
  if (pdev->documentName != nullptr) HEAPFREE(pdev->heap, pdev->documentName);
  pdev->documentName = nullptr;
  pdev->documentNameLength = 0;
}

namespace {

// Keeps bytes of ANSI text as the PDEV's document name.
void StoreName(PDEV* pdev, LPSTR text, ULONG bytes) {
  text[bytes] = 0;
  pdev->documentName = text;
  pdev->documentNameLength = static_cast<SHORT>(bytes);
}

}  // namespace

void SetDocumentName(PDEV* pdev, LPCWSTR name) {
  FreeDocumentName(pdev);
  if (name == nullptr || name[0] == 0) return;
  const std::size_t chars = std::char_traits<WCHAR>::length(name);
  // Two bytes a character hold any character of a double-byte page.
  const std::size_t capacity = chars * 2 + 2;
  if (capacity > 0xFFFFFFFF) return;
  auto* text = static_cast<LPSTR>(HEAPALLOC(pdev->heap, capacity));
  if (text == nullptr) return;
  // The printer's own codes, as the device fonts' names are sent, and no
  // more than the line carries.
  const auto room = static_cast<ULONG>(std::min<std::size_t>(capacity - 2, kDocumentNameBytes));
  const ULONG written = unicode2ansi(reinterpret_cast<BYTE*>(text), room, name,
                                     static_cast<ULONG>(std::min<std::size_t>(chars, kDocumentNameBytes) * sizeof(WCHAR)),
                                     kAnsiSystem);
  StoreName(pdev, text, EscapeDocumentName(text, written, MyGetACP()));
}

void CopyDocumentName(PDEV* to, const PDEV* from) {
  FreeDocumentName(to);
  if (from->documentName == nullptr || from->documentNameLength <= 0) return;
  const auto bytes = static_cast<ULONG>(from->documentNameLength);
  auto* text = static_cast<LPSTR>(HEAPALLOC(to->heap, bytes + 1));
  if (text == nullptr) return;
  std::memcpy(text, from->documentName, bytes);
  StoreName(to, text, bytes);
}

BOOL WriteJobNameBlock(PDEV* pdev) {
  char payload[kJobNameHead.size() + kDocumentNameBytes + kJobNameTail.size()];
  const auto name = static_cast<std::size_t>(pdev->documentNameLength);
  if (name > kDocumentNameBytes) return FALSE;
  kJobNameHead.copy(payload, kJobNameHead.size());
  std::memcpy(payload + kJobNameHead.size(), pdev->documentName, name);
  kJobNameTail.copy(payload + kJobNameHead.size() + name, kJobNameTail.size());
  const auto length = static_cast<ULONG>(kJobNameHead.size() + name + kJobNameTail.size());
  return WriteSpoolBlock(&pdev->stream, kBlockJobHeader, payload, length);
}
