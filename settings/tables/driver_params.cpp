// The model data of the driver: one record, copied into every printer context.
#include "settings/tables/driver_params.h"

const DP fgDP = {
    0x0401,             // wSpecVersion
    0x0400,             // wDriverVersion
    u"kesmusr.ini",     // pszIniFileName
    u"kesmcpx.DLL",     // pszCompanionDll
    0x00007F03,         // dwFields
    {
        999, 1,         // maxCopies, minCopies
        4,              // dwModel2
        90,             // landscapeRotation
        600,            // defaultResolution
        0,              // dwModel5
        1, 9, 0, 0,     // dmOrientation, dmPaperSize, dmPaperLength, dmPaperWidth
        100, 1, 7,      // dmScale, dmCopies, dmDefaultSource
        600, 1, 1,      // dmPrintQuality, dmColor, dmDuplex
        600, 3, 0, 0,   // dmYResolution, dmTTOption, dmCollate, reserved
    },
    u"A4",              // pszFormName
    {1, 1, 1, 1, 1, 1000},
    {1, 999},
    {'p', 'r', 'i', 'v'},
    0,                  // dwReserved
    310,                // dwPrivVersion
    0xA9,               // bMachineID
    1,                  // cDriverType
    {600, 600},         // awResolution
    1, 1, 1, 1,         // default language, display language, display unit, extended print area
    {16, 32},
    u"01.00",           // pszCDCVersion
    u"01.00",           // pszKPJLVersion
    u"US",              // pszFallbackDriverName
    u"",
    u"kesmdrv.ini",     // pszDriverIniName
    u"kesmcmn.dll",     // pszCommonDll
    u"kesmrsc.DLL",     // pszResourceDll
    0,                  // dwReserved2
    u"kesmdat.dll",     // pszDataDll
    u"",
    u"4.88",            // pszDriverVersion
    310,                // dwSetFileVersion
    6600, 14412,        // free-size width range
    6600, 21636,        // free-size length range
    u"kesmset.INI",     // pszInstallIniName
};
