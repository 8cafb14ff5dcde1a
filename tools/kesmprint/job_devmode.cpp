#include "tools/kesmprint/job_devmode.h"

#include <algorithm>
#include <cstring>

#include "jobsettings/devmode/document_devmode.h"
#include "platform/spooler/winspool.h"
#include "platform/text/utf.h"
#include "settings/context/context_open.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"

namespace kesmprint {
namespace {

// Function ids of the settings a job may choose.
enum : WORD {
  kLanguageId = 169,
  kDspLanguageId = 170,
  kTextBitmap = 167,
  kImagePrint = 174,
};

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The double-byte code pages of the driver's Asian languages. Every other
// language of the driver prints on the Western code page: the simulated
// machine converts no Central European or Cyrillic one.
struct LanguageCodePageRow {
  const char* code;
  UINT codePage;
};
constexpr LanguageCodePageRow kAsianCodePages[] = {{"jp", 932}, {"cs", 936}, {"kr", 949}, {"ct", 950}};
constexpr UINT kWesternCodePage = 1252;

}  // namespace

UINT LanguageCodePage(const std::string& code) {
  std::string lower = code;
  for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  for (const LanguageCodePageRow& row : kAsianCodePages) {
    if (lower == row.code) return row.codePage;
  }
  return kWesternCodePage;
}

bool KnownLanguage(const std::string& code) {
  if (code.size() != 2) return false;
  const std::u16string wide = Widen(code);
  const std::u16string own = GetLanguageStrFromStr(wide.c_str());
  return std::equal(own.begin(), own.end(), wide.begin(), wide.end(),
                    [](char16_t a, char16_t b) { return a == (b >= u'A' && b <= u'Z' ? b + 32 : b); });
}

std::string LanguageCodes() {
  std::string codes;
  for (const LANGINFO* row = GetLangInfoList(); row->pszCode != nullptr; ++row) {
    const std::string code = plat::utf::ToUtf8(row->pszCode);
    if (codes.find(code) != std::string::npos) continue;
    codes += (codes.empty() ? "" : ", ") + code;
  }
  return codes;
}

bool JobDevmode(const std::u16string& printer, const std::vector<BYTE>& publicPart, const JobSettings& settings,
                std::vector<BYTE>& devmode, std::string& error) {
  HANDLE handle = nullptr;
  if (!OpenPrinterW(printer.c_str(), &handle, nullptr)) {
    error = "cannot open the printer " + plat::utf::ToUtf8(printer) + " for its settings";
    return false;
  }
  UCB* ucb = GetUcb(handle, handle, 0, 0);
  const DEVMODEW* dm = ucb != nullptr ? GetDocumentDevmode(ucb) : nullptr;
  bool ok = dm != nullptr;
  if (ok && !settings.language.empty()) {
    const std::u16string code = Widen(settings.language);
    const WORD language = GetLanguageIDFromStr(code.c_str());
    ok = SetDevmodeValueDirectByFuncID(ucb, kLanguageId, language) &&
         SetDevmodeValueDirectByFuncID(ucb, kDspLanguageId, language);
  }
  if (ok && settings.glyphBitmaps) ok = SetDevmodeValueDirectByFuncID(ucb, kTextBitmap, 1);
  if (ok && settings.banding) ok = SetDevmodeValueDirectByFuncID(ucb, kImagePrint, 1);
  if (ok) {
    // The application's public part over the printer's, the private part
    // as the settings left it.
    const std::size_t size = std::size_t{dm->dmSize} + dm->dmDriverExtra;
    devmode.assign(reinterpret_cast<const BYTE*>(dm), reinterpret_cast<const BYTE*>(dm) + size);
    const std::size_t common = std::min<std::size_t>({publicPart.size(), dm->dmSize, sizeof(DEVMODEW)});
    if (common > 0) std::memcpy(devmode.data(), publicPart.data(), common);
    auto* out = reinterpret_cast<DEVMODEW*>(devmode.data());
    out->dmSize = dm->dmSize;
    out->dmDriverExtra = dm->dmDriverExtra;
    out->dmDriverVersion = dm->dmDriverVersion;
  }
  if (ucb != nullptr) FreeUcb(ucb);
  FreeStoredUcb(TRUE);
  ClosePrinter(handle);
  if (!ok) error = "cannot make the settings of the printer " + plat::utf::ToUtf8(printer);
  return ok;
}

}  // namespace kesmprint
