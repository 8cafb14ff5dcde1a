#include "storage/ini/section_names.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/base/machine.h"
#include "tests/storage/printer_setup.h"
#include "tests/storage/storage_support.h"

namespace {

using Getter = LPCWSTR (*)(UCB*);

TEST(SectionNames, StoresPickTheDriverOrThePrinterName) {
  storage_test::Context context;
  std::u16string(u"Office [2F]").copy(context.work->szPrinterName, MAX_PATH);
  std::u16string(u"us").copy(context.work->szDriverLanguage, 3);
  const Getter driverWide[] = {GetWatermarkSectionName,  GetDriverIniSectionName,
                               GetFreesizeSectionName,   GetRsbSectionName,
                               GetRsdSectionName,        GetBatchInstallSectionName,
                               GetDefaultRstSectionName, GetInstallCopyFilesSectionName};
  for (Getter get : driverWide) EXPECT_EQ(std::u16string(get(context.get())), u"us");
  const Getter perPrinter[] = {GetPresetSectionName,
                               GetQualitySectionName,
                               GetDrvInstSectionName,
                               GetChapterMaxSectionName,
                               GetDefaultRstSectionNameForRefresh,
                               GetKesmInstSectionName};
  for (Getter get : perPrinter) EXPECT_EQ(std::u16string(get(context.get())), u"Office [2F]");
  EXPECT_EQ(std::u16string(GetCustomDoneSectionName(nullptr)), u"BatchInstallDone");
  EXPECT_EQ(GetPresetSectionName(nullptr), nullptr);
}

TEST(SectionNames, WithoutAContextThePrinterNameMustFit) {
  plat::ScopedMachine machine;
  storage_test::AddPrinters();
  storage_test::Printer printer(storage_test::kLocalPrinter);
  const std::u16string name = storage_test::kLocalPrinter;
  WCHAR buffer[MAX_PATH] = u"old";
  EXPECT_EQ(
      GetPresetSectionNameWithoutUCB(printer.get(), buffer, static_cast<DWORD>(name.size() + 1)),
      buffer);
  EXPECT_EQ(std::u16string(buffer), name);
  EXPECT_EQ(GetQualitySectionNameWithoutUCB(printer.get(), buffer, static_cast<DWORD>(name.size())),
            nullptr);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(GetDrvInstSectionNameWithoutUCB(nullptr, buffer, MAX_PATH), nullptr);
  EXPECT_EQ(GetPresetSectionNameWithoutUCB(printer.get(), nullptr, MAX_PATH), nullptr);
}

}  // namespace
