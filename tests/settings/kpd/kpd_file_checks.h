// The description reader over a file of drive C:, checked alike in both
// builds: the entries come out in order with the running CRC over them,
// every block the reader took is back once it is closed, and a missing file
// gives no object.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>

#include "platform/base/control.h"
#include "settings/kpd/kpd_reader.h"
#include "tests/platform/drive_files.h"

namespace kesm_test {

inline void ExpectReadsADescriptionFileAndReleasesIt() {
  drive::Put("Drivers/model.kpd", "*FileVersion: \"4.88\"\r\n*OpenUI *Copies: Numeric\r\n");
  const std::size_t before = plat::LiveBlocks();
  WORD crc = 0;
  FILEOBJ* f = FILEOBJ_Create(u"C:\\Drivers\\model.kpd", &crc);
  ASSERT_NE(f, nullptr);
  PARSEROBJ* p = PARSEROBJ_Create();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(PARSEROBJ_ParseEntry(p, f), kKpdOk);
  EXPECT_STREQ(p->keyword.text, "FileVersion");
  EXPECT_STREQ(p->value.text, "\"4.88\"");
  EXPECT_NE(crc, 0);
  EXPECT_EQ(PARSEROBJ_ParseEntry(p, f), kKpdOk);
  EXPECT_STREQ(p->option1.text, "*Copies");
  EXPECT_EQ(PARSEROBJ_ParseEntry(p, f), kKpdEndOfFile);
  PARSEROBJ_Free(p);
  FILEOBJ_Close(f);
  EXPECT_EQ(plat::LiveBlocks(), before);
  EXPECT_EQ(FILEOBJ_Create(u"C:\\Drivers\\missing.kpd", nullptr), nullptr);
}

}  // namespace kesm_test
