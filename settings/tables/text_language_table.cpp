// The driver's languages, in the order lookups scan them.
#include "settings/values/text_language.h"

const WCHAR gtLangUS[] = u"us";

namespace {

const LANGINFO kLangInfoList[] = {
    {0, 17, 0, 0, u"jp"},   // Japanese
    {1, 9, 0, 0, gtLangUS}, // English
    {2, 5, 0, 0, u"cz"},    // Czech
    {3, 6, 0, 0, u"dn"},    // Danish
    {4, 7, 0, 0, u"gm"},    // German
    {5, 10, 0, 0, u"sp"},   // Spanish
    {6, 12, 0, 0, u"fr"},   // French
    {7, 16, 0, 0, u"it"},   // Italian
    {8, 14, 0, 0, u"hn"},   // Hungarian
    {9, 19, 0, 0, u"dt"},   // Dutch
    {10, 20, 0, 0, u"nw"},  // Norwegian
    {11, 21, 0, 0, u"pl"},  // Polish
    {12, 22, 0, 0, u"pr"},  // Portuguese
    {13, 11, 0, 0, u"fn"},  // Finnish
    {14, 29, 0, 0, u"sw"},  // Swedish
    {16, 4, 2, 0, u"cs"},   // Chinese, simplified
    {17, 4, 1, 0, u"ct"},   // Chinese, traditional
    {18, 18, 0, 0, u"kr"},  // Korean
    {15, 25, 0, 0, u"ru"},  // Russian
    {kLangEnd, kLangEnd, 0, 0, nullptr},
};

}  // namespace

const LANGINFO* GetLangInfoList() { return kLangInfoList; }
