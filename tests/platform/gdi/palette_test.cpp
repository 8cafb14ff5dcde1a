// Logical palettes on the true-colour display: made only from a version
// 0x300 header with entries, selected apart from SelectObject, realized
// without mapping, refused for deletion while selected.
#include <gtest/gtest.h>

#include <vector>

#include "platform/base/winerror.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"

namespace kesm_test {
namespace {

// A LOGPALETTE with room for count entries.
std::vector<BYTE> PaletteBytes(WORD version, WORD count) {
  std::vector<BYTE> bytes(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (count > 0 ? count - 1 : 0));
  auto* palette = reinterpret_cast<LOGPALETTE*>(bytes.data());
  palette->palVersion = version;
  palette->palNumEntries = count;
  for (WORD i = 0; i < count; ++i) palette->palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(i), 0x33, 0xFF, 0};
  return bytes;
}

TEST(Palette, OnlyAVersion300HeaderWithEntriesMakesAPalette) {
  struct Case {
    WORD version;
    WORD count;
    bool made;
  };
  for (const Case& c : {Case{0x300, 256, true}, Case{0x300, 1, true}, Case{0x300, 0, false}, Case{0x200, 16, false}}) {
    auto bytes = PaletteBytes(c.version, c.count);
    SetLastError(0);
    const HPALETTE palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(bytes.data()));
    EXPECT_EQ(palette != nullptr, c.made) << c.version << " " << c.count;
    if (palette == nullptr) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
      continue;
    }
    EXPECT_EQ(GetObjectType(palette), OBJ_PAL);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), c.count);
    PALETTEENTRY last{};
    EXPECT_EQ(GetPaletteEntries(palette, c.count - 1u, 5, &last), 1u);
    EXPECT_EQ(last.peRed, static_cast<BYTE>(c.count - 1));
    EXPECT_EQ(last.peBlue, 0xFF);
    EXPECT_TRUE(DeleteObject(palette));
  }
  EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

TEST(Palette, SelectingGivesTheOldPaletteAndASelectedOneIsNotDeleted) {
  auto bytes = PaletteBytes(0x300, 256);
  const HPALETTE palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(bytes.data()));
  ASSERT_NE(palette, nullptr);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HPALETTE old = SelectPalette(dc, palette, FALSE);
  EXPECT_EQ(old, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
  EXPECT_EQ(RealizePalette(dc), 0u);  // the true-colour display maps nothing
  EXPECT_FALSE(DeleteObject(palette));
  EXPECT_EQ(SelectPalette(dc, old, FALSE), palette);
  EXPECT_TRUE(DeleteObject(palette));
  EXPECT_EQ(SelectPalette(dc, palette, FALSE), nullptr);  // deleted
  EXPECT_EQ(SelectPalette(nullptr, old, FALSE), nullptr);
  EXPECT_EQ(RealizePalette(nullptr), GDI_ERROR);
  DeleteDC(dc);
}

TEST(Palette, TheDisplayIsTrueColour) {
  const HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetNearestColor(screen, RGB(0x33, 0x33, 0xFF)), RGB(0x33, 0x33, 0xFF));
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace kesm_test
