// The special value lists fgDMSpecial, by index: the binding classes of the
// duplex rules and the setting filters of batch install, set files and bidi
// answers. Record: {0xFFFF, count, values}; an empty record ends the table.
#include "jobsettings/validate/dm_value_tables.h"

#include <iterator>

namespace {

// Duplex types bound at the top.
constexpr LONG dmDuplexTOP[] = {
    1, 17, 20,
};
// Duplex types bound at a side.
constexpr LONG dmDuplexRIGHT_LEFT[] = {
    2, 3, 18, 19, 21, 22,
};
// Settings that take no description default: the font tables and their counts.
constexpr LONG InvalidKDMValue[] = {
    10004, 10005, 10006, 10007, 10008, 10009,
};
// Settings the batch install leaves alone: the DEVMODE's name, version and size
// fields.
constexpr LONG InvalidBatchInstall[] = {
    1, 2, 3, 4, 5,
};
// The same for a plain set-file read.
constexpr LONG InvalidReadSetFile[] = {
    1, 2, 3, 4, 5,
};
// Settings a bidi set file leaves alone: log codes, font tables, and paper and
// media of trays 9-24.
constexpr LONG InvalidBidiSetFile[] = {
    10001, 10002, 10003, 10004, 10005, 10006, 10007, 10008, 10009, 10010, 10011, 10183, 10184,
    10185, 10186, 10187, 10188, 10189, 10190, 10191, 10192, 10193, 10194, 10195, 10196, 10197,
    10198, 10215, 10216, 10217, 10218, 10219, 10220, 10221, 10222, 10223, 10224, 10225, 10226,
    10227, 10228, 10229, 10230,
};
// The input option settings.
constexpr LONG ValidKDMSourceOption[] = {
    10014, 10015, 10016, 10017, 10018, 10019, 10020, 10021, 10022, 10023, 10024, 10025, 10026,
    10027, 10028, 10029, 10030, 10031, 10032, 10033, 10034, 10035, 10036, 10037, 10038, 10039,
    10040, 10041, 10042, 10043, 10044, 10045,
};
// The output option settings: the first and second option words and the third
// and fourth (128 ids; the ids between are the one-step count and the tray
// fields).
constexpr LONG ValidKDMOutputOption[] = {
    10046, 10047, 10048, 10049, 10050, 10051, 10052, 10053, 10054, 10055, 10056, 10057, 10058,
    10059, 10060, 10061, 10062, 10063, 10064, 10065, 10066, 10067, 10068, 10069, 10070, 10071,
    10072, 10073, 10074, 10075, 10076, 10077, 10078, 10079, 10080, 10081, 10082, 10083, 10084,
    10085, 10086, 10087, 10088, 10089, 10090, 10091, 10092, 10093, 10094, 10095, 10096, 10097,
    10098, 10099, 10100, 10101, 10102, 10103, 10104, 10105, 10106, 10107, 10108, 10109, 10290,
    10291, 10292, 10293, 10294, 10295, 10296, 10297, 10298, 10299, 10300, 10301, 10302, 10303,
    10304, 10305, 10306, 10307, 10308, 10309, 10310, 10311, 10312, 10313, 10314, 10315, 10316,
    10317, 10318, 10319, 10320, 10321, 10322, 10323, 10324, 10325, 10326, 10327, 10328, 10329,
    10330, 10331, 10332, 10333, 10334, 10335, 10336, 10337, 10338, 10339, 10340, 10341, 10342,
    10343, 10344, 10345, 10346, 10347, 10348, 10349, 10350, 10351, 10352, 10353,
};
// The tray field and tray orientation settings.
constexpr LONG ValidKDMTrayField[] = {
    10111, 10112, 10113, 10114, 10115, 10116, 10117, 10118, 10119, 10120, 10121, 10122, 10123,
    10124, 10125, 10126, 10127, 10128, 10129, 10130, 10131, 10132, 10133, 10134, 10135, 10136,
    10137, 10138, 10139, 10140, 10141, 10142, 10143, 10144, 10145, 10146, 10147, 10148, 10149,
    10150, 10151, 10152, 10153, 10154, 10155, 10156, 10157, 10158, 10159, 10160, 10161, 10162,
    10163, 10164, 10165, 10166, 10167, 10168, 10169, 10170, 10171, 10172, 10173, 10174,
};
// Booklet duplex types: side binding, then top binding.
constexpr LONG dmDuplexBOOKLETC_RL[] = {
    18, 19,
};
constexpr LONG dmDuplexBOOKLETF_RL[] = {
    21, 22,
};
constexpr LONG dmDuplexBOOKLETC_T[] = {
    17,
};
constexpr LONG dmDuplexBOOKLETF_T[] = {
    20,
};

}  // namespace

#define LIST(values) {kDMSpecialMark, static_cast<DWORD>(std::size(values)), values}
const DMSpecialRecord fgDMSpecial[kDMSpecialCount] = {
    LIST(dmDuplexTOP),
    LIST(dmDuplexRIGHT_LEFT),
    LIST(InvalidKDMValue),
    LIST(InvalidBatchInstall),
    LIST(InvalidReadSetFile),
    LIST(InvalidBidiSetFile),
    LIST(ValidKDMSourceOption),
    LIST(ValidKDMOutputOption),
    LIST(ValidKDMTrayField),
    LIST(dmDuplexBOOKLETC_RL),
    LIST(dmDuplexBOOKLETF_RL),
    LIST(dmDuplexBOOKLETC_T),
    LIST(dmDuplexBOOKLETF_T),
    {kDMSpecialMark, 0, nullptr},
};
#undef LIST
