// The DEVMODE of a job whose settings the command line chose: the printer's
// own DEVMODE, as its configuration library gives it to an application,
// with the chosen settings stored in its private part.
#pragma once

#include <string>
#include <vector>

#include "platform/base/wintypes.h"

namespace kesmprint {

// The settings a job may choose. The language is the two-letter code of
// the driver's language (empty: the printer's own).
struct JobSettings {
  std::string language;
  bool glyphBitmaps = false;  // text in fonts the printer lacks as glyph bitmaps
  bool banding = false;       // pages drawn into bands of a bitmap
  bool Any() const { return !language.empty() || glyphBitmaps || banding; }
};

// False for a language code the driver does not know.
bool KnownLanguage(const std::string& code);
// The codes the driver knows, in its table's order, separated by ", ".
std::string LanguageCodes();
// The ANSI code page of a system of the language: the printer's names and
// the job's texts are in it.
UINT LanguageCodePage(const std::string& code);

// The whole DEVMODE (public and private parts) of the printer with the
// settings; its public part is public (paper, orientation, resolution,
// colour). False with a message when the printer's context cannot be had.
bool JobDevmode(const std::u16string& printer, const std::vector<BYTE>& publicPart, const JobSettings& settings,
                std::vector<BYTE>& devmode, std::string& error);

}  // namespace kesmprint
