// Known locales. One row per locale; the country code is the one the
// locale's own settings report.
#include "platform/text/locale_table.h"

namespace plat {
namespace {

constexpr LocaleRow kLocales[] = {
    {0x0404, u"886"},  // Chinese (Taiwan)
    {0x0407, u"49"},   // German (Germany)
    {0x0409, u"1"},    // English (United States)
    {0x040A, u"34"},   // Spanish (Spain, traditional sort)
    {0x040C, u"33"},   // French (France)
    {0x0410, u"39"},   // Italian (Italy)
    {0x0411, u"81"},   // Japanese (Japan)
    {0x0412, u"82"},   // Korean (Korea)
    {0x0413, u"31"},   // Dutch (Netherlands)
    {0x0416, u"55"},   // Portuguese (Brazil)
    {0x0419, u"7"},    // Russian (Russia)
    {0x0804, u"86"},   // Chinese (PRC)
    {0x0809, u"44"},   // English (United Kingdom)
    {0x080A, u"52"},   // Spanish (Mexico)
    {0x0816, u"351"},  // Portuguese (Portugal)
    {0x0C04, u"852"},  // Chinese (Hong Kong)
    {0x0C09, u"61"},   // English (Australia)
    {0x0C0A, u"34"},   // Spanish (Spain, international sort)
    {0x0C0C, u"2"},    // French (Canada)
    {0x1009, u"2"},    // English (Canada)
};

}  // namespace

const LocaleRow* FindLocale(LCID lcid) {
  for (const LocaleRow& row : kLocales) {
    if (row.lcid == lcid) return &row;
  }
  return nullptr;
}

}  // namespace plat
