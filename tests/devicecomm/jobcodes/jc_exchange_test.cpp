// Job codes exchanged between a context's settings and the library, kind
// by kind, for each interface version and each status the library can
// answer.
#include "devicecomm/jobcodes/jc_codes.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "tests/devicecomm/jobcodes/job_code_fixture.h"

namespace jobcode_test {
namespace {

using jobcodelib::Forced;

constexpr WORD kFuncTelLine = 232;
constexpr WORD kFuncLanguage = 169;
constexpr WORD kFuncDriverVersion = 954;
constexpr BYTE kLanguageSimplifiedChinese = 16;  // Windows primary 4, sublanguage 2

// A description of our own, attached to a context for the span of a test.
class Description {
 public:
  explicit Description(const char* name) {
    packed_ = kpdtest::PackAndFree(kpdtest::CompileText(kpdtest::Fixture(name), nullptr));
  }
  void AttachTo(UCB* ucb) const {
    ASSERT_NE(packed_.Load(), nullptr);
    ucb->pBKPD = reinterpret_cast<BKPD*>(const_cast<BKPDHEADER*>(packed_.Load()));
  }

 private:
  kpdtest::Packed packed_;
};

class JobCodeExchange : public JobCodeTest {
 protected:
  // Binds the context with the library serving those versions.
  void Bind(std::set<WORD> served) {
    lib().versions = std::move(served);
    Office();
    ASSERT_EQ(LoadJobCode(ucb_), kJCSuccess);
    lib().calls.clear();
  }
  void TearDown() override {
    UnLoadJobCode(ucb_);
    JobCodeTest::TearDown();
  }

  static WORD SettingOf(DWORD kind) { return DrvJCFindCode(kind)->wFuncId; }
  // The kind's setting as text (the telephone line as its number).
  std::u16string Setting(DWORD kind) {
    if (kind == kJCKindTelLine) {
      const std::string number = std::to_string(Value(ucb_, kFuncTelLine));
      return std::u16string(number.begin(), number.end());
    }
    return Text(ucb_, SettingOf(kind));
  }
  void PutSetting(DWORD kind, const char16_t* text) {
    if (kind == kJCKindTelLine) {
      Set(ucb_, kFuncTelLine, std::stoi(std::string(text, text + std::char_traits<char16_t>::length(text))));
    } else {
      SetText(ucb_, SettingOf(kind), text);
    }
  }
  // The text a set call sent.
  static std::u16string Sent(const jobcodelib::Call& call) {
    jobcodelib::Value value;
    value.bytes = call.data;
    return jobcodelib::TextOf(value);
  }
};

Forced Forcing(const char* op, DWORD status, bool acts = false, int skip = 0, int times = -1) {
  Forced forced;
  forced.op = op;
  forced.status = status;
  forced.acts = acts;
  forced.skip = skip;
  forced.times = times;
  return forced;
}

TEST_F(JobCodeExchange, AFetchedCodeReplacesTheSettingOnlyWhenTheLibraryGaveOne) {
  constexpr DWORD kFailure = 0x20000005;
  const std::u16string longOwner(40, u'o');
  struct Case {
    const char* name;
    std::set<WORD> served;
    DWORD kind;
    std::optional<jobcodelib::Value> stored;
    std::vector<Forced> forced;
    DWORD status;
    std::u16string setting;  // after the fetch; the setting held "9" before
    std::size_t gets;        // get calls, the size probe included
  } const cases[] = {
      {"a code, interface 258", {258}, 1, jobcodelib::Text(u"4711"), {}, 0, u"4711", 2},
      {"a code, interface 257", {257}, 1, jobcodelib::Text(u"4711"), {}, 0, u"4711", 2},
      {"no value: query flag clear", {258}, 1, std::nullopt, {}, 0, u"9", 0},
      {"query answers no value", {258}, 4, jobcodelib::Text(u"u1"), {Forcing("query", kJCNoValue)}, 0, u"9", 0},
      {"query fails", {258}, 4, jobcodelib::Text(u"u1"), {Forcing("query", kFailure)}, kFailure, u"9", 0},
      {"probe answers no value", {258}, 3, jobcodelib::Text(u"pw"), {Forcing("get", kJCNoValue)}, 0, u"9", 1},
      {"probe fails", {258}, 3, jobcodelib::Text(u"pw"), {Forcing("get", kJCBadHandle)}, kJCBadHandle, u"9", 1},
      {"probe answers success with the size", {258}, 3, jobcodelib::Text(u"pw"),
       {Forcing("get", kJCSuccess, true, 0, 1)}, 0, u"pw", 2},
      {"get fills the buffer but fails", {258}, 5, jobcodelib::Text(u"doc"), {Forcing("get", kFailure, true, 1)},
       kFailure, u"9", 2},
      {"get answers no value after the probe", {258}, 5, jobcodelib::Text(u"doc"),
       {Forcing("get", kJCNoValue, false, 1)}, 0, u"9", 2},
      {"a number where text belongs", {258}, 8, jobcodelib::Value{kJCTypeNumber, {1, 0, 0, 0}}, {}, kJCBadArgument, u"9", 1},
      {"an empty text", {258}, 2, jobcodelib::Text(u""), {}, 0, u"9", 2},
      {"a user code longer than its buffer", {258}, 1, jobcodelib::Text(u"123456789012"), {}, 0, u"12345678", 2},
      {"an owner name longer than its buffer", {258}, 2, jobcodelib::Text(longOwner), {}, 0,
       std::u16string(16, u'o'), 2},
      {"telephone line 12", {258}, 7, jobcodelib::Text(u"12"), {}, 0, u"12", 2},
      {"telephone line with blanks", {258}, 7, jobcodelib::Text(u" 7 "), {}, 0, u"7", 2},
      {"telephone line 255", {257}, 7, jobcodelib::Text(u"255"), {}, 0, u"255", 2},
      {"telephone line 256 is refused", {258}, 7, jobcodelib::Text(u"256"), {}, kJCValueRefused, u"9", 2},
      {"telephone line 300 is refused", {258}, 7, jobcodelib::Text(u"300"), {}, kJCValueRefused, u"9", 2},
      {"telephone line -1 is refused", {258}, 7, jobcodelib::Text(u"-1"), {}, kJCValueRefused, u"9", 2},
      {"telephone line that is no number", {258}, 7, jobcodelib::Text(u"1x"), {}, kJCValueRefused, u"9", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Bind(c.served));
    Office().values.clear();
    if (c.stored) Office().values[c.kind] = *c.stored;
    lib().forced = c.forced;
    ASSERT_NO_FATAL_FAILURE(PutSetting(c.kind, u"9"));
    EXPECT_EQ(DrvJCGetCode(ucb_, c.kind), c.status);
    EXPECT_EQ(Setting(c.kind), c.setting);
    EXPECT_EQ(lib().CallsOf("get").size(), c.gets);
    lib().forced.clear();
    UnLoadJobCode(ucb_);
  }
}

// The buffer given for a long value holds all of it; the text is cut to
// the kind's buffer only afterwards.
TEST_F(JobCodeExchange, ALongValueIsFetchedWholeAndCutToTheKindsBuffer) {
  ASSERT_NO_FATAL_FAILURE(Bind({258}));
  Office().values[kJCKindTelNo] = jobcodelib::Text(std::u16string(100, u'5'));
  EXPECT_EQ(DrvJCGetCode(ucb_, kJCKindTelNo), kJCSuccess);
  const std::vector<jobcodelib::Call> gets = lib().CallsOf("get");
  ASSERT_EQ(gets.size(), 2u);
  EXPECT_TRUE(gets[0].probe);
  EXPECT_EQ(gets[1].size, 202u);
  EXPECT_EQ(Text(ucb_, SettingOf(kJCKindTelNo)), std::u16string(64, u'5'));
}

TEST_F(JobCodeExchange, KindsTheDriverOnlySendsOrDoesNotKnowAreNeverFetched) {
  ASSERT_NO_FATAL_FAILURE(Bind({258}));
  for (DWORD kind : {kJCKindProduct, kJCKindDriverVersion, kJCKindLanguage}) {
    EXPECT_EQ(DrvJCGetCode(ucb_, kind), kJCSuccess) << kind;
  }
  EXPECT_EQ(DrvJCGetCode(ucb_, 9), kJCUnknownKind);
  EXPECT_EQ(DrvJCSetCode(ucb_, 259, kJCOpSetCodes), kJCUnknownKind);
  EXPECT_TRUE(lib().calls.empty());
}

TEST_F(JobCodeExchange, NothingIsExchangedWhileNoJobCodesAreOpen) {
  Office().values[kJCKindUserCode] = jobcodelib::Text(u"4711");
  ASSERT_NO_FATAL_FAILURE(PutSetting(kJCKindUserCode, u"9"));
  EXPECT_EQ(DrvJCGetCode(ucb_, kJCKindUserCode), kJCSuccess);
  EXPECT_EQ(DrvJCSetCode(ucb_, kJCKindUserCode, kJCOpSetCodes), kJCSuccess);
  EXPECT_EQ(DrvJCDeleteCode(ucb_, kJCKindUserCode), kJCSuccess);
  EXPECT_EQ(DrvJCLaunchUtility(ucb_, 1), kJCSuccess);
  EXPECT_EQ(Setting(kJCKindUserCode), u"9");
  EXPECT_TRUE(lib().calls.empty());
}

TEST_F(JobCodeExchange, TheDevmodeCodesAreSentAsTextInTheirWholeBuffers) {
  ASSERT_NO_FATAL_FAILURE(Bind({258}));
  const std::pair<DWORD, const char16_t*> settings[] = {
      {kJCKindOwnerName, u"Ada"}, {kJCKindJobPassword, u"1234"}, {kJCKindUserId, u"ada7"},
      {kJCKindDocumentName, u"Report"}, {kJCKindStoredPassword, u"9876"}, {kJCKindTelLine, u"12"}};
  for (const auto& [kind, text] : settings) ASSERT_NO_FATAL_FAILURE(PutSetting(kind, text));

  EXPECT_EQ(SetJobCodeEx(ucb_, kJCMaskGivenCodes | 0x40), kJCSuccess);
  const std::vector<jobcodelib::Call> sets = lib().CallsOf("set");
  ASSERT_EQ(sets.size(), 6u);
  const DWORD kinds[] = {2, 3, 4, 5, 7, 8};
  const DWORD sizes[] = {34, 18, 18, 34, 32, 18};
  for (std::size_t i = 0; i < sets.size(); ++i) {
    EXPECT_EQ(sets[i].kind, kinds[i]);
    EXPECT_EQ(sets[i].type, kJCTypeText);
    EXPECT_EQ(sets[i].size, sizes[i]);
    EXPECT_EQ(Sent(sets[i]), Setting(kinds[i]));
    EXPECT_EQ(Stored(kinds[i]), Setting(kinds[i]));
  }
}

TEST_F(JobCodeExchange, TheDriverWordsGoOnlyToAnInterfaceThatKnowsThem) {
  ASSERT_NO_FATAL_FAILURE(SetText(ucb_, kFuncDriverVersion, u"2.10"));
  Set(ucb_, kFuncLanguage, kLanguageSimplifiedChinese);

  ASSERT_NO_FATAL_FAILURE(Bind({257}));
  EXPECT_EQ(SetJobCodeEx(ucb_, kJCMaskDriverWords), kJCSuccess);
  EXPECT_TRUE(lib().calls.empty());
  UnLoadJobCode(ucb_);

  ASSERT_NO_FATAL_FAILURE(Bind({258}));
  EXPECT_EQ(SetJobCodeEx(ucb_, kJCMaskDriverWords), kJCSuccess);
  const std::vector<jobcodelib::Call> sets = lib().CallsOf("set");
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(sets[0].kind, kJCKindProduct);
  EXPECT_EQ(Sent(sets[0]), u"KESM");
  EXPECT_EQ(sets[0].size, 32u);
  EXPECT_EQ(sets[1].kind, kJCKindDriverVersion);
  EXPECT_EQ(Sent(sets[1]), u"2.10");
  EXPECT_EQ(sets[1].size, 32u);
  EXPECT_EQ(sets[2].kind, kJCKindLanguage);
  EXPECT_EQ(sets[2].type, kJCTypeNumber);
  EXPECT_EQ(sets[2].data, (std::vector<BYTE>{0x04, 0x08, 0, 0})) << "sublanguage 2 << 10 | primary 4";
}

TEST_F(JobCodeExchange, AFailedSetIsReportedAfterEveryKindWasSent) {
  ASSERT_NO_FATAL_FAILURE(Bind({258}));
  Force("set", 0x20000005, kJCKindJobPassword);
  Force("set", 0x20000006, kJCKindDocumentName);
  EXPECT_EQ(SetJobCodeEx(ucb_, kJCMaskGivenCodes), 0x20000005u);
  EXPECT_EQ(KindsOf("set"), (std::vector<DWORD>{2, 3, 4, 5, 8}));
}

TEST_F(JobCodeExchange, ClearingEmptiesTheSettingsAndSendsTheEmptyValues) {
  ASSERT_NO_FATAL_FAILURE(Bind({258}));
  for (DWORD kind : {2, 3, 4, 5, 8}) ASSERT_NO_FATAL_FAILURE(PutSetting(kind, u"x"));
  EXPECT_EQ(ClearJobCode(ucb_, kJCMaskGivenCodes), kJCSuccess);
  for (DWORD kind : {2, 3, 4, 5, 8}) {
    EXPECT_EQ(Setting(kind), u"") << kind;
    EXPECT_EQ(Stored(kind), u"") << kind;
  }
}

TEST_F(JobCodeExchange, AClearedTelephoneLineTakesTheDescriptionsDefaultWhenItFits) {
  struct Case {
    const char* description;
    const char16_t* line;
  } const cases[] = {{"kesm_jobcodes.kpd", u"3"}, {"kesm_jobcodes_wide.kpd", u"0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    Description description(c.description);
    ASSERT_NO_FATAL_FAILURE(description.AttachTo(ucb_));
    ASSERT_NO_FATAL_FAILURE(Bind({258}));
    ASSERT_NO_FATAL_FAILURE(PutSetting(kJCKindTelLine, u"9"));
    EXPECT_EQ(ClearJobCode(ucb_, 0x40), kJCSuccess);
    EXPECT_EQ(Setting(kJCKindTelLine), c.line);
    EXPECT_EQ(Stored(kJCKindTelLine), c.line);
    UnLoadJobCode(ucb_);
    ucb_->pBKPD = nullptr;
  }
}

TEST_F(JobCodeExchange, TheUtilityIsShownInTheContextsLanguage) {
  ASSERT_NO_FATAL_FAILURE(Bind({258}));
  Set(ucb_, kFuncLanguage, kLanguageSimplifiedChinese);
  DispJobCodeDLLDependOnMachine(ucb_);
  const std::vector<jobcodelib::Call> launches = lib().CallsOf("launch");
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].argument, 1u);
  EXPECT_EQ(launches[0].language.cbSize, 8u);
  EXPECT_EQ(launches[0].language.wPrimary, 4);
  EXPECT_EQ(launches[0].language.wSubLanguage, 2);
  EXPECT_EQ(launches[0].status, kJCSuccess);
}

TEST_F(JobCodeExchange, ADeleteAnswersTheLibrarysStatus) {
  ASSERT_NO_FATAL_FAILURE(Bind({258}));
  Office().values[kJCKindUserCode] = jobcodelib::Text(u"4711");
  EXPECT_EQ(DrvJCDeleteCode(ucb_, kJCKindUserCode), kJCSuccess);
  EXPECT_EQ(Stored(kJCKindUserCode), u"<none>");
  EXPECT_EQ(DrvJCDeleteCode(ucb_, kJCKindUserCode), kJCNoValue);
}

}  // namespace
}  // namespace jobcode_test
