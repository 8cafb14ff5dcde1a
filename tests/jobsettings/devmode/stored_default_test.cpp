// The printer's stored default DEVMODE is outside input too: a new context
// takes it over its built defaults only when it is this model's with the
// current sizes and driver version (an older minor version of its private
// part upgraded), and then only as the validation rules allow. The stored DEVMODEs are files of the hostile corpus.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/jobsettings/validate/validation_machine.h"

namespace validation_test {
namespace {

Bytes Corpus(const char* name) {
  std::ifstream in(std::string(KESM_TEST_DATA) + "/devmodes/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct StoredCase {
  const char* file;
  bool publicMark;   // the stored 5 copies reach the context
  bool privateMark;  // the stored watermark 7 reaches the context
};

class StoredDefault : public ValidationMachine, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredDefault, IsTakenOnlyAsTheRulesAllow) {
  const StoredCase& k = GetParam();
  ASSERT_NO_FATAL_FAILURE(Install("kesm_v5_validation.kpd", Corpus(k.file)));
  // A printer of the same driver without a stored default gives the
  // run-time flags this call's environment has.
  plat::PrinterSetup plain;
  plain.name = u"Plain";
  plain.driverName = u"Kesm Test";
  ASSERT_EQ(plat::AddPrinter(plain), ERROR_SUCCESS);
  HANDLE other = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  ASSERT_TRUE(OpenPrinterW(u"Plain", &other, &defaults));
  UCB* reference = GetUcb2(other, other, 0, 0, kSheetMode);
  ASSERT_NE(reference, nullptr);
  const Bytes runTime(reference->pDCB->devmode + kOffRunTimeFlags, reference->pDCB->devmode + kSizeofKesmDM);
  FreeUcb2(reference, 1);
  ClosePrinter(other);

  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(Dm(ucb)->dmCopies == 5, k.publicMark);
  EXPECT_EQ(Value(ucb, 118) == 7, k.privateMark);
  ExpectSound(ucb, runTime);
}

INSTANTIATE_TEST_SUITE_P(Corpus, StoredDefault,
                         ::testing::Values(StoredCase{"own_marked.bin", true, true},
                                           StoredCase{"spoofed_runtime_flags.bin", true, true},
                                           StoredCase{"bad_block_offsets.bin", true, true},
                                           StoredCase{"unterminated_texts.bin", true, true},
                                           // Its private part is this model's; its public
                                           // values become defaults.
                                           StoredCase{"hostile_public.bin", false, true},
                                           StoredCase{"out_of_range_private.bin", true, false},
                                           StoredCase{"other_model.bin", false, false},
                                           // An older minor version of this model's
                                           // DEVMODE is upgraded like any other; a
                                           // newer one or another major version is
                                           // not taken.
                                           StoredCase{"older_version_305.bin", true, true},
                                           StoredCase{"newer_version_311.bin", false, false},
                                           StoredCase{"old_major_version_250.bin", false, false},
                                           StoredCase{"public_only.bin", false, false}),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           name = name.substr(0, name.find('.'));
                           for (char& c : name) c = c == '_' ? 'x' : c;
                           return name;
                         });

}  // namespace
}  // namespace validation_test
