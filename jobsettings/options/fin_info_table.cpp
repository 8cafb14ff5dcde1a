// The output destinations each finisher option brings: {option setting,
// destination for ordinary kinds, destination for blank sheets}, -1 where
// the option brings none. 10049-10050 and 10058-10061 are the older
// finishers, 10074-10084 their variants, 10086-10097 the QG, QH and QK
// finishers, 10098-10103 the QL finishers. The row of id -1 ends the table
// and answers for a context without a finisher.
#include "jobsettings/options/option_tables.h"

namespace {

constexpr FinDest FinInfo[] = {
    {10049, -1, 5},  {10050, -1, 7},  {10058, 31, 32}, {10059, 33, 34}, {10060, -1, 36}, {10061, 37, 38},
    {10074, 31, 32}, {10075, 31, 32}, {10076, 31, 32}, {10077, 31, 32}, {10078, 6, 7},   {10079, 6, 7},
    {10080, 6, 7},   {10081, 6, 7},   {10082, 39, 40}, {10083, 42, 43}, {10084, 44, 45}, {10086, 39, 40},
    {10087, 39, 40}, {10088, 39, 40}, {10089, 39, 40}, {10090, 42, 43}, {10091, 42, 43}, {10092, 42, 43},
    {10093, 42, 43}, {10094, 44, 45}, {10095, 44, 45}, {10096, 44, 45}, {10097, 44, 45}, {10098, -1, 33},
    {10099, -1, 33}, {10100, -1, 33}, {10101, -1, 33}, {10102, -1, 33}, {10103, -1, 33}, {-1, -1, -1},
};
static_assert(sizeof FinInfo / sizeof FinInfo[0] == 36);

}  // namespace

const FinDest* GetFinInfo() { return FinInfo; }
