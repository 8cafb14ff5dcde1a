// Printer properties in the rendering library: printer data is read through
// the graphics engine, with the same checks, and never written.
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_fonts.h"
#include "storage/properties/printer_properties.h"
#include "tests/settings/context/context_fixture.h"

namespace context_test {
namespace {

using KernelProperties = ContextTest;

void Put(HANDLE printer, const char16_t* name, std::vector<BYTE> bytes) {
  ASSERT_EQ(SetPrinterDataW(printer, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

TEST_F(KernelProperties, PrinterDataIsReadWithItsChecksAndNeverWritten) {
  ASSERT_NO_FATAL_FAILURE(Put(office_, u"RAM", {0, 2, 0, 0}));
  ASSERT_NO_FATAL_FAILURE(Put(office_, u"Tray1", std::vector<BYTE>(17, 'A')));  // no terminator
  ASSERT_NO_FATAL_FAILURE(Put(office_, u"DeviceFontNum", {1, 0}));
  ASSERT_NO_FATAL_FAILURE(Put(office_, u"DeviceFont", std::vector<BYTE>(68, 0)));
  UCB* ucb = GetUcb(office_, office_, 0, kModeRendering);
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, 10012, nullptr), 512);
  EXPECT_EQ(reinterpret_cast<const char*>(GetDevmodeValueDirectByFuncID(ucb, 1124, nullptr))[0], 0);
  EXPECT_EQ(GetDcbArray(ucb->pDCB, kDcbOwnedArrays[kDcbDeviceFonts]).count, 1);

  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 10012, 1024));
  EXPECT_FALSE(SetDevmodeValueToReg(office_, ucb, GetSFCBbyFuncID(ucb, 10012)));
  EXPECT_FALSE(SetDeviceFont(office_, ucb, 0));
  DWORD type = 0;
  DWORD needed = 0;
  BYTE ram[4] = {};
  ASSERT_EQ(GetPrinterDataW(office_, u"RAM", &type, ram, sizeof ram, &needed), ERROR_SUCCESS);
  EXPECT_EQ(ram[1], 2);
  FreeUcb(ucb);
}

}  // namespace
}  // namespace context_test
