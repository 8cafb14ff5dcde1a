// The default font face: the Japanese gothic face for a context whose
// resource library is the Japanese one, "Arial" for any other and without
// a description, always terminated within its 32 characters.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "storage/properties/default_font.h"
#include "tests/settings/context/hand_context.h"

namespace {

TEST(DefaultFont, FollowsTheLanguageOfTheResourceLibrary) {
  const std::u16string japanese = u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";
  struct Case {
    const char16_t* resDll;  // null: no description
    std::u16string face;
  };
  for (const Case& k : {Case{u"kesmrsjp.dll", japanese}, Case{u"kesmrsJP.dll", japanese},
                        Case{u"kesmrsus.dll", u"Arial"}, Case{nullptr, u"Arial"}}) {
    SCOPED_TRACE(k.resDll != nullptr ? "with a resource library" : "without a description");
    kesm_test::HandContext context;
    if (k.resDll != nullptr) context.SetResDll(k.resDll);
    WCHAR face[kDefaultFontChars];
    std::fill(std::begin(face), std::end(face), u'#');
    KESMGetDefaultFont(context.ucb(), face);
    EXPECT_EQ(std::u16string(face), k.face);
  }
  WCHAR face[kDefaultFontChars] = {};
  KESMGetDefaultFont(nullptr, face);
  EXPECT_EQ(std::u16string(face), u"Arial");
}

}  // namespace
