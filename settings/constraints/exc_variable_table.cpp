// The option-control variable list: 51 variables, each a setting with the
// values an application may choose and what each value needs.
//
// Choices made in completing the list (the model fixes the collation
// values, the staple support conditions, the settings an application's
// request block sets and lists, and the variable names; the rest is ours):
// - Order: the job settings first (those the request block sets, then the
//   other switches of the pages), then the printer's own settings: memory,
//   user code, margins, and per tray its paper and its media.
// - Values are stored values. A value that switches a function off carries
//   kExcValueNotListed; its trial stores the switch off instead.
// - Tried by their value and the description's actions: output size and
//   paper (the description decides which papers exist), punch, staple,
//   fold and binding types (stored with their function switched on), N-up
//   layouts (with N-up on and their kind: 1 two-up, 2 four-up, 3 eight-up,
//   4 sixteen-up), resolutions (with the source resolution, which the
//   refresh after a trial copies into them) and the scale percentages of
//   the request block (with scaling on by percentage).
// - Judged by conditions on the installed options, read from the printer-
//   wide settings: collation needs the hard disk or 128 MB of memory (or
//   a memory size not yet reported), by
//   rotation also a second tray, shifted also a shift tray or a shifting
//   finisher; the output bins and the
//   trays their units; the stored and locked print types the hard disk,
//   the remote type the remote unit; covers a second paper source; thick
//   media the first tray or the manual feeder, transparencies and labels
//   the manual feeder.
// - Present only with their unit (support conditions, on the DEVMODE's
//   copies of the option settings): duplex, binding and booklet the duplex
//   unit; punch the punch units; staple as the model gives it (no finisher
//   of kind QD, and one of the stapling finishers); fold the folding unit;
//   trays 2-7 the paper-feed units that carry them.
// - The margins and the user code are variables without values: they are
//   controllable, and their range is the description's.
#include <array>
#include <iterator>

#include "settings/constraints/exc_variables.h"

namespace {

constexpr DWORD kOr = kExcLinkOr;
constexpr DWORD kEnd = kExcLinkGroupEnd;
constexpr DWORD kSet = 0;  // the link word of a side effect is not read
constexpr DWORD kTrial = kExcKindTrial;
constexpr DWORD kListed = kExcModeListed;
constexpr DWORD kSupported = kExcModeListed | kExcModeSupport;

// Two lists of terms as one.
template <std::size_t A, std::size_t B>
constexpr std::array<ExcTerm, A + B> Join(const ExcTerm (&a)[A], const ExcTerm (&b)[B]) {
  std::array<ExcTerm, A + B> joined{};
  for (std::size_t i = 0; i < A; ++i) joined[i] = a[i];
  for (std::size_t i = 0; i < B; ++i) joined[A + i] = b[i];
  return joined;
}

template <std::size_t N>
constexpr ExcValueList List(const ExcValue (&values)[N]) {
  return {static_cast<DWORD>(N), values};
}

constexpr ExcValue V(DWORD value, LPCSTR name, const ExcEntry* conditions = nullptr,
                     const ExcEntry* sideEffects = nullptr) {
  return {0, value, name, sideEffects, conditions};
}
constexpr ExcValue Off(DWORD value, LPCSTR name, const ExcEntry* sideEffects = nullptr) {
  return {kExcValueNotListed, value, name, sideEffects, nullptr};
}

// --- Installed options (printer-wide settings) ------------------------------

// Collation keeps the copies on the hard disk or in 128 MB or more; a
// memory size the printer has not reported (0) counts as enough.
constexpr ExcTerm kCollatingTerms[] = {
    {kOr, 10070, 1},      {kOr, 10012, 0},      {kOr, 10012, 131072}, {kOr, 10012, 196608}, {kOr, 10012, 262144},
    {kOr, 10012, 327680}, {kOr, 10012, 393216}, {kOr, 10012, 524288}, {kEnd, 10012, 1048576},
};
// A second tray, for rotation and as tray 2: the paper-feed units.
constexpr ExcTerm kSecondTrayTerms[] = {{kOr, 10023, 1}, {kOr, 10016, 1}, {kOr, 10017, 1}, {kEnd, 10020, 1}};
// A shift tray or a shifting finisher.
constexpr ExcTerm kShiftingTerms[] = {{kOr, 10065, 1}, {kOr, 10090, 1}, {kEnd, 10091, 1}};
constexpr ExcChain kCollating{kCollatingTerms};
constexpr ExcChain kSecondTray{kSecondTrayTerms};
// Both groups must hold.
constexpr ExcChain kRotating{ExcJoined{}, Join(kCollatingTerms, kSecondTrayTerms)};
constexpr ExcChain kShifting{ExcJoined{}, Join(kCollatingTerms, kShiftingTerms)};
// A cover feeder or a second tray.
constexpr ExcTerm kCoverFeederTerms[] = {{kOr, 10085, 1}};
constexpr ExcChain kCoverSource{ExcJoined{}, Join(kCoverFeederTerms, kSecondTrayTerms)};
constexpr ExcChain kFaceUpTray{{{kEnd, 10047, 1}}};
constexpr ExcChain kUpperBin{{{kEnd, 10056, 1}}};
constexpr ExcChain kShiftTray{{{kEnd, 10065, 1}}};
constexpr ExcChain kFinisher{
    {{kOr, 10058, 1}, {kOr, 10059, 1}, {kOr, 10090, 1}, {kOr, 10091, 1}, {kOr, 10086, 1}, {kEnd, 10087, 1}}};
constexpr ExcChain kMailbox{{{kOr, 10048, 1}, {kEnd, 10057, 1}}};
constexpr ExcChain kHardDisk{{{kEnd, 10070, 1}}};
constexpr ExcChain kRemoteUnit{{{kEnd, 10062, 1}}};
constexpr ExcChain kManualFeeder{{{kEnd, 10021, 1}}};
constexpr ExcChain kLargeCapacity{{{kOr, 10018, 1}, {kEnd, 10019, 1}}};
constexpr ExcChain kTray3Unit{{{kOr, 10016, 1}, {kOr, 10017, 1}, {kEnd, 10020, 1}}};
constexpr ExcChain kTray4Unit{{{kOr, 10017, 1}, {kEnd, 10020, 1}}};
constexpr ExcChain kBankUnit{{{kEnd, 10020, 1}}};
// The source tray (dmDefaultSource): tray 1 or the manual feeder.
constexpr ExcChain kTray1OrManual{{{kOr, 13, 1}, {kEnd, 13, 4}}};
constexpr ExcChain kManualOnly{{{kEnd, 13, 4}}};

// Support conditions (translated to the DEVMODE's copies).
constexpr ExcChain kDuplexUnit{{{kEnd, 10014, 1}}};
constexpr ExcChain kPunchUnit{{{kOr, 10072, 1}, {kOr, 10073, 1}, {kEnd, 10291, 1}}};
constexpr ExcChain kStapleUnit{{{kEnd, 10059, 0},
                                {kOr, 10090, 1}, {kOr, 10091, 1}, {kOr, 10092, 1}, {kOr, 10093, 1},
                                {kOr, 10086, 1}, {kOr, 10087, 1}, {kOr, 10088, 1}, {kOr, 10089, 1},
                                {kEnd, 10071, 1}}};
constexpr ExcChain kFoldUnit{{{kEnd, 10290, 1}}};

// --- Side effects of trials ---------------------------------------------------

constexpr ExcChain kPunchOn{{{kSet, 62, 1}}};
constexpr ExcChain kPunchOff{{{kSet, 62, 0}}};
constexpr ExcChain kStapleOn{{{kSet, 63, 1}}};
constexpr ExcChain kStapleOff{{{kSet, 63, 0}}};
constexpr ExcChain kFoldOn{{{kSet, 78, 1}}};
constexpr ExcChain kFoldOff{{{kSet, 78, 0}}};
constexpr ExcChain kDuplexOn{{{kSet, 58, 1}}};
constexpr ExcChain kNupOn{{{kSet, 56, 1}}};
constexpr ExcChain kScaleByPercent{{{kSet, 55, 1}, {kSet, 87, 1}}};
constexpr ExcChain kTwoUp{{{kSet, 91, 1}}};
constexpr ExcChain kFourUp{{{kSet, 91, 2}}};
constexpr ExcChain kEightUp{{{kSet, 91, 3}}};
constexpr ExcChain kSixteenUp{{{kSet, 91, 4}}};
constexpr ExcChain k400Dpi{{{kSet, 14, 400}, {kSet, 17, 400}}};
constexpr ExcChain k600Dpi{{{kSet, 14, 600}, {kSet, 17, 600}}};
constexpr ExcChain k1200Dpi{{{kSet, 14, 1200}, {kSet, 17, 1200}}};

// --- Value lists ----------------------------------------------------------------

constexpr ExcValue kOffOnValues[] = {V(0, "OFF"), V(1, "ON")};
constexpr ExcValueList kOffOn = List(kOffOnValues);
constexpr ExcValue kCoverValues[] = {V(0, "OFF"), V(1, "ON", kCoverSource.head())};
constexpr ExcValueList kCover = List(kCoverValues);

constexpr ExcValue kCollateValues[] = {
    Off(0, "OFF"), V(1, "COLLATE", kCollating.head()), V(6, "ROTATE", kRotating.head()),
    V(4, "SHIFT", kShifting.head()),
};
constexpr ExcValueList kCollate = List(kCollateValues);

constexpr ExcValue kPunchValues[] = {
    Off(0, "NONE", kPunchOff.head()),
    V(1, "2HOLETOP", nullptr, kPunchOn.head()),    V(2, "2HOLERIGHT", nullptr, kPunchOn.head()),
    V(3, "2HOLELEFT", nullptr, kPunchOn.head()),   V(17, "3HOLETOP", nullptr, kPunchOn.head()),
    V(18, "3HOLERIGHT", nullptr, kPunchOn.head()), V(19, "3HOLELEFT", nullptr, kPunchOn.head()),
    V(33, "4HOLETOP", nullptr, kPunchOn.head()),   V(34, "4HOLERIGHT", nullptr, kPunchOn.head()),
    V(35, "4HOLELEFT", nullptr, kPunchOn.head()),  V(49, "4HOLE2TOP", nullptr, kPunchOn.head()),
    V(50, "4HOLE2RIGHT", nullptr, kPunchOn.head()), V(51, "4HOLE2LEFT", nullptr, kPunchOn.head()),
    V(65, "2HOLE2TOP", nullptr, kPunchOn.head()),  V(66, "2HOLE2RIGHT", nullptr, kPunchOn.head()),
};
constexpr ExcValueList kPunch = List(kPunchValues);

constexpr ExcValue kStapleValues[] = {
    Off(0, "NONE", kStapleOff.head()),
    V(1, "LEFTTOP", nullptr, kStapleOn.head()),        V(2, "RIGHTTOP", nullptr, kStapleOn.head()),
    V(17, "LEFTTOPSLANT", nullptr, kStapleOn.head()),  V(18, "RIGHTTOPSLANT", nullptr, kStapleOn.head()),
    V(33, "SLANTRIGHT", nullptr, kStapleOn.head()),    V(34, "SLANTLEFT", nullptr, kStapleOn.head()),
    V(49, "ONERIGHT", nullptr, kStapleOn.head()),      V(50, "ONELEFT", nullptr, kStapleOn.head()),
    V(65, "TWOTOP", nullptr, kStapleOn.head()),        V(66, "TWORIGHT", nullptr, kStapleOn.head()),
    V(67, "TWOLEFT", nullptr, kStapleOn.head()),       V(68, "TWOMIDDLE", nullptr, kStapleOn.head()),
};
constexpr ExcValueList kStaple = List(kStapleValues);

constexpr ExcValue kFoldValues[] = {
    Off(0, "NONE", kFoldOff.head()),
    V(1, "ZFOLD", nullptr, kFoldOn.head()),
    V(2, "HALFFOLD", nullptr, kFoldOn.head()),
    V(3, "LETTERFOLD", nullptr, kFoldOn.head()),
};
constexpr ExcValueList kFold = List(kFoldValues);

constexpr ExcValue kBindingValues[] = {
    V(1, "TOP", nullptr, kDuplexOn.head()), V(2, "LEFT", nullptr, kDuplexOn.head()),
    V(3, "RIGHT", nullptr, kDuplexOn.head()),
};
constexpr ExcValueList kBinding = List(kBindingValues);

constexpr ExcValue kOutBinValues[] = {
    V(0, "STANDARD"),
    V(1, "FACEUP", kFaceUpTray.head()),
    V(2, "UPPER", kUpperBin.head()),
    V(4, "SHIFT", kShiftTray.head()),
    V(13, "FINISHER", kFinisher.head()),
    V(14, "FINISHERPROOF", kFinisher.head()),
    V(15, "MAILBOX1", kMailbox.head()), V(16, "MAILBOX2", kMailbox.head()), V(17, "MAILBOX3", kMailbox.head()),
    V(18, "MAILBOX4", kMailbox.head()), V(19, "MAILBOX5", kMailbox.head()), V(20, "MAILBOX6", kMailbox.head()),
    V(21, "MAILBOX7", kMailbox.head()), V(22, "MAILBOX8", kMailbox.head()), V(23, "MAILBOX9", kMailbox.head()),
};
constexpr ExcValueList kOutBin = List(kOutBinValues);

constexpr ExcValue kTrayValues[] = {
    V(7, "AUTO"),
    V(1, "TRAY1"),
    V(3, "TRAY2", kSecondTray.head()),
    V(2, "TRAY3", kTray3Unit.head()),
    V(256, "TRAY4", kTray4Unit.head()),
    V(261, "TRAY5", kBankUnit.head()),
    V(262, "TRAY6", kBankUnit.head()),
    V(263, "TRAY7", kBankUnit.head()),
    V(4, "MANUAL", kManualFeeder.head()),
    V(11, "LCT", kLargeCapacity.head()),
};
constexpr ExcValueList kTray = List(kTrayValues);

// The output sizes: "same as the paper", then the paper sizes the request
// block knows, in its order, which are also the papers.
constexpr ExcValue kOutPaperValues[] = {
    Off(1024, "SAMEASPAPER"),
    V(1, "LETTER"),  V(8, "A3"),    V(9, "A4"),     V(11, "A5"),        V(70, "A6"),       V(12, "JISB4"),
    V(13, "JISB5"),  V(88, "JISB6"), V(3, "TABLOID"), V(5, "LEGAL"),    V(6, "STATEMENT"), V(43, "POSTCARD"),
    V(66, "A2"),     V(267, "PAPER267"), V(268, "PAPER268"), V(269, "PAPER269"),
};
constexpr ExcValueList kOutPaper = List(kOutPaperValues);
constexpr ExcValueList kPaper = {kOutPaper.count - 1, kOutPaperValues + 1};

constexpr ExcValue kMediaValues[] = {
    V(1, "PLAIN"),   V(256, "RECYCLED"), V(257, "SPECIAL"), V(258, "THICK", kTray1OrManual.head()),
    V(2, "TRANSPARENCY", kManualOnly.head()), V(259, "LABELS", kManualOnly.head()),
};
constexpr ExcValueList kMedia = List(kMediaValues);

constexpr ExcValue kNupValues[] = {
    V(1, "2IN1P1", nullptr, kTwoUp.head()),       V(2, "2IN1P2", nullptr, kTwoUp.head()),
    V(3, "2IN1P3", nullptr, kTwoUp.head()),       V(4, "2IN1P4", nullptr, kTwoUp.head()),
    V(33, "4IN1P1", nullptr, kFourUp.head()),     V(34, "4IN1P2", nullptr, kFourUp.head()),
    V(37, "4IN1P3", nullptr, kFourUp.head()),     V(38, "4IN1P4", nullptr, kFourUp.head()),
    V(65, "8IN1P1", nullptr, kEightUp.head()),    V(66, "8IN1P2", nullptr, kEightUp.head()),
    V(69, "8IN1P3", nullptr, kEightUp.head()),    V(70, "8IN1P4", nullptr, kEightUp.head()),
    V(97, "16IN1P1", nullptr, kSixteenUp.head()), V(98, "16IN1P2", nullptr, kSixteenUp.head()),
    V(101, "16IN1P3", nullptr, kSixteenUp.head()), V(102, "16IN1P4", nullptr, kSixteenUp.head()),
};
constexpr ExcValueList kNup = List(kNupValues);
constexpr ExcValue kNupKindValues[] = {V(1, "2IN1"), V(2, "4IN1"), V(3, "8IN1"), V(4, "16IN1")};
constexpr ExcValueList kNupKind = List(kNupKindValues);

constexpr ExcValue kResolutionValues[] = {
    V(400, "400DPI", nullptr, k400Dpi.head()), V(600, "600DPI", nullptr, k600Dpi.head()),
    V(1200, "1200DPI", nullptr, k1200Dpi.head()),
};
constexpr ExcValueList kResolution = List(kResolutionValues);

constexpr ExcValue kScaleValues[] = {
    V(67, "67PERCENT"), V(70, "70PERCENT"), V(75, "75PERCENT"),   V(80, "80PERCENT"),
    V(88, "88PERCENT"), V(100, "100PERCENT"), V(115, "115PERCENT"),
};
constexpr ExcValueList kScale = List(kScaleValues);
constexpr ExcValue kScaleTypeValues[] = {V(1, "PERCENT"), V(2, "FITPAPER")};
constexpr ExcValueList kScaleType = List(kScaleTypeValues);

constexpr ExcValue kPrintAreaValues[] = {V(0, "STANDARD"), V(1, "MAXIMUM")};
constexpr ExcValueList kPrintArea = List(kPrintAreaValues);
constexpr ExcValue kOrientationValues[] = {V(1, "PORTRAIT"), V(2, "LANDSCAPE")};
constexpr ExcValueList kOrientation = List(kOrientationValues);
constexpr ExcValue kColourValues[] = {V(1, "MONOCHROME"), V(2, "COLOR")};
constexpr ExcValueList kColour = List(kColourValues);
constexpr ExcValue kPlexorValues[] = {V(0, "OFF"),   V(1, "1PASS"), V(2, "2PASS"),
                                      V(3, "NPASS"), V(4, "ZPASS"), V(5, "ZNPASS")};
constexpr ExcValueList kPlexor = List(kPlexorValues);

constexpr ExcValue kPrintTypeValues[] = {
    V(0, "NORMAL"),
    V(1, "SECURE", kHardDisk.head()),
    V(2, "PROOF", kHardDisk.head()),
    V(3, "STORED", kHardDisk.head()),
    V(4, "STOREDPRINT", kHardDisk.head()),
    V(5, "MERGE"),
    V(6, "REMOTE", kRemoteUnit.head()),
    V(7, "OVERLAY", kHardDisk.head()),
};
constexpr ExcValueList kPrintType = List(kPrintTypeValues);

constexpr ExcValue kMemoryValues[] = {
    V(65536, "64MB"),   V(131072, "128MB"), V(196608, "192MB"), V(262144, "256MB"),
    V(327680, "320MB"), V(393216, "384MB"), V(524288, "512MB"), V(1048576, "1024MB"),
};
constexpr ExcValueList kMemory = List(kMemoryValues);

// The first tray takes the small sizes, the others also the large ones.
constexpr ExcValue kTray1PaperValues[] = {
    V(1, "LETTER"), V(5, "LEGAL"), V(6, "STATEMENT"), V(9, "A4"), V(11, "A5"), V(13, "JISB5"),
};
constexpr ExcValueList kTray1Paper = List(kTray1PaperValues);
constexpr ExcValue kTrayPaperValues[] = {
    V(1, "LETTER"), V(3, "TABLOID"), V(5, "LEGAL"), V(8, "A3"),
    V(9, "A4"),     V(11, "A5"),     V(12, "JISB4"), V(13, "JISB5"),
};
constexpr ExcValueList kTrayPaper = List(kTrayPaperValues);
// The first tray also feeds transparencies and labels.
constexpr ExcValue kTray1MediaValues[] = {
    V(1, "PLAIN"), V(256, "RECYCLED"), V(257, "SPECIAL"), V(258, "THICK"), V(2, "TRANSPARENCY"), V(259, "LABELS"),
};
constexpr ExcValueList kTray1Media = List(kTray1MediaValues);
constexpr ExcValue kTrayMediaValues[] = {V(1, "PLAIN"), V(256, "RECYCLED"), V(257, "SPECIAL"), V(258, "THICK")};
constexpr ExcValueList kTrayMedia = List(kTrayMediaValues);

// --- The variables --------------------------------------------------------------

constexpr ExcVariable kVariables[] = {
    // The settings of the request block.
    {119, 0, kListed, "COLLATE", nullptr, &kCollate, nullptr},
    {120, kTrial, kSupported, "PUNCH", nullptr, &kPunch, kPunchUnit.head()},
    {121, kTrial, kSupported, "STAPLE", nullptr, &kStaple, kStapleUnit.head()},
    {58, 0, kSupported, "DUPLEX", nullptr, &kOffOn, kDuplexUnit.head()},
    {94, kTrial, kSupported, "BINDING", nullptr, &kBinding, kDuplexUnit.head()},
    {53, 0, kListed, "OUTBIN", nullptr, &kOutBin, nullptr},
    {38, kTrial, kListed, "RESOLUTION", nullptr, &kResolution, nullptr},
    {46, kTrial, kListed, "PRINTSIZE", nullptr, &kOutPaper, nullptr},
    {173, 0, kListed, "PRINTAREA", nullptr, &kPrintArea, nullptr},
    {92, kTrial, kListed, "NUP", kNupOn.head(), &kNup, nullptr},
    {91, 0, kListed, "NUPKIND", nullptr, &kNupKind, nullptr},
    {89, kTrial, kListed, "SCALE", kScaleByPercent.head(), &kScale, nullptr},
    {87, 0, kListed, "SCALETYPE", nullptr, &kScaleType, nullptr},
    {606, 0, kListed, "PLEXOR", nullptr, &kPlexor, nullptr},
    {55, 0, kListed, "SCALEON", nullptr, &kOffOn, nullptr},
    {56, 0, kListed, "NUPON", nullptr, &kOffOn, nullptr},
    {61, 0, kListed, "SORT", nullptr, &kOffOn, nullptr},
    {62, 0, kSupported, "PUNCHON", nullptr, &kOffOn, kPunchUnit.head()},
    {63, 0, kSupported, "STAPLEON", nullptr, &kOffOn, kStapleUnit.head()},
    // The other job settings.
    {13, 0, kListed, "TRAY", nullptr, &kTray, nullptr},
    {8, kTrial, kListed, "PAPERSIZE", nullptr, &kPaper, nullptr},
    {54, 0, kListed, "MEDIATYPE", nullptr, &kMedia, nullptr},
    {7, 0, kListed, "ORIENTATION", nullptr, &kOrientation, nullptr},
    {15, 0, kListed, "COLOR", nullptr, &kColour, nullptr},
    {209, 0, kListed, "PRINTTYPE", nullptr, &kPrintType, nullptr},
    {511, kTrial, kSupported, "FOLD", nullptr, &kFold, kFoldUnit.head()},
    {78, 0, kSupported, "FOLDON", nullptr, &kOffOn, kFoldUnit.head()},
    {59, 0, kSupported, "BOOKLET", nullptr, &kOffOn, kDuplexUnit.head()},
    {57, 0, kListed, "POSTER", nullptr, &kOffOn, nullptr},
    {65, 0, kListed, "COVER", nullptr, &kCover, nullptr},
    {66, 0, kListed, "BACKCOVER", nullptr, &kCover, nullptr},
    {68, 0, kListed, "TONERSAVE", nullptr, &kOffOn, nullptr},
    {60, 0, kListed, "WATERMARK", nullptr, &kOffOn, nullptr},
    {98, 0, kListed, "MARGINODD", nullptr, nullptr, nullptr},
    {99, 0, kListed, "MARGINEVEN", nullptr, nullptr, nullptr},
    {203, 0, kListed, "USERCODE", nullptr, nullptr, nullptr},
    // The printer's own settings.
    {10012, 0, kListed, "MEMORYSIZE", nullptr, &kMemory, nullptr},
    {10175, 0, kListed, "TRAYPAPER1", nullptr, &kTray1Paper, nullptr},
    {10176, 0, kSupported, "TRAYPAPER2", nullptr, &kTrayPaper, kSecondTray.head()},
    {10177, 0, kSupported, "TRAYPAPER3", nullptr, &kTrayPaper, kTray3Unit.head()},
    {10178, 0, kSupported, "TRAYPAPER4", nullptr, &kTrayPaper, kTray4Unit.head()},
    {10179, 0, kSupported, "TRAYPAPER5", nullptr, &kTrayPaper, kBankUnit.head()},
    {10180, 0, kSupported, "TRAYPAPER6", nullptr, &kTrayPaper, kBankUnit.head()},
    {10181, 0, kSupported, "TRAYPAPER7", nullptr, &kTrayPaper, kBankUnit.head()},
    {10207, 0, kListed, "TRAYPAPERMEDIA1", nullptr, &kTray1Media, nullptr},
    {10208, 0, kSupported, "TRAYPAPERMEDIA2", nullptr, &kTrayMedia, kSecondTray.head()},
    {10209, 0, kSupported, "TRAYPAPERMEDIA3", nullptr, &kTrayMedia, kTray3Unit.head()},
    {10210, 0, kSupported, "TRAYPAPERMEDIA4", nullptr, &kTrayMedia, kTray4Unit.head()},
    {10211, 0, kSupported, "TRAYPAPERMEDIA5", nullptr, &kTrayMedia, kBankUnit.head()},
    {10212, 0, kSupported, "TRAYPAPERMEDIA6", nullptr, &kTrayMedia, kBankUnit.head()},
    {10213, 0, kSupported, "TRAYPAPERMEDIA7", nullptr, &kTrayMedia, kBankUnit.head()},
};
static_assert(std::size(kVariables) == kExcVariableCount);

}  // namespace

const ExcVariableList ExcVariableListData = {kExcVariableCount, kVariables};

const ExcVariableList* GetExcVariableListData() { return &ExcVariableListData; }
