// ExtEscape on printer DCs: the escape reaches the driver of the DC's
// current device with the DC's surface and is recorded; a DC that is not a
// printer DC, a negative size or a size without its buffer is refused; a
// driver without DrvEscape serves no escape.
#include <gtest/gtest.h>

#include <vector>

#include "platform/base/winerror.h"
#include "platform/gdi/printer_dc.h"

namespace {

struct Seen {
  SURFOBJ* surface = nullptr;
  ULONG code = 0;
  ULONG inBytes = 0;
  ULONG outBytes = 0;
};
Seen g_seen;

ULONG Escape(SURFOBJ* so, ULONG code, ULONG cjIn, PVOID, ULONG cjOut, PVOID) {
  g_seen = {so, code, cjIn, cjOut};
  return code == 7 ? 0 : 1;
}

plat::eng::Device DeviceWithEscape() {
  plat::eng::Device device;
  device.functions[INDEX_DrvEscape] = reinterpret_cast<PFN>(&Escape);
  return device;
}

TEST(PrinterDc, AnEscapeReachesTheDriverOfTheDcsCurrentDevice) {
  plat::eng::Device first = DeviceWithEscape();
  plat::eng::Device second = DeviceWithEscape();
  SURFOBJ surfaces[2] = {};
  HDC dc = plat::gdi::CreatePrinterDC(&first, &surfaces[0]);
  ASSERT_NE(dc, nullptr);
  const char input[4] = {'a', 'b', 'c', 0};
  EXPECT_EQ(ExtEscape(dc, 121, 4, input, 0, nullptr), 1);
  EXPECT_EQ(g_seen.surface, &surfaces[0]);
  EXPECT_EQ(g_seen.code, 121u);
  EXPECT_EQ(g_seen.inBytes, 4u);
  ASSERT_TRUE(plat::gdi::SetPrinterDCDevice(dc, &second, &surfaces[1]));
  char output[8] = {};
  EXPECT_EQ(ExtEscape(dc, 7, 0, nullptr, 8, output), 0);
  EXPECT_EQ(g_seen.surface, &surfaces[1]);
  const auto sent = plat::gdi::SentEscapes(dc);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].code, 121);
  EXPECT_EQ(sent[0].input, (std::vector<BYTE>{'a', 'b', 'c', 0}));
  EXPECT_EQ(sent[0].result, 1);
  EXPECT_EQ(sent[1].outputBytes, 8);
  EXPECT_EQ(sent[1].result, 0);
  plat::gdi::DeletePrinterDC(dc);
  EXPECT_TRUE(plat::gdi::SentEscapes(dc).empty());
}

TEST(PrinterDc, BadCallsAreRefusedBeforeTheDriverSeesThem) {
  plat::eng::Device device = DeviceWithEscape();
  plat::eng::Device without;
  SURFOBJ surface{};
  HDC dc = plat::gdi::CreatePrinterDC(&device, &surface);
  HDC plain = plat::gdi::CreatePrinterDC(&without, &surface);
  char buffer[4] = {};
  struct Case {
    const char* what;
    HDC dc;
    int inBytes;
    const char* in;
    int outBytes;
    char* out;
    int result;
    DWORD error;
  };
  const Case cases[] = {
      {"not a printer DC", reinterpret_cast<HDC>(buffer), 0, nullptr, 0, nullptr, -1, ERROR_INVALID_HANDLE},
      {"a negative input size", dc, -1, buffer, 0, nullptr, -1, ERROR_INVALID_PARAMETER},
      {"an input size without its buffer", dc, 4, nullptr, 0, nullptr, -1, ERROR_INVALID_PARAMETER},
      {"an output size without its buffer", dc, 0, nullptr, 4, nullptr, -1, ERROR_INVALID_PARAMETER},
      {"a driver without DrvEscape", plain, 4, buffer, 0, nullptr, 0, ERROR_SUCCESS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_seen = {};
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(ExtEscape(c.dc, 121, c.inBytes, c.in, c.outBytes, c.out), c.result);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(g_seen.code, 0u) << "the driver saw the call";
  }
  EXPECT_EQ(plat::gdi::SentEscapes(dc).size(), 0u);
  EXPECT_EQ(plat::gdi::SentEscapes(plain).size(), 1u);
  EXPECT_EQ(plat::gdi::CreatePrinterDC(nullptr, &surface), nullptr);
  plat::gdi::DeletePrinterDC(dc);
  plat::gdi::DeletePrinterDC(plain);
}

}  // namespace
