// Arguments put into a message template, one conversion at a time, each
// with an argument of the type the conversion reads: a template that asks
// for more or other arguments than a caller gives gets zeros and empty
// texts, never a read past what was given. Internal to ui/alerts/.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

// True when the template's first conversion reads a string.
bool FirstConversionTakesString(std::u16string_view format);

// The template with its first conversion given arg: the string it points
// to for a string conversion, the pointer's value for a number.
std::u16string FormatOne(std::u16string_view format, const void* arg, std::size_t limit);
// The template with its number conversions given the first count values.
std::u16string FormatList(std::u16string_view format, const WORD* values, int count, std::size_t limit);
