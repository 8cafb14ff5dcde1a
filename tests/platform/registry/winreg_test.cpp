#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/platform/child_process.h"
#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "platform/runtime/wintime.h"

namespace {

constexpr const char16_t* kDrvKey = u"SOFTWARE\\TALVO\\KesmDrv";

class Key {
 public:
  Key() = default;
  ~Key() {
    if (h_) RegCloseKey(h_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY* out() { return &h_; }
  HKEY get() const { return h_; }

 private:
  HKEY h_ = nullptr;
};

std::vector<BYTE> Utf16Bytes(std::u16string_view s) {
  std::vector<BYTE> b(s.size() * 2);
  std::memcpy(b.data(), s.data(), b.size());
  return b;
}

LSTATUS Create(const char16_t* path, Key& key, DWORD* disposition = nullptr) {
  return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_ALL_ACCESS, nullptr, key.out(), disposition);
}

LSTATUS Set(HKEY key, const char16_t* name, DWORD type, const std::vector<BYTE>& bytes) {
  return RegSetValueExW(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// Reads a value with a size probe first, as callers of the registry do.
LSTATUS Get(HKEY key, const char16_t* name, DWORD& type, std::vector<BYTE>& bytes) {
  DWORD size = 0;
  LSTATUS rc = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
  if (rc != ERROR_SUCCESS) return rc;
  bytes.assign(size, 0);
  rc = RegQueryValueExW(key, name, nullptr, &type, bytes.data(), &size);
  bytes.resize(size);
  return rc;
}

std::vector<std::u16string> SubkeyNames(HKEY key) {
  std::vector<std::u16string> names;
  WCHAR name[256];
  for (DWORD i = 0;; ++i) {
    DWORD cch = 256;
    if (RegEnumKeyExW(key, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return names;
    }
    names.emplace_back(name, cch);
  }
}

std::vector<std::u16string> ValueNames(HKEY key) {
  std::vector<std::u16string> names;
  WCHAR name[256];
  for (DWORD i = 0;; ++i) {
    DWORD cch = 256;
    if (RegEnumValueW(key, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return names;
    }
    names.emplace_back(name, cch);
  }
}

struct ValueCase {
  const char16_t* name;
  DWORD type;
  std::vector<BYTE> bytes;
};

TEST(Registry, ValuesKeepTheirTypeAndExactBytes) {
  plat::ScopedMachine machine;
  const ValueCase cases[] = {
      {u"Terminated", REG_SZ, Utf16Bytes(std::u16string(u"C:\\kesm\0", 8))},
      {u"Unterminated", REG_SZ, Utf16Bytes(u"kesmcpx.DLL")},
      {u"Expandable", REG_EXPAND_SZ, Utf16Bytes(std::u16string(u"%SystemRoot%\\temp\0", 18))},
      {u"Suite", REG_MULTI_SZ, Utf16Bytes(std::u16string(u"Terminal Server\0Other\0\0", 23))},
      {u"MaxLogFileSize", REG_DWORD, {64, 0, 0, 0}},
      {u"TrayName", REG_BINARY, {'T', 'r', 'a', 'y', '1', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {u"Empty", REG_BINARY, {}},
      {nullptr, REG_SZ, Utf16Bytes(std::u16string(u"default\0", 8))},
  };
  Key key;
  ASSERT_EQ(Create(kDrvKey, key), ERROR_SUCCESS);
  for (const auto& c : cases) ASSERT_EQ(Set(key.get(), c.name, c.type, c.bytes), ERROR_SUCCESS);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name ? std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name))
                        : "(default)");
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    ASSERT_EQ(Get(key.get(), c.name, type, bytes), ERROR_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(bytes, c.bytes);
  }
}

TEST(Registry, QueryProbesAndShortBuffers) {
  plat::ScopedMachine machine;
  Key key;
  ASSERT_EQ(Create(kDrvKey, key), ERROR_SUCCESS);
  const std::vector<BYTE> value = Utf16Bytes(std::u16string(u"D:\\data\0", 8));
  ASSERT_EQ(Set(key.get(), u"_KESMDirectory", REG_SZ, value), ERROR_SUCCESS);

  DWORD type = REG_NONE, size = 0;
  EXPECT_EQ(RegQueryValueExW(key.get(), u"_KESMDirectory", nullptr, &type, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, value.size());

  std::vector<BYTE> shortBuffer(value.size() - 1, 0xCC);
  size = static_cast<DWORD>(shortBuffer.size());
  EXPECT_EQ(RegQueryValueExW(key.get(), u"_KESMDirectory", nullptr, nullptr, shortBuffer.data(),
                             &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, value.size());
  EXPECT_EQ(shortBuffer, std::vector<BYTE>(value.size() - 1, 0xCC));

  type = REG_NONE;
  EXPECT_EQ(RegQueryValueExW(key.get(), u"_KESMDirectory", nullptr, &type, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  BYTE one = 0;
  EXPECT_EQ(RegQueryValueExW(key.get(), u"_KESMDirectory", nullptr, nullptr, &one, nullptr),
            ERROR_INVALID_PARAMETER);
  size = 0;
  EXPECT_EQ(RegQueryValueExW(key.get(), u"Missing", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
}

TEST(Registry, NamesIgnoreCaseAndKeepTheirSpelling) {
  plat::ScopedMachine machine;
  Key created, opened, talvo;
  ASSERT_EQ(Create(kDrvKey, created), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software\\talvo\\KESMDRV", 0, KEY_ALL_ACCESS,
                          opened.out()),
            ERROR_SUCCESS);
  ASSERT_EQ(Set(created.get(), u"_KESMDirectory", REG_SZ, Utf16Bytes(u"a")), ERROR_SUCCESS);
  ASSERT_EQ(Set(opened.get(), u"_kesmdirectory", REG_BINARY, {7}), ERROR_SUCCESS);

  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  ASSERT_EQ(Get(created.get(), u"_KESMDIRECTORY", type, bytes), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(bytes, std::vector<BYTE>{7});
  EXPECT_EQ(ValueNames(created.get()), std::vector<std::u16string>{u"_KESMDirectory"});

  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Talvo", 0, KEY_READ, talvo.out()),
            ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(talvo.get()), std::vector<std::u16string>{u"KesmDrv"});
}

TEST(Registry, CreateReportsDispositionAndMakesMissingParents) {
  plat::ScopedMachine machine;
  Key first, second, parent;
  DWORD how = 0;
  ASSERT_EQ(Create(u"Software\\TALVO\\PrintLog", first, &how), ERROR_SUCCESS);
  EXPECT_EQ(how, REG_CREATED_NEW_KEY);
  ASSERT_EQ(Create(u"SOFTWARE\\talvo\\printlog\\", second, &how), ERROR_SUCCESS);
  EXPECT_EQ(how, REG_OPENED_EXISTING_KEY);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software", 0, KEY_READ, parent.out()),
            ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(parent.get()), std::vector<std::u16string>{u"TALVO"});
}

TEST(Registry, OpenFailsForMissingKeysAndBadPaths) {
  plat::ScopedMachine machine;
  Key made;
  ASSERT_EQ(Create(kDrvKey, made), ERROR_SUCCESS);
  const struct {
    HKEY root;
    const char16_t* path;
    LSTATUS expected;
  } cases[] = {
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\TALVO\\Missing", ERROR_FILE_NOT_FOUND},
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\TALVO\\KesmDrv\\Sub", ERROR_FILE_NOT_FOUND},
      {HKEY_LOCAL_MACHINE, u"\\SOFTWARE", ERROR_BAD_PATHNAME},
      {HKEY_LOCAL_MACHINE, u"SOFTWARE\\\\TALVO", ERROR_BAD_PATHNAME},
      {reinterpret_cast<HKEY>(0x1234), u"SOFTWARE", ERROR_INVALID_HANDLE},
  };
  for (const auto& c : cases) {
    HKEY result = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExW(c.root, c.path, 0, KEY_READ, &result), c.expected);
    EXPECT_EQ(result, nullptr);
  }
}

TEST(Registry, OldOpenWithoutSubkeyGivesTheSameHandle) {
  plat::ScopedMachine machine;
  HKEY same = nullptr;
  EXPECT_EQ(RegOpenKeyW(HKEY_LOCAL_MACHINE, nullptr, &same), ERROR_SUCCESS);
  EXPECT_EQ(same, HKEY_LOCAL_MACHINE);
  Key made, options;
  ASSERT_EQ(Create(u"System\\CurrentControlSet\\Control\\ProductOptions", made), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyW(HKEY_LOCAL_MACHINE, u"System\\CurrentControlSet\\Control\\ProductOptions",
                        options.out()),
            ERROR_SUCCESS);
  EXPECT_EQ(Set(options.get(), u"ProductSuite", REG_MULTI_SZ, {0, 0}), ERROR_SUCCESS);
}

TEST(Registry, HandleRightsAreHonoured) {
  plat::ScopedMachine machine;
  Key writer, reader, setter;
  ASSERT_EQ(Create(kDrvKey, writer), ERROR_SUCCESS);
  ASSERT_EQ(Set(writer.get(), u"Kept", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDrvKey, 0, KEY_READ, reader.out()), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDrvKey, 0, KEY_SET_VALUE, setter.out()),
            ERROR_SUCCESS);
  EXPECT_EQ(Set(reader.get(), u"Kept", REG_DWORD, {2, 0, 0, 0}), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueW(reader.get(), u"Kept"), ERROR_ACCESS_DENIED);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(setter.get(), u"Kept", nullptr, nullptr, nullptr, &size),
            ERROR_ACCESS_DENIED);
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  ASSERT_EQ(Get(reader.get(), u"Kept", type, bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, (std::vector<BYTE>{1, 0, 0, 0}));
}

TEST(Registry, DeletingValuesAndKeys) {
  plat::ScopedMachine machine;
  Key talvo, drv;
  ASSERT_EQ(Create(u"SOFTWARE\\TALVO", talvo), ERROR_SUCCESS);
  ASSERT_EQ(Create(kDrvKey, drv), ERROR_SUCCESS);
  ASSERT_EQ(Set(drv.get(), u"Gone", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(drv.get(), u"GONE"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(drv.get(), u"Gone"), ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\TALVO"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\TALVO\\Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyW(talvo.get(), u"kesmdrv"), ERROR_SUCCESS);
  EXPECT_EQ(Set(drv.get(), u"Late", REG_DWORD, {1, 0, 0, 0}), ERROR_KEY_DELETED);

  Key again;  // same name, another key: the old handle stays dead
  ASSERT_EQ(Create(kDrvKey, again), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(drv.get(), u"Late", nullptr, nullptr, nullptr, &size),
            ERROR_KEY_DELETED);
  EXPECT_EQ(SubkeyNames(talvo.get()), std::vector<std::u16string>{u"KesmDrv"});
}

TEST(Registry, EnumerationOrderAndBounds) {
  plat::ScopedMachine machine;
  Key root;
  ASSERT_EQ(Create(u"SOFTWARE\\Order", root), ERROR_SUCCESS);
  for (const char16_t* name : {u"beta", u"Alpha", u"gamma"}) {
    Key sub;
    ASSERT_EQ(RegCreateKeyExW(root.get(), name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, sub.out(),
                              nullptr),
              ERROR_SUCCESS);
  }
  EXPECT_EQ(SubkeyNames(root.get()), (std::vector<std::u16string>{u"Alpha", u"beta", u"gamma"}));
  WCHAR name[8];
  DWORD cch = 5;  // "Alpha" needs 6 with its terminator
  EXPECT_EQ(RegEnumKeyExW(root.get(), 0, name, &cch, nullptr, nullptr, nullptr, nullptr),
            ERROR_MORE_DATA);
  cch = 8;
  EXPECT_EQ(RegEnumKeyExW(root.get(), 3, name, &cch, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);

  ASSERT_EQ(Set(root.get(), u"zeta", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
  ASSERT_EQ(Set(root.get(), u"Eta", REG_BINARY, {1, 2, 3}), ERROR_SUCCESS);
  EXPECT_EQ(ValueNames(root.get()), (std::vector<std::u16string>{u"zeta", u"Eta"}));
  DWORD type = REG_NONE, size = 2;
  BYTE data[2] = {0xCC, 0xCC};
  cch = 8;
  EXPECT_EQ(RegEnumValueW(root.get(), 1, name, &cch, nullptr, &type, data, &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(data[0], 0xCC);
  cch = 8;
  EXPECT_EQ(RegEnumValueW(root.get(), 2, name, &cch, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

TEST(Registry, KeysCarryTheTimeOfTheirLastWrite) {
  plat::ScopedMachine machine;
  struct RealClockAfterwards {
    ~RealClockAfterwards() { plat::UseRealClock(); }
  } restore;
  plat::SetClock(SYSTEMTIME{2024, 3, 0, 14, 9, 30, 0, 0}, 0);
  FILETIME created{};
  GetSystemTimeAsFileTime(&created);
  Key root, sub;
  ASSERT_EQ(Create(u"SOFTWARE\\Stamped", root), ERROR_SUCCESS);
  ASSERT_EQ(Create(u"SOFTWARE\\Stamped\\Sub", sub), ERROR_SUCCESS);
  plat::AdvanceClock(60000);
  FILETIME written{};
  GetSystemTimeAsFileTime(&written);
  ASSERT_EQ(Set(sub.get(), u"Value", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
  WCHAR name[8];
  DWORD cch = 8;
  FILETIME stamp{};
  ASSERT_EQ(RegEnumKeyExW(root.get(), 0, name, &cch, nullptr, nullptr, nullptr, &stamp),
            ERROR_SUCCESS);
  EXPECT_EQ(CompareFileTime(&stamp, &written), 0);
  EXPECT_EQ(CompareFileTime(&created, &written), -1);
}

TEST(Registry, AnotherProcessSeesTheChanges) {
  plat::ScopedMachine machine;
  const int child = RunInChild([] {
    Key key;
    if (Create(kDrvKey, key) != ERROR_SUCCESS) return 1;
    return Set(key.get(), u"FromChild", REG_DWORD, {42, 0, 0, 0}) == ERROR_SUCCESS ? 0 : 2;
  });
  ASSERT_EQ(child, 0);
  Key key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDrvKey, 0, KEY_ALL_ACCESS, key.out()),
            ERROR_SUCCESS);
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  ASSERT_EQ(Get(key.get(), u"FromChild", type, bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, (std::vector<BYTE>{42, 0, 0, 0}));

  ASSERT_EQ(Set(key.get(), u"FromParent", REG_BINARY, {9, 8}), ERROR_SUCCESS);
  EXPECT_EQ(RunInChild([&] {
              DWORD t = REG_NONE;
              std::vector<BYTE> b;
              return Get(key.get(), u"FromParent", t, b) == ERROR_SUCCESS &&
                             b == std::vector<BYTE>{9, 8}
                         ? 0
                         : 1;
            }),
            0);
}

TEST(Registry, ConcurrentWritersLoseNothing) {
  plat::ScopedMachine machine;
  constexpr int kWriters = 4, kValuesEach = 25;
  std::vector<std::function<int()>> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back([w] {
      for (int i = 0; i < kValuesEach; ++i) {
        Key key;
        const std::u16string sub = std::u16string(kDrvKey) + u"\\W" + char16_t(u'0' + w);
        const std::u16string name = u"V" + std::u16string(1, char16_t(u'A' + i));
        if (Create(sub.c_str(), key) != ERROR_SUCCESS) return 1;
        if (Set(key.get(), name.c_str(), REG_DWORD, {BYTE(w), BYTE(i), 0, 0}) != ERROR_SUCCESS) {
          return 2;
        }
      }
      return 0;
    });
  }
  EXPECT_EQ(RunInChildren(writers), std::vector<int>(kWriters, 0));
  Key drv;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDrvKey, 0, KEY_READ, drv.out()), ERROR_SUCCESS);
  const auto subs = SubkeyNames(drv.get());
  ASSERT_EQ(subs.size(), std::size_t{kWriters});
  for (const auto& sub : subs) {
    Key key;
    ASSERT_EQ(RegOpenKeyExW(drv.get(), sub.c_str(), 0, KEY_READ, key.out()), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key.get()).size(), std::size_t{kValuesEach});
  }
}

TEST(Registry, DamagedHiveIsRefusedAndLeftAsItWas) {
  plat::ScopedMachine machine;
  Key key;
  ASSERT_EQ(Create(kDrvKey, key), ERROR_SUCCESS);
  std::vector<std::filesystem::path> damaged;
  for (const auto& entry : std::filesystem::directory_iterator(plat::RegistryStore())) {
    if (entry.path().extension() == ".lock") continue;
    std::filesystem::resize_file(entry.path(), std::filesystem::file_size(entry.path()) / 2);
    damaged.push_back(entry.path());
  }
  ASSERT_FALSE(damaged.empty());
  const auto sizeBefore = std::filesystem::file_size(damaged.front());
  Key other;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDrvKey, 0, KEY_READ, other.out()), ERROR_BADDB);
  EXPECT_EQ(Create(u"SOFTWARE\\Other", other), ERROR_BADDB);
  EXPECT_EQ(Set(key.get(), u"Value", REG_DWORD, {1, 0, 0, 0}), ERROR_BADDB);
  EXPECT_EQ(std::filesystem::file_size(damaged.front()), sizeBefore);
}

}  // namespace
