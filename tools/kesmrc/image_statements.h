// Resource statements that name a picture file after the resource id:
//
//   101 BITMAP "pictures/logo.bmp"   // a BMP file, kept as its DIB (RT_BITMAP)
//   8000 CURSOR "cursors/hand.cur"   // a cursor file (RT_GROUP_CURSOR)
//   1 ICON "icons/printer.ico"       // an icon file (RT_GROUP_ICON)
//
// Each file is checked for its kind's header; a bitmap loses its file header,
// as bitmap resources keep only the DIB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kesmrc {

struct PictureKind {
  std::string_view keyword;  // upper case
  std::uint32_t type;        // the resource type it is stored under
  // Checks the file's bytes and turns them into the resource's data; false
  // with a message naming what is wrong.
  bool (*convert)(std::vector<std::byte>& data, std::string& message);
};

// The kind a keyword names, or null.
const PictureKind* FindPictureKind(std::string_view upperKeyword);

}  // namespace kesmrc
