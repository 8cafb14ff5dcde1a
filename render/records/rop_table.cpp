// The engine's binary raster operations 1-16 as ROP3 codes: code c (2 to 15)
// is (c - 1) x 0x11, black (1) is 0xFF and white (16) is 0x00 in the
// printer's sense of the codes; entry 0 stands for no operation and copies.
#include "render/records/attribute_records.h"

const BYTE Rop2To3[kRop2Codes] = {
    0xCC,                                      // 0: none, copy
    0xFF,                                      // 1
    0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,  // 2-8
    0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE,  // 9-15
    0x00,                                      // 16
};
