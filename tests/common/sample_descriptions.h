// Every sample description of the project: the test descriptions of
// tests/data/kpd and the print tool's sample. Golden listings per sample
// are named after the description's file name without its extension.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace kesm_test {

inline constexpr const char* kSampleDescriptions[] = {
    KESM_TEST_DATA "/kpd/constraint_engine.kpd",
    KESM_TEST_DATA "/kpd/exc_interface.kpd",
    KESM_TEST_DATA "/kpd/group_orders.kpd",
    KESM_TEST_DATA "/kpd/kesm_a6_alerts.kpd",
    KESM_TEST_DATA "/kpd/kesm_c7_colour.kpd",
    KESM_TEST_DATA "/kpd/kesm_c9_chapter.kpd",
    KESM_TEST_DATA "/kpd/kesm_c9_chapter_page.kpd",
    KESM_TEST_DATA "/kpd/kesm_d4_document_events.kpd",
    KESM_TEST_DATA "/kpd/kesm_f4_finisher.kpd",
    KESM_TEST_DATA "/kpd/kesm_h2_header.kpd",
    KESM_TEST_DATA "/kpd/kesm_jobcodes.kpd",
    KESM_TEST_DATA "/kpd/kesm_jobcodes_wide.kpd",
    KESM_TEST_DATA "/kpd/kesm_l4_lists.kpd",
    KESM_TEST_DATA "/kpd/kesm_l5_long_list.kpd",
    KESM_TEST_DATA "/kpd/kesm_m3.kpd",
    KESM_TEST_DATA "/kpd/kesm_paper_areas.kpd",
    KESM_TEST_DATA "/kpd/kesm_r5_render.kpd",
    KESM_TEST_DATA "/kpd/kesm_s6_turned_staple.kpd",
    KESM_TEST_DATA "/kpd/kesm_v5_validation.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_buttons.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_fonts.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_freesize.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_hidden_fonts.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_hidden_functions.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_numbers.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_option.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_other.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_other2.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_page_alert.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_preset.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_quality.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_refresh.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_request.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_stamp.kpd",
    KESM_TEST_DATA "/kpd/kesm_w2_stored_size.kpd",
    KESM_TEST_DATA "/../../tools/kesmprint/kesm_sample.kpd",
};

// "kesm_m3" for ".../kesm_m3.kpd".
inline std::string SampleName(const std::string& path) {
  const std::string file = path.substr(path.rfind('/') + 1);
  return file.substr(0, file.find('.'));
}

// The same as a test name: letters and digits only.
inline std::string SampleTestName(const std::string& path) {
  std::string name = SampleName(path);
  for (char& c : name) c = c == '_' ? 'x' : c;
  return name;
}

// The text of a golden file, to compare the listing with. With
// KESM_UPDATE_GOLDEN set, the file is rewritten with the listing first.
inline std::string GoldenText(const std::string& path, const std::string& listing) {
  if (std::getenv("KESM_UPDATE_GOLDEN") != nullptr) std::ofstream(path, std::ios::binary) << listing;
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<no golden file " + path + ">";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace kesm_test
