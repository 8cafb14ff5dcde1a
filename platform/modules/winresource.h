// Resources of loaded modules: the string table and typed resources. A
// module carries them in the table that the resource compiler (tools/kesmrc)
// builds from a resource script; see cmake/Kesm.cmake.
#pragma once

#include "platform/base/wintypes.h"

// A numeric resource id or type in the place of a name.
inline LPCWSTR MAKEINTRESOURCEW(WORD id) {
  return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id));
}
inline bool IS_INTRESOURCE(const void* name) {
  return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}

// Predefined resource types.
inline const LPCWSTR RT_CURSOR = MAKEINTRESOURCEW(1);
inline const LPCWSTR RT_BITMAP = MAKEINTRESOURCEW(2);
inline const LPCWSTR RT_ICON = MAKEINTRESOURCEW(3);
inline const LPCWSTR RT_MENU = MAKEINTRESOURCEW(4);
inline const LPCWSTR RT_DIALOG = MAKEINTRESOURCEW(5);
inline const LPCWSTR RT_STRING = MAKEINTRESOURCEW(6);
inline const LPCWSTR RT_RCDATA = MAKEINTRESOURCEW(10);
inline const LPCWSTR RT_GROUP_CURSOR = MAKEINTRESOURCEW(12);
inline const LPCWSTR RT_GROUP_ICON = MAKEINTRESOURCEW(14);

// Copies string id (its low 16 bits) of the module into buffer, cut to
// cchBufferMax - 1 characters and always terminated, and returns the number
// of characters copied. With cchBufferMax 0, buffer receives instead a
// read-only pointer to the string (LPWSTR*), and the result is its length.
// 0 when the module has no such string (buffer untouched, last error
// ERROR_RESOURCE_NAME_NOT_FOUND, or ERROR_RESOURCE_DATA_NOT_FOUND for a
// module without resources, ERROR_MOD_NOT_FOUND for a handle that is not
// loaded), for an empty string, or for a null buffer or a negative size
// (ERROR_INVALID_PARAMETER).
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int cchBufferMax);

// The resource of that type and name. Names and types are numeric
// (MAKEINTRESOURCEW, or the text "#123"); strings are not typed resources
// here (use LoadStringW). Null with ERROR_RESOURCE_TYPE_NOT_FOUND or
// ERROR_RESOURCE_NAME_NOT_FOUND.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
// The resource's data (read-only, valid while the module stays loaded), or
// null for a resource handle that is not of the module.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
// The size of the resource's data in bytes; 0 for a handle not of the module.
DWORD SizeofResource(HMODULE module, HRSRC resource);
