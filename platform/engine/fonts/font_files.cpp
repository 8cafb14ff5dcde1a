// Font files: the fixed DejaVu folder, then fontconfig.
#include "platform/engine/fonts/font_files.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <mutex>
#include <system_error>

namespace plat::eng {
namespace {

struct KnownFace {
  const char* name;     // lower case
  const char* family;   // as fontconfig knows it
  const char* regular;  // file names in the fixed folder
  const char* bold;
};

// The faces of the DejaVu core package.
constexpr std::array<KnownFace, 3> kFaces{{
    {"dejavu sans", "DejaVu Sans", "DejaVuSans.ttf", "DejaVuSans-Bold.ttf"},
    {"dejavu sans mono", "DejaVu Sans Mono", "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf"},
    {"dejavu serif", "DejaVu Serif", "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf"},
}};

const KnownFace* Lookup(std::u16string_view name) {
  std::string lower;
  for (char16_t c : name) {
    if (c > 0x7F) return nullptr;
    lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  auto it = std::find_if(kFaces.begin(), kFaces.end(),
                         [&](const KnownFace& f) { return lower == f.name; });
  return it == kFaces.end() ? nullptr : &*it;
}

// Asks fontconfig for the family in the style; only an exact family match
// counts (fontconfig otherwise substitutes another font).
std::optional<std::filesystem::path> AskFontconfig(const KnownFace& face, bool bold) {
  static std::mutex lock;
  std::lock_guard guard(lock);
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return std::nullopt;
  std::optional<std::filesystem::path> found;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.family));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  if (match != nullptr) {
    FcChar8* family = nullptr;
    FcChar8* file = nullptr;
    int weight = 0;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
        FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
        std::string(reinterpret_cast<char*>(family)) == face.family &&
        (weight >= FC_WEIGHT_BOLD) == bold) {
      found = std::filesystem::path(reinterpret_cast<char*>(file));
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  return found;
}

}  // namespace

std::optional<std::filesystem::path> FindFontFile(std::u16string_view faceName, bool bold) {
  const KnownFace* face = Lookup(faceName);
  if (face == nullptr) return std::nullopt;
  std::filesystem::path fixed = std::filesystem::path(kFixedFontFolder) / (bold ? face->bold : face->regular);
  std::error_code ec;
  if (std::filesystem::is_regular_file(fixed, ec)) return fixed;
  return AskFontconfig(*face, bold);
}

}  // namespace plat::eng
