// DrvEscape on a PDEV of the rendering tests' printer: one table of every
// escape with valid, short and oversized buffers (the result, and what was
// stored or answered), the raw-mode escapes with the stream read back, the
// refusal of a bad PDEV, and the replace-string table under escapes from
// several threads.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <optional>
#include <thread>

#include "platform/base/winerror.h"
#include "render/escape/drv_escape.h"
#include "render/header/replace_strings.h"
#include "storage/system/section_lock.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

using Bytes = std::vector<BYTE>;

Bytes Text(const char* text, std::size_t bytes) {
  Bytes b(bytes, 'x');
  if (bytes > 0) std::memcpy(b.data(), text, std::min(bytes, std::strlen(text) + 1));
  return b;
}
Bytes Word(WORD w) { return {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)}; }
Bytes WidePath(const char16_t* path, std::size_t chars) {
  Bytes b(chars * 2, 'x');
  const std::size_t length = std::min(chars, std::char_traits<char16_t>::length(path) + 1);
  std::memcpy(b.data(), path, length * 2);
  return b;
}
Bytes ReplaceEntries(std::size_t bytes, const char16_t* first) {
  Bytes b(bytes, 0);
  if (bytes >= sizeof(REPLACESTRING)) {
    std::memcpy(b.data() + offsetof(REPLACESTRING, text), first, std::char_traits<char16_t>::length(first) * 2);
  }
  return b;
}

class Escapes : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    InitSection();
    ResetReplaceStrings();
  }
  void TearDown() override {
    ResetReplaceStrings();
    RenderTest::TearDown();
  }
};

// An escape's call: the input as given (null when absent), the input size
// it claims, the output buffer's size (none when 0 and absent).
struct EscapeRow {
  const char* what;
  ULONG code;
  std::optional<Bytes> input;
  std::optional<ULONG> claimedIn;  // defaults to the input's size
  std::optional<ULONG> outBytes;   // no output buffer when absent
  ULONG result;
  // What was stored or answered, checked on the PDEV's context and the output.
  std::function<void(UCB*, const Bytes&)> check;
};

std::string Ansi(UCB* ucb, WORD funcId) {
  return reinterpret_cast<const char*>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}

TEST_F(Escapes, EachEscapeChecksItsBuffersBeforeItReadsOrWrites) {
  const auto stores = [](WORD funcId, std::string text) {
    return [=](UCB* ucb, const Bytes&) { EXPECT_EQ(Ansi(ucb, funcId), text); };
  };
  const auto answers = [](std::string text) {
    return [=](UCB*, const Bytes& out) { EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data())), text); };
  };
  const auto number = [](WORD funcId, LONG_PTR value) {
    return [=](UCB* ucb, const Bytes&) { EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr), value); };
  };
  const auto untouched = [](UCB*, const Bytes& out) {
    for (BYTE b : out) ASSERT_EQ(b, 0xCC);
  };
  const EscapeRow rows[] = {
      {"query: a private escape", 8, Word(121), {}, {}, 1, nullptr},
      {"query: the build identifier", 8, Word(140), {}, {}, 1, nullptr},
      {"query: pass-through outside raw mode", 8, Word(19), {}, {}, 0, nullptr},
      {"query: 126 and 141 are not escapes", 8, Word(126), {}, {}, 0, nullptr},
      {"query: 141", 8, Word(141), {}, {}, 0, nullptr},
      {"query: an input of one byte", 8, Word(121), 1u, {}, 0, nullptr},
      {"query: no input", 8, std::nullopt, 2u, {}, 0, nullptr},
      {"technology", 20, std::nullopt, {}, 5u, 1, answers("KESM")},
      {"technology: a larger buffer", 20, std::nullopt, {}, 64u, 1, answers("KESM")},
      {"technology: a buffer of four bytes", 20, std::nullopt, {}, 4u, 0, untouched},
      {"technology: no buffer", 20, std::nullopt, {}, {}, 0, nullptr},
      {"build identifier", 140, std::nullopt, {}, 24u, 1, answers("RNDKIT.LIB MASTER 1.20i")},
      {"build identifier: one byte short", 140, std::nullopt, {}, 23u, 0, untouched},
      {"page geometry: one byte short", 42, std::nullopt, {}, 15u, 0, untouched},
      {"page geometry: no buffer", 42, std::nullopt, {}, {}, 0, nullptr},
      {"user code", 111, Text("4711", 5), {}, {}, 1, stores(203, "4711")},
      {"user code: the whole field", 111, Text("12345678", 9), {}, {}, 1, stores(203, "12345678")},
      {"user code: an oversized buffer", 111, Text("42", 400), {}, {}, 1, stores(203, "42")},
      {"user code: no end within the field", 111, Text("123456789", 9), {}, {}, 0, stores(203, "")},
      {"user code: a size shorter than the text", 111, Text("4711", 5), 3u, {}, 0, stores(203, "")},
      {"user code: no input", 111, std::nullopt, 9u, {}, 0, stores(203, "")},
      {"owner name", 112, Text("Ann Example", 17), {}, {}, 1, stores(204, "Ann Example")},
      {"job password", 113, Text("1234", 9), {}, {}, 1, stores(207, "1234")},
      {"user id", 114, Text("ann", 9), {}, {}, 1, stores(202, "ann")},
      {"document name", 115, Text("Report", 17), {}, {}, 1, stores(206, "Report")},
      {"telephone number", 116, Text("(03) 123-45", 65), {}, {}, 1, stores(231, "(03) 123-45")},
      {"stored password", 118, Text("9999", 9), {}, {}, 1, stores(208, "9999")},
      {"authentication user", 123, Text("ann", 33), {}, {}, 1, stores(948, "ann")},
      {"authentication key", 124, Text("k", 33), {}, {}, 1, stores(950, "k")},
      {"authentication password", 125, Text("secret", 193), {}, {}, 1, stores(949, "secret")},
      {"authentication password: an input of no bytes", 125, Text("", 0), 0u, {}, 0, stores(949, "")},
      {"telephone line 2", 117, Text("2", 2), {}, {}, 1, number(232, 2)},
      {"telephone line: not a number", 117, Text("x", 2), {}, {}, 1, number(232, 0)},
      {"telephone line: kept in 8 bits", 117, Text("300", 4), {}, {}, 1, number(232, 44)},
      {"telephone line: a number past the range saturates", 117, Text("99999999999999999999", 21), {}, {}, 1,
       number(232, 255)},
      // A refused escape leaves the line at its validated default, 1.
      {"telephone line: no end", 117, Text("12", 2), {}, {}, 0, number(232, 1)},
      {"default source", 119, std::nullopt, {}, 2u, 1,
       [](UCB* ucb, const Bytes& out) { EXPECT_EQ(out[0] | out[1] << 8, GetDevmodeValueDirectByFuncID(ucb, 13, nullptr)); }},
      {"default source: no buffer", 119, std::nullopt, {}, {}, 1, nullptr},
      {"default source: one byte", 119, std::nullopt, {}, 1u, 0, untouched},
      {"print method", 120, std::nullopt, {}, 2u, 1, nullptr},
      {"INI path", 121, WidePath(u"C:\\u\\kesm.ini", 20), {}, {}, 1,
       [](UCB* ucb, const Bytes&) { EXPECT_EQ(std::u16string(ucb->pWork->szIniFilePath), u"C:\\u\\kesm.ini"); }},
      {"INI path: no end within 260 characters", 121, Bytes(600, 'x'), {}, {}, 0,
       [](UCB* ucb, const Bytes&) { EXPECT_NE(ucb->pWork->szIniFilePath[0], u'\x7878') << "the path kept"; }},
      {"INI path: one byte", 121, WidePath(u"", 1), 1u, {}, 0, nullptr},
      {"INI path: no input", 121, std::nullopt, 0u, {}, 0, nullptr},
      {"replace strings: no input changes nothing", 122, std::nullopt, 0u, {}, 1, nullptr},
      {"replace strings: one whole entry", 122, ReplaceEntries(526, u"Seite"), {}, {}, 1,
       [](UCB*, const Bytes&) {
         ReplaceStringTable t{};
         SnapshotReplaceStrings(&t);
         EXPECT_EQ(std::u16string(t.entries[0].text), u"Seite");
         EXPECT_EQ(t.entries[0].key, 731);
       }},
      {"replace strings: less than an entry", 122, ReplaceEntries(525, u"Seite"), {}, {}, 0,
       [](UCB*, const Bytes&) {
         ReplaceStringTable t{};
         SnapshotReplaceStrings(&t);
         EXPECT_EQ(t.entries[0].text[0], 0);
       }},
      {"replace strings: an oversized input", 122, ReplaceEntries(100000, u"P"), {}, {}, 1, nullptr},
      {"unsupported", 126, Text("x", 2), {}, 16u, 0, untouched},
  };
  for (const EscapeRow& row : rows) {
    SCOPED_TRACE(row.what);
    ResetReplaceStrings();
    Devmode devmode;
    Dc* dc = Enable(devmode);
    ASSERT_NE(dc, nullptr);
    Bytes input = row.input.value_or(Bytes{});
    Bytes output(row.outBytes.value_or(0), 0xCC);
    const ULONG cjIn = row.claimedIn.value_or(static_cast<ULONG>(input.size()));
    const ULONG result = DrvEscape(dc->so, row.code, cjIn, row.input ? input.data() : nullptr,
                                   static_cast<ULONG>(output.size()), row.outBytes ? output.data() : nullptr);
    EXPECT_EQ(result, row.result);
    if (row.check) row.check(dc->pdev()->ucb, output);
    Disable(dc);
    FreeStoredUcb(TRUE);  // the next row starts from a fresh context
  }
}

TEST_F(Escapes, PageGeometryGivesOffsetsOnlyWhileAPageIsOpen) {
  Devmode devmode;
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  float answer[4] = {-1, -1, -1, -1};
  ASSERT_EQ(DrvEscape(dc->so, 42, 0, nullptr, sizeof(answer), answer), 1u);
  EXPECT_EQ(answer[0], static_cast<float>(dc->pdev()->paper.printableWidth));
  EXPECT_EQ(answer[1], static_cast<float>(dc->pdev()->paper.printableLength));
  EXPECT_EQ(answer[2], 0.0f);
  EXPECT_EQ(answer[3], 0.0f);
  StartJob();
  std::u16string name = u"Report";
  ASSERT_TRUE(DrvStartDoc(dc->so, name.data(), jobId_));
  ASSERT_TRUE(DrvStartPage(dc->so));
  ASSERT_EQ(DrvEscape(dc->so, 42, 0, nullptr, sizeof(answer), answer), 1u);
  EXPECT_EQ(answer[2], static_cast<float>(dc->pdev()->paper.xOffset));
  EXPECT_EQ(answer[3], static_cast<float>(dc->pdev()->paper.yOffset));
  EXPECT_GT(answer[2], 0.0f);
  ASSERT_TRUE(DrvSendPage(dc->so));
  ASSERT_TRUE(DrvEndDoc(dc->so, 0));
  FinishJob();
}

TEST_F(Escapes, PassThroughWritesRawBytesInRawModeOnly) {
  Devmode devmode;
  devmode.RawMode();
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  WORD code = 19;
  EXPECT_EQ(DrvEscape(dc->so, 8, sizeof(code), &code, 0, nullptr), 1u);
  StartJob();
  std::u16string name = u"Raw";
  ASSERT_TRUE(DrvStartDoc(dc->so, name.data(), jobId_));
  ASSERT_TRUE(DrvStartPage(dc->so));
  Bytes data = {3, 0, 'a', 'b', 'c'};
  EXPECT_EQ(DrvEscape(dc->so, 19, static_cast<ULONG>(data.size()), data.data(), 0, nullptr), 3u);
  Bytes none = {0, 0};
  EXPECT_EQ(DrvEscape(dc->so, 19, 2, none.data(), 0, nullptr), 0u);
  Bytes claims = {100, 0, 'x', 'y'};
  EXPECT_EQ(DrvEscape(dc->so, 19, static_cast<ULONG>(claims.size()), claims.data(), 0, nullptr), 0xFFFFFFFFu)
      << "a count past the input";
  EXPECT_EQ(DrvEscape(dc->so, 19, 1, claims.data(), 0, nullptr), 0xFFFFFFFFu) << "no room for the count";
  ASSERT_TRUE(DrvSendPage(dc->so));
  ASSERT_TRUE(DrvEndDoc(dc->so, 0));
  const std::vector<std::uint8_t> stream = FinishJob();
  const std::string text(stream.begin(), stream.end());
  EXPECT_NE(text.find("abc"), std::string::npos);
  EXPECT_EQ(text.find("xy"), std::string::npos);

  Devmode cooked;
  Dc* other = Enable(cooked);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(DrvEscape(other->so, 8, sizeof(code), &code, 0, nullptr), 0u);
  EXPECT_EQ(DrvEscape(other->so, 19, static_cast<ULONG>(data.size()), data.data(), 0, nullptr), 0u);
}

TEST_F(Escapes, ABadPdevIsRefusedWithError87) {
  SURFOBJ fake{};
  std::vector<BYTE> junk(4096, 0x5A);
  fake.dhpdev = reinterpret_cast<DHPDEV>(junk.data());
  for (SURFOBJ* so : {static_cast<SURFOBJ*>(nullptr), &fake}) {
    EngSetLastError(0);
    EXPECT_EQ(DrvEscape(so, 20, 0, nullptr, 0, nullptr), 0u);
    EXPECT_EQ(EngGetLastError(), static_cast<ULONG>(ERROR_INVALID_PARAMETER));
  }
}

TEST_F(Escapes, TheReplaceTextsAreNeverTornByEscapesFromTwoDcsOnTwoThreads) {
  Devmode first, second;
  Dc* a = Enable(first);
  Dc* b = Enable(second);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  auto table = [](char16_t fill) {
    Bytes t(4 * sizeof(REPLACESTRING), 0);
    for (std::size_t e = 0; e < 3; ++e) {
      auto* text = reinterpret_cast<char16_t*>(t.data() + e * sizeof(REPLACESTRING) + offsetof(REPLACESTRING, text));
      std::fill(text, text + kReplaceTextChars - 1, fill);
    }
    return t;
  };
  Bytes as = table(u'A'), bs = table(u'B');
  std::atomic<bool> stop{false};
  auto writer = [&](Dc* dc, Bytes* t) {
    while (!stop) DrvEscape(dc->so, 122, static_cast<ULONG>(t->size()), t->data(), 0, nullptr);
  };
  std::thread one(writer, a, &as), two(writer, b, &bs);
  int torn = 0;
  for (int i = 0; i < 2000; ++i) {
    ReplaceStringTable t{};
    SnapshotReplaceStrings(&t);
    const char16_t c = t.entries[0].text[0];
    for (const REPLACESTRING& e : t.entries) {
      if (e.key == 0) break;
      for (int k = 0; k < kReplaceTextChars - 1; ++k) torn += e.text[k] != c ? 1 : 0;
    }
  }
  stop = true;
  one.join();
  two.join();
  EXPECT_EQ(torn, 0);
}

}  // namespace
}  // namespace render_test
