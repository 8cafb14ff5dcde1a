// The driver parameter block: the model's fixed data (default public DEVMODE
// values, file names, version texts, the private-header values and limits).
// Each printer context works on its own copy of `fgDP`.
#pragma once

#include "platform/base/wintypes.h"

// Defaults of the public DEVMODE fields and the model values stored beside
// them: twelve 32-bit words in the model data.
struct DPPublicDefaults {
  SHORT maxCopies;           // 999
  SHORT minCopies;           // 1
  DWORD dwModel2;            // 4
  DWORD landscapeRotation;   // 90 degrees
  DWORD defaultResolution;   // 600 dpi
  DWORD dwModel5;            // 0
  SHORT dmOrientation;       // 1 portrait
  SHORT dmPaperSize;         // 9 A4
  SHORT dmPaperLength;       // 0
  SHORT dmPaperWidth;        // 0
  SHORT dmScale;             // 100
  SHORT dmCopies;            // 1
  SHORT dmDefaultSource;     // 7 automatic
  SHORT dmPrintQuality;      // 600
  SHORT dmColor;             // 1 monochrome
  SHORT dmDuplex;            // 1 simplex
  SHORT dmYResolution;       // 600
  SHORT dmTTOption;          // 3
  SHORT dmCollate;           // 0
  SHORT reserved;            // 0
};
static_assert(sizeof(DPPublicDefaults) == 12 * sizeof(DWORD));

struct DP {
  WORD wSpecVersion;               // default dmSpecVersion
  WORD wDriverVersion;             // default dmDriverVersion
  LPCWSTR pszIniFileName;          // per-user settings INI; a path when its 2nd char is ':'
  LPCWSTR pszCompanionDll;
  DWORD dwFields;                  // default dmFields
  DPPublicDefaults pub;
  LPCWSTR pszFormName;             // default dmFormName
  DWORD adwFlags[6];
  DWORD adwWords[2];
  CHAR privSignature[4];           // "priv": the dwPrivData of our private header
  DWORD dwReserved;
  DWORD dwPrivVersion;             // dwVersion of the private header and of set files
  BYTE bMachineID;                 // compared with kdmMachineID
  signed char cDriverType;         // compared with kdmDriverType
  WORD awResolution[2];            // default resolution width and height
  BYTE bDefaultLanguage;
  BYTE bDefaultDspLanguage;
  BYTE bDefaultDspUnit;
  BYTE bDefaultExtPrintArea;
  WORD awWords2[2];
  LPCWSTR pszCDCVersion;           // copied into kdmiCDCVerStr
  LPCWSTR pszKPJLVersion;          // copied into kdmiKPJLVerStr
  LPCWSTR pszFallbackDriverName;   // used when the spooler names no driver
  LPCWSTR pszEmpty1;
  LPCWSTR pszDriverIniName;
  LPCWSTR pszCommonDll;
  LPCWSTR pszResourceDll;
  DWORD dwReserved2;
  LPCWSTR pszDataDll;
  LPCWSTR pszEmpty2;
  LPCWSTR pszDriverVersion;        // compared with the description's FileVersion
  DWORD dwSetFileVersion;
  DWORD dwFreeSizeWidthMin;        // 1/1200-inch dots
  DWORD dwFreeSizeWidthMax;
  DWORD dwFreeSizeLengthMin;
  DWORD dwFreeSizeLengthMax;
  LPCWSTR pszInstallIniName;
};

extern const DP fgDP;
