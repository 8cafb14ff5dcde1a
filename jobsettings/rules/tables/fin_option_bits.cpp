// The printer-wide option bits of each finisher family. A family is
// installed when any of its bits is set.
//
// QJ's region bits (10090-10093) are also QH's variants (US2, US3, JP4,
// EU4): one punch unit reports through them, so a description that sets
// one sets the other, and that sharing is kept. QJ's no-punch bit (10093)
// is QH's EU4 bit, so it tells of a QJ without a punch unit only while none
// of QJ's punching variants is set (rule_inputs.cpp). QH has no variant
// without a punch unit: no bit of another family (QK's no-punch bit)
// switches its punching off.
#include "jobsettings/rules/tables/rule_tables.h"

namespace {
constexpr BYTE JP = kHolesJP;
constexpr BYTE NA = kHolesNA;
constexpr BYTE EU = kHolesEU;
constexpr BYTE NE = kHolesNE;
constexpr FinBitKind Plain = FinBitKind::kPlain;
constexpr FinBitKind Region = FinBitKind::kRegion;
constexpr FinBitKind NoPunch = FinBitKind::kNoPunch;
}  // namespace

const FinOptionBit kFinOptionBits[] = {
    // QA and its second model QB, in the order of the punch restriction.
    {Fin::QA, Region, 10058, JP, JP, FALSE},
    {Fin::QA, Region, 10050, JP, JP, TRUE},
    {Fin::QA, Region, 10078, JP, JP, TRUE},
    {Fin::QA, Region, 10079, JP, JP, TRUE},
    {Fin::QA, Region, 10074, JP | NA, JP | NA, FALSE},
    {Fin::QA, Region, 10075, JP | EU, JP | EU, FALSE},
    {Fin::QA, Region, 10076, NE, NE, FALSE},
    {Fin::QA, Region, 10080, NA, NA, TRUE},
    {Fin::QA, NoPunch, 10077, 0, 0, FALSE},
    {Fin::QA, NoPunch, 10081, 0, 0, TRUE},
    {Fin::QC, Plain, 10049, 0, 0, FALSE},
    {Fin::QD, Plain, 10059, 0, 0, FALSE},
    {Fin::QE, Plain, 10060, 0, 0, FALSE},
    {Fin::QF, Plain, 10061, 0, 0, FALSE},
    {Fin::QG, Region, 10082, JP, JP, FALSE},
    {Fin::QG, Region, 10086, JP | NA, JP | NA, FALSE},
    {Fin::QG, Region, 10087, JP | EU, JP | EU, FALSE},
    {Fin::QG, Region, 10088, NE, NE, FALSE},
    {Fin::QG, NoPunch, 10089, 0, 0, FALSE},
    {Fin::QH, Region, 10090, JP, JP, FALSE},  // US2
    {Fin::QH, Region, 10092, JP, JP, FALSE},  // JP4
    {Fin::QH, Region, 10091, NA, NA, FALSE},  // US3
    {Fin::QH, Region, 10093, EU, EU, FALSE},  // EU4
    {Fin::QJ, Region, 10083, JP, JP, FALSE},
    {Fin::QJ, Region, 10090, JP | NA, JP | NA, FALSE},
    {Fin::QJ, Region, 10091, JP | EU, JP | EU, FALSE},
    {Fin::QJ, Region, 10092, NE, NE, FALSE},
    {Fin::QJ, NoPunch, 10093, 0, 0, FALSE},
    {Fin::QK, Region, 10084, JP, JP | NA, FALSE},
    {Fin::QK, Region, 10094, JP | NA, JP | NA, FALSE},
    {Fin::QK, Region, 10095, JP | EU, JP | EU, FALSE},
    {Fin::QK, Region, 10096, NE, NE, FALSE},
    {Fin::QK, NoPunch, 10097, 0, 0, FALSE},
    {Fin::QL, Region, 10102, JP, JP, FALSE},
    {Fin::QL, Region, 10098, JP | NA, JP | NA, FALSE},
    {Fin::QL, Region, 10099, JP, JP, FALSE},  // EU2
    {Fin::QL, Region, 10100, NE, NE, FALSE},
    {Fin::QL, Region, 10103, EU, EU, FALSE},  // EU4
    {Fin::QL, NoPunch, 10101, 0, 0, FALSE},
    {Fin::QA, FinBitKind::kEnd, 0, 0, 0, FALSE},
};
