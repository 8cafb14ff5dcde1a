#include <cstring>

#include <gtest/gtest.h>

#include "platform/spooler/devmode.h"

// The public part travels between processes as bytes; a field written through
// the record must land at the offset other builds read it from.
TEST(Devmode, FieldsSitAtTheirPublishedOffsets) {
  DEVMODEW dm{};
  dm.dmPaperSize = 9;
  dm.dmLogPixels = 600;
  dm.dmPanningHeight = 0x11223344;
  unsigned char bytes[sizeof dm];
  std::memcpy(bytes, &dm, sizeof dm);
  EXPECT_EQ(bytes[78], 9);
  EXPECT_EQ(bytes[166] | (bytes[167] << 8), 600);
  EXPECT_EQ(bytes[216], 0x44);
  EXPECT_EQ(bytes[219], 0x11);
}
