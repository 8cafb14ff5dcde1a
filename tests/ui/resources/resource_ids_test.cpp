// Every string, picture and cursor the configuration library can ask its
// resource and bitmap libraries for is there, and says or shows something:
// the ids are gathered from the tables the engine reads (layout tables,
// alert table, value lists, painting tables, file dialogs), from the
// descriptions we ship (the options of every list, text and picture item
// they fill) and from the calls in the sources that name an id by its
// constant, so that a new table row, option or call without its resource
// fails here instead of showing an empty box to a user.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/winpath.h"
#include "platform/gdi/wingdi.h"
#include "platform/modules/winresource.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/tables/alert_table.h"
#include "settings/tables/class_data.h"
#include "settings/tables/dialog_tables.h"
#include "settings/tables/value_lists.h"
#include "tests/ui/ui_machine.h"
#include "ui/bitmaps/bitmap_info.h"
#include "ui/bitmaps/bitmap_library.h"
#include "ui/engine/kinds/picture_items.h"
#include "ui/engine/painting_tables.h"
#include "ui/replace_strings.h"
#include "ui/resource_dll.h"
#include "ui/subdialogs/file_dialogs.h"

namespace ui_test {
namespace {

// Where each id was found, for the failure message.
using Uses = std::map<UINT, std::set<std::string>>;

void Use(Uses& uses, UINT id, const std::string& where) {
  if (id != 0) uses[id].insert(where);
}

// ---- The sources: the calls that take a string or picture id ----

// A function that takes a resource id, and the position of that argument.
struct Funnel {
  const char* name;
  int argument;
};
// The calls that load or show a string by id.
constexpr Funnel kStringFunnels[] = {
    {"LoadStringFromResDll", 1}, {"_ShowAlertMsgEx10", 2},  {"_ShowAlertMsgEx11", 2}, {"_ShowAlertMsgEx12", 2},
    {"_ShowAlertMsgEx21", 2},    {"ShowAlertMessage", 2},   {"ShowStorageMessage", 1}, {"AskStorageQuestion", 1},
    {"StartWindow", 2},          {"Tell", 1},               {"Ask", 1},                {"AppendResource", 1},
};
// The calls that paint or load a picture, icon or cursor by id.
constexpr Funnel kPictureFunnels[] = {
    {"PaintBitmapFromResDll", 3}, {"PaintBitmapFromResDll2", 5}, {"LoadIconFromResDll", 2},
    {"PaintIconFromResDll2", 4},  {"LoadBitmapFromResDll", 1},   {"LoadBitmapResource", 1},
    {"LoadCursorW", 1},           {"DrawPictureAtLeft", 3},
};
// The folders whose code runs in the configuration library.
constexpr const char* kCodeFolders[] = {"ui", "features", "settings", "storage", "devicecomm", "jobsettings"};

struct SourceFile {
  std::filesystem::path path;
  std::string text;
};

std::vector<SourceFile> ReadSources() {
  std::vector<SourceFile> files;
  for (const char* folder : kCodeFolders) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::filesystem::path(KESM_SOURCE_DIR) / folder)) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      files.push_back({entry.path(), text.str()});
    }
  }
  return files;
}

// The integer constants the sources define by name ("kName = 123"), each
// with the files that define it.
using Constants = std::map<std::string, std::vector<std::pair<std::filesystem::path, UINT>>>;

Constants ReadConstants(const std::vector<SourceFile>& files) {
  Constants constants;
  const std::regex definition(R"(\b(k[A-Z]\w*)\s*=\s*(0x[0-9A-Fa-f]+|\d+)\s*[;,}])");
  for (const SourceFile& file : files) {
    for (std::sregex_iterator it(file.text.begin(), file.text.end(), definition), end; it != end; ++it) {
      constants[(*it)[1]].emplace_back(file.path, static_cast<UINT>(std::stoul((*it)[2], nullptr, 0)));
    }
  }
  return constants;
}

// The arguments of the call whose "(" is at open, split at the commas of
// its own level.
std::vector<std::string> Arguments(const std::string& text, std::size_t open) {
  std::vector<std::string> arguments(1);
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"' || c == '\'') {  // a literal: its commas and brackets do not count
      const std::size_t close = text.find(c, i + 1);
      if (close == std::string::npos) break;
      arguments.back() += text.substr(i, close - i + 1);
      i = close;
      continue;
    }
    if (c == '(' || c == '[' || c == '{') {
      if (depth++ == 0) continue;
    } else if (c == ')' || c == ']' || c == '}') {
      if (--depth == 0) return arguments;
    } else if (c == ',' && depth == 1) {
      arguments.emplace_back();
      continue;
    }
    arguments.back() += c;
  }
  return {};
}

// The value of a named constant as the file that uses it sees it: its own
// definition, else one in its folder, else every definition there is.
std::vector<UINT> ValuesOf(const Constants& constants, const std::string& name, const std::filesystem::path& user) {
  const auto it = constants.find(name);
  if (it == constants.end()) return {};
  std::vector<UINT> own, folder, all;
  for (const auto& [path, value] : it->second) {
    if (path == user) own.push_back(value);
    if (path.parent_path() == user.parent_path()) folder.push_back(value);
    all.push_back(value);
  }
  return !own.empty() ? own : !folder.empty() ? folder : all;
}

// Every id that a call of the funnels names by a constant.
void CollectCalls(const std::vector<SourceFile>& files, const Constants& constants, std::span<const Funnel> funnels,
                  Uses& uses) {
  const std::regex name(R"(\bk[A-Z]\w*)");
  for (const SourceFile& file : files) {
    const std::string where = std::filesystem::relative(file.path, KESM_SOURCE_DIR).string();
    for (const Funnel& funnel : funnels) {
      const std::string call = funnel.name;
      for (std::size_t at = file.text.find(call); at != std::string::npos; at = file.text.find(call, at + 1)) {
        const bool starts = at == 0 || !(std::isalnum(static_cast<unsigned char>(file.text[at - 1])) ||
                                         file.text[at - 1] == '_');
        const std::size_t open = at + call.size();
        if (!starts || open >= file.text.size() || file.text[open] != '(') continue;
        const std::vector<std::string> arguments = Arguments(file.text, open);
        if (static_cast<int>(arguments.size()) <= funnel.argument) continue;
        const std::string& argument = arguments[static_cast<std::size_t>(funnel.argument)];
        for (std::sregex_iterator it(argument.begin(), argument.end(), name), end; it != end; ++it) {
          for (const UINT value : ValuesOf(constants, it->str(), file.path)) Use(uses, value, where + " " + it->str());
        }
      }
    }
  }
}

// ---- The tables ----

// The four lists that carry a second section, for the other orientation.
bool HasSecondSection(std::string_view name) {
  return name == "CDT_IDC_EDIT_CHOICE_NUP_TYPE" || name == "CDT_IDC_EDIT_CHOICE_DUPLEX_TYPE" ||
         name == "CDT_IDC_FINISH_CHOICE_PUNCH_TYPE" || name == "CDT_IDC_FINISH_CHOICE_STAPLE_TYPE";
}

void CollectValueLists(Uses& uses) {
  for (const ValueListName& row : kValueListNames) {
    const CDT* entry = row.list;
    for (int section = HasSecondSection(row.name) ? 2 : 1; section > 0; --section, ++entry) {
      for (; entry->strId != 0; ++entry) {
        if (entry->strId != kCdtNoText) Use(uses, entry->strId, row.name);
      }
    }
  }
}

void CollectClassData(const ICB& icb, const std::string& where, Uses& strings, Uses& pictures) {
  if (icb.pClassData == nullptr) return;
  switch (*static_cast<const WORD*>(icb.pClassData)) {
    case kClassScroll:
      Use(pictures, static_cast<const CDSBI*>(icb.pClassData)->bitmapId, where + " scroll bar");
      break;
    case kClassList: {
      const auto* list = static_cast<const CDSPL*>(icb.pClassData);
      Use(pictures, list->disabledBitmapId, where + " disabled mark");
      for (int i = 0; i < list->lineCount; ++i) Use(strings, list->pLines[i].labelId, where + " summary line");
      break;
    }
    case kClassTabPages: {
      const auto* tabs = static_cast<const CDTAB*>(icb.pClassData);
      for (int i = 0; i < tabs->pageCount; ++i) Use(strings, tabs->pPages[i].titleId, where + " tab title");
      break;
    }
    case kClassButton: {
      const auto* button = static_cast<const CDBTN*>(icb.pClassData);
      Use(strings, button->captionId, where + " button caption");
      Use(strings, button->secondId, where + " button text");
      break;
    }
    default:
      break;
  }
}

void CollectTables(Uses& strings, Uses& pictures) {
  for (const AP& ap : fgAP) {
    Use(strings, ap.messageId, ap.keyword);
    Use(strings, ap.titleId, std::string(ap.keyword) + " title");
  }
  for (const TCB& tcb : fgTCB) {
    const std::string dialog = "dialog " + std::to_string(tcb.tabId);
    for (int i = 0; i < tcb.itemCount; ++i) {
      const ICB& icb = tcb.pICB[i];
      const std::string item = dialog + " item " + std::to_string(icb.itemId);
      Use(strings, icb.popupId, item + " pop-up");
      Use(strings, icb.hintId, item + " hint");
      if (icb.kind == kCtlRadioList) Use(strings, icb.itemId, item + " radio option");
      CollectClassData(icb, item, strings, pictures);
    }
    if (const FILEDIALOGINFO* info = GetFileDialogInfo(&tcb)) {
      Use(strings, info->filterNameId, dialog + " file filter");
      Use(strings, info->titleId, dialog + " file dialog title");
    }
  }
  CollectValueLists(strings);
  for (const RESID2FUNCID* row = stResId2FuncId; row->id != 0; ++row) Use(strings, row->id, "stResId2FuncId");
  for (const OWNERCTRLSTRING* row = OwnerCtrlStringResource; row->wControlId != 0; ++row) {
    if (row->wCaptionId != kNoOwnerCaption) Use(strings, row->wCaptionId, "OwnerCtrlStringResource");
  }
  for (const RELATEDRESOURCE* row = aRelatedResource; row->wOptionValue != 0; ++row) {
    Use(strings, row->wHintId, "aRelatedResource hint");
    Use(pictures, row->wBitmapId, "aRelatedResource");
    Use(pictures, row->wDisabledBitmapId, "aRelatedResource disabled");
  }
  for (const WORD* id = port; *id != 0; ++id) Use(pictures, *id, "port");
  for (const WORD* id = land; *id != 0; ++id) Use(pictures, *id, "land");
  for (const BITMAPINFOROW* row = GetBitmapInfoList(); row->wBitmapId != 0; ++row) {
    Use(pictures, row->wBitmapId, "BitmapInfoList");
    Use(pictures, row->wOverlayBitmapId, "BitmapInfoList overlay");
  }
}

// ---- Reading the libraries ----

class ResourceIds : public UiMachine {
 protected:
  void SetUp() override {}
  void TearDown() override {
    if (ucb_ != nullptr) FreeUcb2(ucb_, 1);
    ucb_ = nullptr;
    UiMachine::TearDown();
  }

  // The printer of the description, with our two libraries where it
  // names them, and a context whose items are bound to its UI groups.
  void Open(const std::filesystem::path& description) {
    // A relative name is one of the test descriptions; a full path is
    // taken as it is.
    ASSERT_NO_FATAL_FAILURE(Install(description.string().c_str()));
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
    const auto bitmaps = plat::HostPathOf(GetBmpDllName(ucb_));
    ASSERT_TRUE(bitmaps.has_value());
    std::filesystem::create_directories(bitmaps->parent_path());
    std::filesystem::copy_file(KESM_UI_BITMAPS, *bitmaps, std::filesystem::copy_options::overwrite_existing);
  }

  // "" for a string that is missing or empty.
  std::u16string Text(UINT id) {
    std::vector<WCHAR> text(1025, 0);
    LoadStringFromResDll(ucb_, id, text.data(), static_cast<int>(text.size()), FALSE);
    return std::u16string(text.data());
  }

  // Why the picture of id cannot be shown: missing, unreadable or one flat
  // colour; "" when it is fine.
  std::string PictureFault(UINT id) {
    if (id >= kFirstCursorId && id <= kLastCursorId) {
      return FindResourceW(GetResDll(ucb_), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kGroupCursor)) != nullptr
                 ? ""
                 : "missing cursor";
    }
    DWORD bytes = 0;
    const BYTE* dib = LoadBitmapResource(ucb_, id, &bytes);
    if (dib == nullptr) return "missing";
    return FlatFault(dib, bytes);
  }

  // Reads the DIB on its own (not through the painting code): the colour
  // of every pixel, and whether there are at least two.
  static std::string FlatFault(const BYTE* dib, DWORD bytes) {
    BITMAPINFOHEADER h{};
    if (bytes < sizeof h) return "too short";
    std::memcpy(&h, dib, sizeof h);
    if (h.biSize != sizeof h || h.biWidth <= 0 || h.biHeight == 0 || h.biCompression != BI_RGB) return "unreadable";
    const int bits = h.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return "unreadable";
    const std::size_t colours = bits <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : 1u << bits) : 0;
    const std::size_t stride = (static_cast<std::size_t>(h.biWidth) * bits + 31) / 32 * 4;
    const std::size_t rows = static_cast<std::size_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    const std::size_t offset = sizeof h + colours * 4;
    if (bytes < offset + stride * rows) return "unreadable";
    const BYTE* palette = dib + sizeof h;
    std::set<DWORD> seen;
    for (std::size_t y = 0; y < rows && seen.size() < 2; ++y) {
      const BYTE* row = dib + offset + y * stride;
      for (LONG x = 0; x < h.biWidth && seen.size() < 2; ++x) {
        DWORD colour = 0;
        if (bits == 24) {
          colour = row[x * 3] | row[x * 3 + 1] << 8 | row[x * 3 + 2] << 16;
        } else {
          const std::size_t bit = static_cast<std::size_t>(x) * bits;
          const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
          if (index >= colours) return "unreadable";
          colour = palette[index * 4] | palette[index * 4 + 1] << 8 | palette[index * 4 + 2] << 16;
        }
        seen.insert(colour);
      }
    }
    return seen.size() < 2 ? "one flat colour" : "";
  }

  // The failures, one line each with where the id is used.
  template <typename Fault>
  std::string Faults(const Uses& uses, Fault fault) {
    std::string out;
    for (const auto& [id, where] : uses) {
      const std::string why = fault(id);
      if (why.empty()) continue;
      out += "  " + std::to_string(id) + " " + why + ":";
      for (const std::string& w : where) out += " " + w + ";";
      out += "\n";
    }
    return out;
  }
  std::string StringFaults(const Uses& uses) {
    return Faults(uses, [this](UINT id) { return Text(id).empty() ? std::string("missing or empty") : std::string(); });
  }
  std::string PictureFaults(const Uses& uses) {
    return Faults(uses, [this](UINT id) { return PictureFault(id); });
  }

  // The options of the description's UI groups that the bound items show:
  // as text (texts, lists, combos), as bitmaps or as icons.
  void CollectDescription(const std::string& name, Uses& strings, Uses& pictures, Uses& icons) {
    for (int t = 0; t < fgTL.count; ++t) {
      const TCB& tcb = fgTCB[t];
      for (int i = 0; i < tcb.itemCount; ++i) {
        const ICB& icb = tcb.pICB[i];
        Uses* into = ShowsText(icb.kind) ? &strings : icb.kind == kCtlBitmap ? &pictures
                                                      : icb.kind == kCtlIcon   ? &icons
                                                                               : nullptr;
        const UiGroup* group = GetUiGroupFromGroupID(ucb_, icb.groupId);
        if (group == nullptr) continue;
        const std::string where = name + " dialog " + std::to_string(tcb.tabId) + " item " + std::to_string(icb.itemId);
        // A number's unit text follows it in the summaries.
        if (const UiNumericValue* numeric = BkpdNumericValue(ucb_->pBKPD, group)) {
          if (numeric->lead > 0) Use(strings, static_cast<UINT>(numeric->lead), where + " unit");
        }
        if (into == nullptr) continue;
        for (const UiOption* option = BkpdFirstOption(ucb_->pBKPD, group); option != nullptr;
             option = GetNextUiOption(ucb_, group, option)) {
          const ExclusiveItem* items = nullptr;
          const WORD id = GetOptionIdFromUiGroup(ucb_, group, option, &items);
          if (id == 0) break;
          if (into == &pictures && !IsPictureId(id)) continue;
          Use(*into, id, where);
        }
      }
    }
  }
  static bool ShowsText(WORD kind) {
    return kind == kCtlText1 || kind == kCtlText4 || kind == kCtlListBox || kind == kCtlComboBox ||
           kind == kCtlOwnerListBox || kind == kCtlOwnerComboBox || kind == kCtlPresetListBox;
  }
  // An option of a picture item names a bitmap only inside the ranges the
  // libraries hold pictures in; another one (a description that binds the
  // item to a paper or orientation choice) is never painted.
  static bool IsPictureId(UINT id) {
    for (const BMPLOADID* row = tblBmpLoadID; row->dwFirstId != 0; ++row) {
      if (id >= row->dwFirstId && id <= row->dwLastId) return true;
    }
    return false;
  }

  static constexpr UINT kFirstCursorId = 8000;
  static constexpr UINT kLastCursorId = 8099;
  static constexpr WORD kGroupCursor = 12;  // RT_GROUP_CURSOR
  static constexpr WORD kGroupIcon = 14;    // RT_GROUP_ICON

  UCB* ucb_ = nullptr;
};

// The description every test below reads the libraries through.
constexpr const char* kPlainDescription = "kesm_w2_request.kpd";

TEST_F(ResourceIds, EveryStringTheTablesAndTheCodeNameHasAText) {
  ASSERT_NO_FATAL_FAILURE(Open(kPlainDescription));
  Uses strings, pictures;
  CollectTables(strings, pictures);
  const std::size_t fromTables = strings.size();
  const std::vector<SourceFile> files = ReadSources();
  CollectCalls(files, ReadConstants(files), kStringFunnels, strings);
  EXPECT_GT(fromTables, 700u) << "the tables were read";
  EXPECT_GT(strings.size(), fromTables) << "the calls were read";
  EXPECT_EQ(StringFaults(strings), "") << "of " << strings.size() << " string ids in use";
}

TEST_F(ResourceIds, EveryPictureTheTablesAndTheCodeNameIsThereAndNotFlat) {
  ASSERT_NO_FATAL_FAILURE(Open(kPlainDescription));
  Uses strings, pictures;
  CollectTables(strings, pictures);
  const std::size_t fromTables = pictures.size();
  const std::vector<SourceFile> files = ReadSources();
  CollectCalls(files, ReadConstants(files), kPictureFunnels, pictures);
  EXPECT_GT(pictures.size(), fromTables) << "the calls were read";
  EXPECT_EQ(PictureFaults(pictures), "") << "of " << pictures.size() << " picture ids in use";
}

// Every description we ship: the sample printer and the test printers.
std::vector<std::filesystem::path> ShippedDescriptions() {
  std::vector<std::filesystem::path> all{std::filesystem::path(KESM_SOURCE_DIR) / "tools/kesmprint/kesm_sample.kpd"};
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KESM_TEST_DATA) / "kpd")) {
    if (!entry.is_regular_file() || entry.path().extension() != ".kpd") continue;
    // A description that names no resource library opens no sheet: those
    // are the compiler's and the constraint engine's own fixtures.
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().find("*UIResDLLName:") != std::string::npos) all.push_back(entry.path());
  }
  std::sort(all.begin(), all.end());
  return all;
}

class DescriptionResources : public ResourceIds, public ::testing::WithParamInterface<std::filesystem::path> {};

TEST_P(DescriptionResources, EveryOptionShownHasItsTextOrPicture) {
  ASSERT_NO_FATAL_FAILURE(Open(GetParam()));
  Uses strings, pictures, icons;
  CollectDescription(GetParam().filename().string(), strings, pictures, icons);
  EXPECT_EQ(StringFaults(strings), "");
  EXPECT_EQ(PictureFaults(pictures), "");
  EXPECT_EQ(Faults(icons, [this](UINT id) {
              return FindResourceW(GetResDll(ucb_), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kGroupIcon)) != nullptr
                         ? std::string()
                         : std::string("missing icon");
            }),
            "");
}

INSTANTIATE_TEST_SUITE_P(Shipped, DescriptionResources, ::testing::ValuesIn(ShippedDescriptions()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& info) {
                           std::string name = info.param.stem().string();
                           std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });

}  // namespace
}  // namespace ui_test
