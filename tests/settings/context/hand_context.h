// A printer context built by hand for the value-access tests: the context's
// own copies of the setting, tab and item records and of the driver
// parameters, a DCB and a saved DCB2 from the zero template with the block
// offsets in the DEVMODE header, and a work area. Items point at the copied
// setting records, as after an open. No description; a printer handle when
// one is given.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "jobsettings/devmode/devmode_header.h"
#include "settings/constraints/active_value_memo.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/context/context_block.h"
#include "settings/system/unaligned.h"

namespace kesm_test {

class HandContext {
 public:
  explicit HandContext(HANDLE printer = nullptr)
      : records_(fgSFCB, fgSFCB + kSettingCount),
        dcb_(std::make_unique<DCB>(fgDCB)),
        dcb2_(std::make_unique<DCB>(fgDCB)),
        work_(std::make_unique<WORKAREA>(fgWork)),
        dp_(fgDP) {
    sfl_ = {kSettingCount, records_.data()};
    CopyTabs();
    WriteBlockOffsets(*dcb_);
    WriteBlockOffsets(*dcb2_);
    work_->pDCB2 = dcb2_.get();
    ucb_ = fgUCB;
    ucb_.pSFL = &sfl_;
    ucb_.pTL = &tl_;
    ucb_.pDP = &dp_;
    ucb_.pDCB = dcb_.get();
    ucb_.pWork = work_.get();
    ucb_.hPrinter = printer;
  }
  // What the context made for itself goes with it, as a context's release
  // frees it.
  ~HandContext() { FreeActiveValueMemo(&ucb_); }
  HandContext(const HandContext&) = delete;
  HandContext& operator=(const HandContext&) = delete;

  UCB* ucb() { return &ucb_; }
  DCB& dcb() { return *dcb_; }
  DCB& dcb2() { return *dcb2_; }
  WORKAREA& work() { return *work_; }
  // The context's copy of a setting record (they keep table order).
  SFCB& record(int position) { return records_[static_cast<std::size_t>(position - 1)]; }

  static void WriteBlockOffsets(DCB& dcb) { DevCBSetPrivHeaderOffset(reinterpret_cast<DEVMODEW*>(dcb.devmode)); }

  // Gives the context a compiled description that holds nothing but the
  // name of its resource library.
  void SetResDll(std::u16string_view name) {
    description_.assign((kBkpdHeaderSize + (name.size() + 1) * sizeof(WCHAR) + 3) / 4, 0);
    auto* header = reinterpret_cast<BKPDHEADER*>(description_.data());
    header->totalSize = static_cast<DWORD>(description_.size() * 4);
    header->uiResDllName = kBkpdHeaderSize;
    name.copy(reinterpret_cast<WCHAR*>(reinterpret_cast<BYTE*>(header) + kBkpdHeaderSize), name.size());
    ucb_.pBKPD = reinterpret_cast<BKPD*>(header);
  }

 private:
  void CopyTabs() {
    tabs_.assign(fgTCB, fgTCB + kTabCount);
    items_.resize(tabs_.size());
    for (std::size_t t = 0; t < tabs_.size(); ++t) {
      items_[t].assign(tabs_[t].pICB, tabs_[t].pICB + tabs_[t].itemCount);
      for (ICB& icb : items_[t]) {
        if (icb.pSFCB != nullptr) {
          icb.pSFCB = &records_[static_cast<std::size_t>(icb.pSFCB - fgSFCB)];
        }
      }
      tabs_[t].pICB = items_[t].data();
    }
    tl_ = {kTabCount, tabs_.data()};
  }

  std::vector<SFCB> records_;
  SFL sfl_{};
  std::vector<TCB> tabs_;
  std::vector<std::vector<ICB>> items_;
  TL tl_{};
  std::unique_ptr<DCB> dcb_;
  std::unique_ptr<DCB> dcb2_;
  std::unique_ptr<WORKAREA> work_;
  DP dp_;
  UCB ucb_{};
  std::vector<DWORD> description_;
};

}  // namespace kesm_test
