// The parts of the INI script code that both builds share.
#include "storage/ini/ini_lines.h"
#include "storage/ini/ini_script.h"

LPWSTR CnvSQUAREBRACKETS(LPWSTR name) {
  if (name == nullptr) return nullptr;
  for (LPWSTR p = name; *p != 0; ++p) {
    if (*p == u'[' || *p == u']') *p = u',';
  }
  return name;
}

LPCSTR SkipLine(LPCSTR text) {
  if (text == nullptr) return nullptr;
  return storage::IniText().NextLine(text);
}
