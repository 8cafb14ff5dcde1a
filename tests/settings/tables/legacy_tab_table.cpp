// The dialog layout tables as they were written by hand before the dialog
// definitions replaced them, kept word for word (under their own names) so
// that a test can hold the generated tables to them.
//
// Item row: I(group, control id, kind, help id, link, built-in, setting
//             [, flags [, class data]]).
// - group: the control's group keyword. A control bound to a setting uses a
//   group of that setting, so that a context binds it back to the same
//   record; the buttons of one radio list share one group; every other
//   control has a group of its own without a setting.
// - setting: function id of the record the control edits, 0 for none.
// - link: the number edit a spin drives, the preview a list shows, or the
//   radio group a picture stands for.
//
// Where the dialogs fix nothing, these tables choose:
// - Control ids that nothing else names are numbered from 3301 on, in table
//   order; the common file-dialog controls keep the system's ids.
// - A radio button's id is the option id it selects: its value-list string
//   id, or 3000 + 10n + i for entry i of radio list n without a list.
// - Help ids are the page's help id plus the item's position (1-based);
//   items of pages without help have none. Pop-up and hint texts: none.
// - A spin is bound like the number edit it drives.
// - A control that takes another's group at run time (the preset combos of
//   the edit, finishing, other, cover-and-insert and master pages; the
//   preset name and comment shown on the preset, master and save dialogs)
//   has a group of its own here.
#include <iterator>

#include "tests/settings/tables/legacy_tab_table.h"

namespace {

constexpr SFCB* Setting(int funcId) {
  if (funcId == 0) return nullptr;
  const int index = funcId <= kSettingFirstRunEnd ? funcId - 1
                                                  : kSettingFirstRunEnd + funcId - kSettingSecondRunFirst;
  return const_cast<SFCB*>(&fgSFCB[index]);
}

constexpr ICB I(WORD group, WORD id, ControlKind kind, WORD helpId, WORD link, WORD builtIn,
                int setting, DWORD flags = 0, const void* classData = nullptr) {
  return ICB{group,   id,      kind, 0,       helpId,  0, 0, link, builtIn, nullptr,
             Setting(setting), nullptr, classData, flags, 0, nullptr};
}

// The hidden-function list offers these settings, one entry each.
constexpr WORD IDC_HIDDEN_FUNC_aTID[64] = {
    349, 350, 351, 352, 353, 354, 355, 356, 357, 358, 359, 360, 361, 362, 363, 364,
    365, 366, 367, 368, 369, 370, 371, 372, 373, 374, 375, 376, 377, 378, 379, 380,
    447, 448, 449, 450, 451, 452, 453, 454, 455, 456, 457, 458, 459, 460, 461, 462,
    463, 464, 465, 466, 467, 468, 469, 470, 471, 472, 473, 474, 475, 476, 477, 478,
};

// KPD_IDD_PRESET
// Three status texts show collate, duplex and N-up; the preview 2039 and
// the orientation picture 2025 stand beside the preset list.
const ICB fgICB_IDD_PRESET[] = {
    I(418, 2001, kCtlPresetListBox, 20102, 2039, 1, 37),
    I(431, 2002, kCtlPushButton, 20103, 0, 0, 0),
    I(432, 2003, kCtlPushButton, 20104, 0, 0, 0),
    I(433, 2004, kCtlPushButton, 20105, 0, 0, 0),
    I(421, 2007, kCtlOwnerComboBox, 20106, 0, 0, 13),
    I(423, 2011, kCtlOwnerComboBox, 20107, 0, 0, 53),
    I(419, 2017, kCtlOwnerComboBox, 20108, 0, 0, 8),
    I(420, 2023, kCtlOwnerComboBox, 20109, 0, 0, 46),
    I(434, 2025, kCtlBitmap, 20110, 435, 0, 0),
    I(435, 2026, kCtlRadioList, 20111, 0, 0, 7),
    I(435, 2027, kCtlRadioList, 20112, 0, 0, 7),
    I(426, 2029, kCtlEditNum, 20113, 0, 0, 12),
    I(426, 2030, kCtlSpin, 20114, 2029, 0, 12),
    I(436, 2032, kCtlBitmap, 20115, 0, 0, 0),
    I(437, 2034, kCtlPushButton, 20116, 0, 0, 0),
    I(438, 2039, kCtlBitmap, 20117, 0, 0, 0),
    I(439, 2148, kCtlEditText, 20118, 0, 0, 0),
    I(440, 2408, kCtlText4, 20119, 0, 0, 0),
    I(422, 3301, kCtlOwnerComboBox, 20120, 0, 0, 54),
    I(424, 3302, kCtlOwnerComboBox, 20121, 0, 0, 15),
    I(425, 3303, kCtlOwnerComboBox, 20122, 0, 0, 209),
    I(427, 3304, kCtlText1, 20123, 0, 0, 19),
    I(428, 3305, kCtlText1, 20124, 0, 0, 58),
    I(429, 3306, kCtlText1, 20125, 0, 0, 56),
    I(441, 3307, kCtlText1, 20126, 0, 0, 0),
    I(442, 3308, kCtlText1, 20127, 0, 0, 0),
    I(443, 3309, kCtlText1, 20128, 0, 0, 0),
    I(444, 3310, kCtlText1, 20129, 0, 0, 0),
    I(445, 3311, kCtlText1, 20130, 0, 0, 0),
    I(446, 3312, kCtlText1, 20131, 0, 0, 0),
    I(447, 3313, kCtlText1, 20132, 0, 0, 0),
    I(448, 3314, kCtlText1, 20133, 0, 0, 0),
    I(449, 3315, kCtlText1, 20134, 0, 0, 0),
    I(450, 3316, kCtlBitmap, 20135, 0, 0, 0),
    I(451, 3317, kCtlBitmap, 20136, 0, 0, 0),
    I(452, 3318, kCtlText4, 20137, 0, 0, 0),
    I(453, 3319, kCtlPushButton, 20138, 0, 0, 0),
    I(454, 3320, kCtlEditNum, 20139, 0, 0, 0),
    I(455, 3321, kCtlEditNum, 20140, 0, 0, 0),
    I(456, 3322, kCtlEditNum, 20141, 0, 0, 0),
};

// KPD_IDD_BASIC
// The printer picture 2067 edits its own pseudo setting; the preset combo
// 2036 is the one the other pages' preset combos copy at run time.
const ICB fgICB_IDD_BASIC[] = {
    I(421, 2007, kCtlOwnerComboBox, 22002, 0, 0, 13),
    I(419, 2017, kCtlOwnerComboBox, 22003, 0, 0, 8),
    I(418, 2036, kCtlOwnerComboBox, 22004, 0, 0, 37),
    I(479, 2037, kCtlPushButton, 22005, 0, 0, 0),
    I(480, 2038, kCtlPushButton, 22006, 0, 0, 0),
    I(481, 2039, kCtlBitmap, 22007, 0, 0, 0),
    I(482, 2041, kCtlBitmap, 22008, 0, 0, 0),
    I(426, 2049, kCtlEditNum, 22009, 0, 0, 12),
    I(426, 2050, kCtlSpin, 22010, 2049, 0, 12),
    I(420, 2053, kCtlOwnerComboBox, 22011, 0, 1, 46),
    I(473, 2059, kCtlEditNum, 22012, 0, 0, 11),
    I(473, 2060, kCtlSpin, 22013, 2059, 0, 11),
    I(423, 2066, kCtlOwnerComboBox, 22014, 0, 0, 53),
    I(457, 2067, kCtlBitmap, 22015, 0, 0, 1165),
    I(458, 2070, kCtlOwnerComboBox, 22016, 0, 0, 87),
    I(747, 2388, kCtlEditText, 22017, 0, 0, 762),
    I(478, 3120, kCtlRadioList, 22018, 0, 0, 36),
    I(478, 3121, kCtlRadioList, 22019, 0, 0, 36),
    I(467, 3323, kCtlOwnerComboBox, 22020, 0, 0, 118),
    I(468, 3324, kCtlOwnerComboBox, 22021, 0, 0, 16),
    I(471, 3325, kCtlOwnerComboBox, 22022, 0, 0, 14),
    I(459, 3326, kCtlEditNum, 22023, 0, 0, 89),
    I(460, 3327, kCtlEditNum, 22024, 0, 0, 90),
    I(461, 3328, kCtlCheckBox, 22025, 0, 0, 88),
    I(462, 3329, kCtlCheckBox, 22026, 0, 0, 55),
    I(465, 3330, kCtlCheckBox, 22027, 0, 0, 60),
    I(464, 3331, kCtlCheckBox, 22028, 0, 0, 59),
    I(483, 3332, kCtlText1, 22029, 0, 0, 0),
    I(484, 3333, kCtlText1, 22030, 0, 0, 0),
    I(485, 3334, kCtlText1, 22031, 0, 0, 0),
    I(486, 3335, kCtlText1, 22032, 0, 0, 0),
    I(487, 3336, kCtlText1, 22033, 0, 0, 0),
    I(488, 3337, kCtlText1, 22034, 0, 0, 0),
    I(489, 3338, kCtlText1, 22035, 0, 0, 0),
    I(490, 3339, kCtlText1, 22036, 0, 0, 0),
    I(491, 3340, kCtlText1, 22037, 0, 0, 0),
    I(492, 3341, kCtlText1, 22038, 0, 0, 0),
    I(493, 3342, kCtlText1, 22039, 0, 0, 0),
    I(494, 3343, kCtlText1, 22040, 0, 0, 0),
    I(495, 3344, kCtlBitmap, 22041, 0, 0, 0),
    I(496, 3345, kCtlBitmap, 22042, 0, 0, 0),
    I(497, 3346, kCtlBitmap, 22043, 0, 0, 0),
    I(498, 3347, kCtlBitmap, 22044, 0, 0, 0),
    I(499, 3348, kCtlBitmap, 22045, 0, 0, 0),
    I(500, 3349, kCtlBitmap, 22046, 0, 0, 0),
    I(501, 3350, kCtlText4, 22047, 0, 0, 0),
    I(502, 3351, kCtlText4, 22048, 0, 0, 0),
    I(503, 3352, kCtlPushButton, 22049, 0, 0, 0),
    I(504, 3353, kCtlPushButton, 22050, 0, 0, 0),
    I(505, 3354, kCtlPushButton, 22051, 0, 0, 0),
    I(506, 3355, kCtlPushButton, 22052, 0, 0, 0),
};

// KPD_IDD_EDIT
// The preset combo 2078 is bound at run time; 2093 is the N-up kind list
// whose transaction item 2004 asks for; the three size edits are the
// shift and odd-page margins.
const ICB fgICB_IDD_EDIT[] = {
    I(525, 2078, kCtlOwnerComboBox, 22302, 0, 0, 0),
    I(526, 2079, kCtlPushButton, 22303, 0, 0, 0),
    I(527, 2080, kCtlPushButton, 22304, 0, 0, 0),
    I(508, 2085, kCtlOwnerListBox, 22305, 0, 1, 92),
    I(510, 2087, kCtlOwnerListBox, 22306, 0, 0, 94),
    I(465, 2088, kCtlCheckBox, 22307, 0, 0, 60),
    I(467, 2089, kCtlOwnerComboBox, 22308, 0, 0, 118),
    I(528, 2090, kCtlPushButton, 22309, 0, 0, 0),
    I(529, 2091, kCtlPushButton, 22310, 0, 0, 0),
    I(530, 2092, kCtlPushButton, 22311, 0, 0, 0),
    I(507, 2093, kCtlOwnerListBox, 22312, 0, 0, 91),
    I(747, 2389, kCtlEditText, 22313, 0, 0, 762),
    I(531, 2406, kCtlPushButton, 22314, 0, 0, 0),
    I(532, 2407, kCtlPushButton, 22315, 0, 0, 0),
    I(533, 2895, kCtlOwnerListBox, 22316, 0, 0, 0),
    I(513, 3356, kCtlCheckBox, 22317, 0, 0, 67),
    I(523, 3357, kCtlCheckBox, 22318, 0, 0, 58),
    I(524, 3358, kCtlCheckBox, 22319, 0, 0, 56),
    I(521, 3359, kCtlCheckBox, 22320, 0, 0, 59),
    I(522, 3360, kCtlCheckBox, 22321, 0, 0, 57),
    I(518, 3361, kCtlCheckBox, 22322, 0, 0, 71),
    I(1003, 3362, kCtlEditNum, 22323, 0, 0, 96, kIcbSizeItem),
    I(1004, 3363, kCtlEditNum, 22324, 0, 0, 97, kIcbSizeItem),
    I(1005, 3364, kCtlEditNum, 22325, 0, 0, 98, kIcbSizeItem),
    I(509, 3365, kCtlEditNum, 22326, 0, 0, 93),
    I(511, 3366, kCtlText1, 22327, 0, 0, 791),
    I(512, 3367, kCtlText1, 22328, 0, 0, 792),
    I(534, 3368, kCtlText1, 22329, 0, 0, 0),
    I(535, 3369, kCtlText1, 22330, 0, 0, 0),
    I(536, 3370, kCtlText1, 22331, 0, 0, 0),
    I(537, 3371, kCtlText1, 22332, 0, 0, 0),
    I(538, 3372, kCtlText1, 22333, 0, 0, 0),
    I(539, 3373, kCtlText1, 22334, 0, 0, 0),
    I(540, 3374, kCtlText1, 22335, 0, 0, 0),
    I(541, 3375, kCtlText1, 22336, 0, 0, 0),
    I(542, 3376, kCtlText1, 22337, 0, 0, 0),
    I(543, 3377, kCtlText1, 22338, 0, 0, 0),
    I(544, 3378, kCtlText1, 22339, 0, 0, 0),
    I(545, 3379, kCtlBitmap, 22340, 0, 0, 0),
    I(546, 3380, kCtlBitmap, 22341, 0, 0, 0),
    I(547, 3381, kCtlBitmap, 22342, 0, 0, 0),
    I(548, 3382, kCtlPushButton, 22343, 0, 0, 0),
    I(549, 3383, kCtlPushButton, 22344, 0, 0, 0),
    I(550, 3384, kCtlPushButton, 22345, 0, 0, 0),
    I(551, 3385, kCtlOwnerComboBox, 22346, 0, 0, 0),
};

// KPD_IDD_FINISH
// Punch and staple types are the orientation-dependent lists 2100 and 2102;
// the number edit 2470 and its spin edit the separation-sheet cycle.
const ICB fgICB_IDD_FINISH[] = {
    I(569, 2095, kCtlOwnerComboBox, 22702, 0, 0, 0),
    I(570, 2096, kCtlPushButton, 22703, 0, 0, 0),
    I(571, 2097, kCtlPushButton, 22704, 0, 0, 0),
    I(553, 2100, kCtlOwnerListBox, 22705, 0, 0, 120),
    I(554, 2102, kCtlOwnerListBox, 22706, 0, 0, 121),
    I(747, 2390, kCtlEditText, 22707, 0, 0, 762),
    I(585, 2470, kCtlEditNum, 22708, 0, 0, 411),
    I(552, 3386, kCtlOwnerListBox, 22709, 0, 0, 119),
    I(557, 3387, kCtlOwnerListBox, 22710, 0, 0, 511),
    I(565, 3388, kCtlCheckBox, 22711, 0, 0, 61),
    I(566, 3389, kCtlCheckBox, 22712, 0, 0, 62),
    I(567, 3390, kCtlCheckBox, 22713, 0, 0, 63),
    I(568, 3391, kCtlCheckBox, 22714, 0, 0, 78),
    I(559, 3392, kCtlCheckBox, 22715, 0, 0, 74),
    I(560, 3393, kCtlCheckBox, 22716, 0, 0, 75),
    I(585, 3394, kCtlSpin, 22717, 2470, 0, 411),
    I(555, 3395, kCtlText1, 22718, 0, 0, 793),
    I(556, 3396, kCtlText1, 22719, 0, 0, 794),
    I(558, 3397, kCtlText1, 22720, 0, 0, 933),
    I(563, 3398, kCtlText1, 22721, 0, 0, 72),
    I(572, 3399, kCtlText1, 22722, 0, 0, 0),
    I(573, 3400, kCtlText1, 22723, 0, 0, 0),
    I(574, 3401, kCtlText1, 22724, 0, 0, 0),
    I(575, 3402, kCtlText1, 22725, 0, 0, 0),
    I(576, 3403, kCtlText1, 22726, 0, 0, 0),
    I(577, 3404, kCtlBitmap, 22727, 0, 0, 0),
    I(578, 3405, kCtlPushButton, 22728, 0, 0, 0),
    I(579, 3406, kCtlOwnerListBox, 22729, 0, 0, 0),
};

// KPD_IDD_CVRMARK
// The chapter switch 2726 and the four insert switches; the chapter list
// 2813 shows the chapter blocks read-only.
const ICB fgICB_IDD_CVRMARK[] = {
    I(587, 2713, kCtlOwnerComboBox, 24002, 0, 0, 0),
    I(588, 2714, kCtlPushButton, 24003, 0, 0, 0),
    I(589, 2715, kCtlPushButton, 24004, 0, 0, 0),
    I(590, 2717, kCtlText1, 24005, 0, 0, 0),
    I(591, 2718, kCtlText1, 24006, 0, 0, 0),
    I(583, 2726, kCtlCheckBox, 24007, 0, 0, 69),
    I(747, 2733, kCtlEditText, 24008, 0, 0, 762),
    I(592, 2809, kCtlText1, 24009, 0, 0, 0),
    I(593, 2810, kCtlText1, 24010, 0, 0, 0),
    I(594, 2813, kCtlOwnerListBox, 24011, 0, 0, 0),
    I(580, 3407, kCtlCheckBox, 24012, 0, 0, 64),
    I(581, 3408, kCtlCheckBox, 24013, 0, 0, 65),
    I(582, 3409, kCtlCheckBox, 24014, 0, 0, 66),
    I(584, 3410, kCtlCheckBox, 24015, 0, 0, 70),
    I(586, 3411, kCtlText1, 24016, 0, 0, 388),
    I(595, 3412, kCtlText1, 24017, 0, 0, 0),
    I(596, 3413, kCtlText1, 24018, 0, 0, 0),
    I(597, 3414, kCtlText1, 24019, 0, 0, 0),
    I(598, 3415, kCtlBitmap, 24020, 0, 0, 0),
    I(599, 3416, kCtlBitmap, 24021, 0, 0, 0),
    I(600, 3417, kCtlPushButton, 24022, 0, 0, 0),
    I(601, 3418, kCtlPushButton, 24023, 0, 0, 0),
    I(602, 3419, kCtlPushButton, 24024, 0, 0, 0),
    I(603, 3420, kCtlPushButton, 24025, 0, 0, 0),
    I(604, 3421, kCtlPushButton, 24026, 0, 0, 0),
    I(605, 3422, kCtlPushButton, 24027, 0, 0, 0),
};

// KPD_IDD_OTHERS
// The preset combo 2109 is bound at run time.
const ICB fgICB_IDD_OTHERS[] = {
    I(616, 2109, kCtlOwnerComboBox, 22802, 0, 0, 0),
    I(617, 2114, kCtlPushButton, 22803, 0, 0, 0),
    I(618, 2115, kCtlPushButton, 22804, 0, 0, 0),
    I(747, 2391, kCtlEditText, 22805, 0, 0, 762),
    I(606, 3423, kCtlOwnerComboBox, 22806, 0, 0, 201),
    I(607, 3424, kCtlCheckBox, 22807, 0, 0, 199),
    I(608, 3425, kCtlCheckBox, 22808, 0, 0, 174),
    I(609, 3426, kCtlCheckBox, 22809, 0, 0, 187),
    I(610, 3427, kCtlCheckBox, 22810, 0, 0, 188),
    I(611, 3428, kCtlCheckBox, 22811, 0, 0, 189),
    I(612, 3429, kCtlCheckBox, 22812, 0, 0, 190),
    I(613, 3430, kCtlCheckBox, 22813, 0, 0, 191),
    I(614, 3431, kCtlCheckBox, 22814, 0, 0, 192),
    I(619, 3432, kCtlText1, 22815, 0, 0, 0),
    I(620, 3433, kCtlText1, 22816, 0, 0, 0),
    I(621, 3434, kCtlBitmap, 22817, 0, 0, 0),
    I(622, 3435, kCtlPushButton, 22818, 0, 0, 0),
    I(623, 3436, kCtlPushButton, 22819, 0, 0, 0),
    I(624, 3437, kCtlCheckBox, 22820, 0, 0, 0),
};

// KPD_IDD_PRINTQUALITY
// 2133 switches between stored sets (list 2134) and the fixed levels 2122,
// 2126, 2127, 2128 and 2131; the adjust mode and object radios follow.
const ICB fgICB_IDD_PRINTQUALITY[] = {
    I(631, 2122, kCtlRadioList, 21402, 0, 0, 1171),
    I(631, 2126, kCtlRadioList, 21403, 0, 0, 1171),
    I(631, 2127, kCtlRadioList, 21404, 0, 0, 1171),
    I(631, 2128, kCtlRadioList, 21405, 0, 0, 1171),
    I(631, 2131, kCtlRadioList, 21406, 0, 0, 1171),
    I(920, 2133, kCtlCheckBox, 21407, 0, 0, 176),
    I(627, 2134, kCtlOwnerListBox, 21408, 0, 1, 179),
    I(632, 2136, kCtlPushButton, 21409, 0, 0, 0),
    I(629, 3130, kCtlRadioList, 21410, 0, 0, 128),
    I(629, 3131, kCtlRadioList, 21411, 0, 0, 128),
    I(630, 3140, kCtlRadioList, 21412, 0, 0, 129),
    I(630, 3141, kCtlRadioList, 21413, 0, 0, 129),
    I(630, 3142, kCtlRadioList, 21414, 0, 0, 129),
    I(628, 3438, kCtlCheckBox, 21415, 0, 0, 68),
    I(625, 3439, kCtlOwnerComboBox, 21416, 0, 0, 200),
    I(633, 3440, kCtlText1, 21417, 0, 0, 0),
    I(634, 3441, kCtlBitmap, 21418, 0, 0, 0),
    I(635, 3442, kCtlBitmap, 21419, 0, 0, 0),
    I(636, 3443, kCtlBitmap, 21420, 0, 0, 0),
    I(637, 3444, kCtlBitmap, 21421, 0, 0, 0),
    I(638, 3445, kCtlBitmap, 21422, 0, 0, 0),
    I(639, 3446, kCtlBitmap, 21423, 0, 0, 0),
    I(640, 3447, kCtlBitmap, 21424, 0, 0, 0),
    I(641, 3448, kCtlText4, 21425, 0, 0, 0),
    I(642, 3449, kCtlText4, 21426, 0, 0, 0),
    I(643, 3450, kCtlPushButton, 21427, 0, 0, 0),
    I(644, 3451, kCtlPushButton, 21428, 0, 0, 0),
};

// KPD_IDD_DIALOG_INIT
// The tray-information texts 2410-2413, 2538-2540, 2566 and 2770 are
// painted by the module for item 2159.
const ICB fgICB_IDD_DIALOG_INIT[] = {
    I(648, 2112, kCtlPushButton, 20302, 0, 0, 0),
    I(645, 2152, kCtlOwnerComboBox, 20303, 0, 0, 173),
    I(649, 2159, kCtlText1, 20304, 0, 0, 0),
    I(650, 2160, kCtlPushButton, 20305, 0, 0, 0),
    I(651, 2410, kCtlText1, 20306, 0, 0, 0),
    I(652, 2411, kCtlText1, 20307, 0, 0, 0),
    I(653, 2412, kCtlText1, 20308, 0, 0, 0),
    I(654, 2413, kCtlText1, 20309, 0, 0, 0),
    I(655, 2538, kCtlText1, 20310, 0, 0, 0),
    I(656, 2539, kCtlText1, 20311, 0, 0, 0),
    I(657, 2540, kCtlText1, 20312, 0, 0, 0),
    I(658, 2566, kCtlText1, 20313, 0, 0, 0),
    I(659, 2570, kCtlPushButton, 20314, 0, 0, 0),
    I(660, 2770, kCtlText1, 20315, 0, 0, 0),
    I(661, 2877, kCtlText1, 20316, 0, 0, 0),
    I(647, 3020, kCtlRadioList, 20317, 0, 0, 170),
    I(647, 3021, kCtlRadioList, 20318, 0, 0, 170),
    I(646, 3452, kCtlText1, 20319, 0, 0, 172),
    I(662, 3453, kCtlText1, 20320, 0, 0, 0),
    I(663, 3454, kCtlText1, 20321, 0, 0, 0),
    I(664, 3455, kCtlText1, 20322, 0, 0, 0),
    I(665, 3456, kCtlText1, 20323, 0, 0, 0),
    I(666, 3457, kCtlBitmap, 20324, 0, 0, 0),
    I(667, 3458, kCtlBitmap, 20325, 0, 0, 0),
    I(668, 3459, kCtlBitmap, 20326, 0, 0, 0),
    I(669, 3460, kCtlText4, 20327, 0, 0, 0),
    I(670, 3461, kCtlText4, 20328, 0, 0, 0),
    I(671, 3462, kCtlPushButton, 20329, 0, 0, 0),
    I(672, 3463, kCtlPushButton, 20330, 0, 0, 0),
    I(673, 3464, kCtlPushButton, 20331, 0, 0, 0),
    I(674, 3465, kCtlPushButton, 20332, 0, 0, 0),
    I(675, 3466, kCtlPushButton, 20333, 0, 0, 0),
    I(676, 3467, kCtlPushButton, 20334, 0, 0, 0),
    I(677, 3468, kCtlPushButton, 20335, 0, 0, 0),
    I(678, 3469, kCtlPushButton, 20336, 0, 0, 0),
    I(679, 3470, kCtlPushButton, 20337, 0, 0, 0),
    I(680, 3471, kCtlPushButton, 20338, 0, 0, 0),
    I(681, 3472, kCtlPushButton, 20339, 0, 0, 0),
    I(682, 3473, kCtlPushButton, 20340, 0, 0, 0),
    I(683, 3474, kCtlPushButton, 20341, 0, 0, 0),
    I(684, 3475, kCtlCheckBox, 20342, 0, 0, 0),
    I(685, 3476, kCtlEditText, 20343, 0, 0, 0),
    I(686, 3477, kCtlEditText, 20344, 0, 0, 0),
};

// KPD_IDD_DIALOG_OPTION
// 2173 (0) and 2175 (1) are the orientation of the tray the list selects;
// the page writes that tray's setting itself, so the pair is bound to none
// and a click cannot land in a printer setting (the memory type is an entry
// of the option list).
const ICB fgICB_IDD_DIALOG_OPTION[] = {
    I(694, 1, kCtlPushButton, 21002, 0, 0, 0),
    I(687, 2164, kCtlOwnerListBox, 21003, 0, 0, 1167),
    I(688, 2166, kCtlTreeView, 21004, 0, 0, 1168),
    I(689, 2168, kCtlOwnerComboBox, 21005, 0, 0, 1169),
    I(690, 2170, kCtlOwnerComboBox, 21006, 0, 0, 1170),
    I(693, 2173, kCtlRadioList, 21007, 0, 0, 0),
    I(693, 2175, kCtlRadioList, 21008, 0, 0, 0),
    I(695, 2176, kCtlPushButton, 21009, 0, 0, 0),
    I(691, 2551, kCtlOwnerComboBox, 21010, 0, 0, 1174),
    I(692, 3478, kCtlText4, 21011, 0, 0, 10012),
    I(696, 3479, kCtlPushButton, 21012, 0, 250, 0),
    I(697, 3480, kCtlText1, 21013, 0, 0, 0),
    I(698, 3481, kCtlText1, 21014, 0, 0, 0),
    I(699, 3482, kCtlText1, 21015, 0, 0, 0),
    I(700, 3483, kCtlText1, 21016, 0, 0, 0),
    I(701, 3484, kCtlText1, 21017, 0, 0, 0),
    I(702, 3485, kCtlText1, 21018, 0, 0, 0),
    I(703, 3486, kCtlText1, 21019, 0, 0, 0),
    I(704, 3487, kCtlText1, 21020, 0, 0, 0),
    I(705, 3488, kCtlBitmap, 21021, 0, 0, 0),
    I(706, 3489, kCtlBitmap, 21022, 0, 0, 0),
    I(707, 3490, kCtlBitmap, 21023, 0, 0, 0),
    I(708, 3491, kCtlPushButton, 21024, 0, 0, 0),
    I(709, 3492, kCtlPushButton, 21025, 0, 0, 0),
    I(710, 3493, kCtlCheckBox, 21026, 0, 0, 0),
};

// KPD_IDD_TTF
// 2380 and 2382 lend their groups to the lists 2385 and 2384 at run time.
const ICB fgICB_IDD_TTF[] = {
    I(711, 2380, kCtlText1, 23202, 0, 0, 0),
    I(712, 2382, kCtlText1, 23203, 0, 0, 0),
    I(713, 2383, kCtlText1, 23204, 0, 0, 0),
    I(714, 2384, kCtlOwnerListBox, 23205, 0, 0, 0),
    I(715, 2385, kCtlOwnerListBox, 23206, 0, 0, 0),
    I(716, 2386, kCtlPushButton, 23207, 0, 0, 0),
    I(717, 3494, kCtlEditText, 23208, 0, 0, 0),
};

// KPD_IDD_USER_CODE
const ICB fgICB_IDD_USER_CODE[] = {
    I(718, 3495, kCtlCheckBox, 23302, 0, 0, 10001),
    I(719, 3496, kCtlCheckBox, 23303, 0, 0, 10002),
    I(720, 3497, kCtlEditText, 23304, 0, 0, 203),
    I(721, 3498, kCtlText1, 23305, 0, 0, 0),
    I(722, 3499, kCtlPushButton, 23306, 0, 0, 0),
};

// KPD_IDD_DIALOG_PRINTPOST
const ICB fgICB_IDD_DIALOG_PRINTPOST[] = {
    I(723, 2193, kCtlEditText, 20802, 0, 0, 1124),
    I(724, 2195, kCtlEditText, 20803, 0, 0, 1125),
    I(725, 2197, kCtlEditText, 20804, 0, 0, 1126),
    I(726, 2199, kCtlEditText, 20805, 0, 0, 1127),
    I(727, 2201, kCtlEditText, 20806, 0, 0, 1128),
    I(728, 2203, kCtlEditText, 20807, 0, 0, 1129),
    I(729, 2205, kCtlEditText, 20808, 0, 0, 1130),
    I(730, 2207, kCtlEditText, 20809, 0, 0, 1131),
    I(731, 2209, kCtlEditText, 20810, 0, 0, 1132),
    I(732, 3500, kCtlText1, 20811, 0, 0, 0),
    I(733, 3501, kCtlText1, 20812, 0, 0, 0),
    I(734, 3502, kCtlText1, 20813, 0, 0, 0),
    I(735, 3503, kCtlText1, 20814, 0, 0, 0),
    I(736, 3504, kCtlText1, 20815, 0, 0, 0),
    I(737, 3505, kCtlText1, 20816, 0, 0, 0),
    I(738, 3506, kCtlText1, 20817, 0, 0, 0),
    I(739, 3507, kCtlText1, 20818, 0, 0, 0),
    I(740, 3508, kCtlText1, 20819, 0, 0, 0),
    I(741, 3509, kCtlBitmap, 20820, 0, 0, 0),
    I(742, 3510, kCtlPushButton, 20821, 0, 0, 0),
    I(743, 3511, kCtlPushButton, 20822, 0, 0, 0),
    I(744, 3512, kCtlPushButton, 20823, 0, 0, 0),
    I(745, 3513, kCtlPushButton, 20824, 0, 0, 0),
};

// KPD_IDD_MAINTENANCE
// Closing buttons 1 and 8 take part in the alert check.
const ICB fgICB_IDD_MAINTENANCE[] = {
    I(749, 1, kCtlPushButton, 20202, 0, 0, 0),
    I(750, 8, kCtlPushButton, 20203, 0, 0, 0),
    I(746, 2139, kCtlPresetListBox, 20204, 0, 1, 1166),
    I(751, 2140, kCtlPushButton, 20205, 0, 0, 0),
    I(752, 2141, kCtlPushButton, 20206, 0, 0, 0),
    I(753, 2142, kCtlPushButton, 20207, 0, 0, 0),
    I(754, 2143, kCtlPushButton, 20208, 0, 0, 0),
    I(755, 2144, kCtlPushButton, 20209, 0, 0, 0),
    I(747, 2145, kCtlEditText, 20210, 0, 0, 762),
    I(748, 2146, kCtlEditText, 20211, 0, 0, 763),
    I(756, 2148, kCtlEditText, 20212, 0, 0, 0),
    I(757, 2705, kCtlPushButton, 20213, 0, 0, 0),
    I(758, 3514, kCtlText1, 20214, 0, 0, 0),
    I(759, 3515, kCtlText1, 20215, 0, 0, 0),
};

// KPD_IDD_DIALOG_ROTATION
const ICB fgICB_IDD_DIALOG_ROTATION[] = {
    I(760, 3516, kCtlCheckBox, 20402, 0, 0, 194),
    I(761, 3517, kCtlText1, 20403, 0, 0, 0),
    I(762, 3518, kCtlText1, 20404, 0, 0, 0),
    I(763, 3519, kCtlBitmap, 20405, 0, 0, 0),
    I(764, 3520, kCtlBitmap, 20406, 0, 0, 0),
    I(765, 3521, kCtlPushButton, 20407, 0, 0, 0),
    I(766, 3522, kCtlPushButton, 20408, 0, 0, 0),
    I(767, 3523, kCtlPushButton, 20409, 0, 0, 0),
};

// KPD_IDD_DIALOG_UNIT
const ICB fgICB_IDD_DIALOG_UNIT[] = {
    I(770, 1, kCtlPushButton, 20505, 0, 0, 0),
    I(771, 2, kCtlPushButton, 20506, 0, 0, 0),
    I(768, 3060, kCtlRadioList, 20502, 0, 0, 171),
    I(768, 3061, kCtlRadioList, 20503, 0, 0, 171),
    I(769, 3524, kCtlText4, 20504, 0, 0, 0),
    I(772, 3527, kCtlPushButton, 20507, 0, 0, 0),
};

// KPD_IDD_DIALOG_SORT
const ICB fgICB_IDD_DIALOG_SORT[] = {
    I(773, 3070, kCtlRadioList, 20602, 0, 0, 119),
    I(773, 3071, kCtlRadioList, 20603, 0, 0, 119),
    I(773, 3072, kCtlRadioList, 20604, 0, 0, 119),
    I(774, 3528, kCtlBitmap, 20605, 0, 0, 0),
    I(775, 3529, kCtlBitmap, 20606, 0, 0, 0),
    I(776, 3530, kCtlBitmap, 20607, 0, 0, 0),
    I(777, 3531, kCtlText4, 20608, 0, 0, 0),
    I(778, 3532, kCtlPushButton, 20609, 0, 0, 0),
    I(779, 3533, kCtlPushButton, 20610, 0, 0, 0),
    I(780, 3534, kCtlPushButton, 20611, 0, 0, 0),
    I(781, 3535, kCtlPushButton, 20612, 0, 0, 0),
};

// KPD_IDD_DIALOG_ACTION
const ICB fgICB_IDD_DIALOG_ACTION[] = {
    I(782, 3536, kCtlCheckBox, 20702, 0, 0, 211),
    I(783, 3537, kCtlCheckBox, 20703, 0, 0, 212),
    I(784, 3538, kCtlCheckBox, 20704, 0, 0, 213),
    I(785, 3539, kCtlCheckBox, 20705, 0, 0, 214),
    I(786, 3540, kCtlCheckBox, 20706, 0, 0, 215),
    I(787, 3541, kCtlCheckBox, 20707, 0, 0, 216),
    I(788, 3542, kCtlPushButton, 20708, 0, 0, 0),
    I(789, 3543, kCtlPushButton, 20709, 0, 0, 0),
    I(790, 3544, kCtlPushButton, 20710, 0, 0, 0),
    I(791, 3545, kCtlPushButton, 20711, 0, 0, 0),
};

// KPD_IDD_DIALOG_FREESIZE
// Length (2220, 2392) and width (2224, 2394) edits and their spins are the
// eight size items; 2392 and 2394 edit the source copies, which share
// storage with 2220 and 2224 at run time; 2398-2401 are the third unit.
const ICB fgICB_IDD_DIALOG_FREESIZE[] = {
    I(792, 2217, kCtlOwnerComboBox, 20902, 0, 205, 755),
    I(795, 2220, kCtlEditNum, 20903, 0, 202, 754, kIcbSizeItem),
    I(795, 2221, kCtlSpin, 20904, 2220, 0, 754, kIcbSizeItem),
    I(794, 2224, kCtlEditNum, 20905, 0, 202, 753, kIcbSizeItem),
    I(794, 2225, kCtlSpin, 20906, 2224, 0, 753, kIcbSizeItem),
    I(803, 2227, kCtlPushButton, 20907, 0, 0, 0),
    I(804, 2364, kCtlOwnerListBox, 20908, 0, 0, 0),
    I(793, 2365, kCtlEditText, 20909, 0, 0, 752),
    I(798, 2392, kCtlEditNum, 20910, 0, 0, 759, kIcbSizeItem),
    I(798, 2393, kCtlSpin, 20911, 2392, 0, 759, kIcbSizeItem),
    I(797, 2394, kCtlEditNum, 20912, 0, 0, 758, kIcbSizeItem),
    I(797, 2395, kCtlSpin, 20913, 2394, 0, 758, kIcbSizeItem),
    I(805, 2398, kCtlEditNum, 20914, 0, 0, 0),
    I(806, 2399, kCtlSpin, 20915, 2398, 0, 0),
    I(807, 2400, kCtlEditNum, 20916, 0, 0, 0),
    I(808, 2401, kCtlSpin, 20917, 2400, 0, 0),
    I(802, 2679, kCtlRadioList, 20918, 0, 0, 756),
    I(802, 2680, kCtlRadioList, 20919, 0, 0, 756),
    I(809, 3546, kCtlText1, 20920, 0, 0, 0),
    I(810, 3547, kCtlText1, 20921, 0, 0, 0),
    I(811, 3548, kCtlText1, 20922, 0, 0, 0),
    I(812, 3549, kCtlText1, 20923, 0, 0, 0),
    I(813, 3550, kCtlText1, 20924, 0, 0, 0),
    I(814, 3551, kCtlText1, 20925, 0, 0, 0),
    I(815, 3552, kCtlText1, 20926, 0, 0, 0),
    I(816, 3553, kCtlBitmap, 20927, 0, 0, 0),
    I(817, 3554, kCtlBitmap, 20928, 0, 0, 0),
    I(818, 3555, kCtlText4, 20929, 0, 0, 0),
    I(819, 3556, kCtlPushButton, 20930, 0, 0, 0),
    I(820, 3557, kCtlPushButton, 20931, 0, 0, 0),
    I(821, 3558, kCtlPushButton, 20932, 0, 0, 0),
    I(822, 3559, kCtlPushButton, 20933, 0, 0, 0),
};

// KPD_IDD_DIALOG_SCALE
// 2419 and 2421 edit the horizontal and vertical scale.
const ICB fgICB_IDD_DIALOG_SCALE[] = {
    I(459, 2419, kCtlEditNum, 21102, 0, 0, 89),
    I(460, 2421, kCtlEditNum, 21103, 0, 0, 90),
    I(459, 3560, kCtlSpin, 21104, 2419, 0, 89),
    I(460, 3561, kCtlSpin, 21105, 2421, 0, 90),
    I(827, 3562, kCtlText1, 21106, 0, 0, 0),
    I(828, 3563, kCtlText1, 21107, 0, 0, 0),
    I(829, 3564, kCtlBitmap, 21108, 0, 0, 0),
    I(830, 3565, kCtlBitmap, 21109, 0, 0, 0),
    I(831, 3566, kCtlBitmap, 21110, 0, 0, 0),
    I(832, 3567, kCtlText4, 21111, 0, 0, 0),
    I(833, 3568, kCtlPushButton, 21112, 0, 0, 0),
    I(834, 3569, kCtlPushButton, 21113, 0, 0, 0),
    I(835, 3570, kCtlPushButton, 21114, 0, 0, 0),
};

// KPD_IDD_DIALOG_PRINTTYPE
const ICB fgICB_IDD_DIALOG_PRINTTYPE[] = {
    I(836, 2241, kCtlEditText, 21202, 0, 0, 202),
    I(838, 2243, kCtlEditText, 21203, 0, 0, 205),
    I(840, 2245, kCtlEditText, 21204, 0, 0, 207),
    I(837, 2423, kCtlEditText, 21205, 0, 0, 204),
    I(839, 2532, kCtlEditText, 21206, 0, 0, 206),
    I(841, 2533, kCtlEditText, 21207, 0, 0, 208),
    I(842, 3571, kCtlText1, 21208, 0, 0, 0),
    I(843, 3572, kCtlText1, 21209, 0, 0, 0),
    I(844, 3573, kCtlText1, 21210, 0, 0, 0),
    I(845, 3574, kCtlText1, 21211, 0, 0, 0),
    I(846, 3575, kCtlText1, 21212, 0, 0, 0),
    I(847, 3576, kCtlText1, 21213, 0, 0, 0),
    I(848, 3577, kCtlText1, 21214, 0, 0, 0),
    I(849, 3578, kCtlText1, 21215, 0, 0, 0),
    I(850, 3579, kCtlText1, 21216, 0, 0, 0),
    I(851, 3580, kCtlPushButton, 21217, 0, 0, 0),
    I(852, 3581, kCtlPushButton, 21218, 0, 0, 0),
    I(853, 3582, kCtlPushButton, 21219, 0, 0, 0),
    I(854, 3583, kCtlPushButton, 21220, 0, 0, 0),
};

// KPD_IDD_DIALOG_STATUS
const ICB fgICB_IDD_DIALOG_STATUS[] = {
    I(855, 2248, kCtlEditText, 0, 0, 0, 0),
    I(856, 3584, kCtlText1, 0, 0, 0, 0),
    I(857, 3585, kCtlPushButton, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_USER_PQC
// The adjust mode radios carry built-ins 108 and 109, the object radios
// 104-106; the colour combos 2256, 2260 and 2574 and the colour-revision
// box 2820 are bound per object kind by the quality module.
const ICB fgICB_IDD_DIALOG_USER_PQC[] = {
    I(869, 2256, kCtlOwnerComboBox, 21602, 0, 0, 0),
    I(859, 2258, kCtlOwnerComboBox, 21603, 0, 0, 137),
    I(870, 2260, kCtlOwnerComboBox, 21604, 0, 0, 0),
    I(1334, 2281, kCtlEditText, 21605, 0, 0, 764),
    I(871, 2574, kCtlOwnerComboBox, 21606, 0, 0, 0),
    I(858, 2632, kCtlOwnerComboBox, 21607, 0, 107, 1175),
    I(872, 2820, kCtlCheckBox, 21608, 0, 0, 0),
    I(629, 3130, kCtlRadioList, 21609, 0, 108, 128),
    I(629, 3131, kCtlRadioList, 21610, 0, 109, 128),
    I(630, 3140, kCtlRadioList, 21611, 0, 104, 129),
    I(630, 3141, kCtlRadioList, 21612, 0, 105, 129),
    I(630, 3142, kCtlRadioList, 21613, 0, 106, 129),
    I(865, 3586, kCtlOwnerComboBox, 21614, 0, 0, 38),
    I(863, 3587, kCtlOwnerComboBox, 21615, 0, 0, 182),
    I(864, 3588, kCtlOwnerComboBox, 21616, 0, 0, 181),
    I(866, 3589, kCtlCheckBox, 21617, 0, 0, 152),
    I(860, 3590, kCtlText1, 21618, 0, 0, 138),
    I(861, 3591, kCtlText1, 21619, 0, 0, 139),
    I(873, 3592, kCtlPushButton, 21620, 0, 100, 0),
    I(874, 3593, kCtlText1, 21621, 0, 0, 0),
    I(875, 3594, kCtlText1, 21622, 0, 0, 0),
    I(876, 3595, kCtlText1, 21623, 0, 0, 0),
    I(877, 3596, kCtlText1, 21624, 0, 0, 0),
    I(878, 3597, kCtlText1, 21625, 0, 0, 0),
    I(879, 3598, kCtlText1, 21626, 0, 0, 0),
    I(880, 3599, kCtlText1, 21627, 0, 0, 0),
    I(881, 3600, kCtlText4, 21628, 0, 0, 0),
    I(882, 3601, kCtlCheckBox, 21629, 0, 0, 0),
    I(883, 3602, kCtlCheckBox, 21630, 0, 0, 0),
    I(884, 3603, kCtlCheckBox, 21631, 0, 0, 0),
    I(885, 3604, kCtlCheckBox, 21632, 0, 0, 0),
    I(886, 3605, kCtlOwnerComboBox, 21633, 0, 0, 0),
    I(887, 3606, kCtlOwnerComboBox, 21634, 0, 0, 0),
};

// KPD_IDD_DIALOG_USER_BALANCE
// Colour balance: each bar is paired with its number edit; red and green
// are bound here, the others are bound by the quality module at run time.
const ICB fgICB_IDD_DIALOG_USER_BALANCE[] = {
    I(893, 2249, kCtlBitmap, 23602, 0, 0, 0),
    I(894, 2263, kCtlEditNum, 23603, 0, 0, 0),
    I(895, 2264, kCtlHScrollbar, 23604, 0, 0, 0),
    I(896, 2266, kCtlEditNum, 23605, 0, 0, 0),
    I(897, 2267, kCtlHScrollbarArrows, 23606, 0, 0, 0),
    I(898, 2269, kCtlEditNum, 23607, 0, 0, 0),
    I(899, 2270, kCtlHScrollbarArrows, 23608, 0, 0, 0),
    I(888, 2272, kCtlEditNum, 23609, 0, 0, 141),
    I(888, 2273, kCtlHScrollbarArrows, 23610, 0, 0, 141),
    I(889, 2274, kCtlEditNum, 23611, 0, 0, 142),
    I(889, 2275, kCtlHScrollbarArrows, 23612, 0, 0, 142),
    I(900, 2276, kCtlEditNum, 23613, 0, 0, 0),
    I(901, 2277, kCtlHScrollbarArrows, 23614, 0, 0, 0),
    I(629, 3130, kCtlRadioList, 23615, 0, 108, 128),
    I(629, 3131, kCtlRadioList, 23616, 0, 109, 128),
    I(630, 3140, kCtlRadioList, 23617, 0, 104, 129),
    I(630, 3141, kCtlRadioList, 23618, 0, 105, 129),
    I(630, 3142, kCtlRadioList, 23619, 0, 106, 129),
    I(902, 3607, kCtlPushButton, 23620, 0, 0, 0),
    I(903, 3608, kCtlPushButton, 23621, 0, 0, 0),
    I(904, 3609, kCtlPushButton, 23622, 0, 100, 0),
    I(905, 3610, kCtlText1, 23623, 0, 0, 0),
    I(906, 3611, kCtlText1, 23624, 0, 0, 0),
    I(907, 3612, kCtlText1, 23625, 0, 0, 0),
    I(908, 3613, kCtlText1, 23626, 0, 0, 0),
};

// KPD_IDD_DIALOG_USER_TTF
const ICB fgICB_IDD_DIALOG_USER_TTF[] = {
    I(910, 2289, kCtlText1, 21702, 0, 0, 0),
    I(911, 2290, kCtlText1, 21703, 0, 0, 0),
    I(912, 2291, kCtlText1, 21704, 0, 0, 0),
    I(913, 2384, kCtlOwnerListBox, 21705, 0, 0, 0),
    I(914, 2385, kCtlOwnerListBox, 21706, 0, 0, 0),
    I(915, 2386, kCtlPushButton, 21707, 0, 0, 0),
    I(909, 3080, kCtlRadioList, 21708, 0, 0, 180),
    I(909, 3081, kCtlRadioList, 21709, 0, 0, 180),
    I(909, 3082, kCtlRadioList, 21710, 0, 0, 180),
    I(916, 3614, kCtlPushButton, 21711, 0, 0, 0),
    I(917, 3615, kCtlPushButton, 21712, 0, 0, 0),
    I(918, 3616, kCtlPushButton, 21713, 0, 0, 0),
    I(919, 3617, kCtlEditText, 21714, 0, 0, 0),
};

// KPD_IDD_DIALOG_USER_OTHERS
const ICB fgICB_IDD_DIALOG_USER_OTHERS[] = {
    I(924, 2296, kCtlText4, 21802, 0, 0, 0),
    I(920, 3618, kCtlCheckBox, 21803, 0, 0, 176),
    I(921, 3619, kCtlCheckBox, 21804, 0, 0, 161),
    I(922, 3620, kCtlCheckBox, 21805, 0, 0, 164),
    I(923, 3621, kCtlCheckBox, 21806, 0, 0, 153),
    I(925, 3622, kCtlPushButton, 21807, 0, 0, 0),
    I(926, 3623, kCtlPushButton, 21808, 0, 0, 0),
    I(927, 3624, kCtlCheckBox, 21809, 0, 0, 0),
    I(928, 3625, kCtlCheckBox, 21810, 0, 0, 0),
    I(929, 3626, kCtlCheckBox, 21811, 0, 0, 0),
    I(930, 3627, kCtlCheckBox, 21812, 0, 0, 0),
    I(931, 3628, kCtlCheckBox, 21813, 0, 0, 0),
    I(932, 3629, kCtlCheckBox, 21814, 0, 0, 0),
    I(933, 3630, kCtlOwnerComboBox, 21815, 0, 0, 0),
    I(934, 3631, kCtlOwnerComboBox, 21816, 0, 0, 0),
};

// KPD_IDD_DIALOG_STAMP_IMAGE
const ICB fgICB_IDD_DIALOG_STAMP_IMAGE[] = {
    I(936, 2339, kCtlEditText, 22502, 0, 0, 769),
    I(935, 2341, kCtlEditText, 22503, 0, 0, 767),
    I(937, 2344, kCtlEditNum, 22504, 0, 0, 771),
    I(943, 2603, kCtlPushButton, 22505, 0, 0, 0),
    I(940, 3632, kCtlHScrollbarArrows, 22506, 0, 0, 774),
    I(938, 3633, kCtlCheckBox, 22507, 0, 0, 772),
    I(939, 3634, kCtlCheckBox, 22508, 0, 0, 773),
    I(941, 3635, kCtlCheckBox, 22509, 0, 0, 777),
    I(942, 3636, kCtlOwnerComboBox, 22510, 0, 0, 778),
    I(944, 3637, kCtlText1, 22511, 0, 0, 0),
    I(945, 3638, kCtlText1, 22512, 0, 0, 0),
    I(946, 3639, kCtlText1, 22513, 0, 0, 0),
    I(947, 3640, kCtlText1, 22514, 0, 0, 0),
    I(948, 3641, kCtlBitmap, 22515, 0, 0, 0),
    I(949, 3642, kCtlPushButton, 22516, 0, 0, 0),
    I(950, 3643, kCtlPushButton, 22517, 0, 0, 0),
    I(951, 3644, kCtlPushButton, 22518, 0, 0, 0),
    I(952, 3645, kCtlPushButton, 22519, 0, 0, 0),
    I(953, 3646, kCtlCheckBox, 22520, 0, 0, 0),
    I(954, 3647, kCtlCheckBox, 22521, 0, 0, 0),
};

// KPD_IDD_DIALOG_STAMP_CHAR
const ICB fgICB_IDD_DIALOG_STAMP_CHAR[] = {
    I(956, 2310, kCtlEditText, 22402, 0, 0, 768),
    I(955, 2312, kCtlEditText, 22403, 0, 0, 766),
    I(963, 2314, kCtlOwnerComboBox, 22404, 0, 0, 782),
    I(964, 2322, kCtlEditNum, 22405, 0, 0, 783),
    I(960, 2325, kCtlEditNum, 22406, 0, 0, 779),
    I(961, 2328, kCtlEditNum, 22407, 0, 0, 780),
    I(971, 2330, kCtlPushButton, 22408, 0, 0, 0),
    I(972, 2878, kCtlText1, 22409, 0, 0, 0),
    I(973, 2879, kCtlText1, 22410, 0, 0, 0),
    I(958, 3648, kCtlOwnerComboBox, 22411, 0, 0, 775),
    I(959, 3649, kCtlOwnerComboBox, 22412, 0, 0, 776),
    I(965, 3650, kCtlOwnerComboBox, 22413, 0, 0, 784),
    I(969, 3651, kCtlOwnerComboBox, 22414, 0, 0, 788),
    I(966, 3652, kCtlHScrollbarArrows, 22415, 0, 0, 785),
    I(967, 3653, kCtlHScrollbarArrows, 22416, 0, 0, 786),
    I(968, 3654, kCtlHScrollbarArrows, 22417, 0, 0, 787),
    I(957, 3655, kCtlCheckBox, 22418, 0, 0, 770),
    I(962, 3656, kCtlCheckBox, 22419, 0, 0, 781),
    I(970, 3657, kCtlCheckBox, 22420, 0, 0, 789),
    I(974, 3658, kCtlText1, 22421, 0, 0, 0),
    I(975, 3659, kCtlText1, 22422, 0, 0, 0),
    I(976, 3660, kCtlText1, 22423, 0, 0, 0),
    I(977, 3661, kCtlText1, 22424, 0, 0, 0),
    I(978, 3662, kCtlText1, 22425, 0, 0, 0),
    I(979, 3663, kCtlText1, 22426, 0, 0, 0),
    I(980, 3664, kCtlText1, 22427, 0, 0, 0),
    I(981, 3665, kCtlText1, 22428, 0, 0, 0),
    I(982, 3666, kCtlBitmap, 22429, 0, 0, 0),
    I(983, 3667, kCtlPushButton, 22430, 0, 0, 0),
    I(984, 3668, kCtlPushButton, 22431, 0, 0, 0),
    I(985, 3669, kCtlPushButton, 22432, 0, 0, 0),
    I(986, 3670, kCtlCheckBox, 22433, 0, 0, 0),
    I(987, 3671, kCtlCheckBox, 22434, 0, 0, 0),
};

// KPD_IDD_DIALOG_MARGIN
// The four margin edits and their spins are the size items.
const ICB fgICB_IDD_DIALOG_MARGIN[] = {
    I(1003, 2352, kCtlEditNum, 22602, 0, 0, 96, kIcbSizeItem),
    I(1004, 2355, kCtlEditNum, 22603, 0, 0, 97, kIcbSizeItem),
    I(1009, 2357, kCtlPushButton, 22604, 0, 0, 0),
    I(1005, 2396, kCtlEditNum, 22605, 0, 0, 98, kIcbSizeItem),
    I(1006, 2605, kCtlEditNum, 22606, 0, 0, 99, kIcbSizeItem),
    I(995, 2647, kCtlOwnerComboBox, 22607, 0, 0, 115),
    I(996, 2649, kCtlEditNum, 22608, 0, 0, 116),
    I(1003, 3672, kCtlSpin, 22609, 2352, 0, 96, kIcbSizeItem),
    I(1004, 3673, kCtlSpin, 22610, 2355, 0, 97, kIcbSizeItem),
    I(1005, 3674, kCtlSpin, 22611, 2396, 0, 98, kIcbSizeItem),
    I(1006, 3675, kCtlSpin, 22612, 2605, 0, 99, kIcbSizeItem),
    I(988, 3676, kCtlOwnerComboBox, 22613, 0, 0, 108),
    I(989, 3677, kCtlOwnerComboBox, 22614, 0, 0, 109),
    I(990, 3678, kCtlOwnerComboBox, 22615, 0, 0, 110),
    I(991, 3679, kCtlOwnerComboBox, 22616, 0, 0, 111),
    I(992, 3680, kCtlOwnerComboBox, 22617, 0, 0, 112),
    I(993, 3681, kCtlOwnerComboBox, 22618, 0, 0, 113),
    I(1002, 3682, kCtlOwnerComboBox, 22619, 0, 0, 95),
    I(514, 3683, kCtlCheckBox, 22620, 0, 0, 100),
    I(515, 3684, kCtlCheckBox, 22621, 0, 0, 101),
    I(516, 3685, kCtlCheckBox, 22622, 0, 0, 102),
    I(517, 3686, kCtlCheckBox, 22623, 0, 0, 103),
    I(1010, 3687, kCtlText1, 22624, 0, 0, 0),
    I(1011, 3688, kCtlText1, 22625, 0, 0, 0),
    I(1012, 3689, kCtlText1, 22626, 0, 0, 0),
    I(1013, 3690, kCtlText1, 22627, 0, 0, 0),
    I(1014, 3691, kCtlText1, 22628, 0, 0, 0),
    I(1015, 3692, kCtlText1, 22629, 0, 0, 0),
    I(1016, 3693, kCtlText1, 22630, 0, 0, 0),
    I(1017, 3694, kCtlText1, 22631, 0, 0, 0),
    I(1018, 3695, kCtlText1, 22632, 0, 0, 0),
    I(1019, 3696, kCtlText1, 22633, 0, 0, 0),
    I(1020, 3697, kCtlText1, 22634, 0, 0, 0),
    I(1021, 3698, kCtlText1, 22635, 0, 0, 0),
    I(1022, 3699, kCtlText1, 22636, 0, 0, 0),
    I(1023, 3700, kCtlText1, 22637, 0, 0, 0),
    I(1024, 3701, kCtlText1, 22638, 0, 0, 0),
    I(1025, 3702, kCtlText1, 22639, 0, 0, 0),
    I(1026, 3703, kCtlText1, 22640, 0, 0, 0),
    I(1027, 3704, kCtlBitmap, 22641, 0, 0, 0),
    I(1028, 3705, kCtlBitmap, 22642, 0, 0, 0),
    I(1029, 3706, kCtlBitmap, 22643, 0, 0, 0),
    I(1030, 3707, kCtlText4, 22644, 0, 0, 0),
    I(1031, 3708, kCtlText4, 22645, 0, 0, 0),
    I(1032, 3709, kCtlText4, 22646, 0, 0, 0),
    I(1033, 3710, kCtlPushButton, 22647, 0, 0, 0),
    I(1034, 3711, kCtlPushButton, 22648, 0, 0, 0),
    I(1035, 3712, kCtlPushButton, 22649, 0, 0, 0),
    I(1036, 3713, kCtlPushButton, 22650, 0, 0, 0),
    I(1037, 3714, kCtlHScrollbarArrows, 22651, 0, 0, 0),
};

// KPD_IDD_DIALOG_COVER
const ICB fgICB_IDD_DIALOG_COVER[] = {
    I(1038, 2440, kCtlOwnerComboBox, 22102, 0, 0, 125),
    I(1045, 2458, kCtlText1, 22103, 0, 0, 0),
    I(1046, 2459, kCtlText1, 22104, 0, 0, 0),
    I(1047, 2460, kCtlText1, 22105, 0, 0, 0),
    I(1040, 2861, kCtlText1, 22106, 0, 0, 65),
    I(1044, 3090, kCtlRadioList, 22107, 0, 0, 124),
    I(1044, 3091, kCtlRadioList, 22108, 0, 0, 124),
    I(1044, 3092, kCtlRadioList, 22109, 0, 0, 124),
    I(1039, 3715, kCtlOwnerComboBox, 22110, 0, 0, 404),
    I(1041, 3716, kCtlText1, 22111, 0, 0, 123),
    I(1042, 3717, kCtlText1, 22112, 0, 0, 406),
    I(1043, 3718, kCtlText1, 22113, 0, 0, 64),
    I(1048, 3719, kCtlBitmap, 22114, 0, 0, 0),
    I(1049, 3720, kCtlBitmap, 22115, 0, 0, 0),
    I(1050, 3721, kCtlBitmap, 22116, 0, 0, 0),
    I(1051, 3722, kCtlBitmap, 22117, 0, 0, 0),
    I(1052, 3723, kCtlBitmap, 22118, 0, 0, 0),
    I(1053, 3724, kCtlBitmap, 22119, 0, 0, 0),
    I(1054, 3725, kCtlText4, 22120, 0, 0, 0),
    I(1055, 3726, kCtlPushButton, 22121, 0, 0, 0),
    I(1056, 3727, kCtlPushButton, 22122, 0, 0, 0),
    I(1057, 3728, kCtlPushButton, 22123, 0, 0, 0),
    I(1058, 3729, kCtlPushButton, 22124, 0, 0, 0),
};

// KPD_IDD_DIALOG_CHAPTER
// Built-ins 300-302: add the typed pages, delete the selected block,
// delete all.
const ICB fgICB_IDD_DIALOG_CHAPTER[] = {
    I(1068, 2720, kCtlText1, 24014, 0, 0, 0),
    I(1066, 2771, kCtlOwnerComboBox, 24015, 0, 0, 840),
    I(1069, 2772, kCtlText1, 24016, 0, 0, 0),
    I(1064, 2776, kCtlEditText, 24017, 0, 0, 838),
    I(1070, 2782, kCtlText1, 24018, 0, 0, 0),
    I(1071, 2783, kCtlText1, 24019, 0, 0, 0),
    I(1072, 2784, kCtlText1, 24020, 0, 0, 0),
    I(1073, 2785, kCtlText1, 24021, 0, 0, 0),
    I(1074, 2786, kCtlText1, 24022, 0, 0, 0),
    I(1075, 2787, kCtlText1, 24023, 0, 0, 0),
    I(1076, 2788, kCtlText1, 24024, 0, 0, 0),
    I(1077, 2800, kCtlOwnerListBox, 24025, 0, 0, 0),
    I(1078, 2802, kCtlPushButton, 24026, 0, 301, 0),
    I(1079, 2812, kCtlText1, 24027, 0, 0, 0),
    I(1065, 3730, kCtlOwnerComboBox, 24028, 0, 0, 839),
    I(1067, 3731, kCtlOwnerComboBox, 24029, 0, 0, 841),
    I(1063, 3732, kCtlOwnerComboBox, 24030, 0, 0, 837),
    I(1059, 3733, kCtlText1, 24031, 0, 0, 833),
    I(1060, 3734, kCtlText1, 24032, 0, 0, 834),
    I(1061, 3735, kCtlText1, 24033, 0, 0, 835),
    I(1062, 3736, kCtlText1, 24034, 0, 0, 836),
    I(1080, 3737, kCtlPushButton, 24035, 0, 300, 0),
    I(1081, 3738, kCtlPushButton, 24036, 0, 302, 0),
    I(1082, 3739, kCtlText1, 24037, 0, 0, 0),
    I(1083, 3740, kCtlText1, 24038, 0, 0, 0),
    I(1084, 3741, kCtlText1, 24039, 0, 0, 0),
    I(1085, 3742, kCtlText1, 24040, 0, 0, 0),
    I(1086, 3743, kCtlText1, 24041, 0, 0, 0),
    I(1087, 3744, kCtlText1, 24042, 0, 0, 0),
    I(1088, 3745, kCtlText1, 24043, 0, 0, 0),
    I(1089, 3746, kCtlBitmap, 24044, 0, 0, 0),
    I(1090, 3747, kCtlBitmap, 24045, 0, 0, 0),
    I(1091, 3748, kCtlBitmap, 24046, 0, 0, 0),
    I(1092, 3749, kCtlBitmap, 24047, 0, 0, 0),
    I(1093, 3750, kCtlPushButton, 24048, 0, 0, 0),
    I(1094, 3751, kCtlPushButton, 24049, 0, 0, 0),
    I(1095, 3752, kCtlPushButton, 24050, 0, 0, 0),
};

// KPD_IDD_DIALOG_MARK
const ICB fgICB_IDD_DIALOG_MARK[] = {
    I(1096, 2443, kCtlOwnerComboBox, 22202, 0, 0, 123),
    I(1103, 2462, kCtlText1, 22203, 0, 0, 0),
    I(1104, 2463, kCtlText1, 22204, 0, 0, 0),
    I(1105, 2464, kCtlText1, 22205, 0, 0, 0),
    I(1098, 2863, kCtlText1, 22206, 0, 0, 64),
    I(1102, 3100, kCtlRadioList, 22207, 0, 0, 122),
    I(1102, 3101, kCtlRadioList, 22208, 0, 0, 122),
    I(1097, 3753, kCtlOwnerComboBox, 22209, 0, 0, 406),
    I(1100, 3754, kCtlText1, 22210, 0, 0, 846),
    I(1101, 3755, kCtlText1, 22211, 0, 0, 847),
    I(1099, 3756, kCtlText1, 22212, 0, 0, 122),
    I(1106, 3757, kCtlBitmap, 22213, 0, 0, 0),
    I(1107, 3758, kCtlBitmap, 22214, 0, 0, 0),
    I(1108, 3759, kCtlBitmap, 22215, 0, 0, 0),
    I(1109, 3760, kCtlBitmap, 22216, 0, 0, 0),
    I(1110, 3761, kCtlBitmap, 22217, 0, 0, 0),
    I(1111, 3762, kCtlText4, 22218, 0, 0, 0),
    I(1112, 3763, kCtlPushButton, 22219, 0, 0, 0),
    I(1113, 3764, kCtlPushButton, 22220, 0, 0, 0),
    I(1114, 3765, kCtlPushButton, 22221, 0, 0, 0),
    I(1115, 3766, kCtlPushButton, 22222, 0, 0, 0),
};

// KPD_IDD_DIALOG_REMOTE
const ICB fgICB_IDD_DIALOG_REMOTE[] = {
    I(1116, 3160, kCtlRadioList, 23002, 0, 0, 0),
    I(1116, 3161, kCtlRadioList, 23003, 0, 0, 0),
    I(1117, 3767, kCtlText1, 23004, 0, 0, 0),
    I(1118, 3768, kCtlPushButton, 23005, 0, 0, 0),
    I(1119, 3769, kCtlPushButton, 23006, 0, 0, 0),
    I(1120, 3770, kCtlPushButton, 23007, 0, 0, 0),
    I(1121, 3771, kCtlPushButton, 23008, 0, 0, 0),
    I(1122, 3772, kCtlOwnerComboBox, 23009, 0, 0, 0),
    I(1123, 3773, kCtlOwnerComboBox, 23010, 0, 0, 0),
    I(1124, 3774, kCtlEditText, 23011, 0, 0, 0),
};

// KPD_IDD_DIALOG_BACKCOVER
const ICB fgICB_IDD_DIALOG_BACKCOVER[] = {
    I(1132, 2518, kCtlText1, 24013, 0, 0, 0),
    I(1133, 2519, kCtlText1, 24014, 0, 0, 0),
    I(1125, 2752, kCtlOwnerComboBox, 24015, 0, 0, 127),
    I(1134, 2754, kCtlText1, 24016, 0, 0, 0),
    I(1135, 2760, kCtlText1, 24017, 0, 0, 0),
    I(1129, 2865, kCtlText1, 24018, 0, 0, 848),
    I(1131, 3200, kCtlRadioList, 24019, 0, 0, 126),
    I(1131, 3201, kCtlRadioList, 24020, 0, 0, 126),
    I(1131, 3202, kCtlRadioList, 24021, 0, 0, 126),
    I(1126, 3775, kCtlOwnerComboBox, 24022, 0, 0, 405),
    I(1127, 3776, kCtlCheckBox, 24023, 0, 0, 66),
    I(1130, 3777, kCtlText1, 24024, 0, 0, 849),
    I(1128, 3778, kCtlText1, 24025, 0, 0, 126),
    I(1136, 3779, kCtlBitmap, 24026, 0, 0, 0),
    I(1137, 3780, kCtlBitmap, 24027, 0, 0, 0),
    I(1138, 3781, kCtlBitmap, 24028, 0, 0, 0),
    I(1139, 3782, kCtlBitmap, 24029, 0, 0, 0),
    I(1140, 3783, kCtlBitmap, 24030, 0, 0, 0),
    I(1141, 3784, kCtlBitmap, 24031, 0, 0, 0),
    I(1142, 3785, kCtlText4, 24032, 0, 0, 0),
    I(1143, 3786, kCtlPushButton, 24033, 0, 0, 0),
    I(1144, 3787, kCtlPushButton, 24034, 0, 0, 0),
    I(1145, 3788, kCtlPushButton, 24035, 0, 0, 0),
    I(1146, 3789, kCtlPushButton, 24036, 0, 0, 0),
};

// KPD_IDD_DIALOG_REVERSECOVER
const ICB fgICB_IDD_DIALOG_REVERSECOVER[] = {
    I(1155, 2719, kCtlText1, 24015, 0, 0, 0),
    I(1147, 2846, kCtlOwnerComboBox, 24016, 0, 0, 408),
    I(1156, 2847, kCtlText1, 24017, 0, 0, 0),
    I(1157, 2848, kCtlText1, 24018, 0, 0, 0),
    I(1150, 2855, kCtlText1, 24019, 0, 0, 387),
    I(1154, 3240, kCtlRadioList, 24020, 0, 0, 410),
    I(1154, 3241, kCtlRadioList, 24021, 0, 0, 410),
    I(1148, 3790, kCtlOwnerComboBox, 24022, 0, 0, 409),
    I(1149, 3791, kCtlCheckBox, 24023, 0, 0, 70),
    I(1151, 3792, kCtlText1, 24024, 0, 0, 850),
    I(1152, 3793, kCtlText1, 24025, 0, 0, 851),
    I(1153, 3794, kCtlText1, 24026, 0, 0, 852),
    I(1158, 3795, kCtlBitmap, 24027, 0, 0, 0),
    I(1159, 3796, kCtlBitmap, 24028, 0, 0, 0),
    I(1160, 3797, kCtlBitmap, 24029, 0, 0, 0),
    I(1161, 3798, kCtlBitmap, 24030, 0, 0, 0),
    I(1162, 3799, kCtlBitmap, 24031, 0, 0, 0),
    I(1163, 3800, kCtlText4, 24032, 0, 0, 0),
    I(1164, 3801, kCtlPushButton, 24033, 0, 0, 0),
    I(1165, 3802, kCtlPushButton, 24034, 0, 0, 0),
    I(1166, 3803, kCtlPushButton, 24035, 0, 0, 0),
    I(1167, 3804, kCtlPushButton, 24036, 0, 0, 0),
};

// KPD_IDD_DIALOG_CREATE_MIDFILES
const ICB fgICB_IDD_DIALOG_CREATE_MIDFILES[] = {
    I(1168, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1169, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1170, 1038, kCtlPushButton, 0, 0, 0, 0),
    I(1171, 1088, kCtlText1, 0, 0, 0, 0),
    I(1172, 1091, kCtlText1, 0, 0, 0, 0),
    I(1173, 1121, kCtlOwnerListBox, 0, 0, 0, 0),
    I(1174, 1137, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1175, 1152, kCtlEditText, 0, 0, 0, 0),
    I(1176, 2887, kCtlPushButton, 0, 0, 0, 0),
    I(1177, 2897, kCtlCheckBox, 0, 0, 0, 0),
};

// KPD_IDD_MASTERPRINT
const ICB fgICB_IDD_MASTERPRINT[] = {
    I(1178, 2921, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1179, 2922, kCtlPushButton, 0, 0, 0, 0),
    I(1180, 2923, kCtlPushButton, 0, 0, 0, 0),
    I(1181, 2924, kCtlEditText, 0, 0, 0, 0),
    I(1182, 3805, kCtlText1, 0, 0, 0, 0),
    I(1183, 3806, kCtlText1, 0, 0, 0, 0),
    I(1184, 3807, kCtlText1, 0, 0, 0, 0),
    I(1185, 3808, kCtlText1, 0, 0, 0, 0),
    I(1186, 3809, kCtlText1, 0, 0, 0, 0),
    I(1187, 3810, kCtlBitmap, 0, 0, 0, 0),
    I(1188, 3811, kCtlBitmap, 0, 0, 0, 0),
    I(1189, 3812, kCtlBitmap, 0, 0, 0, 0),
    I(1190, 3813, kCtlPushButton, 0, 0, 0, 0),
    I(1191, 3814, kCtlCheckBox, 0, 0, 0, 0),
    I(1192, 3815, kCtlCheckBox, 0, 0, 0, 0),
    I(1193, 3816, kCtlCheckBox, 0, 0, 0, 0),
    I(1194, 3817, kCtlCheckBox, 0, 0, 0, 0),
    I(1195, 3818, kCtlCheckBox, 0, 0, 0, 0),
    I(1196, 3819, kCtlCheckBox, 0, 0, 0, 0),
    I(1197, 3820, kCtlCheckBox, 0, 0, 0, 0),
    I(1198, 3821, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1199, 3822, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1200, 3823, kCtlEditText, 0, 0, 0, 0),
    I(1201, 3824, kCtlVSpin, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_ILLEGALCOPY_PROTECT
const ICB fgICB_IDD_DIALOG_ILLEGALCOPY_PROTECT[] = {
    I(1202, 2931, kCtlBitmap, 0, 0, 0, 0),
    I(1203, 2935, kCtlEditText, 0, 0, 0, 0),
    I(1204, 2937, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1205, 2941, kCtlOwnerListBox, 0, 0, 0, 0),
    I(1206, 2943, kCtlBitmap, 0, 0, 0, 0),
    I(1207, 2948, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1208, 2953, kCtlEditText, 0, 0, 0, 0),
    I(1209, 2956, kCtlEditText, 0, 0, 0, 0),
    I(1210, 2965, kCtlEditText, 0, 0, 0, 0),
    I(1211, 2973, kCtlPushButton, 0, 0, 0, 0),
    I(1212, 3825, kCtlText1, 0, 0, 0, 0),
    I(1213, 3826, kCtlText1, 0, 0, 0, 0),
    I(1214, 3827, kCtlText1, 0, 0, 0, 0),
    I(1215, 3828, kCtlText1, 0, 0, 0, 0),
    I(1216, 3829, kCtlText1, 0, 0, 0, 0),
    I(1217, 3830, kCtlText1, 0, 0, 0, 0),
    I(1218, 3831, kCtlText1, 0, 0, 0, 0),
    I(1219, 3832, kCtlText1, 0, 0, 0, 0),
    I(1220, 3833, kCtlText1, 0, 0, 0, 0),
    I(1221, 3834, kCtlText1, 0, 0, 0, 0),
    I(1222, 3835, kCtlText1, 0, 0, 0, 0),
    I(1223, 3836, kCtlText1, 0, 0, 0, 0),
    I(1224, 3837, kCtlText1, 0, 0, 0, 0),
    I(1225, 3838, kCtlBitmap, 0, 0, 0, 0),
    I(1226, 3839, kCtlBitmap, 0, 0, 0, 0),
    I(1227, 3840, kCtlBitmap, 0, 0, 0, 0),
    I(1228, 3841, kCtlText4, 0, 0, 0, 0),
    I(1229, 3842, kCtlText4, 0, 0, 0, 0),
    I(1230, 3843, kCtlPushButton, 0, 0, 0, 0),
    I(1231, 3844, kCtlPushButton, 0, 0, 0, 0),
    I(1232, 3845, kCtlPushButton, 0, 0, 0, 0),
    I(1233, 3846, kCtlCheckBox, 0, 0, 0, 0),
    I(1234, 3847, kCtlCheckBox, 0, 0, 0, 0),
    I(1235, 3848, kCtlCheckBox, 0, 0, 0, 0),
    I(1236, 3849, kCtlCheckBox, 0, 0, 0, 0),
    I(1237, 3850, kCtlCheckBox, 0, 0, 0, 0),
    I(1238, 3851, kCtlCheckBox, 0, 0, 0, 0),
    I(1239, 3852, kCtlCheckBox, 0, 0, 0, 0),
    I(1240, 3853, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1241, 3854, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1242, 3855, kCtlEditText, 0, 0, 0, 0),
    I(1243, 3856, kCtlHScrollbar, 0, 0, 0, 0),
    I(1244, 3857, kCtlHScrollbar, 0, 0, 0, 0),
    I(1245, 3858, kCtlHScrollbar, 0, 0, 0, 0),
    I(1246, 3859, kCtlHScrollbar, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_PAPER_POS
const ICB fgICB_IDD_DIALOG_PAPER_POS[] = {
    I(1247, 3210, kCtlRadioList, 0, 0, 0, 0),
    I(1247, 3211, kCtlRadioList, 0, 0, 0, 0),
    I(1248, 3860, kCtlBitmap, 0, 0, 0, 0),
    I(1249, 3861, kCtlBitmap, 0, 0, 0, 0),
    I(1250, 3862, kCtlText4, 0, 0, 0, 0),
    I(1251, 3863, kCtlPushButton, 0, 0, 0, 0),
    I(1252, 3864, kCtlPushButton, 0, 0, 0, 0),
    I(1253, 3865, kCtlPushButton, 0, 0, 0, 0),
    I(1254, 3866, kCtlPushButton, 0, 0, 0, 0),
    I(1255, 3867, kCtlCheckBox, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_ADDRESS
const ICB fgICB_IDD_DIALOG_ADDRESS[] = {
    I(1256, 2490, kCtlTreeView, 23102, 0, 0, 0),
    I(1257, 3868, kCtlText1, 23103, 0, 0, 0),
    I(1258, 3869, kCtlText1, 23104, 0, 0, 0),
    I(1259, 3870, kCtlText1, 23105, 0, 0, 0),
    I(1260, 3871, kCtlText1, 23106, 0, 0, 0),
    I(1261, 3872, kCtlPushButton, 23107, 0, 0, 0),
    I(1262, 3873, kCtlPushButton, 23108, 0, 0, 0),
    I(1263, 3874, kCtlPushButton, 23109, 0, 0, 0),
    I(1264, 3875, kCtlPushButton, 23110, 0, 0, 0),
    I(1265, 3876, kCtlPushButton, 23111, 0, 0, 0),
    I(1266, 3877, kCtlOwnerComboBox, 23112, 0, 0, 0),
    I(1267, 3878, kCtlEditText, 23113, 0, 0, 0),
    I(1268, 3879, kCtlEditText, 23114, 0, 0, 0),
};

// KPD_IDD_DIALOG_ICM
const ICB fgICB_IDD_DIALOG_ICM[] = {
    I(1269, 3880, kCtlPushButton, 23402, 0, 0, 0),
    I(1270, 3881, kCtlPushButton, 23403, 0, 0, 0),
    I(1271, 3882, kCtlPushButton, 23404, 0, 0, 0),
    I(1272, 3883, kCtlPushButton, 23405, 0, 0, 0),
};

// KPD_IDD_DIALOG_OVERLAY
// 2584 names the overlay; 2586 is its file.
const ICB fgICB_IDD_DIALOG_OVERLAY[] = {
    I(1277, 2584, kCtlEditText, 23502, 0, 0, 0),
    I(1273, 2586, kCtlEditText, 23503, 0, 0, 790),
    I(1278, 2837, kCtlPushButton, 23504, 0, 0, 0),
    I(1274, 3884, kCtlCheckBox, 23505, 0, 0, 217),
    I(1275, 3885, kCtlCheckBox, 23506, 0, 0, 60),
    I(1276, 3886, kCtlText1, 23507, 0, 0, 853),
    I(1279, 3887, kCtlText1, 23508, 0, 0, 0),
    I(1280, 3888, kCtlBitmap, 23509, 0, 0, 0),
    I(1281, 3889, kCtlPushButton, 23510, 0, 0, 0),
    I(1282, 3890, kCtlPushButton, 23511, 0, 0, 0),
    I(1283, 3891, kCtlPushButton, 23512, 0, 0, 0),
    I(1284, 3892, kCtlPushButton, 23513, 0, 0, 0),
};

// KPD_IDD_DIALOG_INPUT_HFSTRING
const ICB fgICB_IDD_DIALOG_INPUT_HFSTRING[] = {
    I(1285, 2667, kCtlEditText, 0, 0, 0, 114),
    I(1286, 3893, kCtlText1, 0, 0, 0, 0),
    I(1287, 3894, kCtlText1, 0, 0, 0, 0),
    I(1288, 3895, kCtlPushButton, 0, 0, 0, 0),
    I(1289, 3896, kCtlPushButton, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_COMMAND
const ICB fgICB_IDD_DIALOG_COMMAND[] = {
    I(1290, 3170, kCtlRadioList, 23702, 0, 0, 227),
    I(1290, 3171, kCtlRadioList, 23703, 0, 0, 227),
    I(1290, 3172, kCtlRadioList, 23704, 0, 0, 227),
    I(1290, 3173, kCtlRadioList, 23705, 0, 0, 227),
    I(1291, 3220, kCtlRadioList, 23706, 0, 0, 228),
    I(1291, 3221, kCtlRadioList, 23707, 0, 0, 228),
    I(1292, 3897, kCtlPushButton, 23708, 0, 0, 0),
    I(1293, 3898, kCtlPushButton, 23709, 0, 0, 0),
    I(1294, 3899, kCtlPushButton, 23710, 0, 0, 0),
    I(1295, 3900, kCtlPushButton, 23711, 0, 0, 0),
};

// KPD_IDD_DIALOG_FREESIZE_INPUT
// Millimetre and inch edits with their spins are the size items; 2684,
// 2687, 2691 and 2694 are the third unit.
const ICB fgICB_IDD_DIALOG_FREESIZE_INPUT[] = {
    I(1297, 2682, kCtlEditNum, 23902, 0, 0, 341, kIcbSizeItem),
    I(1297, 2683, kCtlEditNum, 23903, 0, 0, 341, kIcbSizeItem),
    I(1306, 2684, kCtlEditNum, 23904, 0, 0, 0),
    I(1297, 2685, kCtlSpin, 23905, 2682, 0, 341, kIcbSizeItem),
    I(1297, 2686, kCtlSpin, 23906, 2683, 0, 341, kIcbSizeItem),
    I(1307, 2687, kCtlSpin, 23907, 2684, 0, 0),
    I(1296, 2689, kCtlEditNum, 23908, 0, 0, 340, kIcbSizeItem),
    I(1296, 2690, kCtlEditNum, 23909, 0, 0, 340, kIcbSizeItem),
    I(1308, 2691, kCtlEditNum, 23910, 0, 0, 0),
    I(1296, 2692, kCtlSpin, 23911, 2689, 0, 340, kIcbSizeItem),
    I(1296, 2693, kCtlSpin, 23912, 2690, 0, 340, kIcbSizeItem),
    I(1309, 2694, kCtlSpin, 23913, 2691, 0, 0),
    I(801, 2697, kCtlOwnerComboBox, 23914, 0, 0, 342),
    I(1305, 2701, kCtlRadioList, 23915, 0, 0, 343),
    I(1305, 2702, kCtlRadioList, 23916, 0, 0, 343),
    I(1310, 2704, kCtlPushButton, 23917, 0, 0, 0),
    I(1311, 3901, kCtlText1, 23918, 0, 0, 0),
    I(1312, 3902, kCtlText1, 23919, 0, 0, 0),
    I(1313, 3903, kCtlText1, 23920, 0, 0, 0),
    I(1314, 3904, kCtlText1, 23921, 0, 0, 0),
    I(1315, 3905, kCtlText1, 23922, 0, 0, 0),
    I(1316, 3906, kCtlBitmap, 23923, 0, 0, 0),
    I(1317, 3907, kCtlBitmap, 23924, 0, 0, 0),
    I(1318, 3908, kCtlText4, 23925, 0, 0, 0),
    I(1319, 3909, kCtlPushButton, 23926, 0, 0, 0),
    I(1320, 3910, kCtlPushButton, 23927, 0, 0, 0),
    I(1321, 3911, kCtlPushButton, 23928, 0, 0, 0),
    I(1322, 3912, kCtlPushButton, 23929, 0, 0, 0),
    I(1323, 3913, kCtlPushButton, 23930, 0, 0, 0),
};

// KPD_IDD_DIALOG_HIDDEN_FUNC
// The multi list 2817 offers the hidden-function bits by their ids.
const ICB fgICB_IDD_DIALOG_HIDDEN_FUNC[] = {
    I(1325, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1326, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1324, 2817, kCtlMultiListBox, 0, 0, 0, 1176, 0, IDC_HIDDEN_FUNC_aTID),
};

// KPD_IDD_DIALOG_SAVE_PRESET
const ICB fgICB_IDD_DIALOG_SAVE_PRESET[] = {
    I(1328, 1, kCtlPushButton, 21302, 0, 0, 0),
    I(1329, 2, kCtlPushButton, 21303, 0, 0, 0),
    I(1327, 2452, kCtlEditText, 21304, 0, 0, 1172),
    I(1330, 2453, kCtlEditText, 21305, 0, 0, 0),
    I(1331, 3914, kCtlText1, 21306, 0, 0, 0),
    I(1332, 3915, kCtlText1, 21307, 0, 0, 0),
    I(1333, 3916, kCtlPushButton, 21308, 0, 0, 0),
};

// KPD_IDD_DIALOG_SAVE_USER
const ICB fgICB_IDD_DIALOG_SAVE_USER[] = {
    I(1336, 1, kCtlPushButton, 21902, 0, 0, 0),
    I(1337, 2, kCtlPushButton, 21903, 0, 0, 0),
    I(1334, 2455, kCtlEditText, 21904, 0, 0, 764),
    I(1335, 2457, kCtlOwnerListBox, 21905, 0, 0, 765),
    I(1338, 3917, kCtlText1, 21906, 0, 0, 0),
    I(1339, 3918, kCtlText1, 21907, 0, 0, 0),
    I(1340, 3919, kCtlText1, 21908, 0, 0, 0),
    I(1341, 3920, kCtlPushButton, 21909, 0, 0, 0),
};

// KPD_IDD_DIALOG_VERSION
const ICB fgICB_IDD_DIALOG_VERSION[] = {
    I(1346, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1347, 2361, kCtlText1, 0, 0, 0, 0),
    I(1342, 3921, kCtlText1, 0, 0, 0, 233),
    I(1343, 3922, kCtlEditText, 0, 0, 0, 10271),
    I(1344, 3923, kCtlEditText, 0, 0, 0, 10272),
    I(1345, 3924, kCtlEditText, 0, 0, 0, 954),
    I(1348, 3925, kCtlText1, 0, 0, 0, 0),
    I(1349, 3926, kCtlText1, 0, 0, 0, 0),
    I(1350, 3927, kCtlText1, 0, 0, 0, 0),
    I(1351, 3928, kCtlText1, 0, 0, 0, 0),
    I(1352, 3929, kCtlText1, 0, 0, 0, 0),
    I(1353, 3930, kCtlText1, 0, 0, 0, 0),
    I(1354, 3931, kCtlEditText, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_USERCODE_CHANGE
const ICB fgICB_IDD_DIALOG_USERCODE_CHANGE[] = {
    I(1355, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1356, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1357, 3932, kCtlText1, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_USERCODE_INPUT
const ICB fgICB_IDD_DIALOG_USERCODE_INPUT[] = {
    I(1359, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1360, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1358, 3933, kCtlEditText, 0, 0, 0, 203),
    I(1361, 3934, kCtlText1, 0, 0, 0, 0),
    I(1362, 3935, kCtlText1, 0, 0, 0, 0),
    I(1363, 3936, kCtlText1, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_USERCODE_CONFIRMATION
const ICB fgICB_IDD_DIALOG_USERCODE_CONFIRMATION[] = {
    I(1365, 6, kCtlPushButton, 0, 0, 0, 0),
    I(1366, 7, kCtlPushButton, 0, 0, 0, 0),
    I(1364, 3937, kCtlEditText, 0, 0, 0, 203),
    I(1367, 3938, kCtlText1, 0, 0, 0, 0),
    I(1368, 3939, kCtlText1, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_PASSWORD_INPUT
const ICB fgICB_IDD_DIALOG_PASSWORD_INPUT[] = {
    I(1370, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1371, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1369, 2527, kCtlEditText, 0, 0, 0, 1173),
    I(1372, 3940, kCtlText1, 0, 0, 0, 0),
    I(1373, 3941, kCtlText1, 0, 0, 0, 0),
};

// KPD_IDD_DLG_STATUS
const ICB fgICB_IDD_DLG_STATUS[] = {
    I(1374, 3942, kCtlText1, 0, 0, 0, 0),
};

// KPD_FILEOPEN
const ICB fgICB_FILEOPEN[] = {
    I(1375, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1376, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1377, 1038, kCtlPushButton, 0, 0, 0, 0),
    I(1378, 1088, kCtlText1, 0, 0, 0, 0),
    I(1379, 1089, kCtlText1, 0, 0, 0, 0),
    I(1380, 1090, kCtlText1, 0, 0, 0, 0),
    I(1381, 1091, kCtlText1, 0, 0, 0, 0),
    I(1382, 1120, kCtlListBox, 0, 0, 0, 0),
    I(1383, 1121, kCtlOwnerListBox, 0, 0, 0, 0),
    I(1384, 1136, kCtlComboBox, 0, 0, 0, 0),
    I(1385, 1137, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1386, 1152, kCtlEditText, 0, 0, 0, 0),
};

// KPD_RSTOPENSAVE
const ICB fgICB_RSTOPENSAVE[] = {
    I(1387, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1388, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1389, 1038, kCtlPushButton, 0, 0, 0, 0),
    I(1390, 1088, kCtlText1, 0, 0, 0, 0),
    I(1391, 1089, kCtlText1, 0, 0, 0, 0),
    I(1392, 1090, kCtlText1, 0, 0, 0, 0),
    I(1393, 1091, kCtlText1, 0, 0, 0, 0),
    I(1394, 1120, kCtlListBox, 0, 0, 0, 0),
    I(1395, 1121, kCtlOwnerListBox, 0, 0, 0, 0),
    I(1396, 1136, kCtlComboBox, 0, 0, 0, 0),
    I(1397, 1137, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1398, 1152, kCtlEditText, 0, 0, 0, 0),
    I(1399, 5001, kCtlPushButton, 0, 0, 0, 0),
    I(1400, 5002, kCtlPushButton, 0, 0, 0, 0),
    I(1401, 5003, kCtlPushButton, 0, 0, 0, 0),
};

// KPD_FILEREFER
const ICB fgICB_FILEREFER[] = {
    I(1402, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1403, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1404, 1038, kCtlPushButton, 0, 0, 0, 0),
    I(1405, 1088, kCtlText1, 0, 0, 0, 0),
    I(1406, 1089, kCtlText1, 0, 0, 0, 0),
    I(1407, 1090, kCtlText1, 0, 0, 0, 0),
    I(1408, 1091, kCtlText1, 0, 0, 0, 0),
    I(1409, 1120, kCtlListBox, 0, 0, 0, 0),
    I(1410, 1121, kCtlOwnerListBox, 0, 0, 0, 0),
    I(1411, 1136, kCtlComboBox, 0, 0, 0, 0),
    I(1412, 1137, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1413, 1152, kCtlEditText, 0, 0, 0, 0),
};

// KPD_RPOSAVE
const ICB fgICB_RPOSAVE[] = {
    I(1414, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1415, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1416, 1038, kCtlPushButton, 0, 0, 0, 0),
    I(1417, 1088, kCtlText1, 0, 0, 0, 0),
    I(1418, 1089, kCtlText1, 0, 0, 0, 0),
    I(1419, 1090, kCtlText1, 0, 0, 0, 0),
    I(1420, 1091, kCtlText1, 0, 0, 0, 0),
    I(1421, 1120, kCtlListBox, 0, 0, 0, 0),
    I(1422, 1121, kCtlOwnerListBox, 0, 0, 0, 0),
    I(1423, 1136, kCtlComboBox, 0, 0, 0, 0),
    I(1424, 1137, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1425, 1152, kCtlEditText, 0, 0, 0, 0),
    I(1426, 3943, kCtlPushButton, 0, 0, 0, 0),
};

// KPD_RPOREFER
const ICB fgICB_RPOREFER[] = {
    I(1427, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1428, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1429, 1038, kCtlPushButton, 0, 0, 0, 0),
    I(1430, 1088, kCtlText1, 0, 0, 0, 0),
    I(1431, 1089, kCtlText1, 0, 0, 0, 0),
    I(1432, 1090, kCtlText1, 0, 0, 0, 0),
    I(1433, 1091, kCtlText1, 0, 0, 0, 0),
    I(1434, 1120, kCtlListBox, 0, 0, 0, 0),
    I(1435, 1121, kCtlOwnerListBox, 0, 0, 0, 0),
    I(1436, 1136, kCtlComboBox, 0, 0, 0, 0),
    I(1437, 1137, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1438, 1152, kCtlEditText, 0, 0, 0, 0),
};

// KPD_FILESAVE
const ICB fgICB_FILESAVE[] = {
    I(1439, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1440, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1441, 1038, kCtlPushButton, 0, 0, 0, 0),
    I(1442, 1088, kCtlText1, 0, 0, 0, 0),
    I(1443, 1089, kCtlText1, 0, 0, 0, 0),
    I(1444, 1090, kCtlText1, 0, 0, 0, 0),
    I(1445, 1091, kCtlText1, 0, 0, 0, 0),
    I(1446, 1120, kCtlListBox, 0, 0, 0, 0),
    I(1447, 1121, kCtlOwnerListBox, 0, 0, 0, 0),
    I(1448, 1136, kCtlComboBox, 0, 0, 0, 0),
    I(1449, 1137, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1450, 1152, kCtlEditText, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_USER_ICMMODE
// The five radio buttons repeat the adjust mode and object choice without
// a setting of their own.
const ICB fgICB_IDD_DIALOG_USER_ICMMODE[] = {
    I(1452, 2256, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1453, 2574, kCtlOwnerComboBox, 0, 0, 0, 0),
    I(1451, 3230, kCtlRadioList, 0, 0, 108, 0),
    I(1451, 3231, kCtlRadioList, 0, 0, 109, 0),
    I(1451, 3232, kCtlRadioList, 0, 0, 104, 0),
    I(1451, 3233, kCtlRadioList, 0, 0, 105, 0),
    I(1451, 3234, kCtlRadioList, 0, 0, 106, 0),
    I(1454, 3944, kCtlText1, 0, 0, 0, 0),
    I(1455, 3945, kCtlText1, 0, 0, 0, 0),
    I(1456, 3946, kCtlText1, 0, 0, 0, 0),
    I(1457, 3947, kCtlPushButton, 0, 0, 0, 0),
    I(1458, 3948, kCtlPushButton, 0, 0, 0, 0),
    I(1459, 3949, kCtlPushButton, 0, 0, 0, 0),
    I(1460, 3950, kCtlPushButton, 0, 0, 0, 0),
    I(1461, 3951, kCtlCheckBox, 0, 0, 0, 0),
    I(1462, 3952, kCtlCheckBox, 0, 0, 0, 0),
    I(1463, 3953, kCtlOwnerComboBox, 0, 0, 0, 0),
};

// KPD_IDD_CMMADDPROFILE
const ICB fgICB_IDD_CMMADDPROFILE[] = {
    I(1464, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1465, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1466, 2823, kCtlEditText, 0, 0, 0, 0),
    I(1467, 2825, kCtlEditText, 0, 0, 0, 0),
    I(1468, 2826, kCtlPushButton, 0, 0, 0, 0),
    I(1469, 3954, kCtlText1, 0, 0, 0, 0),
    I(1470, 3955, kCtlText1, 0, 0, 0, 0),
    I(1471, 3956, kCtlPushButton, 0, 0, 0, 0),
};

// KPD_IDD_CMMMODPROFILE
const ICB fgICB_IDD_CMMMODPROFILE[] = {
    I(1472, 1, kCtlPushButton, 0, 0, 0, 0),
    I(1473, 2, kCtlPushButton, 0, 0, 0, 0),
    I(1474, 2823, kCtlEditText, 0, 0, 0, 0),
    I(1475, 2825, kCtlEditText, 0, 0, 0, 0),
    I(1476, 2826, kCtlPushButton, 0, 0, 0, 0),
    I(1477, 3957, kCtlText1, 0, 0, 0, 0),
    I(1478, 3958, kCtlText1, 0, 0, 0, 0),
    I(1479, 3959, kCtlPushButton, 0, 0, 0, 0),
};

// KPD_IDD_DIALOG_ORIENTATION
const ICB fgICB_IDD_DIALOG_ORIENTATION[] = {
    I(1480, 3250, kCtlRadioList, 0, 0, 0, 0),
    I(1480, 3251, kCtlRadioList, 0, 0, 0, 0),
    I(1481, 3960, kCtlBitmap, 0, 0, 0, 0),
    I(1482, 3961, kCtlBitmap, 0, 0, 0, 0),
    I(1483, 3962, kCtlText4, 0, 0, 0, 0),
    I(1484, 3963, kCtlPushButton, 0, 0, 0, 0),
    I(1485, 3964, kCtlPushButton, 0, 0, 0, 0),
    I(1486, 3965, kCtlPushButton, 0, 0, 0, 0),
    I(1487, 3966, kCtlPushButton, 0, 0, 0, 0),
    I(1488, 3967, kCtlCheckBox, 0, 0, 0, 0),
    I(1489, 3968, kCtlCheckBox, 0, 0, 0, 0),
};

#define TAB(id, group, kind, keyword, help, items) \
  {id, group, kind, keyword, help, const_cast<ICB*>(items), 0, std::size(items), nullptr}

}  // namespace

namespace legacy {

const TCB fgTCB[kTabCount] = {
    TAB(1001, 355, 0x0001, "KPD_IDD_PRESET", 20101, fgICB_IDD_PRESET),
    TAB(1002, 356, 0x0011, "KPD_IDD_BASIC", 22001, fgICB_IDD_BASIC),
    TAB(1003, 357, 0x0011, "KPD_IDD_EDIT", 22301, fgICB_IDD_EDIT),
    TAB(1004, 358, 0x0011, "KPD_IDD_FINISH", 22701, fgICB_IDD_FINISH),
    TAB(1042, 359, 0x0011, "KPD_IDD_CVRMARK", 24001, fgICB_IDD_CVRMARK),
    TAB(1005, 360, 0x0011, "KPD_IDD_OTHERS", 22801, fgICB_IDD_OTHERS),
    TAB(1006, 361, 0x0001, "KPD_IDD_PRINTQUALITY", 21401, fgICB_IDD_PRINTQUALITY),
    TAB(1010, 362, 0x0005, "KPD_IDD_DIALOG_INIT", 20301, fgICB_IDD_DIALOG_INIT),
    TAB(1011, 363, 0x0006, "KPD_IDD_DIALOG_OPTION", 21001, fgICB_IDD_DIALOG_OPTION),
    TAB(1009, 364, 0x0002, "KPD_IDD_TTF", 23201, fgICB_IDD_TTF),
    TAB(1008, 365, 0x0002, "KPD_IDD_USER_CODE", 23301, fgICB_IDD_USER_CODE),
    TAB(1015, 366, 0x0006, "KPD_IDD_DIALOG_PRINTPOST", 20801, fgICB_IDD_DIALOG_PRINTPOST),
    TAB(1007, 367, 0x0004, "KPD_IDD_MAINTENANCE", 20201, fgICB_IDD_MAINTENANCE),
    TAB(1012, 368, 0x0004, "KPD_IDD_DIALOG_ROTATION", 20401, fgICB_IDD_DIALOG_ROTATION),
    TAB(1013, 369, 0x0004, "KPD_IDD_DIALOG_UNIT", 20501, fgICB_IDD_DIALOG_UNIT),
    TAB(1014, 370, 0x0004, "KPD_IDD_DIALOG_SORT", 20601, fgICB_IDD_DIALOG_SORT),
    TAB(1016, 371, 0x0004, "KPD_IDD_DIALOG_ACTION", 20701, fgICB_IDD_DIALOG_ACTION),
    TAB(1017, 372, 0x0004, "KPD_IDD_DIALOG_FREESIZE", 20901, fgICB_IDD_DIALOG_FREESIZE),
    TAB(1018, 373, 0x0004, "KPD_IDD_DIALOG_SCALE", 21101, fgICB_IDD_DIALOG_SCALE),
    TAB(1019, 374, 0x0004, "KPD_IDD_DIALOG_PRINTTYPE", 21201, fgICB_IDD_DIALOG_PRINTTYPE),
    TAB(1020, 375, 0x0004, "KPD_IDD_DIALOG_STATUS", 0, fgICB_IDD_DIALOG_STATUS),
    TAB(1021, 376, 0x0020, "KPD_IDD_DIALOG_USER_PQC", 21601, fgICB_IDD_DIALOG_USER_PQC),
    TAB(1038, 377, 0x0020, "KPD_IDD_DIALOG_USER_BALANCE", 23601, fgICB_IDD_DIALOG_USER_BALANCE),
    TAB(4004, 378, 0x0020, "KPD_IDD_DIALOG_USER_TTF", 21701, fgICB_IDD_DIALOG_USER_TTF),
    TAB(1029, 379, 0x0020, "KPD_IDD_DIALOG_USER_OTHERS", 21801, fgICB_IDD_DIALOG_USER_OTHERS),
    TAB(1023, 380, 0x0004, "KPD_IDD_DIALOG_STAMP_IMAGE", 22501, fgICB_IDD_DIALOG_STAMP_IMAGE),
    TAB(1022, 381, 0x0004, "KPD_IDD_DIALOG_STAMP_CHAR", 22401, fgICB_IDD_DIALOG_STAMP_CHAR),
    TAB(1024, 382, 0x0004, "KPD_IDD_DIALOG_MARGIN", 22601, fgICB_IDD_DIALOG_MARGIN),
    TAB(1030, 383, 0x0004, "KPD_IDD_DIALOG_COVER", 22101, fgICB_IDD_DIALOG_COVER),
    TAB(1044, 384, 0x0004, "KPD_IDD_DIALOG_CHAPTER", 24013, fgICB_IDD_DIALOG_CHAPTER),
    TAB(1031, 385, 0x0004, "KPD_IDD_DIALOG_MARK", 22201, fgICB_IDD_DIALOG_MARK),
    TAB(1034, 386, 0x0004, "KPD_IDD_DIALOG_REMOTE", 23001, fgICB_IDD_DIALOG_REMOTE),
    TAB(1043, 387, 0x0004, "KPD_IDD_DIALOG_BACKCOVER", 24012, fgICB_IDD_DIALOG_BACKCOVER),
    TAB(4014, 388, 0x0004, "KPD_IDD_DIALOG_REVERSECOVER", 24014, fgICB_IDD_DIALOG_REVERSECOVER),
    TAB(4015, 389, 0x8000, "KPD_IDD_DIALOG_CREATE_MIDFILES", 0, fgICB_IDD_DIALOG_CREATE_MIDFILES),
    TAB(4016, 390, 0x0004, "KPD_IDD_MASTERPRINT", 0, fgICB_IDD_MASTERPRINT),
    TAB(4017, 391, 0x0004, "KPD_IDD_DIALOG_ILLEGALCOPY_PROTECT", 0, fgICB_IDD_DIALOG_ILLEGALCOPY_PROTECT),
    TAB(4018, 392, 0x0004, "KPD_IDD_DIALOG_PAPER_POS", 0, fgICB_IDD_DIALOG_PAPER_POS),
    TAB(1035, 393, 0x0004, "KPD_IDD_DIALOG_ADDRESS", 23101, fgICB_IDD_DIALOG_ADDRESS),
    TAB(1036, 394, 0x0004, "KPD_IDD_DIALOG_ICM", 23401, fgICB_IDD_DIALOG_ICM),
    TAB(1037, 395, 0x0004, "KPD_IDD_DIALOG_OVERLAY", 23501, fgICB_IDD_DIALOG_OVERLAY),
    TAB(1039, 396, 0x0004, "KPD_IDD_DIALOG_INPUT_HFSTRING", 0, fgICB_IDD_DIALOG_INPUT_HFSTRING),
    TAB(1040, 397, 0x0004, "KPD_IDD_DIALOG_COMMAND", 23701, fgICB_IDD_DIALOG_COMMAND),
    TAB(1041, 398, 0x0004, "KPD_IDD_DIALOG_FREESIZE_INPUT", 23901, fgICB_IDD_DIALOG_FREESIZE_INPUT),
    TAB(1065, 399, 0x0004, "KPD_IDD_DIALOG_HIDDEN_FUNC", 0, fgICB_IDD_DIALOG_HIDDEN_FUNC),
    TAB(1032, 400, 0x0004, "KPD_IDD_DIALOG_SAVE_PRESET", 21301, fgICB_IDD_DIALOG_SAVE_PRESET),
    TAB(1033, 401, 0x0004, "KPD_IDD_DIALOG_SAVE_USER", 21901, fgICB_IDD_DIALOG_SAVE_USER),
    TAB(1025, 402, 0x0004, "KPD_IDD_DIALOG_VERSION", 0, fgICB_IDD_DIALOG_VERSION),
    TAB(1026, 403, 0x0004, "KPD_IDD_DIALOG_USERCODE_CHANGE", 0, fgICB_IDD_DIALOG_USERCODE_CHANGE),
    TAB(1027, 404, 0x0004, "KPD_IDD_DIALOG_USERCODE_INPUT", 0, fgICB_IDD_DIALOG_USERCODE_INPUT),
    TAB(1028, 405, 0x0004, "KPD_IDD_DIALOG_USERCODE_CONFIRMATION", 0, fgICB_IDD_DIALOG_USERCODE_CONFIRMATION),
    TAB(4005, 406, 0x0004, "KPD_IDD_DIALOG_PASSWORD_INPUT", 0, fgICB_IDD_DIALOG_PASSWORD_INPUT),
    TAB(4006, 407, 0x0004, "KPD_IDD_DLG_STATUS", 0, fgICB_IDD_DLG_STATUS),
    TAB(4001, 408, 0x0100, "KPD_FILEOPEN", 0, fgICB_FILEOPEN),
    TAB(4002, 409, 0x0200, "KPD_RSTOPENSAVE", 0, fgICB_RSTOPENSAVE),
    TAB(4003, 410, 0x0400, "KPD_FILEREFER", 0, fgICB_FILEREFER),
    TAB(4007, 411, 0x0800, "KPD_RPOSAVE", 0, fgICB_RPOSAVE),
    TAB(4008, 412, 0x1000, "KPD_RPOREFER", 0, fgICB_RPOREFER),
    TAB(4009, 413, 0x2000, "KPD_FILESAVE", 0, fgICB_FILESAVE),
    TAB(4010, 414, 0x0004, "KPD_IDD_DIALOG_USER_ICMMODE", 0, fgICB_IDD_DIALOG_USER_ICMMODE),
    TAB(4011, 415, 0x0004, "KPD_IDD_CMMADDPROFILE", 0, fgICB_IDD_CMMADDPROFILE),
    TAB(4012, 416, 0x0004, "KPD_IDD_CMMMODPROFILE", 0, fgICB_IDD_CMMMODPROFILE),
    TAB(4013, 417, 0x0004, "KPD_IDD_DIALOG_ORIENTATION", 0, fgICB_IDD_DIALOG_ORIENTATION),
};
#undef TAB

const TL fgTL = {kTabCount, const_cast<TCB*>(fgTCB)};

}  // namespace legacy
