// Both deliverables in one process, as a print spooler holds them: each
// library answers for its own entry points and for nothing else, so the
// rendering library's calls into its kernel-mode copy of the shared code can
// never be bound to the configuration library's user-mode copy.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Deliverable {
  const char* file;
  const char* exports;
};

const Deliverable kDeliverables[] = {
    {KESM_UI_LIBRARY, KESM_UI_EXPORTS},
    {KESM_GR_LIBRARY, KESM_GR_EXPORTS},
};

// The names of an exports list: one a line, '#' starts a comment.
std::vector<std::string> ReadExports(const char* path) {
  std::vector<std::string> names;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find('#'));
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    names.push_back(line.substr(first, line.find_last_not_of(" \t\r") - first + 1));
  }
  return names;
}

struct Library {
  void* handle = nullptr;
  explicit Library(const char* file) : handle(dlopen(file, RTLD_NOW | RTLD_LOCAL)) {}
  ~Library() {
    if (handle) dlclose(handle);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
};

// A few names of the shared code that both libraries hold a copy of; none may
// be reachable from outside either library.
const char* const kInternalNames[] = {"GetUcb", "FreeUcb", "GetSFCBbyFuncID", "fgSFCB",
                                      "UnpackPpdData", "KM_UM_GetPrivateProfileString"};

TEST(Deliverables, BothLoadIntoOneProcessAndEachAnswersOnlyForItsEntryPoints) {
  Library ui(kDeliverables[0].file);
  ASSERT_NE(ui.handle, nullptr) << dlerror();
  Library gr(kDeliverables[1].file);
  ASSERT_NE(gr.handle, nullptr) << dlerror();
  const Library* libraries[] = {&ui, &gr};

  for (int i = 0; i < 2; ++i) {
    const auto own = ReadExports(kDeliverables[i].exports);
    const auto other = ReadExports(kDeliverables[1 - i].exports);
    for (const auto& name : own) {
      EXPECT_NE(dlsym(libraries[i]->handle, name.c_str()), nullptr)
          << kDeliverables[i].file << " lacks its entry point " << name;
    }
    for (const auto& name : other) {
      EXPECT_EQ(dlsym(libraries[i]->handle, name.c_str()), nullptr)
          << kDeliverables[i].file << " answers for the other library's " << name;
    }
    for (const char* name : kInternalNames) {
      EXPECT_EQ(dlsym(libraries[i]->handle, name), nullptr)
          << kDeliverables[i].file << " exports the internal " << name;
    }
  }
}

// The engine's first call into the rendering library, through the loader:
// the library answers with its function table.
TEST(Deliverables, TheRenderingLibrarysEntryPointHandsOverItsFunctionTable) {
  Library gr(kDeliverables[1].file);
  ASSERT_NE(gr.handle, nullptr) << dlerror();
  using EnableDriver = int (*)(std::uint32_t, std::uint32_t, void*);
  auto enable = reinterpret_cast<EnableDriver>(dlsym(gr.handle, "DrvEnableDriver"));
  ASSERT_NE(enable, nullptr);
  struct {
    std::uint32_t version;
    std::uint32_t count;
    void* table;
  } data{};
  static_assert(sizeof data == 16);
  ASSERT_NE(enable(0x00030100, sizeof data, &data), 0);
  EXPECT_EQ(data.version, 0x20000u);
  EXPECT_EQ(data.count, 27u);
  EXPECT_NE(data.table, nullptr);
  EXPECT_EQ(enable(0x00010000, sizeof data, &data), 0) << "an engine too old for the driver";
}

// The spooler's first calls into the configuration library: its module
// entry, then a capability with a fixed answer.
TEST(Deliverables, TheConfigurationLibrarysEntryPointsAnswerThroughTheLoader) {
  Library ui(kDeliverables[0].file);
  ASSERT_NE(ui.handle, nullptr) << dlerror();
  using DllInitialize = int (*)(void*, std::uint32_t, void*);
  using DeviceCapabilities = std::uint32_t (*)(void*, char16_t*, std::uint16_t, void*, void*);
  auto initialize = reinterpret_cast<DllInitialize>(dlsym(ui.handle, "DllInitialize"));
  auto capabilities = reinterpret_cast<DeviceCapabilities>(dlsym(ui.handle, "DrvDeviceCapabilities"));
  ASSERT_NE(initialize, nullptr);
  ASSERT_NE(capabilities, nullptr);
  EXPECT_NE(initialize(ui.handle, 1, nullptr), 0);
  constexpr std::uint16_t kSize = 8;   // the public DEVMODE's size
  constexpr std::uint16_t kExtra = 9;  // the private part's
  EXPECT_EQ(capabilities(nullptr, nullptr, kSize, nullptr, nullptr), 220u);
  EXPECT_EQ(capabilities(nullptr, nullptr, kExtra, nullptr, nullptr), 1016u);
  EXPECT_NE(initialize(ui.handle, 0, nullptr), 0);
}

}  // namespace
