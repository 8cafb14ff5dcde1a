// The locales the stand-in knows, with the information GetLocaleInfoW
// gives for them. Internal to platform/.
#pragma once

#include "platform/base/wintypes.h"

namespace plat {

struct LocaleRow {
  LCID lcid;
  const WCHAR* country;  // LOCALE_ICOUNTRY: the international dialling code
};

// The row of a locale, or null when the stand-in does not know it.
const LocaleRow* FindLocale(LCID lcid);

}  // namespace plat
