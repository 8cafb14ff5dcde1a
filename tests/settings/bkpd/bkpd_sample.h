// A hand-built work description of a fictional printer model, as the
// description compiler would leave it, and a text dump of a loaded block
// through the accessors. Shared by the packer and loader tests.
#pragma once

#include <string>

#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/bkpd_work.h"

namespace sample {

// Group keyword ids of the sample.
inline constexpr WORD kPageSize = 100;
inline constexpr WORD kDuplex = 101;
inline constexpr WORD kCopies = 102;
inline constexpr WORD kUserName = 103;
inline constexpr WORD kTray = 104;
inline constexpr WORD kFontSub = 105;
inline constexpr WORD kMedia = 106;
inline constexpr WORD kMediaCopy = 107;
inline constexpr WORD kOdd = 108;  // a type word of two kinds: not packed
inline constexpr WORD kBins = 109;

// Every kind of group, two sub-groups and an Identity group sharing one
// option list, every constraint list, command trees with nesting, command
// strings, fonts and the resource library name.
WorkBKPD* Build();

// Sets a command tree that is a chain of ElseIf levels (each a nested group
// in the else list of the one above) ending in a font command.
void SetElseIfChain(WorkBKPD* w, BkpdCommandGroupIndex which, int levels);

// Every record a loaded block reaches, one per line.
std::string Describe(PCBKPD b);
// The parts of it: the exclusive records with every list and judge they
// reach, and the five command trees.
std::string DescribeConstraints(PCBKPD b);
std::string DescribeCommandTrees(PCBKPD b);

}  // namespace sample
