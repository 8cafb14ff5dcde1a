#include "render/pdev/device_tables.h"

// {character set, ANSI code page}.
const CharsetPair kCharsetTable[kCharsetPairs] = {
    {0, 1252},   {128, 932},  {129, 949},  {130, 1361}, {134, 936},  {136, 950},  {177, 1255},
    {178, 1256}, {161, 1253}, {162, 1254}, {186, 1257}, {238, 1250}, {204, 1251}, {222, 874},
};
