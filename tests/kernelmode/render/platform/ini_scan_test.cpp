// The INI scan over images of exactly their size (heap copies, so that the
// address sanitizer reports any byte read or written past the end): images
// that end inside a pattern, a value or a line, and rewrites that must stay
// within the old value.
#include "render/platform/ini_scan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "tests/platform/scoped_acp.h"

namespace {

using namespace std::string_literals;

// An image of exactly the text's bytes and a cursor over it.
class Image {
 public:
  explicit Image(std::string_view text, bool writable = false)
      : bytes_(std::make_unique<BYTE[]>(text.size())), size_(text.size()) {
    std::memcpy(bytes_.get(), text.data(), text.size());
    cursor_ = {nullptr, bytes_.get(), static_cast<ULONG>(text.size()), writable ? bytes_.get() : nullptr};
  }
  FILESTUB* cursor() { return &cursor_; }
  std::string text() const { return std::string(reinterpret_cast<const char*>(bytes_.get()), size_); }

 private:
  std::unique_ptr<BYTE[]> bytes_;
  std::size_t size_;
  FILESTUB cursor_;
};

// The value of key K in section S as the string read copies it into 64
// bytes, or "<none>".
std::string Value(std::string_view text, ULONG size = 64) {
  Image image(text);
  if (!kmini::FindKey(image.cursor(), "[S]", "K=")) return "<none>";
  char out[64];
  const ULONG bytes = kmini::GetDataStrEx(image.cursor(), out, size);
  return std::string(out, bytes);
}

TEST(KernelIniScan, ImagesThatEndAnywhereAreReadWithinTheirBytes) {
  const struct {
    std::string text;
    std::string value;
  } cases[] = {
      {"", "<none>"},
      {"[", "<none>"},
      {"[S", "<none>"},
      {"[S]", "<none>"},
      {"[S]\r\n", "<none>"},
      {"[S]\nK", "<none>"},
      {"[S]\nK=", ""},
      {"[S]\nK=v", "v"},
      {"[S]\nK=value\r", "value"},
      {"[S]\r\n\r\n\nK=a b\r\nK=second", "a b"},
      {"K=before\n[S]\n[T]\nK=other", "<none>"},
      {"[S]\n K=blank\nK =blank\nk=case\n", "<none>"},
      {"[S] note\n;c\nK=1", "1"},
      {"\0[S]\n[S]\nK=\0x\n"s, "\0x"s},
      {"[S]\nK=" + std::string(5000, 'z'), std::string(63, 'z')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    EXPECT_EQ(Value(c.text), c.value);
  }
}

TEST(KernelIniScan, NumbersAreReadAsAtolReadsThem) {
  const struct {
    std::string value;
    INT number;
  } cases[] = {
      {"12 ; twelve", 12}, {"", 0}, {"x", 0}, {"-7", -7}, {"+8", 8}, {"\t5", 5}, {"\t 5", 0},
      {" 5", 0},  // the number text stops at the blank
      {"2147483647", 2147483647}, {"2147483648", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"999999999999999999999", 2147483647}, {"-999999999999999999", -2147483647 - 1},
      {"123456789012345678", 2147483647},  // 15 bytes read
      {"4\0" "2"s, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    for (const std::string& tail : {""s, "\r\n[T]\n"s}) {
      Image image("[S]\nK=" + c.value + tail);
      ASSERT_TRUE(kmini::FindKey(image.cursor(), "[S]", "K="));
      char text[16];
      kmini::GetDataStrEx2(image.cursor(), text);
      EXPECT_EQ(kmini::AnsiToLong(text), c.number);
    }
  }
}

TEST(KernelIniScan, AValueThatIsCutEndsAtAWholeCharacter) {
  ScopedAnsiCodePage page(932);
  // 0x82 0xA0 is one character; 0xB1 is a single-byte one.
  const std::string text = "[S]\nK=a\x82\xA0\xB1\x82\xA0";
  EXPECT_EQ(Value(text, 3), "a");
  EXPECT_EQ(Value(text, 4), "a\x82\xA0");
  EXPECT_EQ(Value(text, 5), "a\x82\xA0\xB1");
  EXPECT_EQ(Value(text, 6), "a\x82\xA0\xB1");
  EXPECT_EQ(Value(text, 7), "a\x82\xA0\xB1\x82\xA0");
  // A value that fits is copied whole, even one that ends in a lead byte.
  EXPECT_EQ(Value("[S]\nK=a\x82", 64), "a\x82");
}

TEST(KernelIniScan, RewritesStayWithinTheOldValue) {
  const struct {
    std::string text;
    std::string value;
    BOOL written;
    std::string after;
  } cases[] = {
      {"[S]\nK=12345\nL=1\n", "9", TRUE, "[S]\nK=9    \nL=1\n"},
      {"[S]\nK=12345\nL=1\n", "54321", TRUE, "[S]\nK=54321\nL=1\n"},
      {"[S]\nK=12345\nL=1\n", "123456", FALSE, "[S]\nK=12345\nL=1\n"},
      {"[S]\nK=ab", "xy", TRUE, "[S]\nK=xy"},
      {"[S]\nK=ab", "xyz", FALSE, "[S]\nK=ab"},
      {"[S]\nK=", "", TRUE, "[S]\nK="},
      {"[S]\nK=", "1", FALSE, "[S]\nK="},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " <- " + c.value);
    Image image(c.text, true);
    ASSERT_TRUE(kmini::FindKey(image.cursor(), "[S]", "K="));
    EXPECT_EQ(kmini::SetDataStr(image.cursor(), c.value), c.written);
    EXPECT_EQ(image.text(), c.after);
  }
  Image readOnly("[S]\nK=12\n");
  ASSERT_TRUE(kmini::FindKey(readOnly.cursor(), "[S]", "K="));
  EXPECT_FALSE(kmini::SetDataStr(readOnly.cursor(), "9"));
  EXPECT_EQ(readOnly.text(), "[S]\nK=12\n");
}

TEST(KernelIniScan, NamesWithALineBreakMatchNoLine) {
  kmini::PoolText pattern;
  EXPECT_FALSE(kmini::SetSectionName(u"S]\r\n[T", pattern));
  EXPECT_FALSE(kmini::SetKeyName(u"K\n", pattern));
  EXPECT_FALSE(kmini::SetKeyName(nullptr, pattern));
  ASSERT_TRUE(kmini::SetSectionName(u"", pattern));
  EXPECT_EQ(pattern.view(), "[]");
  ASSERT_TRUE(kmini::SetKeyName(u"Key", pattern));
  EXPECT_EQ(pattern.view(), "Key=");
}

}  // namespace
