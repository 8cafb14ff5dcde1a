// The W2 printer's property sheets as a person meets them: opened through
// the common property-sheet host by the spooler's calls, driven by a
// script, then judged by the DEVMODE handed out and the printer data
// written. A sheet may also be opened through a stand-in for the host's
// caller that lets a test module watch the pages' messages or post a
// request before the first page starts (what the preset page does before
// it opens its nested sheet).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "features/module_table/custom_table.h"
#include "features/module_table/pages/page_rows.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/window_image.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/ui_machine.h"
#include "ui/alerts/engine_hooks.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/document_properties.h"

namespace ui_test {

using plat::window::WindowRef;

// What a test does with the sheet's context once INIT has made it, and
// the module procedure it puts first in the context's chain (null: none).
struct SheetHooks {
  std::function<void(UCB*)> afterInit;
  CustomProcedure procedure = nullptr;
  std::function<void(WORD reason)> onReason;  // every call the host makes
};

class SheetMachine : public UiMachine {
 protected:
  static constexpr LONG kDriverDevmode = 1236;

  static WindowRef Sheet() { return WindowRef::Top(u"Properties for " + std::u16string(kPrinter)); }

  // The document sheet of the old document-properties call.
  LONG DocumentSheet(Bytes& out, Bytes* in, DWORD fMode) {
    return DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out),
                                 in != nullptr ? Dm(*in) : nullptr, fMode | DM_PROMPT);
  }

  // The document sheet through the host, with the hooks of a test; the
  // host's answer, and the sheet's result in *result.
  LONG HookedDocumentSheet(Bytes& out, DWORD fMode, SheetHooks hooks, LONG* result) {
    DOCUMENTPROPERTYHEADER header{sizeof header, 0, printer_, const_cast<LPWSTR>(kPrinter), nullptr, Dm(out), 0,
                                  fMode};
    return Hooked(DrvDocumentPropertySheets, reinterpret_cast<LPARAM>(&header), std::move(hooks), result);
  }
  LONG HookedDeviceSheet(SheetHooks hooks, LONG* result) {
    DEVICEPROPERTYHEADER header{sizeof header, 0, printer_, const_cast<LPWSTR>(kPrinter)};
    return Hooked(DrvDevicePropertySheets, reinterpret_cast<LPARAM>(&header), std::move(hooks), result);
  }

  // Until the presets have been refreshed for the printer's options, the
  // printer sheet tells the user that it reads them, before it shows.
  static void AnswerOptionsNotice(kesm_test::UiScript& script) {
    script.answerBox(u"The printer's options will be read now.", IDOK);
  }

  // The texts of the sheet's tabs, left to right.
  static std::vector<std::u16string> TabTexts(HWND sheet) {
    HWND tabs = GetDlgItem(sheet, IDC_SHEETTABS);
    std::vector<std::u16string> texts;
    const auto count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      WCHAR text[128] = {};
      TCITEMW item{TCIF_TEXT, 0, 0, text, 128, 0, 0};
      SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      texts.emplace_back(text);
    }
    return texts;
  }

  // Clicks the sheet's tab of this caption, wherever the printer's
  // description puts it.
  static void ShowTab(kesm_test::UiScript& script, std::u16string caption) {
    script.decide([caption](plat::window::Script& s) {
      const auto texts = TabTexts(Sheet().Resolve());
      for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] == caption) s.tab(Sheet(), static_cast<int>(i));
      }
    });
  }
  // A control of the page the sheet shows when the step runs.
  static WindowRef OnPage(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }

  // A setting the printer keeps, as a new context reads it (as the page
  // shows it when `asShown`).
  LONG_PTR Stored(WORD setting, bool asShown = false) {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    if (ucb == nullptr) return -1;
    const LONG_PTR value =
        asShown ? GetDevmodeValueByFuncID(ucb, setting, nullptr) : GetDevmodeValueDirectByFuncID(ucb, setting, nullptr);
    FreeUcb2(ucb, 1);
    return value;
  }
  // A text setting the printer keeps, as a new context reads it.
  std::u16string StoredText(WORD setting) {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    if (ucb == nullptr) return u"<no context>";
    WCHAR text[1100] = {};
    GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, setting), text);
    FreeUcb2(ucb, 1);
    return text;
  }

  // The context of the page a sheet shows.
  static UCB* ContextOfPage(HWND page) { return reinterpret_cast<UCB*>(GetWindowLongPtrW(page, DWLP_USER)); }

  // Where pictures of windows go: KESM_DUMP_WINDOWS when named, else a
  // folder of this test that goes with it.
  std::filesystem::path PictureFolder() {
    const char* dump = std::getenv("KESM_DUMP_WINDOWS");
    if (dump != nullptr && *dump != 0) return dump;
    pictures_ = std::filesystem::temp_directory_path() / ("kesm-sheets-" + std::to_string(getpid()));
    std::filesystem::create_directories(pictures_);
    return pictures_;
  }
  // The printer's description; a fixture of a variant names its own.
  virtual const char* Description() const { return "kesm_w2_request.kpd"; }

  // The library's boxes reach the layers below it, and its pages join the
  // module table, as once it is loaded.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install(Description()));
    RegisterEngineHooks();
    RegisterFeaturePages();
  }
  void TearDown() override {
    UnregisterFeaturePages();
    UnregisterEngineHooks();
    if (!pictures_.empty()) std::filesystem::remove_all(pictures_);
    UiMachine::TearDown();
  }

 private:
  struct Running {
    PFNPROPSHEETUI sheet;
    SheetHooks hooks;
    CustomProcedure replaced = nullptr;
  };
  static Running*& Current() {
    static Running* running = nullptr;
    return running;
  }
  static LONG CALLBACK Forward(PROPSHEETUI_INFO* info, LPARAM lParam) {
    Running& run = *Current();
    if (run.hooks.onReason) run.hooks.onReason(info->Reason);
    auto* ucb = reinterpret_cast<UCB*>(info->UserData);
    CUSTOMROW* first = ucb != nullptr && ucb->pWork->pCustom != nullptr ? ucb->pWork->pCustom->rows : nullptr;
    if (info->Reason == PROPSHEETUI_REASON_DESTROY && first != nullptr && run.hooks.procedure != nullptr) {
      first->procedure = run.replaced;
    }
    const LONG answer = run.sheet(info, lParam);
    ucb = reinterpret_cast<UCB*>(info->UserData);
    if (info->Reason != PROPSHEETUI_REASON_INIT || ucb == nullptr) return answer;
    if (run.hooks.procedure != nullptr && ucb->pWork->pCustom != nullptr) {
      run.replaced = ucb->pWork->pCustom->rows[0].procedure;
      ucb->pWork->pCustom->rows[0].procedure = Watch;
    }
    if (run.hooks.afterInit) run.hooks.afterInit(ucb);
    return answer;
  }
  // The test's module first, then the module whose place it took.
  static INT_PTR Watch(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work) {
    Running& run = *Current();
    const INT_PTR answer = run.hooks.procedure(ucb, tcb, icb, message, wParam, lParam, work);
    if (answer != 0 || run.replaced == nullptr) return answer;
    return run.replaced(ucb, tcb, icb, message, wParam, lParam, work);
  }
  LONG Hooked(PFNPROPSHEETUI sheet, LPARAM header, SheetHooks hooks, LONG* result) {
    Running run{sheet, std::move(hooks)};
    Current() = &run;
    const LONG answer = CallCompstui(nullptr, Forward, header, result);
    Current() = nullptr;
    return answer;
  }

  std::filesystem::path pictures_;
};

}  // namespace ui_test
