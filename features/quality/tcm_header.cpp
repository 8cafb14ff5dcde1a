// The header check of a colour-profile file: five four-byte fields of the
// profile header must carry this maker's printer-profile marks.
#include <array>

#include "features/quality/cmm_profiles.h"

#if !KESM_KERNEL_MODE

#include "platform/base/handles.h"
#include "platform/files/winfile.h"

namespace {

struct HeaderField {
  LONG offset;
  char bytes[5];
};
constexpr std::array<HeaderField, 5> kHeaderFields = {{
    {4, "TCMS"},   // preferred colour-management module
    {12, "prtr"},  // device class: printer
    {20, "RGB "},  // connection space
    {36, "acsp"},  // file signature
    {48, "TALV"},  // device maker
}};

// The byte at offset, or 0 when it cannot be read.
char ByteAt(HANDLE file, LONG offset) {
  char byte = 0;
  DWORD read = 0;
  if (SetFilePointer(file, offset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return 0;
  if (!ReadFile(file, &byte, 1, &read, nullptr) || read != 1) return 0;
  return byte;
}

}  // namespace

int CheckTcmFileHeader(LPCWSTR path) {
  if (path == nullptr || path[0] == 0) return 0;
  // Opened by its wide name: a name outside the code page is still found.
  HANDLE file =
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  int valid = 1;
  for (const HeaderField& field : kHeaderFields) {
    for (LONG i = 0; i < 4 && valid != 0; ++i) {
      if (ByteAt(file, field.offset + i) != field.bytes[i]) valid = 0;
    }
    if (valid == 0) break;
  }
  CloseHandle(file);
  return valid;
}

#else

// The rendering library takes the file the configuration side checked.
int CheckTcmFileHeader(LPCWSTR) { return 1; }

#endif
