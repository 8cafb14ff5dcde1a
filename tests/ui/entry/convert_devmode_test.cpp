// DEVMODE conversion for the spooler: the driver default into buffers of
// every size up to the driver's, conversions between layouts into buffers
// of exactly the sizes they name, and the install work the two occasions
// trigger, which leaves no context open and the install switch off.
#include <gtest/gtest.h>

#include <cstring>

#include "settings/system/unaligned.h"

#include "jobsettings/devmode/devmode_layout.h"
#include "tests/ui/ui_machine.h"
#include "ui/entry/dll_entry.h"
#include "ui/ts_modify.h"

namespace ui_test {
namespace {

constexpr LONG kDriverDevmode = 1236;

class ConvertDevmode : public UiMachine {
 protected:
  BOOL Convert(Bytes* in, Bytes* out, LONG* size, DWORD mode) {
    const DWORD open = OpenContexts();
    const BOOL r = DrvConvertDevMode(const_cast<LPWSTR>(kPrinter), in != nullptr ? Dm(*in) : nullptr,
                                     out != nullptr ? Dm(*out) : nullptr, size, mode);
    EXPECT_EQ(OpenContexts(), open);
    EXPECT_EQ(UCBTSModify, 0u);
    return r;
  }
  Bytes DriverDefault() {
    Bytes out(kDriverDevmode);
    LONG size = kDriverDevmode;
    EXPECT_TRUE(Convert(nullptr, &out, &size, CDM_DRIVER_DEFAULT));
    return out;
  }
};

TEST_F(ConvertDevmode, TheDriverDefaultNeedsTheDriversWholeSize) {
  for (LONG n = 0; n < kDriverDevmode; n += (n < 230 ? 1 : 97)) {
    SCOPED_TRACE(n);
    Bytes out = Filled(static_cast<std::size_t>(n));
    LONG size = n;
    SetLastError(0);
    EXPECT_FALSE(Convert(nullptr, &out, &size, CDM_DRIVER_DEFAULT));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(size, kDriverDevmode);
    EXPECT_EQ(out, Filled(static_cast<std::size_t>(n)));
  }
  Bytes out = DriverDefault();
  EXPECT_EQ(Dm(out)->dmSize, 220);
  EXPECT_EQ(Dm(out)->dmDriverExtra, 1016);
}

TEST_F(ConvertDevmode, AConversionFillsExactlyTheSizesTheTargetNames) {
  Bytes in = DriverDefault();
  struct Case {
    DWORD mode;
    WORD size;
    WORD extra;
    LONG bytes;
  };
  const Case cases[] = {
      {CDM_CONVERT, 220, 1016, 1236},
      {CDM_CONVERT, 220, 0, 220},
      {CDM_CONVERT, 188, 0, 188},
      {CDM_CONVERT351, 0, 0, 188 + 1016},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    Bytes out(static_cast<std::size_t>(c.bytes), 0);
    Dm(out)->dmSize = c.size;
    Dm(out)->dmDriverExtra = c.extra;
    LONG size = c.bytes;
    EXPECT_TRUE(Convert(&in, &out, &size, c.mode));
    EXPECT_EQ(size, c.bytes);
    EXPECT_EQ(std::memcmp(Dm(out)->dmDeviceName, Dm(in)->dmDeviceName, sizeof Dm(in)->dmDeviceName), 0);
  }
}

TEST_F(ConvertDevmode, BadRequestsFailWithTheirError) {
  Bytes in = DriverDefault();
  Bytes out(kDriverDevmode);
  SetLastError(1234);
  LONG size = kDriverDevmode;
  EXPECT_FALSE(Convert(&in, &out, &size, 8)) << "an unknown mode";
  EXPECT_EQ(GetLastError(), 1234u);
  EXPECT_FALSE(Convert(&in, &out, nullptr, CDM_CONVERT));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  size = -1;
  EXPECT_FALSE(Convert(&in, &out, &size, CDM_CONVERT));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  size = kDriverDevmode;
  EXPECT_FALSE(DrvConvertDevMode(nullptr, nullptr, Dm(out), &size, CDM_DRIVER_DEFAULT))
      << "no printer to install";
  EXPECT_EQ(UCBTSModify, 0u);
}

// A DEVMODE of another driver, or only a public part, has no private
// header: the conversion never reads one from it.
TEST_F(ConvertDevmode, AForeignInputIsConvertedWithoutReadingAPrivatePart) {
  struct Sizes {
    WORD size;
    WORD extra;
  };
  for (const Sizes s : {Sizes{220, 0}, Sizes{156, 0}, Sizes{220, 40}, Sizes{188, 1016}, Sizes{220, 1016}}) {
    SCOPED_TRACE(s.size + s.extra);
    Bytes in(std::size_t{s.size} + s.extra, 0);
    Dm(in)->dmSize = s.size;
    Dm(in)->dmDriverExtra = s.extra;
    Dm(in)->dmSpecVersion = 0x401;
    Bytes out(kDriverDevmode, 0);
    Dm(out)->dmSize = 220;
    Dm(out)->dmDriverExtra = 1016;
    LONG size = kDriverDevmode;
    Convert(&in, &out, &size, CDM_CONVERT);
    EXPECT_LE(size, kDriverDevmode);
  }
}

// An earlier driver's DEVMODE may be shorter than this version's: the
// version its private header states decides whether the conversion is an
// upgrade. One from an earlier major version is installed anew, so the
// output holds the driver's defaults (1 copy) instead of the caller's 7; a
// DEVMODE too short to hold the header, or one of this version, is no
// upgrade and keeps them.
TEST_F(ConvertDevmode, TheStatedVersionDecidesTheUpgradeWhateverTheSize) {
  struct Case {
    DWORD version;
    WORD extra;
    short copies;
  };
  const Case cases[] = {
      {210, 1016, 1}, {210, 600, 1}, {210, 150, 1}, {210, 100, 7},
      {310, 1016, 7}, {310, 600, 7}, {410, 600, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.extra << " private bytes");
    Bytes in = DriverDefault();
    Dm(in)->dmCopies = 7;
    StoreLE<DWORD>(Dm(in), kOffDwVersion, c.version);
    Dm(in)->dmDriverExtra = c.extra;
    in.resize(220u + c.extra);
    Bytes out(kDriverDevmode, 0);
    Dm(out)->dmSize = 220;
    Dm(out)->dmDriverExtra = 1016;
    LONG size = kDriverDevmode;
    EXPECT_TRUE(Convert(&in, &out, &size, CDM_CONVERT));
    EXPECT_EQ(Dm(out)->dmCopies, c.copies);
  }
}

}  // namespace
}  // namespace ui_test
