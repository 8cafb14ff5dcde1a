// The machine's short names: made from the long name and its folder, and
// accepted wherever a path is resolved.
#include "platform/files/short_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files/winfile.h"
#include "platform/files/winpath.h"
#include "platform/text/utf.h"
#include "tests/platform/drive_files.h"

namespace {

std::string Narrow(std::u16string_view text) { return plat::utf::ToUtf8(text); }

TEST(ShortNames, EachNameGetsTheShortNameOfItsFolder) {
  const std::vector<std::u16string> folder = {
      u"My Presets.rst", u"My Presets 2.rst", u"mypres.rst", u"Report.Final.Draft.txt", u"a+b=c.text",
      u"readme",         u"README.TXT",       u".profile",   u"Ten Percent Off.bitmap", u"x y",
  };
  struct Case {
    const char16_t* name;
    const char16_t* shortName;
  } cases[] = {
      {u"mypres.rst", u"mypres.rst"},          // already short: kept as written
      {u"README.TXT", u"README.TXT"},
      {u"readme", u"readme"},
      {u"My Presets.rst", u"MYPRES~2.RST"},    // "My Presets 2.rst" sorts first
      {u"My Presets 2.rst", u"MYPRES~1.RST"},
      {u"Report.Final.Draft.txt", u"REPORT~1.TXT"},  // inner dots dropped, the last one kept
      {u"a+b=c.text", u"A_B_C~1.TEX"},         // forbidden characters become '_', the extension is cut to three
      {u".profile", u"PROFIL~1"},              // a leading dot starts no extension
      {u"Ten Percent Off.bitmap", u"TENPER~1.BIT"},
      {u"x y", u"XY~1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Narrow(plat::ShortName(c.name, folder)), Narrow(c.shortName)) << Narrow(c.name);
  }
}

TEST(ShortNames, TheNumberMakesRoomPastNine) {
  std::vector<std::u16string> folder;
  for (char16_t c = u'a'; c <= u'k'; ++c) folder.push_back(std::u16string(u"Long name ") + c + u".rst");
  EXPECT_EQ(Narrow(plat::ShortName(folder[8], folder)), "LONGNA~9.RST");
  EXPECT_EQ(Narrow(plat::ShortName(folder[9], folder)), "LONGN~10.RST");
}

TEST(ShortNames, APathMayNameFilesAndFoldersByTheirShortNames) {
  plat::ScopedMachine machine;
  drive::Put("Settings Files/My Presets/Office Default.rst", "x");
  drive::Put("Settings Files/My Presets/plain.rst", "y");
  struct Case {
    const char16_t* path;
    const char* host;
  } cases[] = {
      {u"C:\\SETTIN~1\\MYPRES~1\\OFFICE~1.RST", "Settings Files/My Presets/Office Default.rst"},
      {u"c:\\settin~1\\My Presets\\office~1.rst", "Settings Files/My Presets/Office Default.rst"},
      {u"C:\\SETTIN~1\\MYPRES~1\\plain.rst", "Settings Files/My Presets/plain.rst"},
  };
  for (const Case& c : cases) {
    auto host = plat::HostPathOf(c.path);
    ASSERT_TRUE(host.has_value()) << Narrow(c.path);
    EXPECT_EQ(host->lexically_relative(plat::DriveRoot()), std::filesystem::path(c.host)) << Narrow(c.path);
  }
  EXPECT_EQ(GetFileAttributesW(u"C:\\SETTIN~2\\MYPRES~1\\OFFICE~1.RST"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(u"C:\\SETTIN~1\\MYPRES~1\\OFFICE~2.RST"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
