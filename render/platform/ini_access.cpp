#include "render/platform/ini_access.h"

#include <algorithm>
#include <climits>

#include "render/platform/file_cursor.h"
#include "render/platform/ini_scan.h"
#include "settings/values/text_language.h"

namespace {

// Closes the cursor with the object.
class OpenCursor {
 public:
  explicit OpenCursor(FILESTUB* cursor) : cursor_(cursor) {}
  ~OpenCursor() { CloseHandleStub(cursor_); }
  OpenCursor(const OpenCursor&) = delete;
  OpenCursor& operator=(const OpenCursor&) = delete;
  FILESTUB* get() const { return cursor_; }

 private:
  FILESTUB* cursor_;
};

}  // namespace

INT KMGetPrivateProfileInt(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR file) {
  const OpenCursor cursor(kmini::SetPrivateProfileStringPosi(section, key, file, false));
  if (cursor.get() == nullptr) {
    return defaultValue;
  }
  char number[16];
  kmini::GetDataStrEx2(cursor.get(), number);
  return kmini::AnsiToLong(number);
}

DWORD KMGetPrivateProfileStringEx(LPCWSTR section, LPCWSTR key, LPCWSTR /*defaultValue*/,
                                  LPWSTR destination, DWORD size, LPCWSTR file) {
  if (destination == nullptr || size == 0) {
    return 0;
  }
  const OpenCursor cursor(kmini::SetPrivateProfileStringPosi(section, key, file, false));
  if (cursor.get() == nullptr) {
    return 0;
  }
  // No more room than the value needs: the bytes give at most as many
  // UTF-16 characters.
  const ULONG room = static_cast<ULONG>(
      std::min<ULONGLONG>({size, ULONGLONG{kmini::ValueBytes(cursor.get())} + 1, INT_MAX}));
  kmini::PoolText value;
  if (!value.Allocate(room)) {
    return 0;
  }
  kmini::GetDataStrEx(cursor.get(), value.data(), room);
  CopyStr2Unicode(destination, value.data(), static_cast<int>(room));
  return 1;
}

BOOL KMWritePrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file) {
  kmini::PoolText text;
  if (!kmini::ToAnsi(value, "", "", text)) {
    return FALSE;
  }
  const OpenCursor cursor(kmini::SetPrivateProfileStringPosi(section, key, file, true));
  return cursor.get() != nullptr && kmini::SetDataStr(cursor.get(), text.view());
}
